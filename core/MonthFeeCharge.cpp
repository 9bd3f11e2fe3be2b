#include "core/MonthFeeCharge.h"

#include <vector>

#include "platform/db/Statement.h"

namespace {
const char* const kFirstSettingsRow = "select tax from pricepercent order by id limit 1";
const char* const kAnyUnpaidMember = "select 1 from userinfo where ispay = 0 limit 1";
const char* const kNullTaxToZero = "update userinfo set [tax] = 0 where tax is null";
const char* const kNullMoneyToZero = "update userinfo set [money] = 0 where money is null";
const char* const kUnpaidMembers = "select rowid, [money], [tax] from userinfo where ispay = 0";
const char* const kChargeMember =
    "update userinfo set [money] = ?2, [tax] = ?3, ispay = 1 where rowid = ?1";
// Only the members marked paid: the re-arming runs at every start in the second half of
// the month and should not rewrite every member each time.
const char* const kRearmFee = "update userinfo set ispay = 0 where ispay <> 0";
}  // namespace

Money MonthFeeCharge::StoredFee() {
    return Money::FromStored(conn_.Scalar(kFirstSettingsRow).ToDouble());
}

bool MonthFeeCharge::AnyMemberUnpaid() {
    return !conn_.Scalar(kAnyUnpaidMember).IsNull();
}

int MonthFeeCharge::Charge(Money fee) {
    Transaction t(conn_);
    conn_.Execute(kNullTaxToZero);
    conn_.Execute(kNullMoneyToZero);
    struct Unpaid {
        qint64 row;
        Money money;
        Money tax;
    };
    std::vector<Unpaid> members;
    {
        Statement unpaid(conn_, kUnpaidMembers);
        while (unpaid.Step())
            members.push_back({unpaid.Column(0).ToInt(), Money::FromStored(unpaid.Double(1)),
                               Money::FromStored(unpaid.Double(2))});
    }
    for (const Unpaid& m : members)
        conn_.Execute(kChargeMember, {m.row, (m.money - fee).ToStored(), (m.tax + fee).ToStored()});
    t.Commit();
    return static_cast<int>(members.size());
}

int MonthFeeCharge::Rearm() {
    Transaction t(conn_);
    const int rearmed = conn_.Execute(kRearmFee);
    t.Commit();
    return rearmed;
}
