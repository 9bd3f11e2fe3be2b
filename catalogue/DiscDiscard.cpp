#include "catalogue/DiscDiscard.h"

#include "catalogue/TitleUsage.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kDeleteRentalsOf = "delete from borrowinfo where substr(borrowid,1,12) = ?1";
const char* const kDeleteReturnsOf = "delete from returninfo where substr(returnid,1,12) = ?1";

// The bad titles that may go; binds TitleUsage::OpenLinesParams().
QString RemovableBadTitles() {
    return QStringLiteral("select cdid from cdinfo where isabandon <> 0 and not ") +
           TitleUsage::OpenLinesCondition();
}
// The history goes before the titles: the statements find the titles through cdinfo.
QString DeleteRentalsOfRemovable() {
    return QStringLiteral("delete from borrowinfo where substr(borrowid,1,12) in (%1)")
        .arg(RemovableBadTitles());
}
QString DeleteReturnsOfRemovable() {
    return QStringLiteral("delete from returninfo where substr(returnid,1,12) in (%1)")
        .arg(RemovableBadTitles());
}
QString DeleteRemovable() {
    return QStringLiteral("delete from cdinfo where cdid in (%1)").arg(RemovableBadTitles());
}
const char* const kBadTitlesLeft = "select count(*) from cdinfo where isabandon <> 0";
}  // namespace

bool DiscDiscard::DiscardCurrent(Connection& conn, Recordset& catalogue) {
    const QString cdid = catalogue.Fields("cdid").OriginalValue().ToString();
    if (TitleUsage::TitleHasOpenLines(cdid)) return false;
    Transaction t(conn);
    conn.Execute(kDeleteRentalsOf, {cdid});
    conn.Execute(kDeleteReturnsOf, {cdid});
    catalogue.CancelUpdate();
    catalogue.Delete();
    t.Commit();
    return true;
}

int DiscDiscard::ClearBadDiscs(Connection& conn) {
    const Params openSale = TitleUsage::OpenLinesParams();
    Transaction t(conn);
    conn.Execute(DeleteRentalsOfRemovable(), openSale);
    conn.Execute(DeleteReturnsOfRemovable(), openSale);
    conn.Execute(DeleteRemovable(), openSale);
    const int kept = static_cast<int>(conn.Scalar(kBadTitlesLeft).ToInt());
    t.Commit();
    return kept;
}
