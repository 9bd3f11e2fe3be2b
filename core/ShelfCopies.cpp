#include "core/ShelfCopies.h"

#include "core/CopyList.h"
#include "platform/db/Recordset.h"
#include "platform/db/Statement.h"

namespace {
// Every rental line of the title, in rental-number order, with its return rows summed up:
// how many there are, the copies they took back and their copy lists. The unary + keeps
// the column's text affinity off the comparison, so the return rows are found through the
// index on substr(returnid,1,16) instead of a scan of every return row.
const char* const kRentalLines =
    "select a.borrowdate as borrowdate, a.borrowcount as borrowcount, "
    "       a.borrowlst as borrowlst, count(r.returnid) as returns, "
    "       total(r.returncount) as returned, group_concat(r.returnlst, '') as returnlst "
    "from borrowinfo as a "
    "left join returninfo as r on substr(r.returnid,1,16) = +a.borrowid "
    "where substr(a.borrowid,1,12) = ?1 "
    "group by a.borrowid order by a.borrowid";

const char* const kTitle = "select coalesce(count,0) from cdinfo where cdid = ?1";

const char* const kSoldLists = "select selllst from sellinfo where substr(sellid,1,12) = ?1";

QString SoldCopies(Connection& conn, const QString& cdid) {
    Recordset rs;
    rs.Open(kSoldLists, conn, adLockReadOnly, {cdid});
    QString out;
    for (; !rs.AtEOF(); rs.MoveNext()) out += rs.GetValue(0).ToString();
    return out;
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
    Recordset lines;
    lines.Open(kRentalLines, conn, adLockReadOnly, {cdid});
    for (; !lines.AtEOF(); lines.MoveNext()) {
        const bool nothingReturned = lines["returns"].ToInt() == 0;
        const bool partlyReturned =
            !nothingReturned && lines["returned"].ToDouble() < lines["borrowcount"].ToDouble();
        if (!nothingReturned && !partlyReturned) continue;
        out.anyLineOut = true;
        Value& date = partlyReturned ? out.partlyReturnedDate : out.unreturnedDate;
        if (date.IsNull()) date = lines["borrowdate"];
        out.copies +=
            CopyList::RemoveAll(lines["borrowlst"].ToString(), lines["returnlst"].ToString());
    }
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
