#include "core/ShelfCopies.h"

#include "core/CopyList.h"
#include "platform/db/Recordset.h"

namespace {
// Rental lines of the title with some copies returned and some still out.
const char* const kPartlyReturnedLines =
    "select a.borrowdate as borrowdate, a.borrowid as borrowid, a.borrowlst as borrowlst "
    "from borrowinfo as a, "
    "(select substr(returnid,1,16) as borrowid, sum(returncount) as returncount "
    " from returninfo where substr(returnid,1,12) = ?1 group by substr(returnid,1,16)) as b "
    "where a.borrowid = b.borrowid and b.returncount < a.borrowcount "
    "and substr(a.borrowid,1,12) = ?1";

const char* const kReturnListsOfLine =
    "select returnlst from returninfo where substr(returnid,1,16) = ?1";

// Rental lines of the title with nothing returned yet.
const char* const kUnreturnedLines =
    "select borrowdate, borrowlst from borrowinfo "
    "where borrowid not in (select substr(returnid,1,16) from returninfo "
    "                       where substr(returnid,1,12) = ?1) "
    "and substr(borrowid,1,12) = ?1";

const char* const kSoldLists = "select selllst from sellinfo where substr(sellid,1,12) = ?1";

QString ConcatColumn(Connection& conn, const char* sql, const QString& key) {
    Recordset rs;
    rs.Open(sql, conn, adLockReadOnly, {key});
    QString out;
    for (; !rs.AtEOF(); rs.MoveNext()) out += rs.GetValue(0).ToString();
    return out;
}
}  // namespace

ShelfCopies ShelfCopies::Of(Connection& conn, const QString& cdid, int count,
                            const QString& station, int issell) {
    ShelfCopies result;
    std::vector<int> all;
    for (int n = 1; n <= count; ++n) all.push_back(n);
    QString shelf = CopyList::Of(all);

    QString out;
    if (station != QStringLiteral("未借出")) {
        Recordset partly;
        partly.Open(kPartlyReturnedLines, conn, adLockReadOnly, {cdid});
        if (!partly.AtEOF()) {
            result.OutDate = partly["borrowdate"];
            QString returned;
            for (; !partly.AtEOF(); partly.MoveNext()) {
                returned += ConcatColumn(conn, kReturnListsOfLine, partly["borrowid"].ToString());
                out += partly["borrowlst"].ToString();
            }
            out = CopyList::RemoveAll(out, returned);
        } else {
            Recordset unreturned;
            unreturned.Open(kUnreturnedLines, conn, adLockReadOnly, {cdid});
            if (!unreturned.AtEOF()) {
                result.OutDate = unreturned["borrowdate"];
                for (; !unreturned.AtEOF(); unreturned.MoveNext())
                    out += unreturned["borrowlst"].ToString();
            } else {
                result.NothingOut = true;
            }
        }
    }

    if (issell == 1) shelf = CopyList::RemoveAll(shelf, ConcatColumn(conn, kSoldLists, cdid));
    shelf = CopyList::RemoveAll(shelf, out);
    result.Copies = CopyList::Numbers(shelf);
    return result;
}
