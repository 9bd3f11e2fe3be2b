#include "members/MemberLeave.h"

#include "platform/db/Recordset.h"
#include "platform/text/Money.h"

namespace {
// The member's balance as the file holds it now: Null when the member is gone, 0 for a
// balance never set.
const char* const kStoredBalance = "select coalesce(money, 0) from userinfo where userid = ?1";

// The row as the page read it (or last wrote it) and as the file holds it now.
bool StillAsShown(Recordset& members, Bookmark member) {
    const int position = members.PositionOf(member);
    const Value number = members.ValueAt(position, members.FieldIndex("userid"));
    const Value shown = members.ValueAt(position, members.FieldIndex("money"));
    const Value stored = members.ActiveConnection()->Scalar(kStoredBalance, {number});
    return !stored.IsNull() &&
           Money::FromStored(stored.ToDouble()) == Money::FromStored(shown.ToDouble());
}
}  // namespace

MemberLeave::Outcome MemberLeave::Run(Recordset& members) {
    if (!members.HasCurrentRow()) return Outcome::NoMember;
    const Bookmark member = members.GetBookmark();
    if (members.IsNewRow(member)) {
        members.CancelRow(member);
        return Outcome::Left;
    }
    Transaction t(*members.ActiveConnection());
    if (!StillAsShown(members, member)) return Outcome::ChangedElsewhere;
    members.Delete();
    try {
        members.UpdateBatch(adAffectAll);
    } catch (const DbError&) {
        members.CancelBatch(adAffectAll);
        throw;
    }
    t.Commit();
    return Outcome::Left;
}
