#include "tests/reports/ListingFixture.h"

// Sales, on the shop of ListingTest:
//   英雄 0001    20261209001, today 08:00, 30
//   无间道 0001   张三 (member), today 15:00, 25.5
//   大话西游 0001 李四 (member), today 11:00, 1234.5
//   花样年华 0001 王五, 12-08 10:00, not settled (0)
//   无间道 0002   000009 (a member who has left), 12-07 00:00:00 (the week's first moment), 8
// and, never listed: a sale of a title no longer in the catalogue today, 英雄 0002 at 00:00
// of next Monday, 英雄 0003 at 12-06 23:59:59.
class SellEarnTest : public ListingTest {
  protected:
    void SetUp() override {
        ListingTest::SetUp();
        ShopData data = Data();
        data.Add(Sale("030100000001", "0001", "20261209001", "2026-12-09 08:00:00", 30));
        data.Add(Sale("030100000002", "0001", "000001", "2026-12-09 15:00:00", 25.5));
        data.Add(Sale("050100000004", "0001", "000002", "2026-12-09 11:00:00", 1234.5));
        data.Add(Sale("030100000003", "0001", "王五", "2026-12-08 10:00:00", 0));
        data.Add(Sale("030100000002", "0002", "000009", "2026-12-07 00:00:00", 8));
        data.Add(Sale("039900000099", "0001", "000001", "2026-12-09 09:00:00", 99));
        data.Add(Sale("030100000001", "0002", "王五", "2026-12-14 00:00:00", 5));
        data.Add(Sale("030100000001", "0003", "王五", "2026-12-06 23:59:59", 5));
    }

    static ShopData::Sale Sale(const QString& cdid, const QString& no, const QString& name,
                               const QString& sold, double money) {
        return ShopData::Sale(cdid, no).By(name).On(sold).Money(money);
    }

    ReportLines Shown(int period) { return Picked<frmSellEarnInfo>(kSellEarnLink, period); }
};

TEST_F(SellEarnTest, TodayListsEveryMembersSaleBeforeTheWalkInsEachByTime) {
    EXPECT_EQ(Shown(RecentPeriod::Today),
              (ReportLines{R({"大话西游", "会员", "李四", "￥1,234.50", "2026-12-09 11:00:00"}),
                           R({"无间道", "会员", "张三", "￥25.50", "2026-12-09 15:00:00"}),
                           R({"英雄", "非会员", "20261209001", "￥30.00", "2026-12-09 08:00:00"}),
                           R({"合计", "", "", "￥1,290.00", ""})}));
}

TEST_F(SellEarnTest, YesterdayTheDayBeforeAndTheWeek) {
    EXPECT_EQ(Shown(RecentPeriod::Yesterday),
              (ReportLines{R({"花样年华", "非会员", "王五", "￥0.00", "2026-12-08 10:00:00"}),
                           R({"合计", "", "", "￥0.00", ""})}));
    // A member who has left is listed under the number, as a walk-in customer.
    EXPECT_EQ(Shown(RecentPeriod::DayBeforeYesterday),
              (ReportLines{R({"无间道", "非会员", "000009", "￥8.00", "2026-12-07 00:00:00"}),
                           R({"合计", "", "", "￥8.00", ""})}));
    EXPECT_EQ(Shown(RecentPeriod::ThisWeek),
              (ReportLines{R({"大话西游", "会员", "李四", "￥1,234.50", "2026-12-09 11:00:00"}),
                           R({"无间道", "会员", "张三", "￥25.50", "2026-12-09 15:00:00"}),
                           R({"无间道", "非会员", "000009", "￥8.00", "2026-12-07 00:00:00"}),
                           R({"花样年华", "非会员", "王五", "￥0.00", "2026-12-08 10:00:00"}),
                           R({"英雄", "非会员", "20261209001", "￥30.00", "2026-12-09 08:00:00"}),
                           R({"合计", "", "", "￥1,298.00", ""})}));
}

TEST_F(SellEarnTest, NullsCountZeroAndShowEmpty) {
    Sql("UPDATE sellinfo SET money = NULL WHERE sellid = '0501000000040001';"
        "UPDATE cdinfo SET name = NULL WHERE cdid = '030100000002';");
    EXPECT_EQ(Shown(RecentPeriod::Today),
              (ReportLines{R({"大话西游", "会员", "李四", "￥0.00", "2026-12-09 11:00:00"}),
                           R({"", "会员", "张三", "￥25.50", "2026-12-09 15:00:00"}),
                           R({"英雄", "非会员", "20261209001", "￥30.00", "2026-12-09 08:00:00"}),
                           R({"合计", "", "", "￥55.50", ""})}));
}

TEST_F(SellEarnTest, APeriodWithoutSalesShowsOnlyTheTotals) {
    SetToday(2026, 11, 2);
    EXPECT_EQ(Shown(RecentPeriod::Today), (ReportLines{R({"合计", "", "", "￥0.00", ""})}));
}
