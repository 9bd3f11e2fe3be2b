#include "catalogue/DepositRuleWrite.h"

#include "core/mdlMain.h"

namespace {
const char* const kSetDepositRule =
    "update ForeGift set foregifttype = ?1, [money] = ?2, membermoney = ?3";
}  // namespace

void DepositRuleWrite::Run(int rule, Money walkInAmount, Money memberAmount) {
    Transaction t(gConn);
    gConn.Execute(kSetDepositRule, {rule, walkInAmount.ToStored(), memberAmount.ToStored()});
    t.Commit();
}
