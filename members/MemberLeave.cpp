#include "members/MemberLeave.h"

#include "core/ShopEvents.h"
#include "platform/db/Recordset.h"

bool MemberLeave::Run(Recordset& members, QObject* source) {
    if (!members.HasCurrentRow()) return false;
    const Bookmark member = members.GetBookmark();
    if (members.IsNewRow(member)) {
        members.CancelRow(member);
        return true;
    }
    members.Delete();
    try {
        members.UpdateBatch(adAffectAll);
    } catch (const DbError&) {
        members.CancelBatch(adAffectAll);
        throw;
    }
    ShopEvents::AnnounceMembersChanged(source);
    return true;
}
