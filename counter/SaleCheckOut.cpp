#include "counter/SaleCheckOut.h"

#include "counter/BasketLines.h"
#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
const char* const kMarkTitleSold = "update cdinfo set issell = ?2 where cdid = ?1";

constexpr int kSomeSold = 1;
constexpr int kAllSold = 2;
}  // namespace

SaleCheckOut::Result SaleCheckOut::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.copies.empty()) return result;
    Transaction t(conn);
    const std::optional<Basket> numbered =
        BasketLines::Sale.Numbered(conn, request.basket, request.userType, request.userName);
    if (!numbered) {
        result.outcome = Outcome::NumbersUsedUp;
        return result;
    }
    Basket basket = *numbered;
    result.sellid = request.cdid + basket.No;
    result.newLine = BasketLines::Sale.Write(
        conn, result.sellid,
        {basket.UserName, request.copies, request.remark, request.now, request.rewritesLine});
    const int count = static_cast<int>(request.copies.size());
    conn.Execute(kMarkTitleSold, {request.cdid, count == request.offered ? kAllSold : kSomeSold});
    t.Commit();

    result.money = RoundHalfUp(count * request.pricePerCopy, 2);
    basket.Open = true;
    basket.CountSum += count;
    basket.MoneySum = RoundHalfUp(basket.MoneySum + result.money, 2);
    result.basket = basket;
    result.outcome = Outcome::Written;
    return result;
}
