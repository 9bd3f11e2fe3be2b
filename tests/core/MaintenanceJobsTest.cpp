#include "core/frmWait.h"
#include "tests/core/CoreTest.h"

namespace {
class MonthTaxTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("update pricepercent set tax = 10;"
            "insert into userinfo (userid, username, money, tax, ispay) values ('000001','a',50,20,0);"
            "insert into userinfo (userid, username, money, tax, ispay) values ('000002','b',null,null,0);"
            "insert into userinfo (userid, username, money, tax, ispay) values ('000003','c',5,0,1)");
    }
};
}  // namespace

TEST_F(MonthTaxTest, FifteenthChargesUnpaidMembersOnceAfterYes) {
    SetToday(2026, 12, 15);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    ProcessMonthTax();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "要处理本月的会费缴纳吗？");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "缴纳会费");
    EXPECT_EQ(Query1("select money||'/'||tax||'/'||ispay from userinfo where userid='000001'"),
              "40.0/30.0/1");
    EXPECT_EQ(Query1("select money||'/'||tax||'/'||ispay from userinfo where userid='000002'"),
              "-10.0/10.0/1");
    EXPECT_EQ(Query1("select money||'/'||tax||'/'||ispay from userinfo where userid='000003'"),
              "5.0/0.0/1");

    ProcessMonthTax();  // the same day again: nobody is unpaid, nothing is asked
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
}

TEST_F(MonthTaxTest, NoLeavesEverythingAndAsksAgainNextStart) {
    SetToday(2026, 12, 1);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    ProcessMonthTax();
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "1");
    EXPECT_EQ(Query1("select money from userinfo where userid='000001'"), "50.0");
    ProcessMonthTax();
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
}

TEST_F(MonthTaxTest, SixteenthRearmsWithoutAQuestion) {
    SetToday(2026, 12, 16);
    ProcessMonthTax();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "0");
    EXPECT_EQ(Query1("select money from userinfo where userid='000001'"), "50.0");
}

TEST_F(MonthTaxTest, MissingSettingsRowChargesNothingButMarksPaid) {
    Sql("delete from pricepercent");
    SetToday(2026, 12, 3);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    ProcessMonthTax();
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "3");
    EXPECT_EQ(Query1("select money from userinfo where userid='000001'"), "50.0");
}

TEST_F(MonthTaxTest, AFailingChargeLeavesNoNullsReplaced) {
    // A trigger stands for any failure of the last statement: the first two must not stay.
    Sql("create trigger fail_charge before update of ispay on userinfo "
        "begin select raise(abort, 'charge failed'); end");
    SetToday(2026, 12, 3);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_THROW(ProcessMonthTax(), DbError);
    EXPECT_EQ(Query1("select quote(money) from userinfo where userid='000002'"), "NULL");
}

namespace {
// Rentals and sales of a shop in 2026, with history back to 2023.
class FoldTest : public CoreTest {
protected:
    void SetUp() override {
        CoreTest::SetUp();
        Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 0);"
            "insert into cdinfo (cdid, name, count) values ('010100000001', '英雄', 2);"
            "insert into cdinfo (cdid, name, count) values ('010100000002', '卧虎', 1)");
    }
    void Rental(const QString& id, const QString& name, const QString& date, double money,
                double foregift = 0) {
        Sql(QString("insert into borrowinfo (borrowid,name,borrowdate,borrowcount,borrowlst,money,"
                    "foregift,isreturnall) values ('%1','%2','%3',1,'&1#',%4,%5,1)")
                .arg(id, name, date).arg(money).arg(foregift));
    }
    void ReturnOf(const QString& borrowid, const QString& no) {
        Sql(QString("insert into returninfo (returnid,returndate,returncount,returnlst) "
                    "values ('%1%2','2024-06-01 10:00:00',1,'&1#')")
                .arg(borrowid, no));
    }
    void Sale(const QString& id, const QString& name, const QString& date, double money) {
        Sql(QString("insert into sellinfo (sellid,name,selldate,sellcount,selllst,money) "
                    "values ('%1','%2','%3',1,'&2#',%4)")
                .arg(id, name, date).arg(money));
    }
    void FoldWithYes() {
        MsgBoxLog::Get().QueueAnswer(vbYes);
        SumOldRecords();
    }
};
}  // namespace

TEST_F(FoldTest, NothingFromTwoYearsAgoMeansNoQuestion) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2023-05-01 10:00:00", 5);
    SumOldRecords();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
}

TEST_F(FoldTest, NoChangesNothingAndAsksAgain) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    SumOldRecords();
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "要对一年以前的数据进行汇总吗？");
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select borrowcount from userinfo"), "0");
    SumOldRecords();
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
}

TEST_F(FoldTest, FoldAddsCountersDeletesOldRowsAndLeavesOneSummaryPerTable) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5, 20);
    Rental("0101000000010002", "20240502001", "2024-05-02 10:00:00", 3);  // walk-in
    Rental("0101000000020003", "000001", "2023-01-02 10:00:00", 4);
    Rental("0101000000010004", "000001", "2025-01-02 10:00:00", 7);  // stays
    ReturnOf("0101000000010001", "0001");
    ReturnOf("0101000000010004", "0002");
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Sale("0101000000020002", "20240701001", "2024-07-01 11:00:00", 25);
    Sale("0101000000010003", "000001", "2026-01-01 11:00:00", 40);  // stays

    FoldWithYes();
    EXPECT_FALSE(frmWait::isLoaded());

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

    // The same year again: the summary row shows the fold is done.
    SumOldRecords();
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
}

TEST_F(FoldTest, NextYearsFoldTakesTheEarlierSummaryIn) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Rental("0101000000010002", "000001", "2025-05-01 10:00:00", 6);
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    FoldWithYes();

    SetToday(2027, 2, 1);
    FoldWithYes();
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select name||'/'||borrowdate||'/'||money from borrowinfo"),
              "汇总/2025-02-01 00:00:00/11.0");
    EXPECT_EQ(Query1("select name||'/'||money from sellinfo"), "汇总/30.0");
    // Every real rental counted exactly once; the summary rows count for nobody.
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney from userinfo"), "2/11.0");
    EXPECT_EQ(Query1("select borrowcount from cdinfo where cdid='010100000001'"), "2");
}

TEST_F(FoldTest, SummaryStaysInTheFoldYearAcrossALeapDay) {
    SetToday(2025, 12, 31);  // minus 730 days is 2024-01-01, which is not two years back
    Rental("0101000000010001", "000001", "2023-05-01 10:00:00", 5);
    FoldWithYes();
    EXPECT_EQ(Query1("select borrowdate from borrowinfo"), "2023-12-31 00:00:00");
}

TEST_F(FoldTest, NullMoneyCountsAsZero) {
    SetToday(2026, 3, 1);
    Sql("insert into borrowinfo (borrowid,name,borrowdate,borrowcount,money) "
        "values ('0101000000010001','000001','2024-05-01 10:00:00',1,null)");
    FoldWithYes();
    EXPECT_EQ(Query1("select borrowcount||'/'||borrowmoney from userinfo"), "1/0.0");
    EXPECT_EQ(Query1("select money from borrowinfo"), "0.0");
}

TEST_F(FoldTest, AnErrorInTheMiddleLeavesTheDatabaseAsItWas) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    ReturnOf("0101000000010001", "0001");
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Sql("create trigger fail_fold before delete on sellinfo "
        "begin select raise(abort, 'disk trouble'); end");
    FoldWithYes();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[1].prompt.contains("disk trouble"));
    EXPECT_FALSE(frmWait::isLoaded());
    EXPECT_EQ(Query1("select borrowcount||'/'||sellcount from userinfo"), "0/0");
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select count(*) from returninfo"), "1");
    EXPECT_EQ(Query1("select count(*) from sellinfo"), "1");
}
