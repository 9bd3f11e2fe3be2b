#include "counter/SaleSettlement.h"

#include <algorithm>

#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
const char* const kCopiesOfBasket =
    "select coalesce(sum(sellcount),0) from sellinfo where substr(sellid,-4) = ?1";
const char* const kShareOfAmount =
    "update sellinfo set [Money] = ?2 * sellcount / ?3 where substr(sellid,-4) = ?1";
const char* const kStoredMoney = "select coalesce([money],0) from userinfo where userid = ?1";
const char* const kSetStoredMoney = "update userinfo set [money] = ?2 where userid = ?1";
}  // namespace

SaleSettlement::Result SaleSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    Transaction t(conn);
    result.copies = static_cast<int>(conn.Scalar(kCopiesOfBasket, {request.basketNo}).ToInt());
    if (result.copies <= 0) throw DbError(QStringLiteral("这一单出售已经没有光盘了，不能结算。"));
    if (request.fromStoredMoney) {
        const double balance = conn.Scalar(kStoredMoney, {request.customerKey}).ToDouble();
        result.storedMoneyAfter = BalanceAfter(balance, request.amount);
        conn.Execute(kSetStoredMoney, {request.customerKey, result.storedMoneyAfter});
    }
    conn.Execute(kShareOfAmount, {request.basketNo, request.amount, double(result.copies)});
    t.Commit();
    return result;
}

double SaleSettlement::BalanceAfter(double balance, double amount) {
    return std::max(0.0, RoundHalfUp(balance - amount, 2));
}
