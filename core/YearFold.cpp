#include "core/YearFold.h"

#include "platform/db/Recordset.h"

namespace {
const char* const kSummaryName = "汇总";
const char* const kSummaryKey = "0000000000000000";

// Dates are stored as 'yyyy-mm-dd hh:mm:ss' texts, so a year is a range of texts: the
// date index then serves the fold's statements.
const char* const kAnyRentalOfYear =
    "select 1 from borrowinfo where borrowdate >= ?1 and borrowdate < ?2 limit 1";
const char* const kSummaryOfYear =
    "select 1 from borrowinfo where name = ?3 and borrowdate >= ?1 and borrowdate < ?2 limit 1";

// Only rentals returned whole are folded: a line still out is the shop's record of the
// copies a customer holds and of the deposit it owes back, however old it is; it stays,
// with its return rows, until it is returned and a later fold takes it.
//
// The rental lines to fold are read once, through the date index, into a temporary table
// (in that order, so every sum adds the same amounts in the same order as a walk of the
// index would); the sums per member and per title, the totals of the summary row and both
// deletions then read that table instead of walking the date range again each. Its
// columns keep the values as stored (no type); name keeps its case-blind comparison, so
// members are grouped as in borrowinfo. The return rows are found through their rental's
// key (the borrowid index, in key order) instead of testing every return row of the shop.
const char* const kCreateFoldedRentals =
    "create temp table fold_rentals (rid, borrowid, name collate nocase, money, foregift)";
const char* const kCollectFoldedRentals =
    "insert into temp.fold_rentals (rid, borrowid, name, money, foregift) "
    "select rowid, borrowid, name, money, foregift from borrowinfo "
    "where borrowdate < ?1 and isreturnall <> 0";
const char* const kDropFoldedRentals = "drop table temp.fold_rentals";

const char* const kAddRentalsToMembers =
    "update userinfo set borrowcount = coalesce(userinfo.borrowcount,0) + g.n, "
    "borrowmoney = coalesce(userinfo.borrowmoney,0) + g.m "
    "from (select name, count(*) as n, total(money) as m from temp.fold_rentals "
    "      group by name) as g "
    "where userinfo.userid = g.name";
const char* const kAddRentalsToTitles =
    "update cdinfo set borrowcount = coalesce(cdinfo.borrowcount,0) + g.n, "
    "borrowearn = coalesce(cdinfo.borrowearn,0) + g.m "
    "from (select substr(borrowid,1,12) as cdid, count(*) as n, total(money) as m "
    "      from temp.fold_rentals group by substr(borrowid,1,12)) as g "
    "where cdinfo.cdid = g.cdid";
const char* const kRentalSums = "select total(money), total(foregift) from temp.fold_rentals";
const char* const kDeleteReturnsOfOldRentals =
    "delete from returninfo where substr(returnid,1,16) in "
    "(select borrowid from temp.fold_rentals)";
const char* const kDeleteOldRentals =
    "delete from borrowinfo where rowid in (select rid from temp.fold_rentals)";
const char* const kInsertRentalSummary =
    "insert into borrowinfo (borrowid, name, borrowdate, money, borrowcount, borrowlst, "
    "isnotpaylst, CredenceType, foregift, Guaranty, IsReturnGuaranty, isreturnall, remark) "
    "values (?1, ?2, ?3, ?4, 0, ' ', '', '现金', ?5, ' ', 1, 1, ' ')";

const char* const kAddSalesToMembers =
    "update userinfo set sellcount = coalesce(userinfo.sellcount,0) + g.n, "
    "sellmoney = coalesce(userinfo.sellmoney,0) + g.m "
    "from (with old as materialized (select name, money from sellinfo where selldate < ?1) "
    "      select name, count(*) as n, total(money) as m from old group by name) as g "
    "where userinfo.userid = g.name";
const char* const kAddSalesToTitles =
    "update cdinfo set sellcount = coalesce(cdinfo.sellcount,0) + g.n, "
    "sellearn = coalesce(cdinfo.sellearn,0) + g.m "
    "from (with old as materialized (select sellid, money from sellinfo where selldate < ?1) "
    "      select substr(sellid,1,12) as cdid, count(*) as n, total(money) as m from old "
    "      group by substr(sellid,1,12)) as g "
    "where cdinfo.cdid = g.cdid";
const char* const kSaleSum = "select total(money) from sellinfo where selldate < ?1";
const char* const kDeleteOldSales = "delete from sellinfo where selldate < ?1";
const char* const kInsertSaleSummary =
    "insert into sellinfo (sellid, name, selldate, money, sellcount, selllst, remark) "
    "values (?1, ?2, ?3, ?4, 0, ' ', ' ')";

QString FirstDayOf(int year) {
    return QString("%1-01-01").arg(year, 4, 10, QChar('0'));
}
}  // namespace

QString YearFold::CutOff(const QDate& today) {
    return FirstDayOf(today.year() - 1);
}

// Today minus 730 days, kept inside year Y-2 (across a leap day it would fall in Y-1,
// where the next start would not recognise the fold as done).
QString YearFold::SummaryDate(const QDate& today) {
    QDate d = today.addDays(-730);
    const QDate lastOfFoldYear(today.year() - 2, 12, 31);
    if (d > lastOfFoldYear) d = lastOfFoldYear;
    return d.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
}

bool YearFold::IsDue(const QDate& today) {
    const QString from = FirstDayOf(today.year() - 2);
    const QString to = FirstDayOf(today.year() - 1);
    if (conn_.Scalar(kAnyRentalOfYear, {from, to}).IsNull()) return false;
    return conn_.Scalar(kSummaryOfYear, {from, to, kSummaryName}).IsNull();
}

YearFold::Folded YearFold::Run(const QDate& today) {
    const QString before = CutOff(today);
    const QString summaryDate = SummaryDate(today);
    Folded folded;
    Transaction t(conn_);
    FoldRentals(before, summaryDate, folded);
    FoldSales(before, summaryDate, folded);
    t.Commit();
    return folded;
}

void YearFold::FoldRentals(const QString& before, const QString& summaryDate, Folded& folded) {
    conn_.Execute(kCreateFoldedRentals);
    conn_.Execute(kCollectFoldedRentals, {before});
    conn_.Execute(kAddRentalsToMembers);
    conn_.Execute(kAddRentalsToTitles);
    Recordset sums;
    sums.Open(kRentalSums, conn_, adLockReadOnly);
    const Value money = sums.GetValue(0);
    const Value foregift = sums.GetValue(1);
    sums.Close();
    folded.returns = conn_.Execute(kDeleteReturnsOfOldRentals);
    folded.rentals = conn_.Execute(kDeleteOldRentals);
    conn_.Execute(kDropFoldedRentals);
    conn_.Execute(kInsertRentalSummary, {kSummaryKey, kSummaryName, summaryDate, money, foregift});
}

void YearFold::FoldSales(const QString& before, const QString& summaryDate, Folded& folded) {
    conn_.Execute(kAddSalesToMembers, {before});
    conn_.Execute(kAddSalesToTitles, {before});
    const Value money = conn_.Scalar(kSaleSum, {before});
    folded.sales = conn_.Execute(kDeleteOldSales, {before});
    conn_.Execute(kInsertSaleSummary, {kSummaryKey, kSummaryName, summaryDate, money});
}
