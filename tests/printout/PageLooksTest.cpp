// Whole printouts as the operator gets them: the stock list's page and the member card,
// printed to PDF, read back as text and as images.
#include <QImage>

#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/printout/ReportFixture.h"
#include "tests/printout/StockSample.h"

namespace {
// Share of dark pixels in a rectangle of the image.
double Ink(const QImage& image, const QRect& rect) {
    int dark = 0, all = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x, ++all)
            if (qGray(image.pixel(x, y)) < 128) ++dark;
    return all ? double(dark) / all : 0;
}
}  // namespace

TEST_F(ReportFixture, StockListPageLooksLikeAPrintedForm) {
    SetNow(QDateTime(QDate(2005, 3, 7), QTime(10, 0)));
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Store"));
    report.FillPageFrame(stock_sample::Frame(3));
    const std::vector<ReportRow> rows = {
        {{"英雄", false},
         {3.0, false},
         {"中国"},
         {"DVD"},
         {"武侠"},
         {25.0, false},
         {QDate(2004, 2, 1)},
         {3.0, false},
         {30.0, false},
         {2.5, false},
         {27.0, false},
         {"A架1层"}},
        {{"卧虎藏龙", false},
         {2.0, false},
         {"中国台湾"},
         {"DVD"},
         {"武侠"},
         {22.5, false},
         {QDate(2004, 3, 5)},
         {3.0, false},
         {28.0, false},
         {2.5, false},
         {25.0, false},
         {"A架2层"}},
        {{"合计", true},
         {5.0, true},
         {},
         {},
         {},
         {47.5, true},
         {},
         {6.0, true},
         {58.0, true},
         {5.0, true},
         {52.0, true},
         {}},
    };
    size_t next = 0;
    report.PrintReport(
        [&](ReportRow& row) { return next < rows.size() ? (row = rows[next++], true) : false; }, 25,
        21, 3, "M");
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QString text = PdfPagesText(jobs[0]).join("");
    for (const char* expected :
         {"库存光盘状况", "光盘个数：3", "打印日期：2005年3月7日", "卧虎藏龙", "中国台湾",
          "2004-03-05", "47.50", "58.00", "合计", "会员售价", "存放位置", "第1页"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected;

    // Landscape, the table's grid drawn, most of the paper below the last data row blank
    // but for the empty ruled rows.
    const QImage page = PdfPageImage(jobs[0], 1, 60);
    ASSERT_FALSE(page.isNull());
    EXPECT_GT(page.width(), page.height());
    EXPECT_GT(Ink(page, QRect(0, 0, page.width(), page.height())), 0.01);
    if (qEnvironmentVariableIsSet("LUMTRAK_KEEP_TEST_FILES"))
        PdfPageImage(jobs[0], 1, 110).save(Dir() + "/store.png");
}

TEST_F(ReportFixture, MemberCardPreviewsItsTwoPages) {
    SetNow(QDateTime(QDate(2005, 3, 7), QTime(10, 0)));
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Card"));
    ASSERT_TRUE(report.Step([&] {
        Worksheet& card = report.Book()->Worksheets(3);
        card.SetPrintArea("$A$1:$I$12");
        card.Range("A6").SetValue("光影时代音像店");
        card.Range("F7:I7").SetValue("000123");
        card.Range("F8:I8").SetValue("王小明");
        card.Range("F9:I9").SetValue("2004-12-01");
        card.Range("B11:I11").SetValue("光影时代音像店");
        card.Range("B12:D12").SetValue("0571-88886666");
        card.Range("H12:I12").SetValue(Today().toString("yyyy年MM月dd日"));
        card.HPageBreaksAdd(card.Cells(7, 10));
        card.VPageBreaksAdd(card.Cells(7, 10));
        card.HPageBreaksAdd(card.Cells(13, 10));
        card.VPageBreaksAdd(card.Cells(13, 10));
        card.PrintPreview();
    }));
    report.Close();
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    EXPECT_TRUE(jobs[0].endsWith("Card-preview-0001.pdf"));
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_TRUE(pages[0].contains("光影时代音像店"));
    EXPECT_FALSE(pages[0].contains("000123"));
    for (const char* expected :
         {"000123", "王小明", "2004-12-01", "0571-88886666", "2005年03月07日", "会员编号"})
        EXPECT_TRUE(pages[1].contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                    << pages[1].toStdString();
    EXPECT_EQ(pages[1].count("000123"), 1) << "the merged number shows once";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    if (qEnvironmentVariableIsSet("LUMTRAK_KEEP_TEST_FILES")) {
        PdfPageImage(jobs[0], 1, 110).save(Dir() + "/card-front.png");
        PdfPageImage(jobs[0], 2, 110).save(Dir() + "/card-back.png");
    }
}

TEST_F(ReportFixture, EveryReportPagePrintsOnOneSheetOfPaper) {
    struct Shape {
        const char* name;
        int N, D, K;
        const char* frameColumn;
        std::vector<double> widths;
        std::vector<double> heights;
    };
    const std::vector<double> three = {33, 20, 33};
    const Shape shapes[] = {
        {"YearReport",
         25,
         20,
         4,
         "M",
         {5, 14, 5.13, 11, 12, 5.75, 12.5, 5.5, 11.13, 5, 12.38, 13.75, 13.63},
         {33, 20, 16.5, 16.5}},
        {"UserInfo", 36, 32, 3, "I", {4.38, 8, 8.5, 7.75, 4.75, 10.75, 10.13, 10.25, 21.88}, three},
        {"BuyReport", 36, 32, 3, "E", {31, 20.13, 14.88, 15.13, 8.75}, three},
        {"EarnReport", 36, 32, 3, "F", {26.13, 8.13, 7.5, 9.13, 19, 19}, three},
        {"BorrowReport", 36, 32, 3, "F", {27.38, 11.25, 10.25, 11.5, 12.88, 16}, three},
        {"HotCDInfo", 36, 31, 3, "G", {5.75, 28.75, 18.38, 8.38, 14.25, 13.75}, three},
        {"SellHotCDInfo", 36, 32, 3, "E", {5.75, 30.38, 20.5, 15.25, 17.63}, three},
        {"SellEarnInfo", 36, 32, 3, "E", {34.63, 8.38, 10.25, 13.63, 22.63}, three},
    };
    for (const Shape& s : shapes) {
        SCOPED_TRACE(s.name);
        ExcelReport report;
        ASSERT_TRUE(report.OpenTemplate(s.name));
        PageFrameSpec spec;
        spec.columnWidths = s.widths;
        spec.rowHeights = s.heights;
        spec.restRowHeight = 22;
        spec.N = s.N;
        spec.frameCells = {{"A1", QString("光影时代音像店%1").arg(s.name)}};
        report.FillPageFrame(spec);
        int left = s.D + 1;  // two pages: a full one and one with the last row
        report.PrintReport(
            [&](ReportRow& row) {
                if (left-- == 0) return false;
                for (size_t c = 0; c < s.widths.size(); ++c)
                    row.emplace_back(QString("格%1").arg(c + 1));
                return true;
            },
            s.N, s.D, s.K, s.frameColumn);
        const QStringList jobs = PdfFiles(PdfDir()).filter(s.name);
        ASSERT_EQ(jobs.size(), 1) << "one printout, one file";
        const QStringList pages = PdfPagesText(jobs[0]);
        ASSERT_EQ(pages.size(), 2) << "a page spills over its sheet of paper";
        for (int p = 0; p < 2; ++p) {
            EXPECT_TRUE(pages[p].contains(QString("光影时代音像店%1").arg(s.name)));
            EXPECT_TRUE(pages[p].contains(QString("第%1页").arg(p + 1)));
            EXPECT_TRUE(pages[p].contains(QString("格%1").arg(s.widths.size())));
        }
        if (qEnvironmentVariableIsSet("LUMTRAK_KEEP_TEST_FILES"))
            PdfPageImage(jobs[0], 1, 80).save(QString("%1/%2.png").arg(Dir(), s.name));
    }
}
