#include "catalogue/TitleUsage.h"

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"

namespace {
// Rental lines not all returned (the yearly summary row aside), lines of an open rental
// basket (%1), lines of an open sale basket (%2).
const char* const kOpenLines =
    "(exists (select 1 from borrowinfo as b "
    "where substr(b.borrowid,1,12) = cdinfo.cdid "
    "and ((b.isreturnall = 0 and coalesce(b.name,'') <> '汇总') or %1)) "
    "or exists (select 1 from sellinfo as s "
    "where substr(s.sellid,1,12) = cdinfo.cdid and %2))";
const char* const kCountTitles = "select count(*) from cdinfo where ";
}  // namespace

QString TitleUsage::OpenLinesCondition() {
    return QString::fromUtf8(kOpenLines)
        .arg(OpenBaskets::IsOpenRentalNo("substr(b.borrowid,-4)"),
             OpenBaskets::IsOpenSaleNo("substr(s.sellid,-4)"));
}

int TitleUsage::CountWithOpenLines(const QString& where, const Params& params) {
    QString sql = QString::fromUtf8(kCountTitles);
    if (!where.trimmed().isEmpty()) sql += QStringLiteral("(") + where + QStringLiteral(") and ");
    sql += OpenLinesCondition();
    return static_cast<int>(gConn.Scalar(sql, params).ToInt());
}

bool TitleUsage::HasOpenLines(const QString& where, const Params& params) {
    return CountWithOpenLines(where, params) > 0;
}

bool TitleUsage::TitleHasOpenLines(const QString& cdid) {
    return HasOpenLines(QStringLiteral("cdid = ?"), {cdid});
}
