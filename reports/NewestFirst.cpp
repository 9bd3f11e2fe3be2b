#include "reports/NewestFirst.h"

#include "platform/db/Recordset.h"
#include "reports/ReportTimes.h"

namespace {
// The fixed form orders as the times do; a Null time (empty) counts as the oldest.
QString SortKey(Recordset& set, const QString& timeField) {
    return ReportTimes::DateTime(set[timeField]);
}

bool MemberFirst(Recordset& members, Recordset& walkIns, const QString& timeField) {
    if (members.AtEOF()) return false;
    if (walkIns.AtEOF()) return true;
    return SortKey(members, timeField) >= SortKey(walkIns, timeField);
}
}  // namespace

void MergeNewestFirst(Recordset& members, Recordset& walkIns, const QString& timeField,
                      const std::function<void(Recordset& row, bool isMember)>& take) {
    while (!members.AtEOF() || !walkIns.AtEOF()) {
        const bool member = MemberFirst(members, walkIns, timeField);
        Recordset& set = member ? members : walkIns;
        take(set, member);
        set.MoveNext();
    }
}
