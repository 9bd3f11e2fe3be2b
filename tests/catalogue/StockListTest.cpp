#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>

#include "catalogue/CataloguePage.h"
#include "catalogue/StockList.h"
#include "catalogue/frmSelPrint.h"
#include "platform/excel/SheetPrinter.h"
#include "tests/catalogue/SettingsFixture.h"

namespace {
// The text of a PDF (of its page, counted from 1) as poppler reads it, one line per sheet row.
QString PdfText(const QString& pdf, int page = 0) {
    QStringList args{"-layout", pdf, "-"};
    if (page > 0)
        args = QStringList{"-f", QString::number(page), "-l", QString::number(page)} + args;
    QProcess p;
    p.start("pdftotext", args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The line of text on which each of the words first stands, in page order (blank lines
// between the rows not counted).
std::vector<int> LinesOf(const QString& text, const QStringList& words) {
    QStringList lines = text.split('\n');
    lines.removeIf([](const QString& line) { return line.trimmed().isEmpty(); });
    std::vector<int> out;
    int from = 0;
    for (const QString& w : words) {
        int found = -1;
        for (int i = from; i < lines.size() && found < 0; ++i)
            if (lines[i].contains(w)) found = i;
        out.push_back(found);
        if (found >= 0) from = found + 1;
    }
    return out;
}

QString CellText(const ReportCell& cell) {
    return cell.value.toString();
}

// Where the word stands on page 1, in points, each time it occurs.
std::vector<QRectF> WordBoxes(const QString& pdf, const QString& word) {
    QProcess p;
    p.start("pdftotext", {"-bbox", "-f", "1", "-l", "1", pdf, "-"});
    p.waitForFinished(60000);
    const QString html = QString::fromUtf8(p.readAllStandardOutput());
    const QRegularExpression re(
        "<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">" +
        QRegularExpression::escape(word) + "</word>");
    std::vector<QRectF> out;
    for (auto it = re.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        out.emplace_back(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                         QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()));
    }
    return out;
}

// Page 1 rendered at dpi.
QImage PageImage(const QString& pdf, int dpi) {
    QTemporaryDir dir;
    QProcess p;
    p.start("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", "1", "-l", "1", "-singlefile",
                         pdf, dir.filePath("page")});
    p.waitForFinished(60000);
    return QImage(dir.filePath("page.png"));
}

// Dark pixels inside a box given in points.
int Ink(const QImage& image, const QRectF& points, int dpi) {
    const QRect r =
        QRectF(points.topLeft() * dpi / 72.0, points.bottomRight() * dpi / 72.0).toAlignedRect();
    int dark = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if (image.valid(x, y) && qGray(image.pixel(x, y)) < 128) ++dark;
    return dark;
}
}  // namespace

class StockListTest : public SettingsFixture {
  protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        QDir().mkpath(SupportDir());
        const QDir shipped(QStringLiteral(LUMTRAK_SOURCE_DIR "/support"));
        ASSERT_TRUE(
            QFile::copy(shipped.filePath("Store.xltx"), QDir(SupportDir()).filePath("Store.xltx")));
        SetPrintToPdfDir(PdfDir());
        Sql("insert into type values (1, 'DVD'), (2, 'VCD');"
            "insert into movietype values (1, '动作'), (2, '喜剧')");
    }
    void TearDown() override {
        if (frmSelPrint::isLoaded()) delete &frmSelPrint::instance();
        SetPrintToPdfDir(QString());
        SettingsFixture::TearDown();
    }

    QString SupportDir() const { return QDir(Dir()).filePath("support"); }
    QString PdfDir() const { return QDir(Dir()).filePath("pdf"); }
    QStringList Pdfs() const {
        QStringList out;
        for (const QString& f : QDir(PdfDir()).entryList({"*.pdf"}, QDir::Files, QDir::Name))
            out << QDir(PdfDir()).filePath(f);
        return out;
    }

    // Two DVD titles of different movie types and a VCD title.
    void ThreeTitles() {
        AddTitle({"010100000001", "英雄", "DVD", "动作", 3, 25, 3, 30});
        AddTitle({"020200000001", "大话西游", "VCD", "喜剧", 1, 8, 1.5, 12});
        AddTitle({"010200000001", "功夫", "DVD", "喜剧", 2, 22.5, 2.5, 28});
    }
    void Titles(int count, const QString& type) {
        for (int i = 1; i <= count; ++i)
            AddTitle(
                {QString("%1%2").arg(type == "DVD" ? "0101" : "0201").arg(i, 8, 10, QChar('0')),
                 QString("%1影片%2").arg(type).arg(i, 2, 10, QChar('0')), type, "动作"});
    }

    static std::vector<ReportRow> AllRows(StockList& list) {
        std::vector<ReportRow> rows;
        ReportRow row;
        while (list.Next(row) && rows.size() < 1000) rows.push_back(row);
        return rows;
    }

    // The operator opens the dialog from the catalogue page and prints.
    frmSelPrint& PrintFromCatalogue(int option = 0) {
        if (!Loaded()) LoadPages();
        Host().EnableEntry();
        CatalogueTab().CmdPrintStore->click();
        Settle();
        frmSelPrint& dialog = frmSelPrint::instance();
        dialog.Option1[option]->setChecked(true);
        return dialog;
    }
};

TEST_F(StockListTest, EachGroupIsFollowedByItsBoldSubtotal) {
    ThreeTitles();
    StockList list(StockList::ByFormat, "全部", "全部");
    list.Open();
    EXPECT_EQ(list.TitleCount(), 3);
    const std::vector<ReportRow> rows = AllRows(list);
    ASSERT_EQ(rows.size(), 5u);
    QStringList firstColumn;
    for (const ReportRow& r : rows) firstColumn << CellText(r[0]);
    EXPECT_EQ(firstColumn, (QStringList{"英雄", "功夫", "合计", "大话西游", "合计"}));

    // A title's row: the fields as they are, the summed cells and the name not bold.
    const ReportRow& title = rows[0];
    ASSERT_EQ(title.size(), 12u);
    EXPECT_EQ(title[1].value, QVariant(qint64(3)));
    EXPECT_EQ(CellText(title[2]), "香港");
    EXPECT_EQ(CellText(title[3]), "DVD");
    EXPECT_EQ(CellText(title[4]), "动作");
    EXPECT_EQ(title[5].value, QVariant(25.0));
    EXPECT_EQ(title[6].value, QVariant(QDate(2004, 3, 5))) << "a date stays a date";
    EXPECT_EQ(title[8].value, QVariant(30.0));
    EXPECT_EQ(CellText(title[11]), "A架");
    for (int c : {0, 1, 5, 7, 8, 9, 10}) EXPECT_EQ(title[c].bold, std::optional<bool>(false)) << c;
    for (int c : {2, 3, 4, 6, 11}) EXPECT_FALSE(title[c].bold.has_value()) << c;

    // The subtotal: copies and per-copy prices summed, not multiplied by the copies.
    const ReportRow& dvd = rows[2];
    const double expected[12] = {0, 5, 0, 0, 0, 47.5, 0, 5.5, 58, 5.5, 58, 0};
    for (int c : {1, 5, 7, 8, 9, 10}) {
        EXPECT_DOUBLE_EQ(dvd[c].value.toDouble(), expected[c]) << c;
        EXPECT_EQ(dvd[c].bold, std::optional<bool>(true)) << c;
    }
    EXPECT_EQ(dvd[0].bold, std::optional<bool>(true));
    for (int c : {2, 3, 4, 6, 11}) EXPECT_FALSE(dvd[c].value.isValid()) << c;
    EXPECT_DOUBLE_EQ(rows[4][8].value.toDouble(), 12) << "the sums start again for each group";

    ReportRow after;
    EXPECT_FALSE(list.Next(after));
}

TEST_F(StockListTest, NoTitleGivesOneSubtotalOfZeros) {
    AddTitle({"010100000001", "全卖了", "DVD", "动作", 1, 10, 1, 10, 2});
    StockList list(StockList::ByMovieType, "全部", "全部");
    list.Open();
    EXPECT_EQ(list.TitleCount(), 0) << "a title sold out is left out";
    const std::vector<ReportRow> rows = AllRows(list);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(CellText(rows[0][0]), "合计");
    for (int c : {1, 5, 7, 8, 9, 10}) EXPECT_DOUBLE_EQ(rows[0][c].value.toDouble(), 0) << c;
}

// Prices summed in binary are written to the cent: 0.1 + 0.2 is 0.3 and 12.2 + 36.4 is 48.6
// in the subtotal's cells, not 0.30000000000000004 and 48.599999999999994.
TEST_F(StockListTest, ASubtotalIsWrittenToTheCent) {
    AddTitle({"010100000001", "一", "DVD", "动作", 1, 0.1, 12.2, 0.1});
    AddTitle({"010100000002", "二", "DVD", "动作", 1, 0.2, 36.4, 0.2});
    StockList list(StockList::ByFormat, "全部", "全部");
    list.Open();
    const std::vector<ReportRow> rows = AllRows(list);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[2][5].value, QVariant(0.3));
    EXPECT_EQ(rows[2][7].value, QVariant(48.6));
    EXPECT_EQ(rows[2][8].value, QVariant(0.3));
}

TEST_F(StockListTest, TheCatalogueFiltersAndTheGroupingMakeTheStatement) {
    StockList all(StockList::ByFormat, "全部", "全部");
    EXPECT_EQ(all.Sql(), "select * from cdinfo where issell<2 order by type");
    EXPECT_TRUE(all.Parameters().empty());
    ThreeTitles();
    AddTitle({"010100000002", "卖了一张", "DVD", "动作", 2, 10, 1, 10, 1});
    StockList byType(StockList::ByMovieType, "动作", "全部");
    byType.Open();
    EXPECT_EQ(byType.TitleCount(), 2) << "a partly sold title is listed";
}

TEST_F(StockListTest, ThePrintoutOfThreeTitlesOfTwoFormats) {
    ThreeTitles();
    frmSelPrint& dialog = PrintFromCatalogue();
    EXPECT_EQ(dialog.windowTitle(), "选择打印格式");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.parentWidget(), &Host()) << "owned by the main window";
    dialog.Command1->click();
    Settle();
    EXPECT_FALSE(frmSelPrint::isLoaded()) << "the dialog unloads when the pages are out";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());

    const QStringList jobs = Pdfs();
    ASSERT_EQ(jobs.size(), 1);
    const QString text = PdfText(jobs[0]);
    for (const char* expected :
         {"库存光盘状况", "光盘个数：3", "打印日期：2026年12月8日", "第1页", "47.50", "58.00"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    // Rows 4 and 5 the DVD titles, 6 their subtotal, 7 the VCD title, 8 its subtotal, each
    // on the line after the one before.
    const std::vector<int> lines =
        LinesOf(text, {"影片名称", "英雄", "功夫", "合计", "大话西游", "合计", "第1页"});
    for (size_t i = 1; i < lines.size(); ++i) EXPECT_GT(lines[i], lines[i - 1]) << i;
    EXPECT_EQ(lines[5] - lines[1], 4) << "five rows one under the other\n" << text.toStdString();
}

TEST_F(StockListTest, SubtotalRowsPrintBold) {
    AddTitle({"010100000001", "合计", "DVD", "动作", 3, 25, 3, 30});  // a title of that name
    PrintFromCatalogue().Command1->click();
    Settle();
    ASSERT_EQ(Pdfs().size(), 1);
    const std::vector<QRectF> boxes = WordBoxes(Pdfs()[0], "合计");
    ASSERT_EQ(boxes.size(), 2u);
    const QImage page = PageImage(Pdfs()[0], 200);
    ASSERT_FALSE(page.isNull());
    const int title = Ink(page, boxes[0], 200), subtotal = Ink(page, boxes[1], 200);
    EXPECT_GT(subtotal, title * 1.15) << "title " << title << ", subtotal " << subtotal;
}

TEST_F(StockListTest, TwentyOneRowsFillAPageAndTheTwentySecondStartsTheNext) {
    Titles(20, "DVD");  // 20 titles and their subtotal: one full page
    PrintFromCatalogue().Command1->click();
    Settle();
    ASSERT_EQ(Pdfs().size(), 1u);
    EXPECT_TRUE(PdfText(Pdfs()[0]).contains("第1页"));

    QDir(PdfDir()).removeRecursively();
    Titles(1, "VCD");  // row 22 is the VCD title, on page 2 with its subtotal
    PrintFromCatalogue().Command1->click();
    Settle();
    const QStringList jobs = Pdfs();
    ASSERT_EQ(jobs.size(), 1) << "one printout, one file";
    const QString first = PdfText(jobs[0], 1), second = PdfText(jobs[0], 2);
    EXPECT_TRUE(first.contains("第1页"));
    EXPECT_TRUE(first.contains("DVD影片20"));
    EXPECT_TRUE(first.contains("合计"));
    EXPECT_FALSE(first.contains("VCD影片01"));
    EXPECT_TRUE(second.contains("第2页"));
    EXPECT_TRUE(second.contains("库存光盘状况")) << "every page has its head";
    EXPECT_TRUE(second.contains("光盘个数：21"));
    EXPECT_TRUE(second.contains("VCD影片01"));
    EXPECT_FALSE(second.contains("DVD影片")) << "page 2 starts on a fresh frame";
    const std::vector<int> lines = LinesOf(second, {"VCD影片01", "合计"});
    EXPECT_EQ(lines[1] - lines[0], 1);
}

TEST_F(StockListTest, ASubtotalMayOpenAPageAndTheFiltersOfTheCatalogueApply) {
    Titles(21, "DVD");
    Titles(3, "VCD");
    LoadPages();
    CatalogueTab().CboManageType->setCurrentText("DVD");
    frmSelPrint& dialog = PrintFromCatalogue(1);  // by movie type: one group
    dialog.Command1->click();
    Settle();
    const QStringList jobs = Pdfs();
    ASSERT_EQ(jobs.size(), 1);
    const QString second = PdfText(jobs[0], 2);
    EXPECT_TRUE(second.contains("合计"));
    EXPECT_TRUE(second.contains("光盘个数：21"));
    EXPECT_FALSE(second.contains("DVD影片")) << "the subtotal alone on page 2";
    EXPECT_FALSE(PdfText(jobs[0], 1).contains("VCD"));
}

TEST_F(StockListTest, AMissingTemplateIsToldAndTheDialogStays) {
    ThreeTitles();
    ASSERT_TRUE(QFile::remove(QDir(SupportDir()).filePath("Store.xltx")));
    frmSelPrint& dialog = PrintFromCatalogue();
    dialog.Command1->click();
    Settle();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
              "丢失" + QDir::toNativeSeparators(SupportDir() + "/Store.xltx") + "模板");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    ASSERT_TRUE(frmSelPrint::isLoaded());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_FALSE(frmSelPrint::IsPrinting());
    EXPECT_TRUE(Pdfs().isEmpty());

    dialog.Command2->click();  // "取消(&C)"
    Settle();
    EXPECT_FALSE(frmSelPrint::isLoaded());
}

TEST_F(StockListTest, WhilePrintingNoSecondRunStartsAndClosingTheProgramStopsIt) {
    Titles(30, "DVD");
    frmSelPrint& dialog = PrintFromCatalogue();
    bool checked = false;
    QTimer::singleShot(0, [&] {
        // The first yield of the run, before its first row.
        EXPECT_TRUE(frmSelPrint::IsPrinting());
        EXPECT_FALSE(dialog.isVisible()) << "hidden while the pages print";
        dialog.Command1_Click();
        CatalogueTab().CmdPrintStore->click();
        EXPECT_FALSE(dialog.isVisible()) << "the print button does not bring it back";
        EXPECT_FALSE(frmSelPrint::unload()) << "it stays until the run ends";
        gExiting = true;  // the main window is closing
        checked = true;
    });
    dialog.Command1->click();
    Settle();
    EXPECT_TRUE(checked);
    EXPECT_FALSE(frmSelPrint::IsPrinting());
    EXPECT_FALSE(frmSelPrint::isLoaded()) << "the run stopped and the dialog unloaded";
    EXPECT_TRUE(Pdfs().isEmpty()) << "stopped before its first page was printed";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}
