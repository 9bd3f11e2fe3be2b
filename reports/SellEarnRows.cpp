#include "reports/SellEarnRows.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"

namespace {
// Members' sales of the period by sale time: ?1 the first day, ?2 the day after the last;
// %1 leaves out the baskets still open at the counter, which are no sale yet.
const char* const kMemberSales =
    "select d.username as name, b.name as moviename, a.selldate as selldate, "
    "a.money as money "
    "from sellinfo as a "
    "join cdinfo as b on b.cdid = substr(a.sellid, 1, 12) "
    "join userinfo as d on d.userid = a.name "
    "where a.selldate >= ?1 and a.selldate < ?2 and %1 "
    "order by a.selldate, a.sellid";

// Walk-in customers' sales (every customer key that is no member number), the same way.
const char* const kWalkInSales =
    "select a.name as name, b.name as moviename, a.selldate as selldate, a.money as money "
    "from sellinfo as a "
    "join cdinfo as b on b.cdid = substr(a.sellid, 1, 12) "
    "where not exists (select 1 from userinfo as d where d.userid = a.name) "
    "and a.selldate >= ?1 and a.selldate < ?2 and %1 "
    "order by a.selldate, a.sellid";

QString Sales(const char* sql) {
    return QString::fromUtf8(sql).arg(OpenBaskets::NotInSaleBasket("a"));
}

void AddSales(Recordset& sales, const QString& kind, ReportLines& lines, double& total) {
    for (; !sales.AtEOF(); sales.MoveNext()) {
        const double money = sales["money"].ToDouble();
        lines.push_back({NullToStr(sales["moviename"]), kind, NullToStr(sales["name"]),
                         ReportText::Money(money),
                         ReportTimes::WithCentury(ReportTimes::DateTime(sales["selldate"]))});
        total += money;
    }
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
    AddSales(members, QStringLiteral("会员"), lines, total);
    AddSales(walkIns, QStringLiteral("非会员"), lines, total);
    lines.push_back(
        {QStringLiteral("合计"), QString(), QString(), ReportText::Money(total), QString()});
    return lines;
}
}  // namespace SellEarnRows
