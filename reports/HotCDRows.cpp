#include "reports/HotCDRows.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/ReportTimes.h"

namespace {
// The titles with the most rental lines, then the most rent (a rent not yet received counts
// 0), then the disc id, so that titles alike on both keys always come in the same order and
// the list never runs past ?1 rows. The lines of the baskets still open at the counter are
// no rental yet: %1 leaves them out of the count, %2 out of the rent.
// Each title's lines are counted in the index of their title keys alone (a title never
// rented counts 0 and is not listed); the rent is summed only for the titles counted at
// least as often as the ?1-th, the only ones that can make the list (all rented titles when
// fewer were rented). A line is the title's when its first 12 characters are the title's
// whole key (so a key of another length has lines only when they are that key); the key
// goes in with "+", which takes away its column's affinity, so that the index on the lines'
// first 12 characters serves the join.
const char* const kMostRented =
    "with titles as materialized ("
    "select a.cdid as cdid, (select count(*) from borrowinfo as b "
    "where substr(b.borrowid, 1, 12) = +a.cdid and %1) as outcount "
    "from cdinfo as a), "
    "last as (select outcount from titles where outcount > 0 "
    "order by outcount desc limit 1 offset ?1 - 1) "
    "select a.cdid as cdid, a.name as moviename, a.buydate as buydate, "
    "t.outcount as outcount, "
    "(select coalesce(sum(r.money), 0) from borrowinfo as r "
    "where substr(r.borrowid, 1, 12) = +t.cdid and %2) as money, "
    "a.price * a.count as charge "
    "from titles as t join cdinfo as a on a.cdid = t.cdid "
    "where t.outcount > 0 and t.outcount >= coalesce((select outcount from last), 1) "
    "order by t.outcount desc, money desc, a.cdid "
    "limit ?1";
}  // namespace

namespace HotCDRows {
ReportLines Read(Connection& conn) {
    const QString sql =
        QString::fromUtf8(kMostRented)
            .arg(OpenBaskets::NotInRentalBasket("b"), OpenBaskets::NotInRentalBasket("r"));
    Recordset titles;
    titles.Open(sql, conn, adLockReadOnly, {kTop});
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
