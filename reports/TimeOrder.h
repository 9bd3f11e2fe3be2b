#pragma once
#include <QString>
#include <functional>

class Recordset;
struct RecentPeriod;

// The rows of a listing's two result sets, the members' and the walk-in customers', taken in
// the order of their times: by the value of the stored date and time, whatever its form, and
// only the rows whose time falls in the period. Rows of equal times come in the order of
// their line ids (idField). take(set, isMember) reads the current row of the set it is given.
namespace TimeOrder {
using Take = std::function<void(Recordset& row, bool isMember)>;

// One list, newest first; on equal times the member's row comes first.
void NewestFirst(Recordset& members, Recordset& walkIns, const QString& timeField,
                 const QString& idField, const RecentPeriod& period, const Take& take);
// Every member's row, then every walk-in customer's, each group oldest first.
void OldestFirstByGroup(Recordset& members, Recordset& walkIns, const QString& timeField,
                        const QString& idField, const RecentPeriod& period, const Take& take);
}  // namespace TimeOrder
