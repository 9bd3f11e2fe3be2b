#include "catalogue/MemberPriceFactorWrite.h"

#include <vector>

#include "core/mdlMain.h"
#include "platform/db/Statement.h"
#include "platform/text/Money.h"

namespace {
struct Statements {
    const char* prices;    // every title: rowid, price, member price
    const char* setPrice;  // ?1 rowid, ?2 member price
    const char* setFactor;
};
const Statements kRent = {"select rowid, borrowprice, memberborrowprice from cdinfo",
                          "update cdinfo set memberborrowprice = ?2 where rowid = ?1",
                          "update pricepercent set percentb = ?1"};
const Statements kSale = {"select rowid, sellprice, membersellprice from cdinfo",
                          "update cdinfo set membersellprice = ?2 where rowid = ?1",
                          "update pricepercent set percents = ?1"};

struct NewPrice {
    qint64 row;
    bool priced;  // false: the title has no price, and so no member price
    double price;
};

// The titles whose member price is not yet their price at the factor.
std::vector<NewPrice> Changed(const Statements& sql, double factor) {
    std::vector<NewPrice> changed;
    Statement titles(gConn, sql.prices);
    while (titles.Step()) {
        const bool priced = !titles.IsNull(1);
        const double member =
            priced ? Money::FromStored(titles.Double(1)).AtRate(factor).ToStored() : 0;
        const bool same =
            priced ? !titles.IsNull(2) && titles.Double(2) == member : titles.IsNull(2);
        if (!same) changed.push_back({titles.Column(0).ToInt(), priced, member});
    }
    return changed;
}
}  // namespace

void MemberPriceFactorWrite::Run(Price price, double factor) {
    const Statements& sql = price == Rent ? kRent : kSale;
    Transaction t(gConn);
    for (const NewPrice& title : Changed(sql, factor))
        gConn.Execute(sql.setPrice, {title.row, title.priced ? Value(title.price) : Value()});
    gConn.Execute(sql.setFactor, {factor});
    t.Commit();
}
