#include <QComboBox>
#include <QJsonObject>
#include <QTest>

#include "platform/ui/Label.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/reports/ReportsFixture.h"

class IncomeReportTest : public ReportsTest {
  protected:
    frmReport& Opened() {
        FillShop();
        OpenShop();
        page_->LblReport_Click(1);
        return frmReport::instance();
    }
};

TEST_F(IncomeReportTest, EveryYearMergesTheSevenFamiliesNewestFirst) {
    frmReport& w = Opened();
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.LblTitle->Caption(), "星光每年收入及支出情况");
    EXPECT_EQ(w.HeaderGrid()->TextMatrix(0, 1), "年份");
    EXPECT_EQ(w.HeaderGrid()->TextMatrix(1, 4), "已付");
    // 2026: rent on return 6 + paid on an open rental 3 + sales 12 - purchases 95 = -74;
    // cash -74 + that rental's deposit 10 + new members' money 20 (李四's Null counts 0).
    EXPECT_EQ(Body(w, 13),
              (Rows{R({"2026年", "-￥74.00", "3张", "￥9.00", "￥20.00", "1张", "￥6.00", "6张",
                       "￥95.00", "1", "￥12.00", "￥20.00", "-￥44.00"}),
                    R({"2025年", "￥24.00", "1张", "￥4.00", "￥0.00", "1张", "￥4.00", "1张",
                       "￥30.00", "1", "￥50.00", "￥5.00", "￥29.00"}),
                    R({"2024年", "0", "0张", "￥0.00", "￥0.00", "0张", "￥0.00", "0张", "￥0.00",
                       "0", "￥0.00", "￥100.00", "￥100.00"}),
                    R({"合计", "-￥50.00", "4张", "￥13.00", "￥30.00", "2张", "￥10.00", "7张",
                       "￥125.00", "2", "￥62.00", "￥125.00", "￥85.00"})}));
    EXPECT_NEAR(w.width() - w.HeaderGrid()->width(), TwipsToPixels(80), 1)
        << "the header grid plus 80 twips";
    EXPECT_GE(w.HeaderGrid()->width(), TwipsToPixels(11370) - 1);
}

// The window's width is set once, as it opens: the operator choosing the months, the days
// and the years again (with the keyboard, in the period box) sees it neither widen, narrow
// nor move, though the years hold a sale far wider than the design's column.
TEST_F(IncomeReportTest, TheWindowKeepsItsWidthAndPlaceWhateverThePeriod) {
    Data().Add(ShopData::Sale("030100000001", "0009")
                   .By("W2")
                   .On("2024-05-20 10:00:00")
                   .Money(123456789.5));
    frmReport& w = Opened();
    const QRect opened = w.geometry();
    const int body = w.BodyGrid()->width();
    EXPECT_GT(w.BodyGrid()->ColWidth(11), 1100) << "the years' sales column widened";
    const int years = w.BodyGrid()->ColWidth(11);
    for (int period : {1, 2, 0}) {
        QTest::keyClick(w.Combo1, period == 0 ? Qt::Key_Home : Qt::Key_Down);
        ASSERT_EQ(w.Combo1->currentIndex(), period);
        EXPECT_EQ(w.geometry(), opened) << "period " << period;
        EXPECT_EQ(w.BodyGrid()->width(), body);
        EXPECT_EQ(w.HeaderGrid()->width(), body);
    }
    EXPECT_EQ(w.LblTitle->Caption(), "星光每年收入及支出情况") << "the years again";
    EXPECT_EQ(w.BodyGrid()->ColWidth(11), years);
}

TEST_F(IncomeReportTest, EachMonthOfThisYear) {
    frmReport& w = Opened();
    ChoosePeriod(w, 1);
    EXPECT_EQ(w.LblTitle->Caption(), "星光今年每月的收入及支出情况");
    EXPECT_EQ(w.HeaderGrid()->TextMatrix(0, 1), "月份");
    // November: only an open rental with its rent paid: a plain net income of 3.
    EXPECT_EQ(Body(w, 13), (Rows{R({"12月", "-￥32.00", "2张", "￥6.00", "￥10.00", "1张", "￥6.00",
                                    "3张", "￥50.00", "1", "￥12.00", "￥20.00", "-￥12.00"}),
                                 R({"11月", "3", "1张", "￥3.00", "￥10.00", "0张", "￥0.00", "0张",
                                    "￥0.00", "0", "￥0.00", "￥0.00", "￥13.00"}),
                                 R({"3月", "-￥45.00", "0张", "￥0.00", "￥0.00", "0张", "￥0.00",
                                    "3张", "￥45.00", "0", "￥0.00", "￥0.00", "-￥45.00"}),
                                 R({"合计", "-￥74.00", "3张", "￥9.00", "￥30.00", "1张", "￥6.00",
                                    "6张", "￥95.00", "1", "￥12.00", "￥20.00", "-￥44.00"})}));
}

TEST_F(IncomeReportTest, EachDayOfThisMonth) {
    frmReport& w = Opened();
    ChoosePeriod(w, 2);
    EXPECT_EQ(w.LblTitle->Caption(), "星光本月每天收入及支出情况");
    EXPECT_EQ(w.HeaderGrid()->TextMatrix(1, 1), "日期");
    EXPECT_EQ(Body(w, 13), (Rows{R({"16日", "￥18.00", "0张", "￥0.00", "￥0.00", "1张", "￥6.00",
                                    "0张", "￥0.00", "1", "￥12.00", "￥20.00", "￥38.00"}),
                                 R({"15日", "-￥40.00", "1张", "￥6.00", "￥10.00", "0张", "￥0.00",
                                    "2张", "￥40.00", "0", "￥0.00", "￥0.00", "-￥40.00"}),
                                 R({"10日", "0", "1张", "￥0.00", "￥0.00", "0张", "￥0.00", "0张",
                                    "￥0.00", "0", "￥0.00", "￥0.00", "￥0.00"}),
                                 R({"3日", "0", "0张", "￥0.00", "￥0.00", "0张", "￥0.00", "0张",
                                    "￥0.00", "0", "￥0.00", "￥0.00", "￥0.00"}),
                                 R({"2日", "-￥10.00", "0张", "￥0.00", "￥0.00", "0张", "￥0.00",
                                    "1张", "￥10.00", "0", "￥0.00", "￥0.00", "-￥10.00"}),
                                 R({"合计", "-￥32.00", "2张", "￥6.00", "￥10.00", "1张", "￥6.00",
                                    "3张", "￥50.00", "1", "￥12.00", "￥20.00", "-￥12.00"})}));
}

TEST_F(IncomeReportTest, AnEmptyShopShowsOnlyZeroTotals) {
    OpenShop();
    page_->LblReport_Click(1);
    EXPECT_EQ(Body(frmReport::instance(), 13),
              (Rows{R({"合计", "￥0.00", "0张", "￥0.00", "￥0.00", "0张", "￥0.00", "0张",
                       "￥0.00", "0", "￥0.00", "￥0.00", "￥0.00"})}));
}

TEST_F(IncomeReportTest, ExportAndPrintCarryTitleHeadingRowsAndTotals) {
    frmReport& w = Opened();
    ChoosePeriod(w, 1);
    SaveTo(Target());
    w.CmdOutput_Click();
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    const QJsonObject book = ReadWithOpenpyxl(Target());
    const QJsonObject cells = SheetOf(book, 0)["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光今年每月的收入及支出情况");
    EXPECT_EQ(cells["A3"].toString(), "月份");
    EXPECT_EQ(cells["A5"].toString(), "12月") << "data from block row 5";
    EXPECT_EQ(cells["B5"].toString(), "-￥32.00");
    EXPECT_EQ(cells["M6"].toString(), "￥13.00");
    EXPECT_EQ(cells["A8"].toString(), "合计");
    EXPECT_EQ(cells["M8"].toString(), "-￥44.00");
    EXPECT_EQ(cells["A25"].toString(), "第1页");
    EXPECT_EQ(SheetOf(book, 0)["row_breaks"].toArray(), QJsonArray{25});
    EXPECT_EQ(SheetOf(book, 0)["col_breaks"].toArray(), QJsonArray{13});

    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QString page = PdfPagesText(jobs[0]).join("");
    for (const char* text :
         {"星光今年每月的收入及支出情况", "月份", "12月", "-￥32.00", "合计", "-￥44.00", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

TEST_F(IncomeReportTest, ClosingShowsTheMainWindowAndTheLinkOpensAFreshYearlyView) {
    frmReport& w = Opened();
    ChoosePeriod(w, 2);
    page_->LblReport_Click(1);
    EXPECT_EQ(&frmReport::instance(), &w) << "one window";
    EXPECT_EQ(w.Combo1->currentIndex(), 2) << "its period choice stays";
    host_->hide();
    w.Unload();
    EXPECT_TRUE(host_->isVisible());
    Settle();
    page_->LblReport_Click(1);
    EXPECT_EQ(frmReport::instance().Combo1->currentIndex(), 0);
}

// Figures whose date is missing (or no date) belong to no period: they make no "0年" row,
// and the totals row, the sum of the rows, leaves them out too.
TEST_F(IncomeReportTest, FiguresWithoutADateAreInNoRowAndNoTotal) {
    FillShop();
    Data().Add(ShopData::Title("030100000005", "戊")
                   .Copies(4)
                   .Prices(25, 1, 1)
                   .Set("buydate", QVariant()));
    Data().Add(ShopData::Title("030100000006", "己").Copies(1).Prices(8, 1, 1).BoughtOn(""));
    Data().Add(Member("000005", "钱七", 40, QString()).Set("JoinDate", QVariant()));
    Data().Add(
        ShopData::Sale("030100000002", "0003").By("000005").Money(7).Set("selldate", "不是日期"));
    OpenShop();
    page_->LblReport_Click(1);
    frmReport& w = frmReport::instance();
    const Rows yearly = Body(w, 13);
    ASSERT_EQ(yearly.size(), 4u) << "2026, 2025, 2024 and the totals; no 0年";
    for (const QStringList& row : yearly)
        EXPECT_FALSE(row[0].startsWith("0")) << row[0].toStdString();
    EXPECT_EQ(yearly.back(), R({"合计", "-￥50.00", "4张", "￥13.00", "￥30.00", "2张", "￥10.00",
                                "7张", "￥125.00", "2", "￥62.00", "￥125.00", "￥85.00"}))
        << "as in the shop without the undated figures";
    for (int view : {1, 2}) {
        ChoosePeriod(w, view);
        for (const QStringList& row : Body(w, 13))
            EXPECT_FALSE(row[0].startsWith("0")) << row[0].toStdString();
    }
}

// A sum that is not exact in binary: two sales of 12.20 and 36.40 on a day with no purchase
// and no return show their plain net income as 48.6, in the grid and in the workbook.
TEST_F(IncomeReportTest, APlainNetIncomeIsWrittenToTheCent) {
    Data().Add(
        ShopData::Title("030100000001", "甲").Copies(2).Prices(20, 3, 30).BoughtOn("2026-11-02"));
    Data().Add(ShopData::Sale("030100000001", "0001").On("2026-12-14 10:00:00").Money(12.2));
    Data().Add(ShopData::Sale("030100000001", "0002").On("2026-12-14 11:00:00").Money(36.4));
    Data().Add(ShopData::Sale("030100000001", "0003").On("2026-12-15 11:00:00").Money(0.1));
    Data().Add(ShopData::Sale("030100000001", "0004").On("2026-12-15 12:00:00").Money(0.2));
    OpenShop();
    page_->LblReport_Click(1);
    frmReport& w = frmReport::instance();
    ChoosePeriod(w, 2);
    const Rows rows = Body(w, 13);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0][0], "15日");
    EXPECT_EQ(rows[0][1], "0.3");
    EXPECT_EQ(rows[1][0], "14日");
    EXPECT_EQ(rows[1][1], "48.6");
    EXPECT_EQ(rows[1][10], "￥48.60") << "money cells keep their format";
    EXPECT_EQ(rows[2][1], "￥48.90");

    SaveTo(Target());
    w.CmdOutput_Click();
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    const QJsonObject cells = SheetOf(ReadWithOpenpyxl(Target()), 0)["cells"].toObject();
    EXPECT_EQ(cells["B5"].toString(), "0.3");
    EXPECT_EQ(cells["B6"].toString(), "48.6");
}
