#include "counter/RentalSettlement.h"

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/LineShares.h"
#include "platform/db/Connection.h"

namespace {
const char* const kWaived =
    "update borrowinfo set credencetype = '现金', foregift = 0, isnotpaylst = borrowlst "
    "where substr(borrowid,-4) = ?1";
const char* const kCashDeposit =
    "update borrowinfo set credencetype = '现金', foregift = ?2, isnotpaylst = borrowlst "
    "where borrowid = ?1";
const char* const kPledge =
    "update borrowinfo set credencetype = '证件', Guaranty = ?2, foregift = 0, "
    "isnotpaylst = borrowlst where substr(borrowid,-4) = ?1";

const char* const kNoCopiesLeft = "这一单出租已经没有光盘了，不能结算。";
const char* const kNegativeDeposit = "实收押金不能小于零，没有结算。";
}  // namespace

RentalSettlement::Result RentalSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.kind == Cash && request.amount < Money()) {
        result.refusal = QString::fromUtf8(kNegativeDeposit);
        return result;
    }
    Transaction t(conn);
    const std::vector<BasketLines::Line> lines =
        BasketLines::Rental.OfBasket(conn, request.basketNo);
    int copies = 0;
    for (const BasketLines::Line& line : lines) copies += line.copies;
    if (copies <= 0) {
        result.refusal = QString::fromUtf8(kNoCopiesLeft);
        return result;
    }
    switch (request.kind) {
        case MemberWaived:
            conn.Execute(kWaived, {request.basketNo});
            break;
        case Cash: {
            const std::vector<Money> shares = LineShares::Of(lines, request.amount);
            for (std::size_t i = 0; i < lines.size(); ++i)
                conn.Execute(kCashDeposit, {lines[i].lineId, shares[i].ToStored()});
            break;
        }
        case Pledge:
            conn.Execute(kPledge, {request.basketNo, request.pledge});
            break;
    }
    OpenBasketRow::Close(conn, OpenBasketRow::Rental, request.basketNo);
    t.Commit();
    result.copies = copies;
    return result;
}
