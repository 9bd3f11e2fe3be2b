#include "catalogue/MemberPriceFactorWrite.h"

#include <optional>
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
    Value price;
};

// The titles whose member price is not yet their price at the factor (Null for no price).
std::vector<NewPrice> Changed(const Statements& sql, double factor) {
    std::vector<NewPrice> changed;
    Statement titles(gConn, sql.prices);
    while (titles.Step()) {
        const std::optional<double> member =
            titles.IsNull(1)
                ? std::nullopt
                : std::optional(Money::FromStored(titles.Double(1)).AtRate(factor).ToStored());
        const std::optional<double> stored =
            titles.IsNull(2) ? std::nullopt : std::optional(titles.Double(2));
        if (member != stored)
            changed.push_back({titles.Column(0).ToInt(), member ? Value(*member) : Value()});
    }
    return changed;
}
}  // namespace

void MemberPriceFactorWrite::Run(Price price, double factor) {
    const Statements& sql = price == Rent ? kRent : kSale;
    Transaction t(gConn);
    for (const NewPrice& title : Changed(sql, factor))
        gConn.Execute(sql.setPrice, {title.row, title.price});
    gConn.Execute(sql.setFactor, {factor});
    t.Commit();
}
