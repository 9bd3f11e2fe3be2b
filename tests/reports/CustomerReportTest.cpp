#include <QJsonObject>

#include "platform/ui/Label.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/reports/ReportsFixture.h"

class CustomerReportTest : public ReportsTest {
  protected:
    frmUserReport& Opened() {
        OpenShop();
        page_->LblReport_Click(0);
        return frmUserReport::instance();
    }
};

TEST_F(CustomerReportTest, FiveGroupsAndTheTotals) {
    FillShop();
    // A member with three sale lines and no rental fills three lines of group 3.
    Data().Add(Member("000005", "钱七", 7, "2026-01-01"));
    for (const char* no : {"0003", "0004", "0005"})
        Data().Add(ShopData::Sale("030100000003", no).By("000005").Money(1));
    frmUserReport& w = Opened();
    EXPECT_EQ(w.LblTitle->Caption(), "星光用户信息");
    EXPECT_EQ(w.HeaderGrid()->objectName(), "MSHFlexGrid2");
    EXPECT_EQ(w.HeaderGrid()->TextMatrix(0, 9), "最后一次租盘时间");
    const Rows rows = Body(w, 9);
    ASSERT_EQ(rows.size(), 9u);
    // Group 1: rented and bought; 李四's Null stored money shows and counts as 0.
    EXPECT_EQ(rows[0], R({"1", "会员", "000002", "李四", "1次", "￥0.00", "￥50.00", "￥0.00",
                          "2026-12-10 10:00:00"}));
    // Group 2: rented, never bought (two rental lines: one returned, one open).
    EXPECT_EQ(rows[1], R({"2", "会员", "000001", "张三", "2次", "￥9.00", "", "￥100.00",
                          "2026-12-15 10:00:00"}));
    // Group 3: one line per sale line.
    EXPECT_EQ(rows[2],
              R({"3", "会员", "000003", "王五", "0次", "￥0.00", "￥12.00", "￥20.00", "未借过"}));
    EXPECT_EQ(rows[3][0], "4");
    EXPECT_EQ(rows[5][0], "6");
    for (size_t i = 3; i <= 5; ++i)
        EXPECT_EQ(rows[i].mid(1),
                  R({"会员", "000005", "钱七", "0次", "￥0.00", "￥1.00", "￥7.00", "未借过"}));
    // Group 4: neither.
    EXPECT_EQ(rows[6], R({"7", "会员", "000004", "赵六", "0次", "￥0.00", "", "￥5.00", "未借过"}));
    // Group 5: walk-in renters; their purchases are not shown.
    EXPECT_EQ(rows[7],
              R({"8", "零租用户", "", "W1", "1次", "￥4.00", "", "", "2025-06-01 10:00:00"}));
    // Stored money: 0 + 100 + 20 + 3 x 7 + 5; 钱七's counts once per line.
    EXPECT_EQ(rows[8], R({"", "合计", "", "", "4次", "￥13.00", "￥65.00", "￥146.00", ""}));
    w.BodyGrid()->SetRow(8);
    w.BodyGrid()->SetCol(2);
    EXPECT_TRUE(w.BodyGrid()->CellFontBold());
}

// A basket still open at the counter is no rental or sale yet: a customer whose only lines
// of a kind are there has not rented (or bought) and stays in the group that says so.
TEST_F(CustomerReportTest, TheBasketsOpenAtTheCounterMoveNoCustomerUntilSettled) {
    FillShop();
    frmUserReport& before = Opened();
    const Rows shown = Body(before, 9);
    frmUserReport::unload();
    Data().Add(ShopData::OpenBasket("0009").By("000004"));
    Data().Add(ShopData::OpenBasket("0009").Sale());
    for (const char* cdid : {"030100000001", "030100000002"})  // 赵六 has neither so far
        Data().Add(ShopData::Rental(cdid, "0009").By("000004").Money(0, 10));
    Data().Add(ShopData::Sale("030100000001", "0009").By("000001").Money(30));  // rented only
    EXPECT_EQ(Body(Opened(), 9), shown);

    frmUserReport::unload();
    Sql("delete from openbasket");  // both settled
    const Rows settled = Body(Opened(), 9);
    ASSERT_EQ(settled.size(), shown.size());
    EXPECT_EQ(settled[0].mid(1, 6), R({"会员", "000001", "张三", "2次", "￥9.00", "￥30.00"}))
        << "rented and bought now, the first by rent";
    EXPECT_EQ(settled[2].mid(1, 7), R({"会员", "000004", "赵六", "2次", "￥0.00", "", "￥5.00"}))
        << "rented, never bought";
    EXPECT_EQ(settled.back(), R({"", "合计", "", "", "6次", "￥13.00", "￥92.00", "￥125.00", ""}));
}

TEST_F(CustomerReportTest, AnEmptyShopShowsTheTotalsRowAlone) {
    frmUserReport& w = Opened();
    EXPECT_EQ(Body(w, 9), (Rows{R({"", "合计", "", "", "0次", "￥0.00", "￥0.00", "￥0.00", ""})}));
}

TEST_F(CustomerReportTest, TheYearlySummaryRowsShowAsOneWalkInAndTwoDigitYearsAreWidened) {
    Data().Add(Member("000001", "张三", 1, "2024-01-05"));
    Data().Add(ShopData::Title("030100000001", "甲"));
    Data().Add(ShopData::Sale("030100000001", "0001").By("000001").Money(5));
    Data().Add(ShopData::Rental("030100000001", "0001").By("000001").On("05-03-12 14:20:00"));
    Data().Add(
        ShopData::Rental("030100000001", "0002").By("汇总").On("05-03-12 14:20:00").Money(80));
    frmUserReport& w = Opened();
    const Rows rows = Body(w, 9);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][8], "2005-03-12 14:20:00") << "group 1 writes the year out";
    EXPECT_EQ(rows[1].mid(1),
              R({"零租用户", "", "汇总", "1次", "￥80.00", "", "", "05-03-12 14:20:00"}));
}

TEST_F(CustomerReportTest, ExportAndPrintCarryTheRows) {
    FillShop();
    frmUserReport& w = Opened();
    SaveTo(Target());
    w.CmdOutput_Click();
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    const QJsonObject book = ReadWithOpenpyxl(Target());
    const QJsonObject cells = SheetOf(book, 0)["cells"].toObject();
    EXPECT_EQ(cells["A4"].toString(), "1");
    EXPECT_EQ(cells["D4"].toString(), "李四");
    EXPECT_EQ(cells["B8"].toString(), "零租用户");
    EXPECT_EQ(cells["B9"].toString(), "合计");
    EXPECT_EQ(cells["H9"].toString(), "￥125.00");
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    EXPECT_EQ(SheetOf(book, 1)["cells"].toObject()["A1"].toString(), "星光用户信息");

    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QString page = PdfPagesText(jobs[0]).join("");
    for (const char* text : {"李四", "零租用户", "W1", "合计", "￥125.00", "第1页", "序号"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

// A printed cell shows its whole text, however narrow its column: a four-digit count, the
// total and a walk-in customer's eleven-character name, each read back from the page.
TEST_F(CustomerReportTest, APrintedCellShowsItsWholeText) {
    Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 0);"
        "with recursive n(i) as (select 1 union all select i+1 from n where i<161) "
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "select printf('%012d%04d', i, 1), '000001', '2026-12-01 10:00:00', 1, 1 from n;"
        "with recursive n(i) as (select 1 union all select i+1 from n where i<1501) "
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "select printf('%012d%04d', i, 2), '20261201001', '2026-12-01 10:00:00', 1, 2 from n;");
    frmUserReport& w = Opened();
    ASSERT_EQ(Body(w, 9)[1][3], "20261201001");
    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const std::vector<PdfWord> words = PdfWords(jobs[0], 1);
    QStringList texts;
    for (const PdfWord& w : words) texts << w.text;
    for (const char* text : {"1501次", "161次", "1662次", "20261201001", "￥3,002.00"})
        EXPECT_TRUE(texts.contains(QString::fromUtf8(text))) << text;
    // A text cut at its cell's edge is still a whole word to pdftotext, drawn over its
    // neighbour's: no two words of the page overlap.
    EXPECT_TRUE(OverlappingWords(words).isEmpty())
        << OverlappingWords(words).join(", ").toStdString();
}

// A count past 32,767 rental lines neither wraps nor stops the window.
TEST_F(CustomerReportTest, RentalCountsPastSixteenBits) {
    Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 0);"
        "with recursive n(i) as (select 1 union all select i+1 from n where i<33000) "
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "select printf('%012d%04d', i, 1), '000001', '2026-12-01 10:00:00', 1, 1 from n;"
        "with recursive n(i) as (select 1 union all select i+1 from n where i<300) "
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, money) "
        "select printf('%012d%04d', i, 2), 'W' || i, '2026-12-01 10:00:00', 1, 0 from n;");
    frmUserReport& w = Opened();
    const Rows rows = Body(w, 9);
    ASSERT_EQ(rows.size(), 302u);
    EXPECT_EQ(rows[0][4], "33000次");
    EXPECT_EQ(rows[301][4], "33300次");
    EXPECT_EQ(rows[301][5], "￥33,000.00");
    EXPECT_GE(w.BodyGrid()->ColWidth(1),
              PixelsToTwips(w.BodyGrid()->fontMetrics().horizontalAdvance("301")))
        << "the sequence numbers of the last rows fit";
    EXPECT_GT(w.BodyGrid()->ColWidth(6), 800) << "the column widened to its amounts";
    EXPECT_EQ(w.HeaderGrid()->ColWidth(6), w.BodyGrid()->ColWidth(6));
}
