#include <sys/resource.h>

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <csignal>

#include "platform/excel/ExcelError.h"
#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/excel/ZipPackage.h"
#include "tests/platform/excel/ExcelFixture.h"
#include "tests/platform/excel/ExcelTestKit.h"

namespace {
// Lays three pages of the frame on the output sheet, one under the other, as the
// export of a report does, with a page break after each and a vertical one after C.
void LayThreePages(Workbook& book) {
    Worksheet& out = book.Worksheets(1);
    Worksheet& frame = book.Worksheets(2);
    frame.Range("A1").SetValue("本店光盘报表");
    out.Range("A1").SetColumnWidth(20.63);
    out.Range("B1").SetColumnWidth(5.5);
    out.Range("C1").SetColumnWidth(8.13);
    for (int p = 0; p < 3; ++p) {
        const int top = p * 6;
        out.HPageBreaksAdd(out.Cells(top + 7, 4));
        out.VPageBreaksAdd(out.Cells(top + 7, 4));
        frame.Range("A1", "C6").CopyTo(out.Range(CellName(top + 1, 1)));
        out.Range(CellName(top + 1, 1), CellName(top + 1, 3)).SetRowHeight(33);
        out.Range(CellName(top + 4, 1), CellName(top + 6, 3)).SetRowHeight(21.5);
        out.Range(CellName(top + 6, 1)).SetValue(QString("第%1页").arg(p + 1));
        out.Cells(top + 4, 1).SetValue(QString("影片%1").arg(p + 1));
        out.Cells(top + 4, 2).SetValue(p + 1.0);
        out.Cells(top + 4, 3).SetValue(12.5 * (p + 1));
    }
    out.Cells(5, 1).SetValue("合计");
    out.Cells(5, 1).SetBold(true);
    out.Cells(11, 2).SetValue(QDate(2024, 3, 5));
    out.Cells(11, 3).SetValue(QDateTime(QDate(2024, 3, 5), QTime(14, 30, 0)));
    out.SetPrintArea("$A$1:$C$18");
}
}  // namespace

TEST_F(ExcelFixture, FilledFramePagesReadBackWithAnIndependentReader) {
    const QString templatePath = WriteTemplate(FrameSpec());
    const QByteArray templateBefore = Bytes(templatePath);
    auto book = Workbook::Open(templatePath);
    LayThreePages(*book);
    const QString saved = PathOf("out.xlsx");
    book->SaveAs(saved);
    book->Close();

    EXPECT_EQ(Bytes(templatePath), templateBefore) << "the template must never be written";

    const QJsonObject read = ReadWithOpenpyxl(saved);
    ASSERT_FALSE(read.contains("error")) << read["error"].toString().toStdString();
    const QJsonObject out = SheetOf(read, 0);
    const QJsonObject cells = out["cells"].toObject();
    // Every page has the frame (title, headings) and its own rows and footer.
    for (int p = 0; p < 3; ++p) {
        const int top = p * 6;
        EXPECT_EQ(cells[CellName(top + 1, 1)].toString(), "本店光盘报表");
        EXPECT_EQ(cells[CellName(top + 3, 2)].toString(), "数量");
        EXPECT_EQ(cells[CellName(top + 4, 1)].toString(), QString("影片%1").arg(p + 1));
        EXPECT_DOUBLE_EQ(cells[CellName(top + 4, 2)].toDouble(), p + 1.0);
        EXPECT_DOUBLE_EQ(cells[CellName(top + 4, 3)].toDouble(), 12.5 * (p + 1));
        EXPECT_EQ(cells[CellName(top + 6, 1)].toString(), QString("第%1页").arg(p + 1));
    }
    EXPECT_EQ(cells["A2"].toString(), "合计：");
    EXPECT_EQ(cells["A5"].toString(), "合计");
    EXPECT_EQ(cells["B11"].toString(), "2024-03-05T00:00:00");
    EXPECT_EQ(cells["C11"].toString(), "2024-03-05T14:30:00");

    const QJsonArray bold = out["bold"].toArray();
    EXPECT_TRUE(bold.contains("A5"));
    EXPECT_TRUE(bold.contains("A7")) << "the frame's bold title comes with the copy";
    EXPECT_TRUE(bold.contains("C15"));
    EXPECT_FALSE(bold.contains("A4"));

    const QJsonObject widths = out["widths"].toObject();
    EXPECT_NEAR(widths["A"].toDouble(), StoredWidth(20.63), 1e-6);
    EXPECT_NEAR(widths["B"].toDouble(), StoredWidth(5.5), 1e-6);
    EXPECT_NEAR(widths["C"].toDouble(), StoredWidth(8.13), 1e-6);
    const QJsonObject heights = out["heights"].toObject();
    EXPECT_DOUBLE_EQ(heights["13"].toDouble(), 33);
    EXPECT_DOUBLE_EQ(heights["17"].toDouble(), 21.5);

    QStringList merges;
    for (const auto& m : out["merges"].toArray()) merges << m.toString();
    EXPECT_EQ(merges, QStringList({"A12:C12", "A13:C13", "A18:C18", "A1:C1", "A6:C6", "A7:C7"}));
    EXPECT_EQ(out["row_breaks"].toArray(), QJsonArray({6, 12, 18}));
    EXPECT_EQ(out["col_breaks"].toArray(), QJsonArray({3}));
    EXPECT_TRUE(out["print_area"].toString().endsWith("$A$1:$C$18"))
        << out["print_area"].toString().toStdString();

    // The frame sheet keeps the title written into it.
    EXPECT_EQ(SheetOf(read, 1)["cells"].toObject()["A1"].toString(), "本店光盘报表");

    // A workbook, no longer a template.
    const QByteArray types = ZipPackage::Read(saved).Part("[Content_Types].xml");
    EXPECT_TRUE(types.contains("spreadsheetml.sheet.main+xml"));
    EXPECT_FALSE(types.contains("template.main+xml"));
}

TEST_F(ExcelFixture, SavedWorkbookOpensAgainWithWhatWasWritten) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    LayThreePages(*book);
    // The characters XML reserves come back as written; a control character is left out.
    book->Worksheets(1).Range("E20").SetValue(QStringLiteral(" 甲&乙<丙>\"丁\x01戊 "));
    book->SaveAs(PathOf("again.xlsx"));
    auto again = Workbook::Open(PathOf("again.xlsx"));
    Worksheet& out = again->Worksheets(1);
    EXPECT_EQ(out.Range("E20").Text(), QStringLiteral(" 甲&乙<丙>\"丁戊 "));
    EXPECT_EQ(out.Range("A16").Value().toString(), "影片3");
    EXPECT_EQ(out.Range("B11").Value().toDate(), QDate(2024, 3, 5));
    EXPECT_EQ(out.Range("C11").Value().toDateTime(), QDateTime(QDate(2024, 3, 5), QTime(14, 30)));
    EXPECT_EQ(out.Range("C4").Text(), "12.50") << "the frame's number format came with the copy";
    EXPECT_TRUE(out.Range("A5").Bold());
    EXPECT_TRUE(out.Range("B13").MergeCells());
    EXPECT_NEAR(out.Range("A1").ColumnWidth(), 20.63, 1e-9);
    EXPECT_DOUBLE_EQ(out.Range("A13").RowHeight(), 33);
    EXPECT_EQ(out.HPageBreaks(), (std::vector<int>{7, 13, 19}));
    EXPECT_EQ(out.PrintArea(), (CellRect{1, 1, 18, 3}));
}

TEST_F(ExcelFixture, CopyReplacesWhatStoodInTheCoveredCells) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    Worksheet& frame = book->Worksheets(2);
    out.Range("A1:C6").SetValue("旧");
    out.Range("B4:D5").Merge();
    out.Range("A1:C6").SetBold(true);
    frame.Range("A1:C6").CopyTo(out.Range("A1"));

    EXPECT_EQ(out.Range("A1").Value().toString(), "标题");
    EXPECT_FALSE(out.Range("A4").Value().isValid())
        << "an empty frame cell empties the page's cell";
    EXPECT_FALSE(out.Range("B2").Value().isValid());
    EXPECT_FALSE(out.Range("A4").Bold());
    EXPECT_FALSE(out.Range("C5").MergeCells()) << "a merge overlapping the pasted area goes";
    EXPECT_TRUE(out.Range("B1").MergeCells());

    // A copy onto an overlapping place of the same sheet reads before it writes.
    frame.Range("A3:C4").CopyTo(frame.Range("A4"));
    EXPECT_EQ(frame.Range("B4").Value().toString(), "数量");
    EXPECT_EQ(frame.Range("B3").Value().toString(), "数量");
}

// Tens of thousands of texts, many repeated, written into cells in no column order (some
// between cells already there) and pasted frames beside them: every cell reads back as
// written after a save, and each text is stored once.
TEST_F(ExcelFixture, ManyTextsInAnyColumnOrderComeBackAsWrittenAndEachIsStoredOnce) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    Worksheet& frame = book->Worksheets(2);
    const int rows = 4000;
    const int columns[] = {7, 4, 9, 5, 8, 6};  // D to I, each after a later column
    auto text = [](int row, int column) {
        return column % 2 ? QString("顾客%1").arg(row * 7 + column) : QString::number(row % 50);
    };
    for (int r = 1; r <= rows; ++r) {
        for (int c : columns) out.Cells(r, c).SetValue(text(r, c));
        if (r % 100 == 1) frame.Range("A1:C6").CopyTo(out.Cells(r, 1));  // before them
    }
    book->SaveAs(PathOf("many.xlsx"));
    QSet<QString> distinct;
    for (int r = 1; r <= rows; ++r)
        for (int c : columns) distinct.insert(text(r, c));

    auto again = Workbook::Open(PathOf("many.xlsx"));
    Worksheet& read = again->Worksheets(1);
    for (int r = 1; r <= rows; ++r)
        for (int c : columns)
            ASSERT_EQ(read.Cells(r, c).Value().toString(), text(r, c)) << r << "," << c;
    EXPECT_EQ(read.Range("A101").Value().toString(), "标题") << "a pasted frame beside them";
    EXPECT_TRUE(read.Range("B101").MergeCells());
    const QString strings =
        QString::fromUtf8(ZipPackage::Read(PathOf("many.xlsx")).Part("xl/sharedStrings.xml"));
    QStringList stored;
    static const QRegularExpression entry("<si><t[^>]*>([^<]*)</t></si>");
    for (auto m = entry.globalMatch(strings); m.hasNext();) stored << m.next().captured(1);
    const QSet<QString> storedSet(stored.begin(), stored.end());
    EXPECT_EQ(storedSet.size(), stored.size()) << "no text is stored twice";
    EXPECT_TRUE(storedSet.contains(distinct));
    EXPECT_LE(stored.size(), distinct.size() + 6) << "the written texts and the frame's";
}

TEST_F(ExcelFixture, RangeWritesTheSameValueIntoEachCell) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    out.Range("F7:I7").SetValue("000123");
    for (const char* ref : {"F7", "G7", "H7", "I7"})
        EXPECT_EQ(out.Range(ref).Value().toString(), "000123") << ref;
    EXPECT_FALSE(out.Range("J7").Value().isValid());
    out.Range("F7", "G8").ClearContents();
    EXPECT_FALSE(out.Range("G7").Value().isValid());
    EXPECT_EQ(out.Range("H7").Value().toString(), "000123");
}

TEST_F(ExcelFixture, BadRequestsAreRefusedInChinese) {
    auto book = Workbook::Open(WriteTemplate(FrameSpec()));
    Worksheet& out = book->Worksheets(1);
    try {
        book->Worksheets(3);
        FAIL() << "a third sheet does not exist";
    } catch (const ExcelError& e) {
        EXPECT_TRUE(e.Message().contains("第3张工作表")) << e.Message().toStdString();
    }
    EXPECT_THROW(out.Range("A0"), ExcelError);
    EXPECT_THROW(out.Range("1A:B2"), ExcelError);
    EXPECT_THROW(out.Cells(0, 1), ExcelError);
    EXPECT_THROW(out.Range("A1").SetRowHeight(410), ExcelError);
    EXPECT_THROW(out.Range("A1").SetColumnWidth(-1), ExcelError);
    EXPECT_THROW(out.Range("A1").SetValue(std::nan("")), ExcelError);
    EXPECT_THROW(out.Range("A1").SetValue(QDate(1899, 1, 1)), ExcelError);
    EXPECT_THROW(book->Worksheets(2).Range("A1:C6").CopyTo(out.Range("A1048575")), ExcelError);

    QFile junk(PathOf("junk.xltx"));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write("not a workbook");
    junk.close();
    try {
        Workbook::Open(PathOf("junk.xltx"));
        FAIL();
    } catch (const ExcelError& e) {
        EXPECT_TRUE(e.Message().contains("不是工作簿文件")) << e.Message().toStdString();
    }
    EXPECT_THROW(Workbook::Open(PathOf("missing.xltx")), ExcelError);
}

TEST_F(ExcelFixture, SaveNeverReplacesTheTemplateNorLeavesAHalfFile) {
    const QString templatePath = WriteTemplate(FrameSpec());
    const QByteArray templateBefore = Bytes(templatePath);
    auto book = Workbook::Open(templatePath);
    LayThreePages(*book);
    EXPECT_THROW(book->SaveAs(templatePath), ExcelError);
    EXPECT_EQ(Bytes(templatePath), templateBefore);

    // An earlier export stays as it was when the new one cannot be written completely.
    const QString target = PathOf("earlier.xlsx");
    QFile earlier(target);
    ASSERT_TRUE(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier export");
    earlier.close();
    for (int r = 1; r <= 3000; ++r)
        book->Worksheets(1).Cells(r, 5).SetValue(QString("行%1的文字").arg(r * 7919));
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;  // the new file cannot grow past 4 KB
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(book->SaveAs(target), ExcelError);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Bytes(target), QByteArray("earlier export"));
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files | QDir::Hidden).size(), 2)
        << "no temporary file is left behind";

    book->SaveAs(target);
    EXPECT_TRUE(ReadWithOpenpyxl(target)["sheets"].isArray());
}

TEST_F(ExcelFixture, ClosingWithoutSavingWritesNothing) {
    const QString templatePath = WriteTemplate(FrameSpec());
    const QByteArray templateBefore = Bytes(templatePath);
    auto book = Workbook::Open(templatePath);
    Worksheet& out = book->Worksheets(1);
    LayThreePages(*book);
    book->Close();
    EXPECT_FALSE(book->IsOpen());
    EXPECT_THROW(book->Worksheets(1), ExcelError);
    EXPECT_THROW(book->SaveAs(PathOf("late.xlsx")), ExcelError);
    EXPECT_FALSE(out.Range("A1").Value().isValid()) << "a closed workbook's sheet holds nothing";
    EXPECT_EQ(QDir(Dir()).entryList(QDir::Files), QStringList{"Frame.xltx"});
    EXPECT_EQ(Bytes(templatePath), templateBefore);
}
