#include "reports/BorrowReportRows.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/OddDates.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"
#include "reports/TimeOrder.h"

namespace {
// Members' rentals lent out in the period, in no order: ?1 the first day, ?2
// the day after the last, as date texts; %2 adds the rentals whose date is in another form,
// which are held to the period, and ordered, by their value afterwards. %1 leaves out the
// baskets still open at the counter, which are no rental yet. A customer key
// is a member's number whatever the case of its letters (the key's column compares so).
// The title's and the line's other fields come along for the listing's readers; the grid
// shows the name, kind, rent, deposit and time.
const char* const kMemberRentals =
    "select d.userid as userid, d.username as name, c.count as count, "
    "c.borrowprice as BorrowPrice, c.borrowpricetype as BorrowPriceType, c.cdid as cdid, "
    "c.id as id, a.borrowdate as borrowdate, c.name as moviename, c.[key] as [key], "
    "a.borrowid as borrowid, a.borrowlst as borrowlst, a.borrowcount as borrowcount, "
    "a.CredenceType as Credence, a.foregift as Foregift, a.Guaranty as Guaranty, "
    "a.money as money, a.remark as remark "
    "from borrowinfo as a "
    "join cdinfo as c on c.cdid = substr(a.borrowid, 1, 12) "
    "join userinfo as d on a.name = d.userid "
    "where (a.borrowdate >= ?1 and a.borrowdate < ?2 or %2) and %1";

// Walk-in customers' rentals (every customer key that is no member number), the same way.
const char* const kWalkInRentals =
    "select c.count as count, c.borrowprice as BorrowPrice, "
    "c.borrowpricetype as BorrowPriceType, c.cdid as cdid, c.id as id, "
    "a.borrowdate as borrowdate, a.name as name, c.name as moviename, c.[key] as [key], "
    "a.borrowid as borrowid, a.borrowlst as borrowlst, a.borrowcount as borrowcount, "
    "a.CredenceType as Credence, a.foregift as Foregift, a.Guaranty as Guaranty, "
    "a.money as money, a.remark as remark "
    "from borrowinfo as a "
    "join cdinfo as c on c.cdid = substr(a.borrowid, 1, 12) "
    "where not exists (select 1 from userinfo as d where a.name = d.userid) "
    "and (a.borrowdate >= ?1 and a.borrowdate < ?2 or %2) and %1";

const QString kCash = QStringLiteral("现金");

QString Rentals(const char* sql) {
    return QString::fromUtf8(sql).arg(OpenBaskets::NotInRentalBasket("a"),
                                      OddDates::Rows("a.rowid", "borrowinfo", "borrowdate"));
}
}  // namespace

namespace BorrowReportRows {
ReportLines Read(Connection& conn, const RecentPeriod& period) {
    const Params bounds{period.from, period.to};
    Recordset members;
    members.Open(Rentals(kMemberRentals), conn, adLockReadOnly, bounds);
    Recordset walkIns;
    walkIns.Open(Rentals(kWalkInRentals), conn, adLockReadOnly, bounds);

    ReportLines lines;
    lines.reserve(static_cast<size_t>(members.RecordCount() + walkIns.RecordCount() + 1));
    double rent = 0;
    double deposits = 0;
    TimeOrder::NewestFirst(
        members, walkIns, "borrowdate", "borrowid", period, [&](Recordset& row, bool isMember) {
            const double money = row["money"].ToDouble();
            const bool cash = NullToStr(row["Credence"]) == kCash;
            const double deposit = cash ? row["Foregift"].ToDouble() : 0;
            const Value lent = row["borrowdate"];
            lines.push_back({NullToStr(row["moviename"]),
                             isMember ? QStringLiteral("会员") : QStringLiteral("零租用户"),
                             NullToStr(row["name"]), ReportText::Money(money),
                             cash ? ReportText::Money(deposit) : NullToStr(row["Guaranty"]),
                             period.IsWeek() ? ReportTimes::WithCentury(ReportTimes::DateTime(lent))
                                             : ReportTimes::HourMinute(lent)});
            rent += money;
            deposits += deposit;
        });
    lines.push_back({QStringLiteral("合计"), QString(), QString(), ReportText::Money(rent),
                     ReportText::Money(deposits), QString()});
    return lines;
}
}  // namespace BorrowReportRows
