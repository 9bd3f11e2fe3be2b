#include "counter/SaleCheckOut.h"

#include <algorithm>

#include "core/OpenBasketRow.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/SaleState.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

namespace {
const char* const kPrices = "select sellprice, membersellprice from cdinfo where cdid = ?1";
const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";
}  // namespace

SaleCheckOut::Result SaleCheckOut::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.copies.empty()) return result;
    Transaction t(conn);
    const BasketLines::Checked checked =
        BasketLines::Sale.Check(conn, request.basket, request.userType, request.userName,
                                request.cdid, request.copies, request.rewritesLine);
    result.sellid = checked.lineId;
    result.available = checked.offer.available;
    result.ownCopies = checked.offer.own;
    if (checked.outcome != Outcome::Written) {
        result.outcome = checked.outcome;
        return result;
    }
    Basket basket = checked.basket;

    if (!request.basket.Open) {
        basket.Member = basket.UserType == kMemberUser;
        if (basket.Member && conn.Scalar(kMemberById, {basket.UserName}).IsNull()) {
            result.outcome = Outcome::NoMember;
            return result;
        }
    }
    const OpenBasketRow row{OpenBasketRow::Sale, basket.No, basket.UserName, basket.UserType,
                            basket.Member};
    row.Store(conn, !request.basket.Open, basket);

    // The copies new to the line at the title's price of the moment; the line's own keep
    // what they were confirmed at.
    const Money money = PricePerCopy(conn, request.cdid, basket.Member)
                            .Times(checked.offer.NewCopies(request.copies));
    result.newLine = BasketLines::Sale.Write(conn, result.sellid,
                                             {basket.UserName, request.copies, money,
                                              request.remark, request.now, request.rewritesLine});
    SaleState::Follow(conn, request.cdid);
    // An edit that keeps fewer of the line's copies puts the others back on the shelf.
    const bool givesBack =
        std::any_of(result.ownCopies.begin(), result.ownCopies.end(), [&request](int copy) {
            return std::find(request.copies.begin(), request.copies.end(), copy) ==
                   request.copies.end();
        });
    if (givesBack) SaleState::CopiesBack(conn, request.cdid);
    result.money = BasketLines::Sale.Of(conn, result.sellid)->amount;
    t.Commit();

    basket.Open = true;
    result.basket = basket;
    result.outcome = Outcome::Written;
    return result;
}

Money SaleCheckOut::PricePerCopy(Connection& conn, const QString& cdid, bool member) {
    Statement prices(conn, kPrices);
    prices.Bind({cdid});
    if (!prices.Step() || prices.Column(0).IsNull()) return Money();
    return Money::FromStored(prices.Double(member ? 1 : 0));  // Null reads 0
}
