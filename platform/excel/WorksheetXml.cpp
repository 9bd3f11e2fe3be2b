#include "platform/excel/WorksheetXml.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>
#include <vector>

#include "platform/excel/ExcelError.h"
#include "platform/excel/SharedStrings.h"
#include "platform/excel/Worksheet.h"
#include "platform/excel/XmlParts.h"

namespace {
// The order the workbook format requires of a worksheet's elements.
const char* const kElementOrder[] = {"sheetPr",
                                     "dimension",
                                     "sheetViews",
                                     "sheetFormatPr",
                                     "cols",
                                     "sheetData",
                                     "sheetCalcPr",
                                     "sheetProtection",
                                     "protectedRanges",
                                     "scenarios",
                                     "autoFilter",
                                     "sortState",
                                     "dataConsolidate",
                                     "customSheetViews",
                                     "mergeCells",
                                     "phoneticPr",
                                     "conditionalFormatting",
                                     "dataValidations",
                                     "hyperlinks",
                                     "printOptions",
                                     "pageMargins",
                                     "pageSetup",
                                     "headerFooter",
                                     "rowBreaks",
                                     "colBreaks",
                                     "customProperties",
                                     "cellWatches",
                                     "ignoredErrors",
                                     "smartTags",
                                     "drawing",
                                     "legacyDrawing",
                                     "legacyDrawingHF",
                                     "drawingHF",
                                     "picture",
                                     "oleObjects",
                                     "controls",
                                     "webPublishItems",
                                     "tableParts",
                                     "extLst"};

int OrderOf(std::string_view name) {
    int i = 0;
    for (const char* n : kElementOrder) {
        if (name == n) return i;
        ++i;
    }
    return i;
}

pugi::xml_node InsertInOrder(pugi::xml_node root, const char* name) {
    const int order = OrderOf(name);
    for (pugi::xml_node child : root.children()) {
        if (child.type() == pugi::node_element && OrderOf(child.name()) > order)
            return root.insert_child_before(name, child);
    }
    return root.append_child(name);
}

void RemoveAll(pugi::xml_node root, const char* name) {
    while (pugi::xml_node n = root.child(name)) root.remove_child(n);
}

// "B12" into row 12, column 2; false for anything else.
bool ParseCellName(const char* text, int& row, int& col) {
    int c = 0;
    const char* p = text;
    while (*p >= 'A' && *p <= 'Z') c = c * 26 + (*p++ - 'A' + 1);
    int r = 0;
    while (*p >= '0' && *p <= '9') r = r * 10 + (*p++ - '0');
    if (*p != '\0' || c < 1 || c > kMaxSheetColumn || r < 1 || r > kMaxSheetRow) return false;
    row = r;
    col = c;
    return true;
}

QString InlineText(const pugi::xml_node& is) {
    QString text;
    for (pugi::xml_node child : is.children()) {
        const std::string_view name = child.name();
        if (name == "t")
            text += QString::fromUtf8(child.text().get());
        else if (name == "r")
            text += QString::fromUtf8(child.child("t").text().get());
    }
    return text;
}

void LoadCell(Cell& cell, const pugi::xml_node& c, SharedStrings& strings) {
    cell.style = c.attribute("s").as_int(0);
    const std::string_view type = c.attribute("t").value();
    const pugi::xml_node v = c.child("v");
    if (type == "inlineStr") {
        cell.kind = Cell::Kind::Text;
        cell.text = strings.Add(InlineText(c.child("is")));
    } else if (!v) {
        cell.kind = Cell::Kind::Empty;
    } else if (type == "s") {
        const int index = v.text().as_int(-1);
        cell.kind = Cell::Kind::Text;
        cell.text = index >= 0 && index < strings.Count() ? index : strings.Add(QString());
    } else if (type == "str" || type == "d") {
        cell.kind = Cell::Kind::Text;
        cell.text = strings.Add(QString::fromUtf8(v.text().get()));
    } else if (type == "e") {
        cell.kind = Cell::Kind::Error;
        cell.text = strings.Add(QString::fromUtf8(v.text().get()));
    } else if (type == "b") {
        cell.kind = Cell::Kind::Bool;
        cell.number = v.text().as_int() != 0 ? 1 : 0;
    } else {
        cell.kind = Cell::Kind::Number;
        cell.number = v.text().as_double();
    }
}

void LoadRows(Worksheet& sheet, const pugi::xml_node& sheetData, SharedStrings& strings) {
    auto& rows = sheet.MutableRows();
    int nextRow = 1;
    for (pugi::xml_node row : sheetData.children("row")) {
        const int r = row.attribute("r").as_int(nextRow);
        if (r < 1 || r > kMaxSheetRow) continue;
        nextRow = r + 1;
        Worksheet::Row& info = rows[r];
        if (row.attribute("customHeight").as_bool() || row.attribute("ht"))
            info.height = row.attribute("ht").as_double(0);
        info.hidden = row.attribute("hidden").as_bool();
        if (row.attribute("customFormat").as_bool()) info.style = row.attribute("s").as_int(-1);
        int nextCol = 1;
        for (pugi::xml_node c : row.children("c")) {
            int cr = r, cc = nextCol;
            if (const auto ref = c.attribute("r")) {
                if (!ParseCellName(ref.value(), cr, cc) || cr != r) continue;
            }
            nextCol = cc + 1;
            LoadCell(info.cells[cc], c, strings);
        }
    }
}

std::vector<Worksheet::ColumnSpan> LoadColumns(const pugi::xml_node& cols) {
    std::vector<Worksheet::ColumnSpan> spans;
    for (pugi::xml_node col : cols.children("col")) {
        Worksheet::ColumnSpan s;
        s.min = std::max(1, col.attribute("min").as_int(1));
        s.max = std::min(kMaxSheetColumn, col.attribute("max").as_int(s.min));
        if (s.max < s.min) continue;
        s.width = col.attribute("width").as_double(0);
        s.customWidth = col.attribute("customWidth").as_bool();
        s.hidden = col.attribute("hidden").as_bool();
        s.style = col.attribute("style") ? col.attribute("style").as_int() : -1;
        if (!spans.empty() && s.min <= spans.back().max) continue;  // overlapping spans are invalid
        spans.push_back(s);
    }
    return spans;
}

std::set<int> LoadBreaks(const pugi::xml_node& breaks) {
    std::set<int> ids;
    for (pugi::xml_node brk : breaks.children("brk")) {
        const int id = brk.attribute("id").as_int(0);
        if (id > 0) ids.insert(id);
    }
    return ids;
}

PageSetup LoadPageSetup(const pugi::xml_node& root) {
    PageSetup s;
    const pugi::xml_node ps = root.child("pageSetup");
    s.landscape = std::string_view(ps.attribute("orientation").value()) == "landscape";
    s.paperSize = ps.attribute("paperSize").as_int(9);
    s.scale = ps.attribute("scale").as_int(100);
    s.fitToWidth = ps.attribute("fitToWidth").as_int(1);
    s.fitToHeight = ps.attribute("fitToHeight").as_int(1);
    s.overThenDown = std::string_view(ps.attribute("pageOrder").value()) == "overThenDown";
    s.fitToPage = root.child("sheetPr").child("pageSetUpPr").attribute("fitToPage").as_bool();
    const pugi::xml_node m = root.child("pageMargins");
    if (m) {
        s.leftMargin = m.attribute("left").as_double(0.7);
        s.rightMargin = m.attribute("right").as_double(0.7);
        s.topMargin = m.attribute("top").as_double(0.75);
        s.bottomMargin = m.attribute("bottom").as_double(0.75);
    }
    const pugi::xml_node po = root.child("printOptions");
    s.centerHorizontally = po.attribute("horizontalCentered").as_bool();
    s.centerVertically = po.attribute("verticalCentered").as_bool();
    s.gridLines = po.attribute("gridLines").as_bool();
    return s;
}

// ---- Writing -------------------------------------------------------------------------

const QByteArray& Letters(int column) {
    static std::vector<QByteArray> cache(kMaxSheetColumn + 1);
    QByteArray& s = cache[static_cast<size_t>(column)];
    if (s.isEmpty()) s = ColumnLetters(column).toLatin1();
    return s;
}

// The sheet's part written into one buffer sized for it up front: a report's sheet holds
// hundreds of thousands of cells, each a handful of small pieces, so each piece is copied
// straight in rather than appended on its own.
class PartWriter {
  public:
    explicit PartWriter(qsizetype expected) {
        out_.resize(qMax<qsizetype>(expected, 1024));
        at_ = out_.data();
        end_ = at_ + out_.size();
    }
    void Put(const char* bytes, qsizetype n) {
        Room(n);
        std::memcpy(at_, bytes, static_cast<size_t>(n));
        at_ += n;
    }
    void Put(QByteArrayView bytes) { Put(bytes.data(), bytes.size()); }
    template <size_t N>
    void Put(const char (&literal)[N]) {
        Put(literal, static_cast<qsizetype>(N - 1));
    }
    void Put(char c) {
        Room(1);
        *at_++ = c;
    }
    void Int(long long n) {
        Room(24);
        at_ = std::to_chars(at_, at_ + 24, n).ptr;
    }
    void Double(double d) {
        Room(32);
        at_ = std::to_chars(at_, at_ + 32, d).ptr;
    }
    QByteArray Finish() {
        out_.truncate(at_ - out_.data());
        return std::move(out_);
    }

  private:
    void Room(qsizetype n) {
        if (end_ - at_ >= n) return;
        const qsizetype used = at_ - out_.data();
        out_.resize(qMax(out_.size() * 2, used + n));
        at_ = out_.data() + used;
        end_ = out_.data() + out_.size();
    }

    QByteArray out_;
    char* at_;
    char* end_;
};

void PutCell(PartWriter& out, int row, int col, const Cell& cell, qint64& references) {
    out.Put("<c r=\"");
    out.Put(Letters(col));
    out.Int(row);
    out.Put('"');
    if (cell.style != 0) {
        out.Put(" s=\"");
        out.Int(cell.style);
        out.Put('"');
    }
    switch (cell.kind) {
        case Cell::Kind::Empty:
            out.Put("/>");
            return;
        case Cell::Kind::Text:
        case Cell::Kind::Error:  // the error's text is kept as a text
            ++references;
            out.Put(" t=\"s\"><v>");
            out.Int(cell.text);
            break;
        case Cell::Kind::Bool:
            out.Put(" t=\"b\"><v>");
            out.Put(cell.number != 0 ? '1' : '0');
            break;
        case Cell::Kind::Number:
            out.Put("><v>");
            out.Double(cell.number);
            break;
    }
    out.Put("</v></c>");
}

// About what the sheet's rows take as text, so that the buffer rarely grows.
qsizetype ExpectedSize(const Worksheet& sheet) {
    qsizetype bytes = 0;
    for (const auto& [r, info] : sheet.Rows())
        bytes += 64 + 40 * static_cast<qsizetype>(info.cells.size());
    return bytes;
}

void PutSheetData(PartWriter& out, const Worksheet& sheet, qint64& references) {
    out.Put("<sheetData>");
    for (const auto& [r, info] : sheet.Rows()) {
        const bool hasAttributes = info.height > 0 || info.hidden || info.style >= 0;
        if (info.cells.empty() && !hasAttributes) continue;
        out.Put("<row r=\"");
        out.Int(r);
        out.Put('"');
        if (info.style >= 0) {
            out.Put(" s=\"");
            out.Int(info.style);
            out.Put("\" customFormat=\"1\"");
        }
        if (info.height > 0) {
            out.Put(" ht=\"");
            out.Double(info.height);
            out.Put("\" customHeight=\"1\"");
        }
        if (info.hidden) out.Put(" hidden=\"1\"");
        if (info.cells.empty()) {
            out.Put("/>");
            continue;
        }
        out.Put('>');
        for (const auto& [c, cell] : info.cells) PutCell(out, r, c, cell, references);
        out.Put("</row>");
    }
    out.Put("</sheetData>");
}

void SetBool(pugi::xml_node n, const char* name, bool v) {
    n.append_attribute(name).set_value(v ? 1 : 0);
}

void WriteColumns(pugi::xml_node cols, const std::vector<Worksheet::ColumnSpan>& spans) {
    for (const auto& s : spans) {
        pugi::xml_node col = cols.append_child("col");
        col.append_attribute("min").set_value(s.min);
        col.append_attribute("max").set_value(s.max);
        // A width is required; a default column keeps the standard one.
        col.append_attribute("width").set_value(s.width > 0 ? s.width : (s.hidden ? 0 : 8.43));
        if (s.style >= 0) col.append_attribute("style").set_value(s.style);
        if (s.hidden) SetBool(col, "hidden", true);
        if (s.customWidth) SetBool(col, "customWidth", true);
    }
}

void WriteBreaks(pugi::xml_node node, const std::set<int>& ids, int max) {
    node.append_attribute("count").set_value(static_cast<unsigned>(ids.size()));
    node.append_attribute("manualBreakCount").set_value(static_cast<unsigned>(ids.size()));
    for (int id : ids) {
        pugi::xml_node brk = node.append_child("brk");
        brk.append_attribute("id").set_value(id);
        brk.append_attribute("max").set_value(max);
        SetBool(brk, "man", true);
    }
}
}  // namespace

void WorksheetXml::Load(Worksheet& sheet, const QByteArray& xml, SharedStrings& strings) {
    pugi::xml_document& doc = sheet.Xml();
    LoadXmlPart(doc, xml, sheet.PartName());
    pugi::xml_node root = doc.child("worksheet");
    if (!root) throw ExcelError(QString("工作表“%1”的格式无法识别").arg(sheet.Name()));

    const pugi::xml_node format = root.child("sheetFormatPr");
    sheet.SetDefaultRowHeight(format.attribute("defaultRowHeight").as_double(15));
    sheet.SetDefaultColumn(format.attribute("baseColWidth").as_double(8),
                           format.attribute("defaultColWidth").as_double(0));
    sheet.SetColumns(LoadColumns(root.child("cols")));
    LoadRows(sheet, root.child("sheetData"), strings);
    for (pugi::xml_node mc : root.child("mergeCells").children("mergeCell")) {
        if (const auto rect = ParseRange(QString::fromUtf8(mc.attribute("ref").value())))
            sheet.AddMerge(*rect);
    }
    sheet.SetBreakIds(LoadBreaks(root.child("rowBreaks")), LoadBreaks(root.child("colBreaks")));
    sheet.SetSetup(LoadPageSetup(root));

    // What the sheet models is written afresh on saving.
    for (const char* name :
         {"dimension", "cols", "sheetData", "mergeCells", "rowBreaks", "colBreaks"})
        RemoveAll(root, name);
}

QByteArray WorksheetXml::Save(Worksheet& sheet, qint64& references) {
    pugi::xml_node root = sheet.Xml().child("worksheet");
    for (const char* name :
         {"dimension", "cols", "sheetData", "mergeCells", "rowBreaks", "colBreaks"})
        RemoveAll(root, name);

    if (const auto used = sheet.UsedRange()) {
        InsertInOrder(root, "dimension")
            .append_attribute("ref")
            .set_value(RangeName(*used).toUtf8().constData());
    }
    if (!sheet.Columns().empty()) WriteColumns(InsertInOrder(root, "cols"), sheet.Columns());
    InsertInOrder(root, "sheetData");
    if (!sheet.Merges().empty()) {
        pugi::xml_node merges = InsertInOrder(root, "mergeCells");
        merges.append_attribute("count").set_value(static_cast<unsigned>(sheet.Merges().size()));
        for (const CellRect& m : sheet.Merges())
            merges.append_child("mergeCell")
                .append_attribute("ref")
                .set_value(RangeName(m).toUtf8().constData());
    }
    if (!sheet.RowBreakIds().empty())
        WriteBreaks(InsertInOrder(root, "rowBreaks"), sheet.RowBreakIds(), kMaxSheetColumn - 1);
    if (!sheet.ColumnBreakIds().empty())
        WriteBreaks(InsertInOrder(root, "colBreaks"), sheet.ColumnBreakIds(), kMaxSheetRow - 1);

    const QByteArray xml = SaveXmlPart(sheet.Xml());
    // The cells are written as text straight into the empty sheetData element: far
    // quicker than building a node for each of them.
    const QByteArray placeholder("<sheetData/>");
    const qsizetype at = xml.indexOf(placeholder);
    if (at < 0) throw ExcelError(QString("无法写入工作表“%1”").arg(sheet.Name()));
    const QByteArrayView head(xml.constData(), at);
    const QByteArrayView tail(xml.constData() + at + placeholder.size(),
                              xml.size() - at - placeholder.size());
    PartWriter out(xml.size() + ExpectedSize(sheet));
    out.Put(head);
    const bool anyRow = std::any_of(sheet.Rows().begin(), sheet.Rows().end(), [](const auto& r) {
        const Worksheet::Row& info = r.second;
        return !info.cells.empty() || info.height > 0 || info.hidden || info.style >= 0;
    });
    if (anyRow)
        PutSheetData(out, sheet, references);
    else
        out.Put(placeholder);
    out.Put(tail);
    return out.Finish();
}
