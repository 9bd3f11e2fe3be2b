#include "catalogue/MemberPriceFactorWrite.h"

#include "core/mdlMain.h"

namespace {
const char* const kSetMemberRent = "update cdinfo set memberborrowprice = borrowprice * ?1";
const char* const kSetMemberRentFactor = "update pricepercent set percentb = ?1";
const char* const kSetMemberSale = "update cdinfo set membersellprice = sellprice * ?1";
const char* const kSetMemberSaleFactor = "update pricepercent set percents = ?1";
}  // namespace

void MemberPriceFactorWrite::Run(Price price, double factor) {
    const bool rent = price == Rent;
    Transaction t(gConn);
    gConn.Execute(rent ? kSetMemberRent : kSetMemberSale, {factor});
    gConn.Execute(rent ? kSetMemberRentFactor : kSetMemberSaleFactor, {factor});
    t.Commit();
}
