#include "catalogue/MembershipFeeWrite.h"

#include "core/mdlMain.h"

namespace {
const char* const kSetFee = "update pricepercent set tax = ?1";
}  // namespace

void MembershipFeeWrite::Run(Money fee) {
    Transaction t(gConn);
    gConn.Execute(kSetFee, {fee.ToStored()});
    t.Commit();
}
