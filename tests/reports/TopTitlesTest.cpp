#include "tests/reports/ListingFixture.h"

// The two lists of the 50 titles most rented and best sold, on the shop of ListingTest.
class TopTitlesTest : public ListingTest {
  protected:
    ReportLines MostRented() { return Loaded<frmHotCDInfo>(kHotLink); }
    ReportLines BestSelling() { return Loaded<frmSellHotCDInfo>(kSellHotLink); }

    // count titles 0302000001nn (nn from first on), each bought 2026-01-01 at 10 for 1 copy,
    // each with lines rental (or sale) lines of money each.
    void AddTitles(int first, int count, int lines, double money, const QString& table) {
        const bool rentals = table == "borrowinfo";
        const QString numbers = "WITH RECURSIVE n(i) AS (SELECT " + QString::number(first) +
                                " UNION ALL SELECT i + 1 FROM n WHERE i < " +
                                QString::number(first + count - 1) + ") ";
        Sql(numbers +
            "INSERT INTO cdinfo (cdid, id, name, count, price, buydate) "
            "SELECT printf('0302%08d', i), printf('T%03d', i), printf('片%03d', i), 1, 10, "
            "'2026-01-01' FROM n;");
        Sql(numbers + ", k(j) AS (SELECT 1 UNION ALL SELECT j + 1 FROM k WHERE j < " +
            QString::number(lines) + ") INSERT INTO " + table + " (" +
            (rentals ? "borrowid" : "sellid") + ", name, " + (rentals ? "borrowdate" : "selldate") +
            ", money) SELECT printf('0302%08d%04d', i, j), '000001', '2026-12-01 10:00:00', " +
            QString::number(money) + " FROM n, k;");
    }
};

// 英雄: three baskets, one of them lending three copies, one not settled: 3 rentals, rent
// 6 + 0 + 4. 无间道: three baskets of rent 5: as many rentals, more rent, so first.
// 花样年华: one rental whose rent is Null, no purchase price. 大话西游: never rented.
TEST_F(TopTitlesTest, MostRentedByRentalsThenRent) {
    ShopData data = Data();
    data.Add(ShopData::Rental("030100000001", "0001")
                 .Money(6)
                 .Set("borrowlst", "&1#&2#&3#")
                 .Set("borrowcount", 3));
    data.Add(ShopData::Rental("030100000001", "0002"));
    data.Add(ShopData::Rental("030100000001", "0003").Money(4));
    for (const char* no : {"0001", "0002", "0003"})
        data.Add(ShopData::Rental("030100000002", no).Money(5));
    data.Add(ShopData::Rental("030100000003", "0001").Set("money", QVariant()));
    data.Add(ShopData::Rental("039900000099", "0001").Money(50));  // title no longer there
    // 所花费用 is the cost of every copy: 3 × 15 and 3 × 20.
    EXPECT_EQ(MostRented(),
              (ReportLines{R({"1", "无间道", "2025-06-01", "3次", "￥15.00", "￥45.00"}),
                           R({"2", "英雄", "2026-01-05", "3次", "￥10.00", "￥60.00"}),
                           R({"3", "花样年华", "2024-03-05", "1次", "￥0.00", "￥0.00"})}));
}

TEST_F(TopTitlesTest, MostRentedStopsAtFiftyWithTiesInDiscIdOrder) {
    // 48 titles of 3 rentals; then 片049 (2 rentals, rent 5); then 片050 and 片051 alike
    // (2 rentals, rent 4 each): the fiftieth place goes to the lower disc id.
    AddTitles(1, 48, 3, 1, "borrowinfo");
    AddTitles(49, 1, 2, 2.5, "borrowinfo");
    AddTitles(51, 1, 2, 2, "borrowinfo");
    AddTitles(50, 1, 2, 2, "borrowinfo");
    const ReportLines rows = MostRented();
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows[0], R({"1", "片001", "2026-01-01", "3次", "￥3.00", "￥10.00"}));
    EXPECT_EQ(rows[47][1], "片048");
    EXPECT_EQ(rows[48], R({"49", "片049", "2026-01-01", "2次", "￥5.00", "￥10.00"}));
    EXPECT_EQ(rows[49], R({"50", "片050", "2026-01-01", "2次", "￥4.00", "￥10.00"}));
    // The same list every time.
    EXPECT_EQ(MostRented(), rows);
}

// 无间道 sold for 100 in one basket; 英雄 for 30 and 25 in two; 花样年华 once, not settled,
// its purchase date Null; 大话西游 never sold.
TEST_F(TopTitlesTest, BestSellingBySalesMoney) {
    ShopData data = Data();
    data.Add(ShopData::Sale("030100000002", "0001").Money(100));
    data.Add(ShopData::Sale("030100000001", "0001").Money(30));
    data.Add(ShopData::Sale("030100000001", "0002").Money(25));
    data.Add(ShopData::Sale("030100000003", "0001"));
    data.Add(ShopData::Sale("039900000099", "0001").Money(500));  // title no longer there
    Sql("UPDATE cdinfo SET buydate = NULL WHERE cdid = '030100000003';");
    EXPECT_EQ(BestSelling(), (ReportLines{R({"1", "无间道", "2025-06-01", "￥100.00", "￥45.00"}),
                                          R({"2", "英雄", "2026-01-05", "￥55.00", "￥60.00"}),
                                          R({"3", "花样年华", "", "￥0.00", "￥0.00"})}));
}

TEST_F(TopTitlesTest, BestSellingStopsAtFiftyWithTiesInDiscIdOrder) {
    AddTitles(1, 49, 1, 10, "sellinfo");
    AddTitles(51, 1, 2, 2.5, "sellinfo");
    AddTitles(50, 1, 1, 5, "sellinfo");
    const ReportLines rows = BestSelling();
    ASSERT_EQ(rows.size(), 50u);
    EXPECT_EQ(rows[48], R({"49", "片049", "2026-01-01", "￥10.00", "￥10.00"}));
    EXPECT_EQ(rows[49], R({"50", "片050", "2026-01-01", "￥5.00", "￥10.00"}));
}

TEST_F(TopTitlesTest, TwoDigitYearPurchaseDates) {
    // An old text with a two-digit year: the best-selling list completes it, the most-rented
    // list shows it as it stands.
    Sql("UPDATE cdinfo SET buydate = '05-3-12' WHERE cdid = '030100000001';");
    Data().Add(ShopData::Rental("030100000001", "0001").Money(1));
    Data().Add(ShopData::Sale("030100000001", "0001").Money(1));
    EXPECT_EQ(MostRented()[0][2], "05-3-12");
    EXPECT_EQ(BestSelling()[0][2], "2005-3-12");
}
