#include "core/ShelfCopies.h"

#include "core/CopyList.h"
#include "platform/db/Statement.h"

namespace {
// Every rental line of the title, in rental-number order, with its return rows summed up:
// how many there are and the copies they took back. A title's lines are the ids that begin
// with its cdid, a line's returns those that begin with its borrowid: each lies together in
// the index of its table's keys, which holds the counts as well, so that a title with
// nothing out costs two short reads of an index, whatever the title is marked.
const char* const kRentalLines =
    "select a.borrowid, a.borrowdate, coalesce(a.borrowcount, 0), count(r.returnid), "
    "       total(r.returncount) "
    "from borrowinfo as a "
    "left join returninfo as r "
    "  on r.returnid >= a.borrowid and r.returnid < a.borrowid || char(1114111) "
    "where a.borrowid >= ?1 and a.borrowid < ?1 || char(1114111) "
    "group by a.borrowid order by a.borrowid";
enum { kLineId, kLineDate, kLineCount, kLineReturns, kLineReturned };

// The copies a line lent, and those its return rows took back. The unary + keeps the
// column's text affinity off the comparison, so the return rows are found through the index
// on substr(returnid,1,16).
const char* const kLineCopies =
    "select coalesce(a.borrowlst, ''), "
    "       (select coalesce(group_concat(r.returnlst, ''), '') from returninfo as r "
    "        where substr(r.returnid,1,16) = +a.borrowid) "
    "from borrowinfo as a where a.borrowid = ?1";

const char* const kTitle = "select coalesce(count,0) from cdinfo where cdid = ?1";

const char* const kSoldLists = "select selllst from sellinfo where substr(sellid,1,12) = ?1";

QString SoldCopies(Connection& conn, const QString& cdid) {
    Statement lists(conn, kSoldLists);
    lists.Bind({cdid});
    QString out;
    while (lists.Step()) out += lists.Column(0).ToString();
    return out;
}

// The copies of a line that are not back yet.
QString LineCopiesOut(Connection& conn, const Value& borrowid) {
    Statement line(conn, kLineCopies);
    line.Bind({borrowid});
    if (!line.Step()) return QString();
    return CopyList::RemoveAll(line.Column(0).ToString(), line.Column(1).ToString());
}

// The copies still out on the title's rental lines, and the date the counter shows.
struct OutCopies {
    QString copies;
    Value partlyReturnedDate;
    Value unreturnedDate;
    bool anyLineOut = false;
};

OutCopies CopiesOut(Connection& conn, const QString& cdid) {
    OutCopies out;
    std::vector<Value> linesOut;
    {
        Statement lines(conn, kRentalLines);
        lines.Bind({cdid});
        while (lines.Step()) {
            const bool nothingReturned = lines.Column(kLineReturns).ToInt() == 0;
            const bool partlyReturned =
                !nothingReturned && lines.Double(kLineReturned) < lines.Double(kLineCount);
            if (!nothingReturned && !partlyReturned) continue;
            out.anyLineOut = true;
            Value& date = partlyReturned ? out.partlyReturnedDate : out.unreturnedDate;
            if (date.IsNull()) date = lines.Column(kLineDate);
            linesOut.push_back(lines.Column(kLineId));
        }
    }
    for (const Value& borrowid : linesOut) out.copies += LineCopiesOut(conn, borrowid);
    return out;
}
}  // namespace

ShelfCopies ShelfCopies::Of(Connection& conn, const QString& cdid, int count) {
    ShelfCopies result;
    std::vector<int> all;
    for (int n = 1; n <= count; ++n) all.push_back(n);
    QString shelf = CopyList::Of(all);

    const OutCopies out = CopiesOut(conn, cdid);
    result.OutDate = out.partlyReturnedDate.IsNull() ? out.unreturnedDate : out.partlyReturnedDate;
    result.NothingOut = !out.anyLineOut;
    shelf = CopyList::RemoveAll(shelf, out.copies);
    shelf = CopyList::RemoveAll(shelf, SoldCopies(conn, cdid));
    result.Copies = CopyList::Numbers(shelf);
    return result;
}

std::optional<ShelfCopies> ShelfCopies::OfTitle(Connection& conn, const QString& cdid) {
    Statement title(conn, kTitle);
    title.Bind({cdid});
    if (!title.Step()) return std::nullopt;
    return Of(conn, cdid, static_cast<int>(title.Column(0).ToInt()));
}
