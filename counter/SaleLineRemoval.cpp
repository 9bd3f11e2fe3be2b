#include "counter/SaleLineRemoval.h"

#include "counter/BasketLines.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"

namespace {
const char* const kAllCopiesBack =
    "update cdinfo set issell = 0 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and b.sellid = ?1 and b.sellcount = cdinfo.count";
const char* const kSomeCopiesBack =
    "update cdinfo set issell = 1 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and b.sellid = ?1 "
    "and (cdinfo.count - b.sellcount) > 0";
const char* const kPrices = "select sellprice, membersellprice from cdinfo where cdid = ?1";
const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";
constexpr int kCdidLength = 12;
}  // namespace

SaleLineRemoval::Result SaleLineRemoval::Run(Connection& conn, const Basket& basket,
                                             const QString& sellid) {
    Result result;
    Transaction t(conn);
    const std::optional<int> copies = BasketLines::Sale.Copies(conn, sellid);
    if (!copies) return result;
    result.copies = *copies;
    result.money = RoundHalfUp(
        result.copies * PricePerCopy(conn, sellid.left(kCdidLength), basket.UserName), 2);
    conn.Execute(kAllCopiesBack, {sellid});
    conn.Execute(kSomeCopiesBack, {sellid});
    result.removed = BasketLines::Sale.Remove(conn, sellid);
    result.basketEmpty = BasketLines::Sale.BasketEmpty(conn, basket.No);
    t.Commit();
    return result;
}

double SaleLineRemoval::PricePerCopy(Connection& conn, const QString& cdid,
                                     const QString& customerKey) {
    const bool member = !conn.Scalar(kMemberById, {customerKey}).IsNull();
    Statement prices(conn, kPrices);
    prices.Bind({cdid});
    // A title without a sale price is sold at 0 to everyone.
    if (!prices.Step() || prices.Column(0).IsNull()) return 0;
    return prices.Column(member ? 1 : 0).ToDouble();  // Null reads 0
}
