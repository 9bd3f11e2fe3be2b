#include "counter/SaleSettlement.h"

#include <algorithm>

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/LineShares.h"
#include "platform/db/Connection.h"

namespace {
const char* const kStoredMoney = "select coalesce([money],0) from userinfo where userid = ?1";
const char* const kSetStoredMoney = "update userinfo set [money] = ?2 where userid = ?1";

const char* const kMemberGone =
    "%1 已经不是会员了（会员资料已被删除），不能用会费支付，没有结算。请用现金结算。";
const char* const kBalanceChanged =
    "会员 %1 的会费刚在别处被改动过（现在是 %2），没有结算。请重新结算。";

// Why the member's stored money cannot pay: empty when it can.
QString StoredMoneyRefusal(Connection& conn, const SaleSettlement::Request& request,
                           const QString& customer, Money* balance) {
    const Value stored = conn.Scalar(kStoredMoney, {request.customerKey});
    if (stored.IsNull() || request.customerKey != customer)
        return QString::fromUtf8(kMemberGone).arg(request.customerKey);
    *balance = Money::FromStored(stored.ToDouble());
    if (request.balanceShown && *request.balanceShown != *balance)
        return QString::fromUtf8(kBalanceChanged).arg(request.customerKey, balance->Text());
    return QString();
}
}  // namespace

SaleSettlement::Result SaleSettlement::Run(Connection& conn, const Request& request) {
    Result result;
    Transaction t(conn);
    const BasketLines::ToSettle basket =
        BasketLines::Sale.ForSettlement(conn, request.basketNo, request.shown);
    const std::vector<BasketLines::Line>& lines = basket.lines;
    result.refusal = basket.refusal;
    Money balance;
    if (result.refusal.isEmpty() && request.fromStoredMoney)
        result.refusal = StoredMoneyRefusal(conn, request, basket.customer, &balance);
    if (!result.refusal.isEmpty()) return result;
    result.copies = basket.copies;
    if (request.fromStoredMoney) {
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
