#include <sqlite3.h>

#include "core/frmWait.h"
#include "tests/core/MonthFeeFixture.h"
#include "tests/core/YearFoldFixture.h"

// The start-up jobs: what they ask and when. What the charge and the fold write is
// tested on the operations (MonthFeeChargeTest, YearFoldTest).

namespace {
using MonthTaxTest = MonthFeeFixture;
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
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "3");

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

// Start-up goes on past a failing job, so the job itself tells the operator: a fee the
// operator agreed to charge must not silently stay uncharged.
TEST_F(MonthTaxTest, AFailingChargeIsToldAndLeavesEveryMemberAsTheyWere) {
    Sql("create trigger fail_charge before update of ispay on userinfo "
        "begin select raise(abort, 'charge failed'); end");
    SetToday(2026, 12, 3);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_NO_THROW(ProcessMonthTax());
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].buttons, vbOKOnly);
    EXPECT_EQ(Query1("select quote(money) from userinfo where userid='000002'"), "NULL");
    EXPECT_EQ(Query1("select money||'/'||tax||'/'||ispay from userinfo where userid='000001'"),
              "50.0/20.0/0");
}

TEST_F(MonthTaxTest, AFileHeldByAnotherProgramIsToldInsteadOfTheQuestion) {
    SetToday(2026, 12, 3);
    sqlite3* other = nullptr;
    sqlite3_open_v2(DbPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    gConn.SetBusyTimeout(20);
    EXPECT_NO_THROW(ProcessMonthTax());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
              "数据库文件“" + DbPath() + "”正被其他程序使用，请稍后再试。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");

    MsgBoxLog::Get().QueueAnswer(vbYes);  // the next start asks again and charges
    ProcessMonthTax();
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, "要处理本月的会费缴纳吗？");
    EXPECT_EQ(Query1("select sum(ispay) from userinfo"), "3");
}

namespace {
class FoldTest : public YearFoldFixture {
  protected:
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
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "汇总");
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select borrowcount from userinfo"), "0");
    SumOldRecords();
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
}

TEST_F(FoldTest, YesFoldsForTheClocksDayOnceAndClosesTheWaitWindow) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Rental("0101000000010004", "000001", "2025-01-02 10:00:00", 7);  // stays
    FoldWithYes();
    EXPECT_FALSE(frmWait::isLoaded());
    EXPECT_EQ(Query1("select group_concat(x) from (select borrowid||'/'||borrowdate as x "
                     "from borrowinfo order by borrowid)"),
              "0000000000000000/2024-03-01 00:00:00,0101000000010004/2025-01-02 10:00:00");

    SumOldRecords();  // the same year again: the summary row shows the fold is done
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
}

TEST_F(FoldTest, AFailedFoldIsToldAndLeavesTheDatabaseAsItWas) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    Sale("0101000000010001", "000001", "2024-07-01 10:00:00", 30);
    Sql("create trigger fail_fold before delete on sellinfo "
        "begin select raise(abort, 'disk trouble'); end");
    FoldWithYes();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    // A failure of no kind of its own: a Chinese lead and the engine's number.
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt,
              "数据不符合数据库的约束，例如编号重复或必填项为空（错误代码 1811）。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "错误");
    EXPECT_FALSE(frmWait::isLoaded());
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");
    EXPECT_EQ(Query1("select count(*) from sellinfo"), "1");
}

TEST_F(FoldTest, AFailingDueCheckIsToldAsTheFoldsOtherFailuresAreAndNothingIsAsked) {
    SetToday(2026, 3, 1);
    Rental("0101000000010001", "000001", "2024-05-01 10:00:00", 5);
    // Another program writes the file: even reading it waits, then fails.
    sqlite3* other = nullptr;
    sqlite3_open_v2(DbPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    gConn.SetBusyTimeout(20);
    SumOldRecords();
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
              "数据库文件“" + DbPath() + "”正被其他程序使用，请稍后再试。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbOKOnly);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    EXPECT_FALSE(frmWait::isLoaded());
    EXPECT_EQ(Query1("select count(*) from borrowinfo"), "1");

    SumOldRecords();  // the next start asks again
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, "要对一年以前的数据进行汇总吗？");
}
