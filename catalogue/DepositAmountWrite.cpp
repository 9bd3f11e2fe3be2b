#include "catalogue/DepositAmountWrite.h"

#include "core/mdlMain.h"

namespace {
const char* const kSetWalkInDeposit = "update ForeGift set foregifttype = ?1, [money] = ?2";
const char* const kSetMemberDeposit = "update ForeGift set foregifttype = ?1, membermoney = ?2";
}  // namespace

void DepositAmountWrite::Run(Customer whose, int rule, Money amount) {
    Transaction t(gConn);
    gConn.Execute(whose == WalkIn ? kSetWalkInDeposit : kSetMemberDeposit,
                  {rule, amount.ToStored()});
    t.Commit();
}
