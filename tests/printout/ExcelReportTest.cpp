#include <sqlite3.h>

#include <QJsonArray>
#include <QPrinterInfo>
#include <QTimer>
#include <cmath>
#include <functional>

#include "platform/db/SqliteError.h"
#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tests/printout/ReportFixture.h"
#include "tests/printout/StockSample.h"
#include "tools/templates/TemplateWriter.h"

namespace {
using stock_sample::D;
using stock_sample::K;
using stock_sample::N;
using stock_sample::Title;
using stock_sample::Titles;

PrintReportResult PrintStock(const RowSource& rows, int titles) {
    ExcelReport report;
    if (!report.OpenTemplate("Store")) return {0, false, true};
    report.FillPageFrame(stock_sample::Frame(titles));
    return report.PrintReport(rows, N, D, K, "M");
}
}  // namespace

TEST_F(ReportFixture, ExactlyDRowsMakeOnePage) {
    SetNow(QDateTime(QDate(2005, 3, 7), QTime(10, 0)));
    const PrintReportResult result = PrintStock(Titles(D), D);
    EXPECT_EQ(result.pages, 1);
    EXPECT_FALSE(result.aborted || result.failed);
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1);
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 1) << "a page of the frame fits one sheet of paper";
    EXPECT_TRUE(pages[0].contains("库存光盘状况"));
    EXPECT_TRUE(pages[0].contains("光盘个数：21"));
    EXPECT_TRUE(pages[0].contains("打印日期：2005年3月7日"));
    EXPECT_TRUE(pages[0].contains("影片名称")) << "the frame's headings";
    EXPECT_TRUE(pages[0].contains(Title(1)));
    EXPECT_TRUE(pages[0].contains(Title(21)));
    EXPECT_TRUE(pages[0].contains("2004-03-05")) << "dates print as dates";
    EXPECT_TRUE(pages[0].contains("第1页"));
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(ReportFixture, OneRowMoreStartsASecondPageOnAFreshFrame) {
    const PrintReportResult result = PrintStock(Titles(D + 1), D + 1);
    EXPECT_EQ(result.pages, 2);
    const QStringList jobs = PdfFiles(PdfDir());
    ASSERT_EQ(jobs.size(), 1) << "one print job for the printout";
    const QStringList pages = PdfPagesText(jobs[0]);
    ASSERT_EQ(pages.size(), 2) << "its pages in it";
    const QString first = pages[0];
    const QString second = pages[1];
    EXPECT_TRUE(first.contains("第1页"));
    EXPECT_TRUE(first.contains(Title(21)));
    EXPECT_FALSE(first.contains(Title(22)));
    EXPECT_TRUE(second.contains("第2页"));
    EXPECT_TRUE(second.contains("库存光盘状况"));
    EXPECT_TRUE(second.contains(Title(22)));
    EXPECT_FALSE(second.contains(Title(1)))
        << "the frame pasted over the page clears the rows before";
    EXPECT_FALSE(second.contains(Title(21)));
}

TEST_F(ReportFixture, APrintoutWithoutRowsPrintsNothing) {
    const PrintReportResult result = PrintStock(Titles(0), 0);
    EXPECT_EQ(result.pages, 0);
    EXPECT_FALSE(result.failed);
    EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty()) << "no page with 第0页";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(ReportFixture, ClosingTheProgramStopsThePrintoutAtTheNextRow) {
    int asked = 0;
    // The main window closes while the printout yields before row 23 (on page 2).
    const auto rows = Titles(60, [&asked](int i) {
        asked = i;
        if (i == 23) QTimer::singleShot(0, [] { gExiting = true; });
    });
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Store"));
    report.FillPageFrame(stock_sample::Frame(60));
    const PrintReportResult result = report.PrintReport(rows, N, D, K, "M");
    EXPECT_TRUE(result.aborted);
    EXPECT_EQ(result.pages, 1) << "page 1 was printed when page 2 began; page 2 is not";
    EXPECT_EQ(asked, 23) << "no row is read after the stop";
    ASSERT_EQ(PdfFiles(PdfDir()).size(), 1);
    EXPECT_EQ(PdfPagesText(PdfFiles(PdfDir())[0]).size(), 1) << "the page printed stays printed";
    EXPECT_FALSE(report.IsOpen());
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"cdmanage.mdb"})
        << "no workbook is saved";
}

TEST_F(ReportFixture, AMissingTemplateGivesItsMessageAndNothingElse) {
    ASSERT_TRUE(QFile::remove(QDir(SupportDir()).filePath("Store.xltx")));
    ExcelReport report;
    EXPECT_FALSE(report.OpenTemplate("Store"));
    report.FillPageFrame(stock_sample::Frame(3));
    const PrintReportResult result = report.PrintReport(Titles(3), N, D, K, "M");
    EXPECT_EQ(result.pages, 0);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    const MsgBoxCall& box = MsgBoxLog::Get().Calls()[0];
    EXPECT_EQ(box.prompt,
              "丢失" + QDir::toNativeSeparators(Dir() + "/support/Store.xltx") + "模板");
    EXPECT_EQ(box.buttons, vbInformation | vbOKOnly);
    EXPECT_EQ(box.title, "错误");
    EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
}

TEST_F(ReportFixture, AFailureIsReportedOnceAndEndsThePrintoutCleanly) {
    // A template without its page frame sheet.
    SheetSpec only;
    only.name = "报表";
    const TemplateSpec broken{"Broken", {only}};
    QString error;
    ASSERT_TRUE(TemplateWriter::WriteFile(broken, SupportDir(), &error)) << error.toStdString();
    {
        ExcelReport report;
        EXPECT_FALSE(report.OpenTemplate("Broken"));
        report.FillPageFrame(stock_sample::Frame(3));
        EXPECT_TRUE(report.PrintReport(Titles(3), N, D, K, "M").failed);
        EXPECT_FALSE(report.IsOpen());
    }
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[0].prompt.contains("第2张工作表"));
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");

    // A value the sheet cannot take, in the middle of page 2: page 1 is out, the rest is not.
    MsgBoxLog::Get().Reset();
    auto next = std::make_shared<int>(0);
    const RowSource rows = [next](ReportRow& row) {
        if (++*next > 40) return false;
        row = {{*next == 30 ? QVariant(std::nan("")) : QVariant(Title(*next))}};
        return true;
    };
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Store"));
    const PrintReportResult result = report.PrintReport(rows, N, D, K, "M");
    EXPECT_TRUE(result.failed);
    EXPECT_EQ(result.pages, 1);
    EXPECT_EQ(*next, 30) << "the printout ends at the failing row";
    EXPECT_EQ(PdfFiles(PdfDir()).size(), 1);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[0].prompt.startsWith("打印没有完成："));
    EXPECT_FALSE(report.IsOpen());
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"cdmanage.mdb"});

    // Wrong page sizes are a failure too, not a crash.
    MsgBoxLog::Get().Reset();
    ExcelReport wrong;
    ASSERT_TRUE(wrong.OpenTemplate("Store"));
    EXPECT_TRUE(wrong.PrintReport(Titles(3), 24, 21, 3, "M").failed);
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(PdfFiles(PdfDir()).size(), 1);
}

TEST_F(ReportFixture, PrintingNeverWritesTheTemplate) {
    const QString path = ExcelReport::TemplatePath("Store");
    const QByteArray before = Bytes(path);
    PrintStock(Titles(50), 50);
    EXPECT_EQ(Bytes(path), before);
    EXPECT_EQ(QDir(SupportDir()).entryList(QDir::Files).size(), 10);
}

TEST_F(ReportFixture, BoldCellsFollowTheRow) {
    // A subtotal row is bold where the row says so; the next data row is not.
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Store"));
    Worksheet* out = report.OutputSheet();
    auto next = std::make_shared<int>(0);
    QList<bool> boldSeen;
    const RowSource rows = [&, next](ReportRow& row) {
        if (*next > 0) boldSeen << out->Cells(*next + K, 1).Bold();
        if (++*next > 3) return false;
        const bool subtotal = *next == 2;
        row = {{subtotal ? QString("合计") : Title(*next), subtotal}};
        return true;
    };
    report.PrintReport(rows, N, D, K, "M");
    EXPECT_EQ(boldSeen, (QList<bool>{false, true, false}));
}

TEST(ExcelReportTexts, DateAndFooterHaveNoLeadingZeros) {
    SetNow(QDateTime(QDate(2005, 3, 7), QTime(9, 0)));
    EXPECT_EQ(ExcelReport::PrintDate(), "打印日期：2005年3月7日");
    ResetNow();
    EXPECT_EQ(ExcelReport::PageFooter(12), "第12页");
}

TEST_F(ReportFixture, FillPageFrameSetsTheOutputGeometryAndTheFrameHead) {
    ExcelReport report;
    ASSERT_TRUE(report.OpenTemplate("Store"));
    report.FillPageFrame(stock_sample::Frame(7));
    Worksheet* out = report.OutputSheet();
    EXPECT_NEAR(out->Range("A1").ColumnWidth(), 20.63, 1e-9);
    EXPECT_NEAR(out->Range("G1").ColumnWidth(), 21.75, 1e-9);
    EXPECT_NEAR(out->Range("L1").ColumnWidth(), 8.13, 1e-9);
    EXPECT_DOUBLE_EQ(out->Range("A1").RowHeight(), 33);
    EXPECT_DOUBLE_EQ(out->Range("A2").RowHeight(), 20);
    EXPECT_DOUBLE_EQ(out->Range("A4").RowHeight(), 21.5);
    EXPECT_DOUBLE_EQ(out->Range("A25").RowHeight(), 21.5);
    EXPECT_DOUBLE_EQ(out->Range("A26").RowHeight(), out->DefaultRowHeight())
        << "rows past the page stay as they were";
    EXPECT_EQ(report.PageFrame()->Range("A2").Value().toString(), "光盘个数：7");
}

TEST_F(ReportFixture, WithoutAPrinterTheOperatorLearnsOnceWhereThePagesAre) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    SetPrintToPdfDir(QString());
    const PrintReportResult result = PrintStock(Titles(D * 2 + 1), D * 2 + 1);
    EXPECT_EQ(result.pages, 3);
    const QString folder = QDir(Dir()).filePath("printouts");
    const QStringList files = PdfFiles(folder);
    ASSERT_EQ(files.size(), 1) << "one printout, one file";
    EXPECT_EQ(PdfPagesText(files[0]).size(), 3) << "its pages in it";
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << "one box for the whole printout";
    const MsgBoxCall& box = MsgBoxLog::Get().Calls()[0];
    EXPECT_EQ(box.buttons, vbInformation);
    EXPECT_EQ(box.title, "提示");
    EXPECT_EQ(box.prompt,
              "本机没有可用的打印机，打印的3页已保存为PDF文件：\nStore-0001.pdf\n所在文件夹：" +
                  QDir::toNativeSeparators(folder));
}

// A database failure is told in its Chinese sentence; any other error, whose own text is the
// library's English, in a Chinese one.
TEST_F(ReportFixture, AFailingRowSourceEndsThePrintoutWithItsMessage) {
    const QString damaged = "数据库文件“" + DbPath() + "”已损坏，或者不是本程序能读的文件。";
    const std::vector<std::pair<std::function<void()>, QString>> failures{
        {[this] { throw SqliteError(nullptr, SQLITE_CORRUPT, DbPath()); }, damaged},
        {[] { throw std::runtime_error("vector::_M_range_check"); }, "程序运行出错。"},
    };
    for (const auto& [fail, told] : failures) {
        ForgetPrompts();
        ExcelReport report;
        ASSERT_TRUE(report.OpenTemplate("Store"));
        int given = 0;
        const RowSource rows = [&given, &fail = fail](ReportRow& row) {
            if (++given == 3) fail();
            row = {{Title(given)}};
            return true;
        };
        const PrintReportResult result = report.PrintReport(rows, N, D, K, "M");
        EXPECT_TRUE(result.failed);
        EXPECT_EQ(result.pages, 0);
        EXPECT_FALSE(report.IsOpen());
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "打印没有完成：" + told);
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
    }
}
