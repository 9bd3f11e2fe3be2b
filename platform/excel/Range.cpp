#include "platform/excel/Range.h"

#include <cmath>
#include <vector>

#include "platform/excel/ExcelError.h"
#include "platform/excel/NumberFormat.h"
#include "platform/excel/SheetUnits.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"

namespace {
constexpr int kMaxTextLength = 32767;

const QString kDateFormat = QStringLiteral("yyyy-mm-dd");
const QString kDateTimeFormat = QStringLiteral("yyyy-mm-dd hh:mm:ss");
const QString kTimeFormat = QStringLiteral("hh:mm:ss");

// What a value becomes in a cell: its kind, number or text, and the format it needs.
struct Converted {
    Cell::Kind kind = Cell::Kind::Empty;
    double number = 0;
    QString text;
    QString dateFormat;  // a date format the cell must show, or empty
};

Converted Convert(const QVariant& value) {
    Converted out;
    if (!value.isValid() || value.isNull()) return out;
    switch (value.typeId()) {
        case QMetaType::QString:
            out.kind = Cell::Kind::Text;
            out.text = value.toString();
            break;
        case QMetaType::Bool:
            out.kind = Cell::Kind::Bool;
            out.number = value.toBool() ? 1 : 0;
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Float:
        case QMetaType::Double:
            out.kind = Cell::Kind::Number;
            out.number = value.toDouble();
            if (!std::isfinite(out.number)) throw ExcelError("不能把无效的数字写入单元格");
            break;
        case QMetaType::QDate:
            if (!value.toDate().isValid()) break;
            out.kind = Cell::Kind::Number;
            out.number = NumberFormat::ToSerial(value.toDate());
            out.dateFormat = kDateFormat;
            break;
        case QMetaType::QDateTime:
            if (!value.toDateTime().isValid()) break;
            out.kind = Cell::Kind::Number;
            out.number = NumberFormat::ToSerial(value.toDateTime());
            out.dateFormat = kDateTimeFormat;
            break;
        case QMetaType::QTime:
            out.kind = Cell::Kind::Number;
            out.number = value.toTime().msecsSinceStartOfDay() / 86400000.0;
            out.dateFormat = kTimeFormat;
            break;
        default:
            out.kind = Cell::Kind::Text;
            out.text = value.toString();
    }
    if (!out.dateFormat.isEmpty() && out.number < 0)
        throw ExcelError("单元格中不能写入1900年以前的日期");
    if (out.text.size() > kMaxTextLength) throw ExcelError("单元格的文字太长（最多32767个字）");
    return out;
}

// The cells of rect in sheet a row at a time: visit(row, first cell, past the last cell).
template <class VisitRow>
void ForEachRowIn(const Worksheet& sheet, const CellRect& rect, VisitRow visit) {
    const auto& sheetRows = sheet.Rows();
    for (auto r = sheetRows.lower_bound(rect.row1); r != sheetRows.end() && r->first <= rect.row2;
         ++r) {
        const CellRow& cells = r->second.cells;
        const auto first = cells.lower_bound(rect.col1);
        const auto last = cells.upper_bound(rect.col2);
        if (first != last) visit(r->first, first, last);
    }
}

// Writes the cells [c, end) of a row, moved by cols, into a row whose columns they cover
// are clear; a row written afresh takes its room once.
void AppendCells(CellRow& to, CellRow::const_iterator c, CellRow::const_iterator end, int cols) {
    if (to.empty()) to.reserve(static_cast<std::size_t>(end - c));
    for (; c != end; ++c) to.emplace_hint(to.end(), c->first + cols, c->second);
}
}  // namespace

void Range::SetValue(const QVariant& value) {
    const Converted c = Convert(value);
    Workbook& book = sheet_->Book();
    const int text = c.kind == Cell::Kind::Text ? book.Strings().Add(c.text) : -1;
    for (int r = rect_.row1; r <= rect_.row2; ++r) {
        for (int col = rect_.col1; col <= rect_.col2; ++col) {
            Cell& cell = sheet_->At(r, col);
            cell.kind = c.kind;
            cell.number = c.number;
            cell.text = text;
            if (!c.dateFormat.isEmpty() &&
                !NumberFormat::IsDateFormat(book.Styles().Style(cell.style).numberFormat))
                cell.style = book.Styles().WithNumberFormat(cell.style, c.dateFormat);
        }
    }
}

QVariant Range::Value() const {
    const Cell* cell = sheet_->Find(rect_.row1, rect_.col1);
    if (!cell) return {};
    Workbook& book = sheet_->Book();
    switch (cell->kind) {
        case Cell::Kind::Empty:
            return {};
        case Cell::Kind::Text:
        case Cell::Kind::Error:
            return book.Strings().At(cell->text);
        case Cell::Kind::Bool:
            return cell->number != 0;
        case Cell::Kind::Number: {
            if (!NumberFormat::IsDateFormat(book.Styles().Style(cell->style).numberFormat))
                return cell->number;
            const QDateTime dt = NumberFormat::FromSerial(cell->number);
            if (dt.time() == QTime(0, 0)) return dt.date();
            return dt;
        }
    }
    return {};
}

QString Range::Text() const {
    const Cell* cell = sheet_->Find(rect_.row1, rect_.col1);
    if (!cell) return {};
    Workbook& book = sheet_->Book();
    switch (cell->kind) {
        case Cell::Kind::Empty:
            return {};
        case Cell::Kind::Text:
        case Cell::Kind::Error:
            return book.Strings().At(cell->text);
        case Cell::Kind::Bool:
            return cell->number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
        case Cell::Kind::Number:
            return NumberFormat::Display(cell->number,
                                         book.Styles().Style(cell->style).numberFormat);
    }
    return {};
}

void Range::SetBold(bool bold) {
    StyleSheet& styles = sheet_->Book().Styles();
    for (int r = rect_.row1; r <= rect_.row2; ++r) {
        for (int col = rect_.col1; col <= rect_.col2; ++col) {
            Cell& cell = sheet_->At(r, col);
            cell.style = styles.WithBold(cell.style, bold);
        }
    }
}

bool Range::Bold() const {
    const Cell* cell = sheet_->Find(rect_.row1, rect_.col1);
    return sheet_->Book().Styles().Style(cell ? cell->style : 0).bold;
}

void Range::SetColumnWidth(double characters) {
    if (characters < 0 || characters > kMaxColumnWidth)
        throw ExcelError(QString("列宽 %1 不在 0 到 255 之间").arg(characters));
    const double fileWidth = FileWidthFromCharacters(characters);
    for (int col = rect_.col1; col <= rect_.col2; ++col) sheet_->SetColumnFileWidth(col, fileWidth);
}

double Range::ColumnWidth() const {
    const double fileWidth = sheet_->ColumnFileWidth(rect_.col1);
    if (fileWidth > 0 || sheet_->ColumnHidden(rect_.col1))
        return CharactersFromFileWidth(fileWidth);
    // A default column: its printed width (5 pixels of padding, 7 to a character).
    const double pixels = sheet_->ColumnPoints(rect_.col1) / 0.75;
    return std::round((pixels - 5.0) / 7.0 * 100.0) / 100.0;
}

void Range::SetRowHeight(double points) {
    if (points < 0 || points > kMaxRowHeight)
        throw ExcelError(QString("行高 %1 不在 0 到 409 磅之间").arg(points));
    for (int r = rect_.row1; r <= rect_.row2; ++r) sheet_->SetRowHeight(r, points);
}

double Range::RowHeight() const {
    return sheet_->RowHeight(rect_.row1);
}

void Range::CopyTo(const Range& destination) const {
    Worksheet& target = destination.Sheet();
    if (&target.Book() != &sheet_->Book()) throw ExcelError("不能在两个工作簿之间复制单元格");
    const int dRows = destination.Row() - rect_.row1;
    const int dCols = destination.Column() - rect_.col1;
    const CellRect to = rect_.Moved(dRows, dCols);
    if (to.row2 > kMaxSheetRow || to.col2 > kMaxSheetColumn)
        throw ExcelError(QString("复制的区域超出了工作表的范围（%1）").arg(destination.Address()));

    std::vector<CellRect> merges;
    for (const CellRect& m : sheet_->Merges()) {
        if (rect_.Contains(m.row1, m.col1) && rect_.Contains(m.row2, m.col2))
            merges.push_back(m.Moved(dRows, dCols));
    }
    auto& targetRows = target.MutableRows();
    if (&target == sheet_) {
        // Within one sheet the source and the destination may overlap: the cells are read
        // first, then the destination cleared and written.
        std::vector<std::pair<int, CellRow>> read;
        ForEachRowIn(*sheet_, rect_,
                     [&](int row, CellRow::const_iterator c, CellRow::const_iterator end) {
                         AppendCells(read.emplace_back(row, CellRow()).second, c, end, 0);
                     });
        target.ClearRect(to);
        for (const auto& [row, cells] : read)
            AppendCells(targetRows[row + dRows].cells, cells.begin(), cells.end(), dCols);
    } else {
        // Another sheet is written as the source is read: a page frame pasted thousands of
        // times into an export goes without a buffer.
        target.ClearRect(to);
        ForEachRowIn(*sheet_, rect_,
                     [&](int row, CellRow::const_iterator c, CellRow::const_iterator end) {
                         AppendCells(targetRows[row + dRows].cells, c, end, dCols);
                     });
    }
    for (const CellRect& m : merges) target.AddMerge(m);
}

void Range::Merge() {
    sheet_->AddMerge(rect_);
}

bool Range::MergeCells() const {
    return sheet_->MergeAt(rect_.row1, rect_.col1) != nullptr;
}
