#include "core/YearFold.h"
#include "tests/core/YearFoldFixture.h"

namespace {
class YearFoldTest : public YearFoldFixture {
  protected:
    YearFold::Folded Fold(const QDate& today) { return YearFold(gConn).Run(today); }
    bool IsDue(const QDate& today) { return YearFold(gConn).IsDue(today); }
};
}  // namespace

TEST_F(YearFoldTest, DueOnlyWhenTheYearTwoBackHasRentalsAndNoSummary) {
    const QDate today(2026, 3, 1);
    EXPECT_FALSE(IsDue(today)) << "no rentals at all";
    Rental("0101000000010001", "000001", "2023-05-01 10:00:00", 5);
    EXPECT_FALSE(IsDue(today)) << "only three years back";
    Rental("0101000000010002", "000001", "2024-12-31 23:59:59", 5);
    EXPECT_TRUE(IsDue(today));
    Fold(today);
    EXPECT_FALSE(IsDue(today)) << "the summary row shows the fold is done";
    EXPECT_FALSE(IsDue(QDate(2027, 1, 1))) << "nothing of 2025";
    Rental("0101000000010003", "000001", "2025-01-01 00:00:00", 5);
    EXPECT_TRUE(IsDue(QDate(2027, 1, 1))) << "the summary row is of 2024";
}

TEST_F(YearFoldTest, FoldAddsCountersDeletesOldRowsAndLeavesOneSummaryPerTable) {
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5, 20);
    Rental("0101000000010002", "20240502001", "2024-05-02 10:00:00", 3);  // walk-in
    Rental("0101000000020003", "000001", "2023-01-02 10:00:00", 4);
    Rental("0101000000010004", "000001", "2025-01-02 10:00:00", 7);  // stays
    ReturnOf("0101000000010001", "0001");
    ReturnOf("0101000000010004", "0002");
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Sale("0101000000020002", "20240701001", "2024-07-01 11:00:00", 25);
    Sale("0101000000010003", "000001", "2026-01-01 11:00:00", 40);  // stays

    const YearFold::Folded folded = Fold(QDate(2026, 3, 1));
    EXPECT_EQ(folded.rentals, 3);
    EXPECT_EQ(folded.returns, 1);
    EXPECT_EQ(folded.sales, 2);

    // Members: two rentals (5 + 4) and one sale (30); the walk-in counts for nobody.
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney||'/'||sellcount||'/'||sellmoney "
                     "from userinfo"),
              "2/9.0/1/30.0");
    // Discs: title 1 had rentals 0001 and 0002 (5 + 3) and sale 0001; title 2 one of each.
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowearn||'/'||sellcount||'/'||sellearn "
                     "from cdinfo where cdid='010100000001'"),
              "2/8.0/1/30.0");
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowearn||'/'||sellcount||'/'||sellearn "
                     "from cdinfo where cdid='010100000002'"),
              "1/4.0/1/25.0");
    // Old rows gone with their return rows; the summary rows hold the sums.
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"),
              "0000000000000000,0101000000010004");
    EXPECT_EQ(Query1("select group_concat(returnid) from returninfo"), "01010000000100040002");
    EXPECT_EQ(Query1("select name||'/'||borrowdate||'/'||money||'/'||foregift||'/'||isreturnall "
                     "from borrowinfo where borrowid='0000000000000000'"),
              "汇总/2024-03-01 00:00:00/12.0/20.0/1");
    EXPECT_EQ(Query1("select name||'/'||money from sellinfo where sellid='0000000000000000'"),
              "汇总/55.0");
    EXPECT_EQ(Query1("select count(*) from sellinfo"), "2");
}

TEST_F(YearFoldTest, NextYearsFoldTakesTheEarlierSummaryIn) {
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Rental("0101000000010002", "000001", "2025-05-01 10:00:00", 6);
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Fold(QDate(2026, 3, 1));
    Fold(QDate(2027, 2, 1));
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select name||'/'||borrowdate||'/'||money from borrowinfo"),
              "汇总/2025-02-01 00:00:00/11.0");
    EXPECT_EQ(Query1("select name||'/'||money from sellinfo"), "汇总/30.0");
    // Every real rental counted exactly once; the summary rows count for nobody.
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney from userinfo"), "2/11.0");
    EXPECT_EQ(Query1("select borrowcount from cdinfo where cdid='010100000001'"), "2");
}

TEST_F(YearFoldTest, TheDatesComeFromTheDayGiven) {
    EXPECT_EQ(YearFold::CutOff(QDate(2026, 3, 1)), "2025-01-01");
    EXPECT_EQ(YearFold::SummaryDate(QDate(2026, 3, 1)), "2024-03-01 00:00:00");
    // Minus 730 days is 2024-01-01 across the leap day: the summary stays in 2023.
    EXPECT_EQ(YearFold::SummaryDate(QDate(2025, 12, 31)), "2023-12-31 00:00:00");
    Rental("0101000000010001", "000001", "2023-05-01 10:00:00", 5);
    Fold(QDate(2025, 12, 31));
    EXPECT_EQ(Query1("select borrowdate from borrowinfo"), "2023-12-31 00:00:00");
}

TEST_F(YearFoldTest, NullMoneyCountsAsZero) {
    Sql("insert into borrowinfo (borrowid,name,borrowdate,borrowcount,money,isreturnall) "
        "values ('0101000000010001','000001','2024-05-01 10:00:00',1,null,1)");
    Fold(QDate(2026, 3, 1));
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney from userinfo"), "1/0.0");
    EXPECT_EQ(Query1("select money from borrowinfo"), "0.0");
}

TEST_F(YearFoldTest, AnErrorInTheMiddleLeavesTheDatabaseAsItWas) {
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    ReturnOf("0101000000010001", "0001");
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Sql("create trigger fail_fold before delete on sellinfo "
        "begin select raise(abort, 'disk trouble'); end");
    EXPECT_THROW(Fold(QDate(2026, 3, 1)), DbError);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(Query1("select borrowcount||'/'||sellcount from userinfo"), "0/0");
    EXPECT_EQ(Query1("select borrowcount from cdinfo where cdid='010100000001'"), "0");
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select count(*) from returninfo"), "1");
    EXPECT_EQ(Query1("select count(*) from sellinfo"), "1");

    // Nothing of the failed attempt stays on the connection: the fold runs again.
    Sql("drop trigger fail_fold");
    const YearFold::Folded folded = Fold(QDate(2026, 3, 1));
    EXPECT_EQ(folded.rentals, 1);
    EXPECT_EQ(folded.returns, 1);
    EXPECT_EQ(folded.sales, 1);
    EXPECT_EQ(Query1("select borrowcount||'/'||sellcount from userinfo"), "1/1");
}

// Every return row of a folded rental goes with it, and only those: the rows of a rental
// kept (recent, or old and still out) stay, even on the same title.
TEST_F(YearFoldTest, AFoldedRentalTakesAllItsReturnRowsAndNoOthers) {
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Rental("0101000000010002", "000001", "2024-06-01 10:00:00", 6);
    Rental("0101000000010003", "000001", "2025-06-01 10:00:00", 7);  // recent
    Data().Add(ShopData::Rental("010100000001", "0004")
                   .By("000001")
                   .On("2024-07-01 10:00:00")
                   .Money(8, 30)
                   .Set("borrowcount", 2)
                   .Set("borrowlst", "&1#&2#"));  // old, one copy still out
    for (const char* no : {"0001", "0002", "0003"}) ReturnOf("0101000000010001", no);
    ReturnOf("0101000000010002", "0004");
    ReturnOf("0101000000010003", "0005");
    ReturnOf("0101000000010004", "0006");

    const YearFold::Folded folded = Fold(QDate(2026, 3, 1));
    EXPECT_EQ(folded.rentals, 2);
    EXPECT_EQ(folded.returns, 4);
    EXPECT_EQ(Query1("select group_concat(returnid) from (select returnid from returninfo "
                     "order by returnid)"),
              "01010000000100030005,01010000000100040006");
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowearn from cdinfo where cdid='010100000001'"),
              "2/11.0");
    // The fold's working table is gone with its transaction.
    EXPECT_EQ(gConn.Scalar("select count(*) from temp.sqlite_master").ToInt(), 0);
}

// A rental still out is the record of copies a customer holds and of the deposit owed back:
// however old, it stays with its return rows and counts nowhere until it is returned.
TEST_F(YearFoldTest, ARentalStillOutIsNotFolded) {
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Data().Add(ShopData::Rental("010100000002", "0002")
                   .By("000001")
                   .On("2023-04-01 10:00:00")
                   .Money(6, 30)
                   .Set("borrowcount", 2)
                   .Set("borrowlst", "&1#&2#"));
    ReturnOf("0101000000020002", "0003");  // one of its two copies came back

    const YearFold::Folded folded = Fold(QDate(2026, 3, 1));
    EXPECT_EQ(folded.rentals, 1);
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo order by borrowid"),
              "0000000000000000,0101000000020002");
    EXPECT_EQ(Query1("select group_concat(returnid) from returninfo"), "01010000000200020003");
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney from userinfo"), "1/5.0");
    EXPECT_EQ(
        Query1("select money||'/'||foregift from borrowinfo where borrowid='0000000000000000'"),
        "5.0/0.0");
}
