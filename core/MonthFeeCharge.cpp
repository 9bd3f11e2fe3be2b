#include "core/MonthFeeCharge.h"

namespace {
const char* const kFirstSettingsRow = "select tax from pricepercent order by id limit 1";
const char* const kAnyUnpaidMember = "select 1 from userinfo where ispay = 0 limit 1";
const char* const kNullTaxToZero = "update userinfo set [tax] = 0 where tax is null";
const char* const kNullMoneyToZero = "update userinfo set [money] = 0 where money is null";
const char* const kChargeFee =
    "update userinfo set [money] = [money] - ?1, [tax] = [tax] + ?1, ispay = 1 where ispay = 0";
// Only the members marked paid: the re-arming runs at every start in the second half of
// the month and should not rewrite every member each time.
const char* const kRearmFee = "update userinfo set ispay = 0 where ispay <> 0";
}  // namespace

double MonthFeeCharge::StoredFee() {
    return conn_.Scalar(kFirstSettingsRow).ToDouble();
}

bool MonthFeeCharge::AnyMemberUnpaid() {
    return !conn_.Scalar(kAnyUnpaidMember).IsNull();
}

int MonthFeeCharge::Charge(double fee) {
    Transaction t(conn_);
    conn_.Execute(kNullTaxToZero);
    conn_.Execute(kNullMoneyToZero);
    const int charged = conn_.Execute(kChargeFee, {fee});
    t.Commit();
    return charged;
}

int MonthFeeCharge::Rearm() {
    Transaction t(conn_);
    const int rearmed = conn_.Execute(kRearmFee);
    t.Commit();
    return rearmed;
}
