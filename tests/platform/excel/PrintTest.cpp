#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>

#include "platform/excel/Range.h"
#include "platform/excel/SheetRenderer.h"
#include "platform/excel/SheetUnits.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "tests/platform/excel/ExcelFixture.h"
#include "tests/platform/excel/ExcelTestKit.h"

namespace {
// Three frame pages stacked on the output sheet with a break after each.
std::unique_ptr<Workbook> ThreePages(const QString& templatePath) {
    auto book = Workbook::Open(templatePath);
    Worksheet& out = book->Worksheets(1);
    Worksheet& frame = book->Worksheets(2);
    out.Range("A1").SetColumnWidth(20);
    out.Range("B1").SetColumnWidth(10);
    out.Range("C1").SetColumnWidth(12);
    for (int p = 0; p < 3; ++p) {
        frame.Range("A1:C6").CopyTo(out.Cells(p * 6 + 1, 1));
        out.Cells(p * 6 + 4, 1).SetValue(QString("第%1页的影片").arg(p + 1));
        out.Cells(p * 6 + 4, 3).SetValue(9.5);
        out.Cells(p * 6 + 6, 1).SetValue(QString("第%1页").arg(p + 1));
        out.HPageBreaksAdd(out.Cells(p * 6 + 7, 1));
    }
    return book;
}

// x positions (pixels) where a dark vertical line crosses image row y.
std::vector<int> VerticalLines(const QImage& image, int y) {
    auto dark = [&image](int x, int yy) { return qGray(image.pixel(x, yy)) < 128; };
    std::vector<int> xs;
    if (y < 15 || y + 15 >= image.height()) return xs;
    for (int x = 0; x < image.width(); ++x) {
        bool line = true;
        for (int d = -15; d <= 15 && line; ++d) line = dark(x, y + d);
        if (line && (xs.empty() || x > xs.back() + 2)) xs.push_back(x);
    }
    return xs;
}
}  // namespace

TEST_F(ExcelFixture, PagesFollowManualBreaksAndThePrintArea) {
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    EXPECT_EQ(SheetRenderer(out).Pages(),
              (std::vector<CellRect>{{1, 1, 6, 3}, {7, 1, 12, 3}, {13, 1, 18, 3}}));

    out.VPageBreaksAdd(out.Range("B1"));
    EXPECT_EQ(SheetRenderer(out).Pages().size(), 6u) << "a vertical break splits every band";

    out.SetPrintArea("$A$7:$B$12");
    EXPECT_EQ(SheetRenderer(out).Pages(), (std::vector<CellRect>{{7, 1, 12, 1}, {7, 2, 12, 2}}));

    // Rows that do not fit on the paper go on to the next page by themselves.
    out.SetPrintArea("");
    out.Range("A1:A18").SetRowHeight(200);
    const auto pages = SheetRenderer(out).Pages();
    EXPECT_GT(pages.size(), 6u);
    for (const CellRect& p : pages) EXPECT_LE(p.Rows(), 3);
}

TEST_F(ExcelFixture, PrintOutWritesOneJobWithEveryPage) {
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    const PrintOutcome outcome = book->Worksheets(1).PrintOut();
    EXPECT_TRUE(outcome.toFile);
    EXPECT_FALSE(outcome.noPrinter) << "jobs sent to files on purpose stand in for no printer";
    EXPECT_EQ(outcome.pages, 3);
    ASSERT_EQ(PdfFiles(PdfDir()), QStringList{outcome.path});
    EXPECT_TRUE(outcome.path.endsWith("Frame-0001.pdf"));
    const QStringList pages = PdfPagesText(outcome.path);
    ASSERT_EQ(pages.size(), 3);
    for (int p = 0; p < 3; ++p) {
        EXPECT_TRUE(pages[p].contains("影片名称")) << pages[p].toStdString();
        EXPECT_TRUE(pages[p].contains(QString("第%1页的影片").arg(p + 1)))
            << pages[p].toStdString();
        EXPECT_TRUE(pages[p].contains(QString("第%1页").arg(p + 1)));
        EXPECT_TRUE(pages[p].contains("9.50")) << "numbers print in their cell's format";
    }
    // The next job gets a file of its own.
    EXPECT_TRUE(book->Worksheets(1).PrintOut().path.endsWith("Frame-0002.pdf"));
    EXPECT_EQ(book->Worksheets(2).PrintPreview().path.endsWith("Frame-preview-0001.pdf"), true);
}

TEST_F(ExcelFixture, PrintedColumnsHaveTheSheetsWidths) {
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    const PrintOutcome outcome = book->Worksheets(1).PrintOut();
    const int dpi = 144;
    const QImage page = PdfPageImage(outcome.path, 1, dpi);
    ASSERT_FALSE(page.isNull());

    // Find the bordered data row: the first image row crossed by four vertical lines.
    std::vector<int> lines;
    for (int y = 0; y < page.height() && lines.size() != 4; ++y) lines = VerticalLines(page, y);
    ASSERT_EQ(lines.size(), 4u);
    const double pixelsPerPoint = dpi / 72.0;
    const double widths[] = {20, 10, 12};
    for (int i = 0; i < 3; ++i) {
        const double expected =
            PointsFromFileWidth(FileWidthFromCharacters(widths[i])) * pixelsPerPoint;
        EXPECT_NEAR(lines[i + 1] - lines[i], expected, 3.0) << "column " << i;
    }
    // The page is centred between its margins.
    const double left = lines.front(), right = page.width() - lines.back();
    EXPECT_NEAR(left, right, 4.0);
}

// A text wider than its column, with no empty neighbour to run on over, prints smaller
// rather than cut at the column's edges; one with room beside it keeps its size.
TEST_F(ExcelFixture, APrintedTextIsNeverCutAtItsCell) {
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    const QString wide = "20261201001-20261201001";
    out.Cells(4, 2).SetValue(wide);   // between two full cells
    out.Cells(10, 1).SetValue(wide);  // B10 is empty: it runs on over it
    const PrintOutcome outcome = out.PrintOut();
    const std::vector<PdfWord> words = PdfWords(outcome.path, 1);
    EXPECT_TRUE(OverlappingWords(words).isEmpty())
        << OverlappingWords(words).join(", ").toStdString();
    const auto at =
        std::find_if(words.begin(), words.end(), [&](const PdfWord& w) { return w.text == wide; });
    ASSERT_NE(at, words.end()) << "the whole text is on the page";

    const int dpi = 144;
    const double k = dpi / 72.0;
    const QImage page = PdfPageImage(outcome.path, 1, dpi);
    const std::vector<int> lines = VerticalLines(page, static_cast<int>(at->box.center().y() * k));
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_GE(at->box.left() * k, lines[1] - 1.0);
    EXPECT_LE(at->box.right() * k, lines[2] + 1.0) << "drawn inside column B";

    const std::vector<PdfWord> second = PdfWords(outcome.path, 2);
    const auto over = std::find_if(second.begin(), second.end(),
                                   [&](const PdfWord& w) { return w.text == wide; });
    ASSERT_NE(over, second.end());
    EXPECT_GT(over->box.width(), at->box.width() * 1.5) << "at its own size over the empty B10";
}

TEST_F(ExcelFixture, WithoutAPrinterPagesGoToTheProgramsFolder) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    SetPrintToPdfDir(QString());
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    const PrintOutcome outcome = book->Worksheets(1).PrintOut();
    EXPECT_TRUE(outcome.toFile);
    EXPECT_EQ(QFileInfo(outcome.path).absolutePath(), QDir(Dir()).filePath("printouts"));
    EXPECT_EQ(PdfPagesText(outcome.path).size(), 3);

    EXPECT_TRUE(outcome.noPrinter) << "the caller must learn the file stands in for a printer";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty()) << "telling the operator is the caller's part";
}

TEST_F(ExcelFixture, AnEmptySheetPrintsNothing) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    const PrintOutcome outcome = book->Worksheets(1).PrintOut();
    EXPECT_EQ(outcome.pages, 0);
    EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
}

TEST_F(ExcelFixture, PreviewShowsTheSheetsPagesInAWindow) {
    SetPrintToPdfDir(QString());
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    QString shownTitle;
    QTimer::singleShot(0, [&shownTitle] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            shownTitle = dialog->windowTitle();
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(dialog))
                preview->reject();
            else
                dialog->close();
        }
    });
    const PrintOutcome outcome = book->Worksheets(1).PrintPreview();
    EXPECT_EQ(shownTitle, "打印预览");
    EXPECT_EQ(outcome.pages, 3);
    EXPECT_FALSE(outcome.toFile);
    EXPECT_TRUE(PdfFiles(PdfDir()).isEmpty());
}

// The preview speaks Chinese; a preview without changes (the member card's) has no page
// setup and no orientation buttons, the others all of the preview's buttons.
TEST_F(ExcelFixture, APreviewWithoutChangesOffersNoPageSetupAndNoOrientation) {
    SetPrintToPdfDir(QString());
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    const QStringList changes{"打印设置", "纵向", "横向"};
    for (const bool enableChanges : {true, false}) {
        QStringList shown;
        WhenShown<QPrintPreviewDialog>(
            [&](QPrintPreviewDialog& preview) { shown = ShownToolButtons(&preview); });
        book->Worksheets(1).PrintPreview(enableChanges);
        EXPECT_TRUE(shown.contains("打印")) << shown.join(" | ").toStdString();
        EXPECT_TRUE(shown.contains("适应宽度")) << shown.join(" | ").toStdString();
        for (const QString& change : changes)
            EXPECT_EQ(shown.contains(change), enableChanges) << change.toStdString();
        for (const QString& text : shown)
            EXPECT_FALSE(text.contains(QRegularExpression("[A-Za-z]{2,}"))) << text.toStdString();
    }
}

// Printing from the preview on a machine without a printer writes a PDF file, which Qt's
// print dialog names; choosing a file that is there already, the dialog's own question reads
// in Chinese, and No writes nothing.
TEST_F(ExcelFixture, PrintingFromThePreviewOverAnExistingFileAsksInChinese) {
    if (!QPrinterInfo::availablePrinters().isEmpty()) GTEST_SKIP() << "this machine has a printer";
    SetPrintToPdfDir(QString());
    auto book = ThreePages(WriteTemplate(FrameSpec()));
    const QString existing = QDir(Dir()).filePath("card.pdf");
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("the earlier card");
    file.close();
    QString dialogTitle, question;
    WhenShown<QPrintPreviewDialog>([&](QPrintPreviewDialog& preview) {
        WhenShown<QPrintDialog>([&](QPrintDialog& dialog) {
            dialogTitle = dialog.windowTitle();
            auto* name = dialog.findChild<QLineEdit*>("filename");
            auto* buttons = dialog.findChild<QDialogButtonBox*>();
            ASSERT_TRUE(name && buttons);
            ASSERT_TRUE(name->isEnabled()) << "without a printer the pages go to a file";
            WhenShown<QMessageBox>([&](QMessageBox& box) {
                question = box.text();
                box.button(QMessageBox::No)->click();
            });
            name->setText(existing);
            buttons->button(QDialogButtonBox::Ok)->click();  // asks; on No the dialog stays
        });
        for (QAction* action : preview.findChildren<QAction*>())
            if (action->text() == "打印") action->trigger();
    });
    book->Worksheets(1).PrintPreview(false);
    EXPECT_EQ(dialogTitle, "打印");
    EXPECT_EQ(question, existing + " 已存在。\n您想要覆盖它吗？");
    QFile after(existing);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), "the earlier card");
}
