#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QTemporaryDir>

#include "platform/excel/SheetRenderer.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/excel/ZipPackage.h"
#include "tests/platform/excel/ExcelTestKit.h"
#include "tools/templates/TemplateSpec.h"
#include "tools/templates/TemplateWriter.h"

namespace {
const QString kSupport = QStringLiteral(LUMTRAK_SOURCE_DIR "/support");

struct FrameShape {
    const char* name;
    int rows;     // N
    int columns;  // data columns
    const char* lastColumn;
    int headingRow;  // where the column headings start
    const char* firstHeading;
};

const FrameShape kFrames[] = {
    {"Store", 25, 12, "L", 3, "影片名称"},       {"YearReport", 25, 13, "M", 3, "年份"},
    {"UserInfo", 36, 9, "I", 3, "序号"},         {"BuyReport", 36, 5, "E", 3, "影片名称"},
    {"EarnReport", 36, 6, "F", 3, "影片名称"},   {"BorrowReport", 36, 6, "F", 3, "影片名称"},
    {"HotCDInfo", 36, 6, "F", 3, "序号"},        {"SellHotCDInfo", 36, 5, "E", 3, "序号"},
    {"SellEarnInfo", 36, 5, "E", 3, "影片名称"},
};

QStringList Strings(const QJsonArray& a) {
    QStringList out;
    for (const auto& v : a) out << v.toString();
    return out;
}
}  // namespace

TEST(TemplatesTest, EveryReportTemplateHasItsOutputSheetAndPageFrame) {
    for (const FrameShape& f : kFrames) {
        SCOPED_TRACE(f.name);
        const QJsonObject book = ReadWithOpenpyxl(kSupport + "/" + f.name + ".xltx");
        ASSERT_FALSE(book.contains("error")) << book["error"].toString().toStdString();
        ASSERT_EQ(book["sheets"].toArray().size(), 2);
        EXPECT_TRUE(SheetOf(book, 0)["cells"].toObject().isEmpty())
            << "the output sheet starts empty";
        const QJsonObject frame = SheetOf(book, 1);
        EXPECT_EQ(frame["max_row"].toInt(), f.rows);
        EXPECT_EQ(frame["max_column"].toInt(), f.columns);
        const QJsonObject cells = frame["cells"].toObject();
        EXPECT_FALSE(cells["A1"].toString().isEmpty()) << "a title";
        EXPECT_EQ(cells[QString("A%1").arg(f.headingRow)].toString(),
                  QString::fromUtf8(f.firstHeading));
        const QStringList merges = Strings(frame["merges"].toArray());
        EXPECT_TRUE(merges.contains(QString("A1:%1").arg(f.lastColumn) + "1"));
        EXPECT_TRUE(merges.contains(QString("A%1:%2%1").arg(QString::number(f.rows), f.lastColumn)))
            << "the footer row";
        EXPECT_EQ(frame["heights"].toObject().size(), f.rows) << "every frame row has its height";
    }
}

TEST(TemplatesTest, HeadCellsStandWhereTheReportsWriteThem) {
    const QJsonObject store = SheetOf(ReadWithOpenpyxl(kSupport + "/Store.xltx"), 1);
    EXPECT_EQ(store["cells"].toObject()["A2"].toString(), "光盘个数：");
    EXPECT_EQ(store["cells"].toObject()["L2"].toString(), "打印日期：");
    const QJsonObject year = SheetOf(ReadWithOpenpyxl(kSupport + "/YearReport.xltx"), 1);
    EXPECT_TRUE(Strings(year["merges"].toArray()).contains("A3:A4"))
        << "the period heading spans both heading rows";
    EXPECT_EQ(year["cells"].toObject()["C3"].toString(), "出租光盘");
    EXPECT_EQ(year["cells"].toObject()["M3"].toString(), "现有金额");
    for (const char* name : {"BuyReport", "EarnReport", "BorrowReport"}) {
        EXPECT_EQ(SheetOf(ReadWithOpenpyxl(kSupport + "/" + name + ".xltx"), 1)["cells"]
                      .toObject()["A2"]
                      .toString(),
                  "打印日期：")
            << name;
    }
}

// A page frame prints on one sheet of paper, also in a spreadsheet program whose columns
// come out wider than this program's (its default font's digits are wider): the sheets
// are scaled to the paper's width, between margins that leave no room to spare.
TEST(TemplatesTest, APageFrameFitsOneSheetOfPaperHoweverWideItsColumnsComeOut) {
    for (const FrameShape& f : kFrames) {
        SCOPED_TRACE(f.name);
        const QString path = kSupport + "/" + f.name + ".xltx";
        const QJsonObject book = ReadWithOpenpyxl(path);
        for (int sheet : {0, 1}) {
            EXPECT_TRUE(SheetOf(book, sheet)["fit_to_page"].toBool());
            EXPECT_EQ(SheetOf(book, sheet)["fit_to_width"].toInt(), 1);
            EXPECT_EQ(SheetOf(book, sheet)["fit_to_height"].toInt(), 0);
        }
        auto workbook = Workbook::Open(path);
        Worksheet& frame = workbook->Worksheets(2);
        std::vector<double> widths;
        for (int c = 1; c <= f.columns; ++c) widths.push_back(frame.ColumnFileWidth(c));
        for (double wider : {1.0, 1.15, 1.4, 2.0}) {
            for (int c = 1; c <= f.columns; ++c)
                frame.SetColumnFileWidth(c, widths[static_cast<size_t>(c - 1)] * wider);
            EXPECT_EQ(SheetRenderer(frame).Pages(),
                      (std::vector<CellRect>{{1, 1, f.rows, f.columns}}))
                << "columns " << wider << " times as wide";
        }
    }
}

TEST(TemplatesTest, CardTemplateHoldsTheCardOnItsThirdSheet) {
    const QJsonObject book = ReadWithOpenpyxl(kSupport + "/Card.xltx");
    ASSERT_EQ(book["sheets"].toArray().size(), 3);
    const QJsonObject card = SheetOf(book, 2);
    EXPECT_EQ(card["max_row"].toInt(), 12);
    EXPECT_EQ(card["max_column"].toInt(), 9);
    const QStringList merges = Strings(card["merges"].toArray());
    for (const char* written :
         {"A6:I6", "F7:I7", "F8:I8", "F9:I9", "B11:I11", "B12:D12", "H12:I12"})
        EXPECT_TRUE(merges.contains(written)) << written;
    EXPECT_TRUE(card["print_area"].toString().endsWith("$A$1:$I$12"));
    EXPECT_EQ(card["cells"].toObject()["A7"].toString(), "会员编号：");
}

TEST(TemplatesTest, SupportHoldsExactlyWhatTheGeneratorMakes) {
    QTemporaryDir dir;
    QStringList names;
    for (const TemplateSpec& spec : AllTemplates()) {
        SCOPED_TRACE(spec.name.toStdString());
        names << spec.name + ".xltx";
        QString error;
        ASSERT_TRUE(TemplateWriter::WriteFile(spec, dir.path(), &error)) << error.toStdString();
        const ZipPackage made = ZipPackage::Read(dir.path() + "/" + spec.name + ".xltx");
        const ZipPackage shipped = ZipPackage::Read(kSupport + "/" + spec.name + ".xltx");
        ASSERT_EQ(shipped.Names(), made.Names()) << "rebuild support/ with the templates target";
        for (const QString& part : made.Names())
            EXPECT_EQ(shipped.Part(part), made.Part(part))
                << part.toStdString() << ": rebuild support/ with the templates target";
    }
    names.sort();
    EXPECT_EQ(QDir(kSupport).entryList({"*.xltx"}, QDir::Files, QDir::Name), names);
}
