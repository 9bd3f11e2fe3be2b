#include "reports/TimeOrder.h"

#include <algorithm>
#include <vector>

#include "platform/db/Recordset.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"

namespace {
struct TimedRow {
    qint64 moment;
    QString id;
    Recordset* set;
    bool member;
    int position;
};

// The set's rows in the period.
void AddRows(Recordset& set, bool member, const QString& timeField, const QString& idField,
             const RecentPeriod& period, std::vector<TimedRow>& rows) {
    const int time = set.FieldIndex(timeField);
    const int id = set.FieldIndex(idField);
    for (int position = 1; position <= set.RecordCount(); ++position) {
        const std::optional<DateText> d = ReportTimes::Read(set.ValueAt(position, time));
        if (period.Holds(d))
            rows.push_back({ReportTimes::Moment(*d), set.ValueAt(position, id).ToString(), &set,
                            member, position});
    }
}

// Equal times by line id.
bool ById(const TimedRow& a, const TimedRow& b) {
    return a.id < b.id;
}

void TakeAll(const std::vector<TimedRow>& rows, const TimeOrder::Take& take) {
    for (const TimedRow& row : rows) {
        row.set->SetAbsolutePosition(row.position);
        take(*row.set, row.member);
    }
}
}  // namespace

namespace TimeOrder {
void NewestFirst(Recordset& members, Recordset& walkIns, const QString& timeField,
                 const QString& idField, const RecentPeriod& period, const Take& take) {
    std::vector<TimedRow> rows;
    AddRows(members, true, timeField, idField, period, rows);
    AddRows(walkIns, false, timeField, idField, period, rows);
    std::sort(rows.begin(), rows.end(), [](const TimedRow& a, const TimedRow& b) {
        if (a.moment != b.moment) return a.moment > b.moment;
        if (a.member != b.member) return a.member;
        return ById(a, b);
    });
    TakeAll(rows, take);
}

void OldestFirstByGroup(Recordset& members, Recordset& walkIns, const QString& timeField,
                        const QString& idField, const RecentPeriod& period, const Take& take) {
    for (const auto& [set, member] : {std::pair{&members, true}, std::pair{&walkIns, false}}) {
        std::vector<TimedRow> rows;
        AddRows(*set, member, timeField, idField, period, rows);
        std::sort(rows.begin(), rows.end(), [](const TimedRow& a, const TimedRow& b) {
            return a.moment != b.moment ? a.moment < b.moment : ById(a, b);
        });
        TakeAll(rows, take);
    }
}
}  // namespace TimeOrder
