#include <QComboBox>
#include <QJsonObject>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "platform/ui/Label.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/reports/ReportsFixture.h"

class PurchaseReportTest : public ReportsTest {
  protected:
    // The operator brings a window in front: it is the application's active window then.
    // (QTest's own wait would take a window owned by the main window for active whenever
    // another window of the main window is.)
    static bool BringToFront(QWidget* w) {
        w->show();
        w->raise();
        w->activateWindow();
        return QTest::qWaitFor([w] { return QApplication::activeWindow() == w; });
    }

    frmBuyReport& Opened() {
        FillShop();
        OpenShop();
        page_->LblReport_Click(2);
        frmBuyReport& w = frmBuyReport::instance();
        w.Form_Activate();  // what the window system's activation runs
        return w;
    }
};

TEST_F(PurchaseReportTest, ThisWeekThisMonthThisYear) {
    frmBuyReport& w = Opened();
    EXPECT_EQ(w.LblTitle->Caption(), "星光本周光盘的购买情况");
    // 甲's rent counts every rental ever recorded, the one of 2025 too.
    EXPECT_EQ(Body(w, 5), (Rows{R({"甲", "2026年12月15日", "￥40.00", "￥10.00", "DVD"}),
                                R({"合计", "", "￥40.00", "￥10.00", ""})}));
    ChoosePeriod(w, 1);
    EXPECT_EQ(w.LblTitle->Caption(), "星光本月光盘的购买情况");
    EXPECT_EQ(Body(w, 5), (Rows{R({"甲", "2026年12月15日", "￥40.00", "￥10.00", "DVD"}),
                                R({"乙", "2026年12月2日", "￥10.00", "￥0.00", "VCD"}),
                                R({"合计", "", "￥50.00", "￥10.00", ""})}));
    ChoosePeriod(w, 2);
    EXPECT_EQ(w.LblTitle->Caption(), "星光今年光盘的购买情况");
    EXPECT_EQ(Body(w, 5), (Rows{R({"甲", "2026年12月15日", "￥40.00", "￥10.00", "DVD"}),
                                R({"丙", "2026年3月10日", "￥45.00", "￥3.00", "DVD"}),
                                R({"乙", "2026年12月2日", "￥10.00", "￥0.00", "VCD"}),
                                R({"合计", "", "￥95.00", "￥13.00", ""})}));
    // Activation goes back to this week.
    w.Form_Activate();
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    EXPECT_EQ(w.BodyGrid()->Rows(), 2);
}

// The window's width is set by its first fill: this year's purchases, wider than this
// week's, neither widen nor move it; the operator scrolls the wider column into view, and
// the headings scroll with it, each over its column.
TEST_F(PurchaseReportTest, TheWindowKeepsItsWidthAndTheHeadingsScrollWithTheColumns) {
    Data().Add(ShopData::Title("030100000009", "戊")
                   .Copies(1)
                   .Prices(98765432.1, 1, 1)
                   .Type("DVD")
                   .BoughtOn("2026-02-01"));
    frmBuyReport& w = Opened();
    const QRect opened = w.geometry();
    const int body = w.BodyGrid()->width();
    QTest::keyClick(w.Combo1, Qt::Key_End);
    ASSERT_EQ(w.LblTitle->Caption(), "星光今年光盘的购买情况");
    EXPECT_EQ(w.geometry(), opened);
    EXPECT_EQ(w.BodyGrid()->width(), body);
    EXPECT_EQ(w.HeaderGrid()->width(), body);

    FlexGrid* header = w.HeaderGrid();
    FlexGrid* grid = w.BodyGrid();
    QScrollBar* sideways = grid->horizontalScrollBar();
    ASSERT_GT(sideways->maximum(), 0) << "the wider columns scroll";
    for (int value : {sideways->maximum() / 2, sideways->maximum()}) {
        sideways->setValue(value);  // the operator drags the scroll bar
        Settle();
        for (int c = 0; c < grid->Cols(); ++c)
            EXPECT_EQ(header->columnViewportPosition(c), grid->columnViewportPosition(c))
                << "column " << c << " at " << value;
    }
}

TEST_F(PurchaseReportTest, TheWeekRunsMondayToSundayAcrossTheYearsEnd) {
    Data().Add(ShopData::Title("030100000001", "周一").Prices(10, 1, 1).BoughtOn("2025-12-29"));
    Data().Add(ShopData::Title("030100000002", "周日").Prices(20, 1, 1).BoughtOn("2026-01-04"));
    Data().Add(ShopData::Title("030100000003", "上周").Prices(30, 1, 1).BoughtOn("2025-12-28"));
    Data().Add(ShopData::Title("030100000004", "下周").Prices(40, 1, 1).BoughtOn("2026-01-05"));
    OpenShop();
    for (const QDate& day : {QDate(2025, 12, 31), QDate(2025, 12, 29), QDate(2026, 1, 4)}) {
        SetNow(QDateTime(day, QTime(10, 0)));
        page_->LblReport_Click(2);
        frmBuyReport& w = frmBuyReport::instance();
        w.Form_Activate();
        const Rows rows = Body(w, 5);
        ASSERT_EQ(rows.size(), 3u) << day.toString().toStdString();
        EXPECT_EQ(rows[2][2], "￥60.00") << "周一 and 周日 (two copies each)";
    }
    EXPECT_EQ(frmBuyReport::PeriodDays(0, QDate(2025, 12, 31)),
              std::make_pair(QDate(2025, 12, 29), QDate(2026, 1, 5)));
}

TEST_F(PurchaseReportTest, AWeekWithoutPurchasesShowsZeroTotals) {
    OpenShop();
    page_->LblReport_Click(2);
    frmBuyReport::instance().Form_Activate();
    EXPECT_EQ(Body(frmBuyReport::instance(), 5), (Rows{R({"合计", "", "￥0.00", "￥0.00", ""})}));
}

TEST_F(PurchaseReportTest, ExportAndPrintOfTheYear) {
    frmBuyReport& w = Opened();
    ChoosePeriod(w, 2);
    SaveTo(Target());
    w.CmdOutput_Click();
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    const QJsonObject book = ReadWithOpenpyxl(Target());
    const QJsonObject cells = SheetOf(book, 0)["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光今年光盘的购买情况");
    EXPECT_EQ(cells["A3"].toString(), "影片名称");
    EXPECT_EQ(cells["A4"].toString(), "甲");
    EXPECT_EQ(cells["B5"].toString(), "2026年3月10日");
    EXPECT_EQ(cells["A7"].toString(), "合计");
    EXPECT_EQ(cells["C7"].toString(), "￥95.00");
    EXPECT_EQ(cells["A36"].toString(), "第1页");
    EXPECT_EQ(QFileInfo(Target()).fileName(), "out.xlsx");

    w.CmdPrint_Click();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QString page = PdfPagesText(jobs[0]).join("");
    for (const char* text : {"星光今年光盘的购买情况", "打印日期：2026年12月16日", "影片名称", "丙",
                             "￥95.00", "第1页"})
        EXPECT_TRUE(page.contains(QString::fromUtf8(text))) << text;
}

// The activation refill is held back while the window prints and done when the print has
// ended, and a close during the refill's yield stops it.
TEST_F(PurchaseReportTest, ActivationWaitsForTheRunAndClosingStopsTheRefill) {
    frmBuyReport& w = Opened();
    ChoosePeriod(w, 2);
    bool checked = false;
    QTimer::singleShot(0, [&] {
        checked = true;
        w.Form_Activate();
        EXPECT_EQ(w.Combo1->currentIndex(), 2) << "held back while it prints";
        EXPECT_FALSE(w.Combo1->isEnabled() || w.CmdOutput->isEnabled() || w.CmdPrint->isEnabled());
    });
    w.CmdPrint_Click();
    EXPECT_TRUE(checked);
    EXPECT_TRUE(w.CmdPrint->isEnabled());
    EXPECT_TRUE(PdfPagesText(PdfFiles(PdfDir())[0]).join("").contains("丙"));
    EXPECT_EQ(w.Combo1->currentIndex(), 0) << "back to this week once the print has ended";
    EXPECT_EQ(w.BodyGrid()->Rows(), 2);

    QTimer::singleShot(0, [] { frmBuyReport::instance().Unload(); });
    w.Form_Activate();  // yields once before its queries
    EXPECT_FALSE(frmBuyReport::isLoaded());
    Settle();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(PurchaseReportTest, TheDefaultNameCarriesTheDayWithoutLeadingZeros) {
    SetNow(QDateTime(QDate(2024, 3, 5), QTime(23, 59, 59)));
    EXPECT_EQ(ReportExport::DefaultName("BuyReport", Now().date()),
              QDir(Dir()).filePath("BuyReport202435.xlsx"));
}

// The operator exports this year's purchases; while the export runs another window of the
// program comes in front (on a desktop the progress window does) and then the purchase
// window again. The workbook gets this year's rows, and once the export has ended the
// window is back on this week.
TEST_F(PurchaseReportTest, BackToThisWeekOnceTheExportHasEnded) {
    frmBuyReport& w = Opened();
    page_->LblReport_Click(1);
    frmReport& other = frmReport::instance();
    ASSERT_TRUE(BringToFront(&w));
    Settle();
    ChoosePeriod(w, 2);
    ASSERT_EQ(w.Combo1->currentIndex(), 2);
    bool activatedDuringTheRun = false;
    SetSaveFileResponder([&](const SaveFileCall&) {
        BringToFront(&other);
        activatedDuringTheRun = BringToFront(&w) && w.Running();
        EXPECT_EQ(w.Combo1->currentIndex(), 2) << "held back while the export runs";
        return Target();
    });
    w.CmdOutput_Click();
    EXPECT_TRUE(activatedDuringTheRun);
    ASSERT_EQ(Prompts(), std::vector<QString>{"请查看" + Target() + "文件"});
    const QJsonObject cells = SheetOf(ReadWithOpenpyxl(Target()), 0)["cells"].toObject();
    EXPECT_EQ(cells["A1"].toString(), "星光今年光盘的购买情况");
    EXPECT_EQ(cells["C7"].toString(), "￥95.00");
    EXPECT_EQ(w.Combo1->currentIndex(), 0);
    EXPECT_EQ(w.LblTitle->Caption(), "星光本周光盘的购买情况");
    EXPECT_EQ(Body(w, 5), (Rows{R({"甲", "2026年12月15日", "￥40.00", "￥10.00", "DVD"}),
                                R({"合计", "", "￥40.00", "￥10.00", ""})}));
    EXPECT_TRUE(w.CmdOutput->isEnabled() && w.CmdPrint->isEnabled() && w.Combo1->isEnabled());
}
