#pragma once
#include <QString>
#include <functional>

class Recordset;

// Takes the rows of two result sets, each ordered newest first on the same date-and-time
// field, as one list newest first: the members' rows and the walk-in customers' rows of a
// report interleave by time, and on equal times the members' row comes first.
// take(set, isMember) reads the current row of the set it is given; the set is then moved on.
void MergeNewestFirst(Recordset& members, Recordset& walkIns, const QString& timeField,
                      const std::function<void(Recordset& row, bool isMember)>& take);
