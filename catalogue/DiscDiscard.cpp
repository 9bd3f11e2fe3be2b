#include "catalogue/DiscDiscard.h"

#include "catalogue/TitleUsage.h"

namespace {
// Binds the cdid as ?1 and TitleUsage::OpenLinesParams() after it.
QString TitleInUse() {
    return QStringLiteral("select 1 from cdinfo where cdid = ?1 and ") +
           TitleUsage::OpenLinesCondition();
}
const char* const kDeleteRentalsOf = "delete from borrowinfo where substr(borrowid,1,12) = ?1";
const char* const kDeleteReturnsOf = "delete from returninfo where substr(returnid,1,12) = ?1";
const char* const kDeleteTitle = "delete from cdinfo where cdid = ?1";

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

bool DiscDiscard::Discard(Connection& conn, const QString& cdid) {
    Params inUse{cdid};
    for (const Value& v : TitleUsage::OpenLinesParams()) inUse.push_back(v);
    Transaction t(conn);
    if (!conn.Scalar(TitleInUse(), inUse).IsNull()) return false;
    conn.Execute(kDeleteRentalsOf, {cdid});
    conn.Execute(kDeleteReturnsOf, {cdid});
    conn.Execute(kDeleteTitle, {cdid});
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
