#include "tests/reports/ListingFixture.h"

// Returns that brought rent, on the shop of ListingTest:
//   英雄 0001   张三 (member), lent 12-05 09:00, rent 6, returned in two settlements:
//               12-07 09:05 and today 14:30 (listed twice, each with the rent of 6)
//   无间道 0001  20261207001, lent 12-07 08:00, rent 4.5, back today 14:30
//   大话西游 0002 王五, lent today 11:00, rent 2, back today 16:00
//   大话西游 0001 李四 (member), lent 12-01 10:00, rent 3, back 12-08 23:59:59
//   无间道 0002  王五, lent 12-06 10:00, rent 1.5, back 12-07 00:00:00 (the week's first moment)
// and, never listed: 花样年华 0002 王五 back today with no rent received; 英雄 0003 back
// 12-06 23:59:59 (last week); 英雄 0004 back at 00:00 of next Monday; a rental of a title
// no longer in the catalogue.
class EarnReportTest : public ListingTest {
  protected:
    void SetUp() override {
        ListingTest::SetUp();
        ShopData data = Data();
        data.Add(Rental("030100000001", "0001", "000001", "2026-12-05 09:00:00", 6));
        data.Add(ShopData::Return("0301000000010001", "0001").On("2026-12-07 09:05:00"));
        data.Add(ShopData::Return("0301000000010001", "0002").On("2026-12-09 14:30:00"));
        data.Add(Rental("030100000002", "0001", "20261207001", "2026-12-07 08:00:00", 4.5));
        data.Add(ShopData::Return("0301000000020001", "0001").On("2026-12-09 14:30:00"));
        data.Add(Rental("050100000004", "0002", "王五", "2026-12-09 11:00:00", 2));
        data.Add(ShopData::Return("0501000000040002", "0001").On("2026-12-09 16:00:00"));
        data.Add(Rental("050100000004", "0001", "000002", "2026-12-01 10:00:00", 3));
        data.Add(ShopData::Return("0501000000040001", "0001").On("2026-12-08 23:59:59"));
        data.Add(Rental("030100000002", "0002", "王五", "2026-12-06 10:00:00", 1.5));
        data.Add(ShopData::Return("0301000000020002", "0001").On("2026-12-07 00:00:00"));

        data.Add(Rental("030100000003", "0002", "王五", "2026-12-08 20:00:00", 0));
        data.Add(ShopData::Return("0301000000030002", "0001").On("2026-12-09 09:00:00"));
        data.Add(Rental("030100000001", "0003", "000001", "2026-12-01 10:00:00", 5));
        data.Add(ShopData::Return("0301000000010003", "0001").On("2026-12-06 23:59:59"));
        data.Add(Rental("030100000001", "0004", "000001", "2026-12-01 10:00:00", 5));
        data.Add(ShopData::Return("0301000000010004", "0001").On("2026-12-14 00:00:00"));
        data.Add(Rental("039900000099", "0001", "000001", "2026-12-08 10:00:00", 7));
        data.Add(ShopData::Return("0399000000990001", "0001").On("2026-12-09 10:00:00"));
    }

    static ShopData::Rental Rental(const QString& cdid, const QString& no, const QString& name,
                                   const QString& lent, double rent) {
        return ShopData::Rental(cdid, no)
            .By(name)
            .On(lent)
            .Money(rent, 10)
            .PaidInCash()
            .MarkedReturned();
    }

    ReportLines Shown(int period) { return Picked<frmEarnReport>(kEarnLink, period); }
};

TEST_F(EarnReportTest, TodayInterleavesMembersAndWalkInsNewestFirst) {
    // The member's return comes before the walk-in's of the same moment.
    EXPECT_EQ(
        Shown(RecentPeriod::Today),
        (ReportLines{
            R({"大话西游", "零租用户", "王五", "￥2.00", "16:0", "2026-12-09 11:00:00"}),
            R({"英雄", "会员", "张三", "￥6.00", "14:30", "2026-12-05 09:00:00"}),
            R({"无间道", "零租用户", "20261207001", "￥4.50", "14:30", "2026-12-07 08:00:00"}),
            R({"合计", "", "", "￥12.50", "", ""})}));
}

TEST_F(EarnReportTest, YesterdayAndTheDayBefore) {
    EXPECT_EQ(
        Shown(RecentPeriod::Yesterday),
        (ReportLines{R({"大话西游", "会员", "李四", "￥3.00", "23:59", "2026-12-01 10:00:00"}),
                     R({"合计", "", "", "￥3.00", "", ""})}));
    EXPECT_EQ(
        Shown(RecentPeriod::DayBeforeYesterday),
        (ReportLines{R({"英雄", "会员", "张三", "￥6.00", "9:5", "2026-12-05 09:00:00"}),
                     R({"无间道", "零租用户", "王五", "￥1.50", "0:0", "2026-12-06 10:00:00"}),
                     R({"合计", "", "", "￥7.50", "", ""})}));
}

TEST_F(EarnReportTest, TheWeekShowsWholeReturnTimesFromMondayToTheNextMonday) {
    // The rental returned in two settlements counts its rent once per return: 6 twice.
    EXPECT_EQ(
        Shown(RecentPeriod::ThisWeek),
        (ReportLines{
            R({"大话西游", "零租用户", "王五", "￥2.00", "2026-12-09 16:00:00",
               "2026-12-09 11:00:00"}),
            R({"英雄", "会员", "张三", "￥6.00", "2026-12-09 14:30:00", "2026-12-05 09:00:00"}),
            R({"无间道", "零租用户", "20261207001", "￥4.50", "2026-12-09 14:30:00",
               "2026-12-07 08:00:00"}),
            R({"大话西游", "会员", "李四", "￥3.00", "2026-12-08 23:59:59", "2026-12-01 10:00:00"}),
            R({"英雄", "会员", "张三", "￥6.00", "2026-12-07 09:05:00", "2026-12-05 09:00:00"}),
            R({"无间道", "零租用户", "王五", "￥1.50", "2026-12-07 00:00:00",
               "2026-12-06 10:00:00"}),
            R({"合计", "", "", "￥23.00", "", ""})}));
}

TEST_F(EarnReportTest, NullsAndOddCustomers) {
    // A walk-in key equal to a member number is that member; a member who has left is a
    // walk-in under the number; a Null title or time shows empty; an old two-digit-year
    // text gets its century.
    Sql("UPDATE cdinfo SET name = NULL WHERE cdid = '030100000001';"
        "UPDATE borrowinfo SET borrowdate = '07-3-5 10:20:00' WHERE borrowid = "
        "'0301000000020001';"
        "UPDATE borrowinfo SET name = '000009' WHERE borrowid = '0501000000040002';"
        "UPDATE borrowinfo SET borrowdate = NULL WHERE borrowid = '0501000000040002';");
    EXPECT_EQ(Shown(RecentPeriod::Today),
              (ReportLines{
                  R({"大话西游", "零租用户", "000009", "￥2.00", "16:0", ""}),
                  R({"", "会员", "张三", "￥6.00", "14:30", "2026-12-05 09:00:00"}),
                  R({"无间道", "零租用户", "20261207001", "￥4.50", "14:30", "2007-3-5 10:20:00"}),
                  R({"合计", "", "", "￥12.50", "", ""})}));
}

TEST_F(EarnReportTest, APeriodWithoutReturnsShowsOnlyTheTotals) {
    SetToday(2026, 11, 2);
    EXPECT_EQ(Shown(RecentPeriod::Today), (ReportLines{R({"合计", "", "", "￥0.00", "", ""})}));
}
