#include "tests/reports/ListingFixture.h"

// Rentals lent out, on the shop of ListingTest:
//   英雄 0003    张三 (member), today 09:05, cash deposit 40, no rent yet
//   无间道 0003   20261209001, today 14:30, pledged "身份证", no rent yet
//   大话西游 0003 李四 (member), today 14:30, cash deposit 20, back and settled: rent 5
//   花样年华 0003 王五, 12-08 18:00, deposit refunded (0), rent 3
//   英雄 0004    张三, 12-07 00:00:00 (the week's first moment), cash deposit 15
// and, never listed: 无间道 0004 lent 12-06 23:59:59 (last week), 无间道 0005 lent at 00:00
// of next Monday, a rental of a title no longer in the catalogue.
class BorrowReportTest : public ListingTest {
  protected:
    void SetUp() override {
        ListingTest::SetUp();
        ShopData data = Data();
        data.Add(Cash("030100000001", "0003", "000001", "2026-12-09 09:05:00", 0, 40));
        data.Add(ShopData::Rental("030100000002", "0003")
                     .By("20261209001")
                     .On("2026-12-09 14:30:00")
                     .Set("CredenceType", "证件")
                     .Set("Guaranty", "身份证"));
        data.Add(Cash("050100000004", "0003", "000002", "2026-12-09 14:30:00", 5, 20));
        data.Add(Cash("030100000003", "0003", "王五", "2026-12-08 18:00:00", 3, 0));
        data.Add(Cash("030100000001", "0004", "000001", "2026-12-07 00:00:00", 0, 15));
        data.Add(Cash("030100000002", "0004", "王五", "2026-12-06 23:59:59", 1, 10));
        data.Add(Cash("030100000002", "0005", "王五", "2026-12-14 00:00:00", 1, 10));
        data.Add(Cash("039900000099", "0001", "000001", "2026-12-09 10:00:00", 1, 10));
    }

    static ShopData::Rental Cash(const QString& cdid, const QString& no, const QString& name,
                                 const QString& lent, double rent, double deposit) {
        return ShopData::Rental(cdid, no).By(name).On(lent).Money(rent, deposit).PaidInCash();
    }

    ReportLines Shown(int period) { return Picked<frmBorrowReport>(kBorrowLink, period); }
};

TEST_F(BorrowReportTest, TodayWithDepositsAndAPledge) {
    // The member's rental comes before the walk-in's of the same moment; a pledge shows its
    // item and adds nothing to the deposits.
    EXPECT_EQ(Shown(RecentPeriod::Today),
              (ReportLines{R({"大话西游", "会员", "李四", "￥5.00", "￥20.00", "14:30"}),
                           R({"无间道", "零租用户", "20261209001", "￥0.00", "身份证", "14:30"}),
                           R({"英雄", "会员", "张三", "￥0.00", "￥40.00", "9:5"}),
                           R({"合计", "", "", "￥5.00", "￥60.00", ""})}));
}

TEST_F(BorrowReportTest, YesterdayAndTheDayBefore) {
    // A refunded deposit shows ￥0.00.
    EXPECT_EQ(Shown(RecentPeriod::Yesterday),
              (ReportLines{R({"花样年华", "零租用户", "王五", "￥3.00", "￥0.00", "18:0"}),
                           R({"合计", "", "", "￥3.00", "￥0.00", ""})}));
    EXPECT_EQ(Shown(RecentPeriod::DayBeforeYesterday),
              (ReportLines{R({"英雄", "会员", "张三", "￥0.00", "￥15.00", "0:0"}),
                           R({"合计", "", "", "￥0.00", "￥15.00", ""})}));
}

TEST_F(BorrowReportTest, TheWeekShowsWholeTimesFromMondayToTheNextMonday) {
    EXPECT_EQ(
        Shown(RecentPeriod::ThisWeek),
        (ReportLines{
            R({"大话西游", "会员", "李四", "￥5.00", "￥20.00", "2026-12-09 14:30:00"}),
            R({"无间道", "零租用户", "20261209001", "￥0.00", "身份证", "2026-12-09 14:30:00"}),
            R({"英雄", "会员", "张三", "￥0.00", "￥40.00", "2026-12-09 09:05:00"}),
            R({"花样年华", "零租用户", "王五", "￥3.00", "￥0.00", "2026-12-08 18:00:00"}),
            R({"英雄", "会员", "张三", "￥0.00", "￥15.00", "2026-12-07 00:00:00"}),
            R({"合计", "", "", "￥8.00", "￥75.00", ""})}));
}

TEST_F(BorrowReportTest, YesterdayOnNewYearsDayListsTheLastDayOfTheYear) {
    Data().Add(Cash("050100000004", "0009", "王五", "2026-12-31 23:00:00", 2, 10));
    Data().Add(Cash("050100000004", "0010", "王五", "2027-01-01 00:00:00", 2, 10));
    SetToday(2027, 1, 1);
    EXPECT_EQ(Shown(RecentPeriod::Yesterday),
              (ReportLines{R({"大话西游", "零租用户", "王五", "￥2.00", "￥10.00", "23:0"}),
                           R({"合计", "", "", "￥2.00", "￥10.00", ""})}));
}

TEST_F(BorrowReportTest, NullsCountZeroAndShowEmpty) {
    // Null rent and deposit count 0; a Null kind of deposit is no cash (its pledge, Null,
    // shows empty).
    Sql("UPDATE borrowinfo SET money = NULL, foregift = NULL WHERE borrowid = "
        "'0501000000040003';"
        "UPDATE borrowinfo SET CredenceType = NULL WHERE borrowid = '0301000000010003';");
    EXPECT_EQ(Shown(RecentPeriod::Today),
              (ReportLines{R({"大话西游", "会员", "李四", "￥0.00", "￥0.00", "14:30"}),
                           R({"无间道", "零租用户", "20261209001", "￥0.00", "身份证", "14:30"}),
                           R({"英雄", "会员", "张三", "￥0.00", "", "9:5"}),
                           R({"合计", "", "", "￥0.00", "￥0.00", ""})}));
}

TEST_F(BorrowReportTest, APeriodWithoutRentalsShowsOnlyTheTotals) {
    SetToday(2026, 11, 2);
    EXPECT_EQ(Shown(RecentPeriod::ThisWeek),
              (ReportLines{R({"合计", "", "", "￥0.00", "￥0.00", ""})}));
}
