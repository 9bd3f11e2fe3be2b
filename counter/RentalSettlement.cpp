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

const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";

const char* const kNoLongerMember =
    "%1 已经不是会员了（会员资料已被删除），不能免收押金，没有结算。请按零租用户收押金结算。";
const char* const kNegativeDeposit = "实收押金不能小于零，没有结算。";
}  // namespace

RentalSettlement::Result RentalSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.kind == Cash && request.amount < Money()) {
        result.refusal = QString::fromUtf8(kNegativeDeposit);
        return result;
    }
    Transaction t(conn);
    const BasketLines::ToSettle basket =
        BasketLines::Rental.ForSettlement(conn, request.basketNo, request.shown);
    const std::vector<BasketLines::Line>& lines = basket.lines;
    if (basket.refusal.isEmpty() && request.kind == MemberWaived &&
        conn.Scalar(kMemberById, {basket.customer}).IsNull())
        result.refusal = QString::fromUtf8(kNoLongerMember).arg(basket.customer);
    else
        result.refusal = basket.refusal;
    if (!result.refusal.isEmpty()) return result;
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
    result.copies = basket.copies;
    return result;
}
