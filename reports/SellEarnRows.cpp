#include "reports/SellEarnRows.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/OddDates.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"
#include "reports/TimeOrder.h"

namespace {
// Members' sales of the period, in no order: ?1 the first day, ?2 the day
// after the last, as date texts; %2 adds the sales whose date is in another form, which are
// held to the period, and ordered, by their value afterwards. %1 leaves out the baskets
// still open at the counter, which are no sale yet. A customer key is a
// member's number whatever the case of its letters (the key's column compares so).
const char* const kMemberSales =
    "select d.username as name, b.name as moviename, a.selldate as selldate, "
    "a.money as money, a.sellid as sellid "
    "from sellinfo as a "
    "join cdinfo as b on b.cdid = substr(a.sellid, 1, 12) "
    "join userinfo as d on a.name = d.userid "
    "where (a.selldate >= ?1 and a.selldate < ?2 or %2) and %1";

// Walk-in customers' sales (every customer key that is no member number), the same way.
const char* const kWalkInSales =
    "select a.name as name, b.name as moviename, a.selldate as selldate, a.money as money, "
    "a.sellid as sellid "
    "from sellinfo as a "
    "join cdinfo as b on b.cdid = substr(a.sellid, 1, 12) "
    "where not exists (select 1 from userinfo as d where a.name = d.userid) "
    "and (a.selldate >= ?1 and a.selldate < ?2 or %2) and %1";

QString Sales(const char* sql) {
    return QString::fromUtf8(sql).arg(OpenBaskets::NotInSaleBasket("a"),
                                      OddDates::Rows("a.rowid", "sellinfo", "selldate"));
}
}  // namespace

namespace SellEarnRows {
ReportLines Read(Connection& conn, const RecentPeriod& period) {
    const Params bounds{period.from, period.to};
    Recordset members;
    members.Open(Sales(kMemberSales), conn, adLockReadOnly, bounds);
    Recordset walkIns;
    walkIns.Open(Sales(kWalkInSales), conn, adLockReadOnly, bounds);

    ReportLines lines;
    lines.reserve(static_cast<size_t>(members.RecordCount() + walkIns.RecordCount() + 1));
    double total = 0;
    TimeOrder::OldestFirstByGroup(
        members, walkIns, "selldate", "sellid", period, [&](Recordset& sale, bool isMember) {
            const double money = sale["money"].ToDouble();
            lines.push_back({NullToStr(sale["moviename"]),
                             isMember ? QStringLiteral("会员") : QStringLiteral("非会员"),
                             NullToStr(sale["name"]), ReportText::Money(money),
                             ReportTimes::WithCentury(ReportTimes::DateTime(sale["selldate"]))});
            total += money;
        });
    lines.push_back(
        {QStringLiteral("合计"), QString(), QString(), ReportText::Money(total), QString()});
    return lines;
}
}  // namespace SellEarnRows
