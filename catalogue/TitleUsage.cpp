#include "catalogue/TitleUsage.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"

namespace {
// Rental lines not all returned (the yearly summary row aside), lines of the open rental
// basket, lines of the open sale basket. A closed basket binds Null, which matches nothing.
const char* const kOpenLines =
    "(exists (select 1 from borrowinfo as b "
    "where substr(b.borrowid,1,12) = cdinfo.cdid "
    "and ((b.isreturnall = 0 and coalesce(b.name,'') <> '汇总') "
    "or substr(b.borrowid,-4) = ?)) "
    "or exists (select 1 from sellinfo as s "
    "where substr(s.sellid,1,12) = cdinfo.cdid and substr(s.sellid,-4) = ?))";
const char* const kCountTitles = "select count(*) from cdinfo where ";
}  // namespace

QString TitleUsage::OpenLinesCondition() {
    return QString::fromUtf8(kOpenLines);
}

Params TitleUsage::OpenLinesParams() {
    return {OpenBaskets::RentalNo(), OpenBaskets::SaleNo()};
}

int TitleUsage::CountWithOpenLines(const QString& where, const Params& params) {
    QString sql = QString::fromUtf8(kCountTitles);
    if (!where.trimmed().isEmpty()) sql += QStringLiteral("(") + where + QStringLiteral(") and ");
    sql += OpenLinesCondition();
    Params all = params;
    for (const Value& v : OpenLinesParams()) all.push_back(v);
    return static_cast<int>(gConn.Scalar(sql, all).ToInt());
}

bool TitleUsage::HasOpenLines(const QString& where, const Params& params) {
    return CountWithOpenLines(where, params) > 0;
}

bool TitleUsage::TitleHasOpenLines(const QString& cdid) {
    return HasOpenLines(QStringLiteral("cdid = ?"), {cdid});
}
