#include "reports/EarnReportRows.h"

#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/OddDates.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"
#include "reports/TimeOrder.h"

namespace {
// Members' returns of the period that brought rent, in no order: ?1 the first
// day, ?2 the day after the last, as date texts; %1 adds the returns whose date is in
// another form, which are held to the period, and ordered, by their value afterwards. A
// customer key is a member's number whatever the case of its letters (the key's column
// compares so).
const char* const kMemberReturns =
    "select d.username as name, b.name as moviename, a.borrowdate as borrowdate, "
    "c.returndate as returndate, a.money as money, c.returnid as returnid "
    "from returninfo as c "
    "join borrowinfo as a on a.borrowid = substr(c.returnid, 1, 16) "
    "join cdinfo as b on b.cdid = substr(a.borrowid, 1, 12) "
    "join userinfo as d on a.name = d.userid "
    "where a.money > 0 and (c.returndate >= ?1 and c.returndate < ?2 or %1)";

// Walk-in customers' returns (every customer key that is no member number), the same way.
const char* const kWalkInReturns =
    "select a.name as name, b.name as moviename, a.borrowdate as borrowdate, "
    "c.returndate as returndate, a.money as money, c.returnid as returnid "
    "from returninfo as c "
    "join borrowinfo as a on a.borrowid = substr(c.returnid, 1, 16) "
    "join cdinfo as b on b.cdid = substr(a.borrowid, 1, 12) "
    "where not exists (select 1 from userinfo as d where a.name = d.userid) "
    "and a.money > 0 and (c.returndate >= ?1 and c.returndate < ?2 or %1)";

QString Returns(const char* sql) {
    return QString::fromUtf8(sql).arg(OddDates::Rows("c.rowid", "returninfo", "returndate"));
}
}  // namespace

namespace EarnReportRows {
ReportLines Read(Connection& conn, const RecentPeriod& period) {
    const Params bounds{period.from, period.to};
    Recordset members;
    members.Open(Returns(kMemberReturns), conn, adLockReadOnly, bounds);
    Recordset walkIns;
    walkIns.Open(Returns(kWalkInReturns), conn, adLockReadOnly, bounds);

    ReportLines lines;
    lines.reserve(static_cast<size_t>(members.RecordCount() + walkIns.RecordCount() + 1));
    double total = 0;
    TimeOrder::NewestFirst(
        members, walkIns, "returndate", "returnid", period, [&](Recordset& row, bool isMember) {
            const double money = row["money"].ToDouble();
            const Value returned = row["returndate"];
            lines.push_back({NullToStr(row["moviename"]),
                             isMember ? QStringLiteral("会员") : QStringLiteral("零租用户"),
                             NullToStr(row["name"]), ReportText::Money(money),
                             period.IsWeek() ? ReportTimes::DateTime(returned)
                                             : ReportTimes::HourMinute(returned),
                             ReportTimes::WithCentury(ReportTimes::DateTime(row["borrowdate"]))});
            total += money;
        });
    lines.push_back({QStringLiteral("合计"), QString(), QString(), ReportText::Money(total),
                     QString(), QString()});
    return lines;
}
}  // namespace EarnReportRows
