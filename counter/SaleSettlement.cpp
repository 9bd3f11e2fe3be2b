#include "counter/SaleSettlement.h"

#include <algorithm>

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/LineShares.h"
#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
const char* const kStoredMoney = "select coalesce([money],0) from userinfo where userid = ?1";
const char* const kSetStoredMoney = "update userinfo set [money] = ?2 where userid = ?1";
}  // namespace

SaleSettlement::Result SaleSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    Transaction t(conn);
    const std::vector<BasketLines::Line> lines = BasketLines::Sale.OfBasket(conn, request.basketNo);
    for (const BasketLines::Line& line : lines) result.copies += line.copies;
    if (result.copies <= 0) throw DbError(QStringLiteral("这一单出售已经没有光盘了，不能结算。"));
    if (request.fromStoredMoney) {
        const double balance = conn.Scalar(kStoredMoney, {request.customerKey}).ToDouble();
        result.storedMoneyAfter = BalanceAfter(balance, request.amount);
        conn.Execute(kSetStoredMoney, {request.customerKey, result.storedMoneyAfter});
    }
    const std::vector<double> shares = LineShares::Of(lines, request.amount);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (shares[i] != lines[i].amount)
            BasketLines::Sale.SetAmount(conn, lines[i].lineId, shares[i]);
    OpenBasketRow::Close(conn, OpenBasketRow::Sale, request.basketNo);
    t.Commit();
    return result;
}

double SaleSettlement::BalanceAfter(double balance, double amount) {
    return std::max(0.0, RoundHalfUp(balance - amount, 2));
}
