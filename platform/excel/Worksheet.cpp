#include "platform/excel/Worksheet.h"

#include <algorithm>

#include "platform/excel/ExcelError.h"
#include "platform/excel/Range.h"
#include "platform/excel/SheetPrinter.h"
#include "platform/excel/SheetUnits.h"
#include "platform/excel/Workbook.h"

Worksheet::Worksheet(Workbook& book, const QString& name, const QString& partName)
    : book_(&book), name_(name), partName_(partName) {}

Worksheet::~Worksheet() = default;

::Range Worksheet::Range(const QString& ref) {
    const auto rect = ParseRange(ref);
    if (!rect) throw ExcelError(QString("单元格名称“%1”不正确").arg(ref));
    return ::Range(*this, *rect);
}

::Range Worksheet::Range(const QString& from, const QString& to) {
    const auto a = ParseRange(from);
    const auto b = ParseRange(to);
    if (!a || !b) throw ExcelError(QString("单元格名称“%1”或“%2”不正确").arg(from, to));
    return ::Range(*this, CellRect{std::min(a->row1, b->row1), std::min(a->col1, b->col1),
                                   std::max(a->row2, b->row2), std::max(a->col2, b->col2)});
}

::Range Worksheet::Cells(int row, int column) {
    if (row < 1 || row > kMaxSheetRow || column < 1 || column > kMaxSheetColumn)
        throw ExcelError(
            QString("单元格（第%1行，第%2列）超出了工作表的范围").arg(row).arg(column));
    return ::Range(*this, CellRect{row, column, row, column});
}

void Worksheet::HPageBreaksAdd(const ::Range& before) {
    if (&before.Sheet() != this) throw ExcelError("分页符的位置不在本工作表上");
    if (before.Row() > 1) rowBreaks_.insert(before.Row() - 1);
}

void Worksheet::VPageBreaksAdd(const ::Range& before) {
    if (&before.Sheet() != this) throw ExcelError("分页符的位置不在本工作表上");
    if (before.Column() > 1) columnBreaks_.insert(before.Column() - 1);
}

std::vector<int> Worksheet::HPageBreaks() const {
    std::vector<int> out;
    for (int id : rowBreaks_) out.push_back(id + 1);
    return out;
}

void Worksheet::SetPrintArea(const QString& ref) {
    if (ref.trimmed().isEmpty()) {
        printArea_.reset();
        return;
    }
    const auto rect = ParseRange(ref);
    if (!rect) throw ExcelError(QString("打印区域“%1”不正确").arg(ref));
    printArea_ = *rect;
}

PrintOutcome Worksheet::PrintOut() const {
    return SheetPrinter::PrintOut(*this, book_->BaseName());
}

PrintOutcome Worksheet::PrintPreview(bool EnableChanges) const {
    return SheetPrinter::PrintPreview(*this, book_->BaseName(), EnableChanges);
}

const Cell* Worksheet::Find(int row, int column) const {
    const auto r = rows_.find(row);
    if (r == rows_.end()) return nullptr;
    const auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

Cell& Worksheet::At(int row, int column) {
    return rows_[row].cells[column];
}

void Worksheet::ClearRect(const CellRect& rect) {
    for (auto r = rows_.lower_bound(rect.row1); r != rows_.end() && r->first <= rect.row2; ++r) {
        auto& cells = r->second.cells;
        cells.erase(cells.lower_bound(rect.col1), cells.upper_bound(rect.col2));
    }
    RemoveMergesIntersecting(rect);
}

std::optional<CellRect> Worksheet::UsedRange() const {
    std::optional<CellRect> used;
    auto include = [&used](int r1, int c1, int r2, int c2) {
        if (!used) {
            used = CellRect{r1, c1, r2, c2};
            return;
        }
        used->row1 = std::min(used->row1, r1);
        used->col1 = std::min(used->col1, c1);
        used->row2 = std::max(used->row2, r2);
        used->col2 = std::max(used->col2, c2);
    };
    for (const auto& [row, info] : rows_) {
        for (const auto& [col, cell] : info.cells) {
            if (cell.HasValue() || cell.style != 0) include(row, col, row, col);
        }
    }
    for (const CellRect& m : merges_) include(m.row1, m.col1, m.row2, m.col2);
    return used;
}

double Worksheet::RowHeight(int row) const {
    const auto r = rows_.find(row);
    if (r != rows_.end() && r->second.height > 0) return r->second.height;
    return defaultRowHeight_;
}

void Worksheet::SetRowHeight(int row, double points) {
    if (points < 0 || points > kMaxRowHeight)
        throw ExcelError(QString("行高 %1 不在 0 到 409 磅之间").arg(points));
    rows_[row].height = points;
    rows_[row].hidden = points == 0;
}

bool Worksheet::RowHidden(int row) const {
    const auto r = rows_.find(row);
    return r != rows_.end() && r->second.hidden;
}

double Worksheet::ColumnFileWidth(int column) const {
    for (const ColumnSpan& span : columns_) {
        if (column >= span.min && column <= span.max) return span.width;
    }
    return 0;
}

std::vector<Worksheet::ColumnSpan>::iterator Worksheet::IsolateColumn(int column) {
    auto it = std::find_if(columns_.begin(), columns_.end(),
                           [column](const ColumnSpan& s) { return column <= s.max; });
    if (it == columns_.end() || it->min > column) {
        ColumnSpan single;
        single.min = single.max = column;
        return columns_.insert(it, single);
    }
    if (it->min < column) {
        ColumnSpan before = *it;
        before.max = column - 1;
        it->min = column;
        it = columns_.insert(it, before) + 1;
    }
    if (it->max > column) {
        ColumnSpan after = *it;
        after.min = column + 1;
        it->max = column;
        it = columns_.insert(it + 1, after) - 1;
    }
    return it;
}

void Worksheet::SetColumnFileWidth(int column, double fileWidth) {
    auto it = IsolateColumn(column);
    it->width = fileWidth;
    it->customWidth = true;
    it->hidden = fileWidth == 0;
}

double Worksheet::ColumnPoints(int column) const {
    for (const ColumnSpan& span : columns_) {
        if (column >= span.min && column <= span.max) {
            if (span.hidden) return 0;
            if (span.width > 0) return PointsFromFileWidth(span.width);
            break;
        }
    }
    if (defaultColumnFileWidth_ > 0) return PointsFromFileWidth(defaultColumnFileWidth_);
    return DefaultColumnPoints(baseColumnCharacters_);
}

bool Worksheet::ColumnHidden(int column) const {
    for (const ColumnSpan& span : columns_) {
        if (column >= span.min && column <= span.max) return span.hidden;
    }
    return false;
}

void Worksheet::AddMerge(const CellRect& rect) {
    if (rect.IsSingleCell()) return;
    RemoveMergesIntersecting(rect);
    merges_.push_back(rect);
}

void Worksheet::RemoveMergesIntersecting(const CellRect& rect) {
    merges_.erase(std::remove_if(merges_.begin(), merges_.end(),
                                 [&rect](const CellRect& m) { return m.Intersects(rect); }),
                  merges_.end());
}

const CellRect* Worksheet::MergeAt(int row, int column) const {
    for (const CellRect& m : merges_) {
        if (m.Contains(row, column)) return &m;
    }
    return nullptr;
}
