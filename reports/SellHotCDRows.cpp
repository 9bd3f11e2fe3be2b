#include "reports/SellHotCDRows.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "printout/ReportText.h"
#include "reports/ReportTimes.h"

namespace {
// The sale lines' money summed by title, the most first, then the disc id, so that titles
// of equal sums always come in the same order and the list never runs past ?1 rows. The
// lines of the baskets still open at the counter are no sale yet: %1 leaves them out, and a
// title sold only there is not listed.
const char* const kBestSelling =
    "select a.cdid as cdid, a.name as moviename, a.buydate as buydate, b.money as money, "
    "a.price * a.count as charge "
    "from cdinfo as a "
    "join (select substr(sellid, 1, 12) as cdid, coalesce(sum(money), 0) as money "
    "from sellinfo where %1 group by substr(sellid, 1, 12)) as b on a.cdid = b.cdid "
    "order by b.money desc, a.cdid "
    "limit ?1";
}  // namespace

namespace SellHotCDRows {
ReportLines Read(Connection& conn) {
    const QString sql =
        QString::fromUtf8(kBestSelling).arg(OpenBaskets::NotInSaleBasket("sellinfo"));
    Recordset titles;
    titles.Open(sql, conn, adLockReadOnly, {kTop});
    ReportLines lines;
    lines.reserve(static_cast<size_t>(titles.RecordCount()));
    for (int i = 1; !titles.AtEOF(); titles.MoveNext(), ++i) {
        lines.push_back({QString::number(i), NullToStr(titles["moviename"]),
                         ReportTimes::WithCentury(ReportTimes::Date(titles["buydate"])),
                         ReportText::Money(titles["money"]), ReportText::Money(titles["charge"])});
    }
    return lines;
}
}  // namespace SellHotCDRows
