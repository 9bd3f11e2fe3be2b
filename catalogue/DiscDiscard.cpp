#include "catalogue/DiscDiscard.h"

#include "catalogue/TitleUsage.h"

namespace {
// Binds the cdid as ?1.
QString TitleInUse() {
    return QStringLiteral("select 1 from cdinfo where cdid = ?1 and ") +
           TitleUsage::OpenLinesCondition();
}
const char* const kDeleteRentalsOf = "delete from borrowinfo where substr(borrowid,1,12) = ?1";
const char* const kDeleteReturnsOf = "delete from returninfo where substr(returnid,1,12) = ?1";
const char* const kDeleteTitle = "delete from cdinfo where cdid = ?1";

// The bad titles that may go.
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

bool DiscDiscard::Discard(Connection& conn, const QString& cdid) {
    Transaction t(conn);
    if (!conn.Scalar(TitleInUse(), {cdid}).IsNull()) return false;
    conn.Execute(kDeleteRentalsOf, {cdid});
    conn.Execute(kDeleteReturnsOf, {cdid});
    conn.Execute(kDeleteTitle, {cdid});
    t.Commit();
    return true;
}

int DiscDiscard::ClearBadDiscs(Connection& conn) {
    Transaction t(conn);
    conn.Execute(DeleteRentalsOfRemovable());
    conn.Execute(DeleteReturnsOfRemovable());
    conn.Execute(DeleteRemovable());
    const int kept = static_cast<int>(conn.Scalar(kBadTitlesLeft).ToInt());
    t.Commit();
    return kept;
}
