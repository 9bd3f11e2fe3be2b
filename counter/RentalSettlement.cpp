#include "counter/RentalSettlement.h"

#include "platform/db/Connection.h"

namespace {
const char* const kCopiesOfBasket =
    "select coalesce(sum(borrowcount),0) from borrowinfo where substr(borrowid,-4) = ?1";
const char* const kWaived =
    "update borrowinfo set credencetype = '现金', foregift = 0, isnotpaylst = borrowlst "
    "where substr(borrowid,-4) = ?1";
const char* const kCashDeposit =
    "update borrowinfo set credencetype = '现金', foregift = ?2 * borrowcount / ?3, "
    "isnotpaylst = borrowlst where substr(borrowid,-4) = ?1";
const char* const kPledge =
    "update borrowinfo set credencetype = '证件', Guaranty = ?2, isnotpaylst = borrowlst "
    "where substr(borrowid,-4) = ?1";
}  // namespace

int RentalSettlement::Run(Connection& conn, const Request& request) {
    Transaction t(conn);
    const int copies = static_cast<int>(conn.Scalar(kCopiesOfBasket, {request.basketNo}).ToInt());
    if (copies <= 0) throw DbError(QStringLiteral("这一单出租已经没有光盘了，不能结算。"));
    switch (request.kind) {
        case MemberWaived:
            conn.Execute(kWaived, {request.basketNo});
            break;
        case Cash:
            conn.Execute(kCashDeposit, {request.basketNo, request.amount, double(copies)});
            break;
        case Pledge:
            conn.Execute(kPledge, {request.basketNo, request.pledge});
            break;
    }
    t.Commit();
    return copies;
}
