#include "tools/templates/TemplateWriter.h"

#include <QDir>
#include <QSaveFile>
#include <algorithm>

#include "platform/excel/CellRef.h"
#include "platform/excel/ExcelError.h"
#include "platform/excel/SharedStrings.h"
#include "platform/excel/SheetUnits.h"
#include "platform/excel/ZipPackage.h"
#include "tools/templates/StyleTable.h"

namespace {
const char* const kHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\r\n";
const char* const kMainNs = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const char* const kRelNs = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

QString Escaped(QString s) {
    return s.replace('&', "&amp;").replace('<', "&lt;").replace('>', "&gt;").replace('"', "&quot;");
}

QString Number(double v) {
    return QString::number(v, 'g', 15);
}

QByteArray ContentTypes(int sheets) {
    QString x = QString(kHead) +
                "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
                "<Default Extension=\"rels\" "
                "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
                "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
                "<Override PartName=\"/xl/workbook.xml\" "
                "ContentType=\"application/"
                "vnd.openxmlformats-officedocument.spreadsheetml.template.main+xml\"/>";
    for (int i = 1; i <= sheets; ++i) {
        x += QString(
                 "<Override PartName=\"/xl/worksheets/sheet%1.xml\" "
                 "ContentType=\"application/"
                 "vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>")
                 .arg(i);
    }
    x += "<Override PartName=\"/xl/styles.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
         "<Override PartName=\"/xl/sharedStrings.xml\" "
         "ContentType=\"application/"
         "vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml\"/>"
         "<Override PartName=\"/docProps/core.xml\" "
         "ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
         "<Override PartName=\"/docProps/app.xml\" "
         "ContentType=\"application/vnd.openxmlformats-officedocument.extended-properties+xml\"/>"
         "</Types>";
    return x.toUtf8();
}

QByteArray PackageRels() {
    return QByteArray(kHead) +
           "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
           "<Relationship Id=\"rId1\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
           "officeDocument\" Target=\"xl/workbook.xml\"/>"
           "<Relationship Id=\"rId2\" "
           "Type=\"http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
           "core-properties\" Target=\"docProps/core.xml\"/>"
           "<Relationship Id=\"rId3\" "
           "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/"
           "extended-properties\" Target=\"docProps/app.xml\"/>"
           "</Relationships>";
}

QByteArray CoreProps(const QString& title) {
    return (QString(kHead) +
            "<cp:coreProperties "
            "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
            "xmlns:dc=\"http://purl.org/dc/elements/1.1/\"><dc:title>" +
            Escaped(title) + "</dc:title><dc:creator>Lumtrak</dc:creator></cp:coreProperties>")
        .toUtf8();
}

QByteArray AppProps() {
    return QByteArray(kHead) +
           "<Properties "
           "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
           "<Application>Lumtrak</Application></Properties>";
}

QByteArray WorkbookXml(const TemplateSpec& spec) {
    QString x = QString(kHead) +
                QString("<workbook xmlns=\"%1\" xmlns:r=\"%2\">").arg(kMainNs, kRelNs) +
                "<bookViews><workbookView activeTab=\"0\"/></bookViews><sheets>";
    QString names;
    for (size_t i = 0; i < spec.sheets.size(); ++i) {
        const SheetSpec& s = spec.sheets[i];
        x += QString("<sheet name=\"%1\" sheetId=\"%2\" r:id=\"rId%2\"/>")
                 .arg(Escaped(s.name))
                 .arg(i + 1);
        if (const auto area = ParseRange(s.printArea); area && !s.printArea.isEmpty()) {
            names += QString(
                         "<definedName name=\"_xlnm.Print_Area\" "
                         "localSheetId=\"%1\">'%2'!%3</definedName>")
                         .arg(i)
                         .arg(Escaped(s.name), RangeName(*area, true));
        }
    }
    x += "</sheets>";
    if (!names.isEmpty()) x += "<definedNames>" + names + "</definedNames>";
    x += "</workbook>";
    return x.toUtf8();
}

QByteArray WorkbookRels(int sheets) {
    QString x =
        QString(kHead) +
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
    for (int i = 1; i <= sheets; ++i) {
        x += QString(
                 "<Relationship Id=\"rId%1\" Type=\"%2/worksheet\" "
                 "Target=\"worksheets/sheet%1.xml\"/>")
                 .arg(i)
                 .arg(kRelNs);
    }
    x += QString("<Relationship Id=\"rId%1\" Type=\"%2/styles\" Target=\"styles.xml\"/>")
             .arg(sheets + 1)
             .arg(kRelNs);
    x += QString(
             "<Relationship Id=\"rId%1\" Type=\"%2/sharedStrings\" Target=\"sharedStrings.xml\"/>")
             .arg(sheets + 2)
             .arg(kRelNs);
    x += "</Relationships>";
    return x.toUtf8();
}

// The cells of a sheet by row and column, each with its format and text index.
struct PlacedCell {
    int style;
    int text;  // -1 for none
};

QByteArray SheetXml(const SheetSpec& sheet, StyleTable& styles, SharedStrings& strings,
                    qint64& references) {
    std::map<int, std::map<int, PlacedCell>> rows;
    for (const SheetCell& c : sheet.cells) {
        const auto rect = ParseRange(c.ref);
        if (!rect) throw ExcelError("模板中的单元格名称不正确：" + c.ref);
        rows[rect->row1][rect->col1] = {styles.Index(c.look),
                                        c.text.isEmpty() ? -1 : strings.Add(c.text)};
        if (!c.text.isEmpty()) ++references;
    }
    for (const auto& [row, height] : sheet.rowHeights) rows[row];

    QString x =
        QString(kHead) + QString("<worksheet xmlns=\"%1\" xmlns:r=\"%2\">").arg(kMainNs, kRelNs);
    int lastRow = 1, lastCol = 1;
    for (const auto& [r, cells] : rows) {
        lastRow = std::max(lastRow, r);
        if (!cells.empty()) lastCol = std::max(lastCol, cells.rbegin()->first);
    }
    if (sheet.fitToWidth) x += "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
    x += QString("<dimension ref=\"%1\"/>").arg(RangeName(CellRect{1, 1, lastRow, lastCol}));
    x += QString("<sheetViews><sheetView%1 workbookViewId=\"0\"/></sheetViews>")
             .arg(sheet.tabSelected ? " tabSelected=\"1\"" : "");
    x += "<sheetFormatPr baseColWidth=\"8\" defaultRowHeight=\"15\"/>";
    if (!sheet.columnWidths.empty()) {
        x += "<cols>";
        for (size_t i = 0; i < sheet.columnWidths.size(); ++i) {
            x += QString("<col min=\"%1\" max=\"%1\" width=\"%2\" customWidth=\"1\"/>")
                     .arg(i + 1)
                     .arg(Number(FileWidthFromCharacters(sheet.columnWidths[i])));
        }
        x += "</cols>";
    }
    x += "<sheetData>";
    for (const auto& [r, cells] : rows) {
        x += QString("<row r=\"%1\"").arg(r);
        if (const auto h = sheet.rowHeights.find(r); h != sheet.rowHeights.end())
            x += QString(" ht=\"%1\" customHeight=\"1\"").arg(Number(h->second));
        x += ">";
        for (const auto& [col, cell] : cells) {
            x += QString("<c r=\"%1\"").arg(CellName(r, col));
            if (cell.style) x += QString(" s=\"%1\"").arg(cell.style);
            x += cell.text >= 0 ? QString(" t=\"s\"><v>%1</v></c>").arg(cell.text) : QString("/>");
        }
        x += "</row>";
    }
    x += "</sheetData>";
    if (!sheet.merges.empty()) {
        x += QString("<mergeCells count=\"%1\">").arg(sheet.merges.size());
        for (const QString& m : sheet.merges) x += QString("<mergeCell ref=\"%1\"/>").arg(m);
        x += "</mergeCells>";
    }
    x += "<printOptions horizontalCentered=\"1\"/>";
    x += QString(
             "<pageMargins left=\"%1\" right=\"%1\" top=\"%2\" bottom=\"%2\" header=\"0.3\" "
             "footer=\"0.3\"/>")
             .arg(Number(sheet.sideMargin), Number(kTopMargin));
    x += QString("<pageSetup paperSize=\"9\" scale=\"%1\"%2 orientation=\"%3\"/>")
             .arg(sheet.scale)
             .arg(sheet.fitToWidth ? " fitToWidth=\"1\" fitToHeight=\"0\"" : "")
             .arg(sheet.landscape ? "landscape" : "portrait");
    if (!sheet.rowBreaks.empty()) {
        x +=
            QString("<rowBreaks count=\"%1\" manualBreakCount=\"%1\">").arg(sheet.rowBreaks.size());
        for (int row : sheet.rowBreaks)
            x += QString("<brk id=\"%1\" max=\"16383\" man=\"1\"/>").arg(row);
        x += "</rowBreaks>";
    }
    x += "</worksheet>";
    return x.toUtf8();
}
}  // namespace

QByteArray TemplateWriter::Build(const TemplateSpec& spec) {
    StyleTable styles;
    SharedStrings strings;
    std::vector<QByteArray> sheets;
    qint64 references = 0;
    for (const SheetSpec& s : spec.sheets)
        sheets.push_back(SheetXml(s, styles, strings, references));

    ZipPackage package;
    const int count = static_cast<int>(spec.sheets.size());
    package.SetPart("[Content_Types].xml", ContentTypes(count));
    package.SetPart("_rels/.rels", PackageRels());
    package.SetPart("docProps/core.xml", CoreProps(spec.name));
    package.SetPart("docProps/app.xml", AppProps());
    package.SetPart("xl/workbook.xml", WorkbookXml(spec));
    package.SetPart("xl/_rels/workbook.xml.rels", WorkbookRels(count));
    for (int i = 0; i < count; ++i)
        package.SetPart(QString("xl/worksheets/sheet%1.xml").arg(i + 1),
                        sheets[static_cast<size_t>(i)]);
    package.SetPart("xl/styles.xml", styles.ToXml());
    package.SetPart("xl/sharedStrings.xml", strings.ToXml(references));
    return package.ToZipBytes();
}

bool TemplateWriter::WriteFile(const TemplateSpec& spec, const QString& folder, QString* error) {
    try {
        const QByteArray bytes = Build(spec);
        QSaveFile file(QDir(folder).filePath(spec.name + ".xltx"));
        if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
            return true;
        if (error) *error = file.errorString();
    } catch (const ExcelError& e) {
        if (error) *error = e.Message();
    }
    return false;
}
