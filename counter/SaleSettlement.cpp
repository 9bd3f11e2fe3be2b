#include "counter/SaleSettlement.h"

#include <algorithm>

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/LineShares.h"
#include "platform/db/Connection.h"

namespace {
const char* const kStoredMoney = "select coalesce([money],0) from userinfo where userid = ?1";
const char* const kSetStoredMoney = "update userinfo set [money] = ?2 where userid = ?1";

const char* const kNoCopiesLeft = "这一单出售已经没有光盘了，不能结算。";
}  // namespace

SaleSettlement::Result SaleSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    Transaction t(conn);
    const std::vector<BasketLines::Line> lines = BasketLines::Sale.OfBasket(conn, request.basketNo);
    for (const BasketLines::Line& line : lines) result.copies += line.copies;
    if (result.copies <= 0) {
        result.refusal = QString::fromUtf8(kNoCopiesLeft);
        return result;
    }
    if (request.fromStoredMoney) {
        const Money balance =
            Money::FromStored(conn.Scalar(kStoredMoney, {request.customerKey}).ToDouble());
        result.storedMoneyAfter = BalanceAfter(balance, request.amount);
        conn.Execute(kSetStoredMoney, {request.customerKey, result.storedMoneyAfter.ToStored()});
    }
    const std::vector<Money> shares = LineShares::Of(lines, request.amount);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (shares[i] != lines[i].amount)
            BasketLines::Sale.SetAmount(conn, lines[i].lineId, shares[i]);
    OpenBasketRow::Close(conn, OpenBasketRow::Sale, request.basketNo);
    t.Commit();
    return result;
}

Money SaleSettlement::BalanceAfter(Money balance, Money amount) {
    return std::max(Money(), balance - amount);
}
