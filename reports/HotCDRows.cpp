#include "reports/HotCDRows.h"

#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/ReportTimes.h"

namespace {
// The titles with the most rental lines, then the most rent (a rent not yet received counts
// 0), then the disc id, so that titles alike on both keys always come in the same order and
// the list never runs past ?1 rows. The lines are counted per title from the index of their
// title keys alone; the rent is summed only for the titles counted at least as often as the
// ?1-th, the only ones that can make the list (all of them when fewer titles were rented).
// Both sides of the sum's join are substr() expressions, so that the index serves it.
const char* const kMostRented =
    "with titles as materialized ("
    "select a.cdid as cdid, b.outcount as outcount from cdinfo as a "
    "join (select substr(borrowid, 1, 12) as cdid, count(*) as outcount "
    "from borrowinfo group by substr(borrowid, 1, 12)) as b on a.cdid = b.cdid), "
    "last as (select outcount from titles order by outcount desc limit 1 offset ?1 - 1) "
    "select a.cdid as cdid, a.name as moviename, a.buydate as buydate, "
    "t.outcount as outcount, "
    "(select coalesce(sum(r.money), 0) from borrowinfo as r "
    "where substr(r.borrowid, 1, 12) = substr(t.cdid, 1, 12)) as money, "
    "a.price * a.count as charge "
    "from titles as t join cdinfo as a on a.cdid = t.cdid "
    "where t.outcount >= coalesce((select outcount from last), 0) "
    "order by t.outcount desc, money desc, a.cdid "
    "limit ?1";
}  // namespace

namespace HotCDRows {
ReportLines Read(Connection& conn) {
    Recordset titles;
    titles.Open(kMostRented, conn, adLockReadOnly, {kTop});
    ReportLines lines;
    lines.reserve(static_cast<size_t>(titles.RecordCount()));
    for (int i = 1; !titles.AtEOF(); titles.MoveNext(), ++i) {
        lines.push_back({QString::number(i), NullToStr(titles["moviename"]),
                         ReportTimes::Date(titles["buydate"]),
                         ReportText::Count(titles["outcount"], QStringLiteral("次")),
                         ReportText::Money(titles["money"]), ReportText::Money(titles["charge"])});
    }
    return lines;
}
}  // namespace HotCDRows
