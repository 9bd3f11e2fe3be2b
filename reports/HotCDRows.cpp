#include "reports/HotCDRows.h"

#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/ReportTimes.h"

namespace {
// The rental lines grouped by title, most lines first, then the most rent (a rent not yet
// received counts 0), then the disc id, so that titles alike on both keys always come in
// the same order and the list never runs past ?1 rows.
const char* const kMostRented =
    "select a.cdid as cdid, a.name as moviename, a.buydate as buydate, "
    "b.outcount as outcount, b.money as money, a.price * a.count as charge "
    "from cdinfo as a "
    "join (select substr(borrowid, 1, 12) as cdid, count(*) as outcount, "
    "coalesce(sum(money), 0) as money "
    "from borrowinfo group by substr(borrowid, 1, 12)) as b on a.cdid = b.cdid "
    "order by b.outcount desc, b.money desc, a.cdid "
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
