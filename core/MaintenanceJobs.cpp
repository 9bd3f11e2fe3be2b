#include "core/frmWait.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/ui/MsgBox.h"

// ---- The monthly membership fee ----------------------------------------------------

namespace {
const char* const kFirstSettingsRow = "select tax from pricepercent order by id limit 1";
const char* const kAnyUnpaidMember = "select 1 from userinfo where ispay = 0 limit 1";
const char* const kNullTaxToZero = "update userinfo set [tax] = 0 where tax is null";
const char* const kNullMoneyToZero = "update userinfo set [money] = 0 where money is null";
const char* const kChargeFee =
    "update userinfo set [money] = [money] - ?1, [tax] = [tax] + ?1, ispay = 1 where ispay = 0";
const char* const kRearmFee = "update userinfo set ispay = 0";
}  // namespace

void ProcessMonthTax() {
    if (Today().day() > 15) {
        gConn.Execute(kRearmFee);
        return;
    }
    const double fee = gConn.Scalar(kFirstSettingsRow).ToDouble();
    if (gConn.Scalar(kAnyUnpaidMember).IsNull()) return;
    if (MsgBox(QStringLiteral("要处理本月的会费缴纳吗？"), vbYesNo + vbQuestion,
               QStringLiteral("缴纳会费")) != vbYes)
        return;
    Transaction t(gConn);
    gConn.Execute(kNullTaxToZero);
    gConn.Execute(kNullMoneyToZero);
    gConn.Execute(kChargeFee, {fee});
    t.Commit();
}

// ---- The yearly fold of two-year-old rentals and sales -------------------------------
//
// Rows dated two calendar years ago or earlier are added to the history counters of
// their member and disc, summed into one summary row per table (named '汇总'), and
// deleted with their return rows. An earlier summary row is itself folded into the new
// one, so each table keeps exactly one summary row. The whole fold is one transaction.

namespace {
const char* const kSummaryName = "汇总";
const char* const kSummaryKey = "0000000000000000";

// Dates are stored as 'yyyy-mm-dd hh:mm:ss' texts, so a year is a range of texts: the
// date index then serves the fold's statements.
const char* const kAnyRentalOfYear =
    "select 1 from borrowinfo where borrowdate >= ?1 and borrowdate < ?2 limit 1";
const char* const kSummaryOfYear =
    "select 1 from borrowinfo where name = ?3 and borrowdate >= ?1 and borrowdate < ?2 limit 1";

const char* const kAddRentalsToMembers =
    "update userinfo set borrowcount = coalesce(userinfo.borrowcount,0) + g.n, "
    "borrowmoney = coalesce(userinfo.borrowmoney,0) + g.m "
    "from (select name, count(*) as n, total(money) as m from borrowinfo "
    "      where borrowdate < ?1 group by name) as g "
    "where userinfo.userid = g.name";
const char* const kAddRentalsToTitles =
    "update cdinfo set borrowcount = coalesce(cdinfo.borrowcount,0) + g.n, "
    "borrowearn = coalesce(cdinfo.borrowearn,0) + g.m "
    "from (select substr(borrowid,1,12) as cdid, count(*) as n, total(money) as m from borrowinfo "
    "      where borrowdate < ?1 group by substr(borrowid,1,12)) as g "
    "where cdinfo.cdid = g.cdid";
const char* const kRentalSums =
    "select total(money), total(foregift) from borrowinfo where borrowdate < ?1";
const char* const kDeleteReturnsOfOldRentals =
    "delete from returninfo where substr(returnid,1,16) in "
    "(select borrowid from borrowinfo where borrowdate < ?1)";
const char* const kDeleteOldRentals = "delete from borrowinfo where borrowdate < ?1";
const char* const kInsertRentalSummary =
    "insert into borrowinfo (borrowid, name, borrowdate, money, borrowcount, borrowlst, "
    "isnotpaylst, CredenceType, foregift, Guaranty, IsReturnGuaranty, isreturnall, remark) "
    "values (?1, ?2, ?3, ?4, 0, ' ', '', '现金', ?5, ' ', 1, 1, ' ')";

const char* const kAddSalesToMembers =
    "update userinfo set sellcount = coalesce(userinfo.sellcount,0) + g.n, "
    "sellmoney = coalesce(userinfo.sellmoney,0) + g.m "
    "from (select name, count(*) as n, total(money) as m from sellinfo "
    "      where selldate < ?1 group by name) as g "
    "where userinfo.userid = g.name";
const char* const kAddSalesToTitles =
    "update cdinfo set sellcount = coalesce(cdinfo.sellcount,0) + g.n, "
    "sellearn = coalesce(cdinfo.sellearn,0) + g.m "
    "from (select substr(sellid,1,12) as cdid, count(*) as n, total(money) as m from sellinfo "
    "      where selldate < ?1 group by substr(sellid,1,12)) as g "
    "where cdinfo.cdid = g.cdid";
const char* const kSaleSum = "select total(money) from sellinfo where selldate < ?1";
const char* const kDeleteOldSales = "delete from sellinfo where selldate < ?1";
const char* const kInsertSaleSummary =
    "insert into sellinfo (sellid, name, selldate, money, sellcount, selllst, remark) "
    "values (?1, ?2, ?3, ?4, 0, ' ', ' ')";

// Today minus 730 days, kept inside year Y-2 (across a leap day it would fall in Y-1,
// where the next start would not recognise the fold as done).
QString SummaryDate(const QDate& today) {
    QDate d = today.addDays(-730);
    const QDate lastOfFoldYear(today.year() - 2, 12, 31);
    if (d > lastOfFoldYear) d = lastOfFoldYear;
    return d.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
}

QString FirstDayOf(int year) { return QString("%1-01-01").arg(year, 4, 10, QChar('0')); }

// This year's fold is due when the year two back has rentals and no summary row yet.
bool FoldIsDue(int year) {
    const QString from = FirstDayOf(year - 2);
    const QString to = FirstDayOf(year - 1);
    if (gConn.Scalar(kAnyRentalOfYear, {from, to}).IsNull()) return false;
    return gConn.Scalar(kSummaryOfYear, {from, to, kSummaryName}).IsNull();
}

// Rows dated before `before` (the first day of last year) are folded.
void FoldRentals(const QString& before, const QString& summaryDate) {
    gConn.Execute(kAddRentalsToMembers, {before});
    gConn.Execute(kAddRentalsToTitles, {before});
    Recordset sums;
    sums.Open(kRentalSums, gConn, adLockReadOnly, {before});
    const Value money = sums.GetValue(0);
    const Value foregift = sums.GetValue(1);
    sums.Close();
    gConn.Execute(kDeleteReturnsOfOldRentals, {before});
    gConn.Execute(kDeleteOldRentals, {before});
    gConn.Execute(kInsertRentalSummary, {kSummaryKey, kSummaryName, summaryDate, money, foregift});
}

void FoldSales(const QString& before, const QString& summaryDate) {
    gConn.Execute(kAddSalesToMembers, {before});
    gConn.Execute(kAddSalesToTitles, {before});
    const Value money = gConn.Scalar(kSaleSum, {before});
    gConn.Execute(kDeleteOldSales, {before});
    gConn.Execute(kInsertSaleSummary, {kSummaryKey, kSummaryName, summaryDate, money});
}
}  // namespace

void SumOldRecords() {
    const QDate today = Today();
    const int year = today.year();
    if (!FoldIsDue(year)) return;
    if (MsgBox(QStringLiteral("要对一年以前的数据进行汇总吗？"), vbYesNo + vbQuestion,
               QStringLiteral("汇总")) != vbYes)
        return;

    frmWait::instance().Show();
    DoEvents();
    try {
        const QString summaryDate = SummaryDate(today);
        const QString before = FirstDayOf(year - 1);
        Transaction t(gConn);
        FoldRentals(before, summaryDate);
        FoldSales(before, summaryDate);
        t.Commit();
    } catch (const DbError& e) {
        frmWait::unload();
        MsgBox(e.Description(), vbOKOnly);
        return;
    }
    frmWait::unload();
}
