#include "platform/ui/FlexGrid.h"

#include <QHeaderView>

#include "platform/text/VbText.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/Twips.h"

namespace {
constexpr int kAlignmentRole = Qt::UserRole + 1;

Qt::Alignment QtAlignment(int alignment, const QString& text) {
    switch (alignment) {
        case flexAlignLeftTop:
            return Qt::AlignLeft | Qt::AlignTop;
        case flexAlignLeftCenter:
            return Qt::AlignLeft | Qt::AlignVCenter;
        case flexAlignLeftBottom:
            return Qt::AlignLeft | Qt::AlignBottom;
        case flexAlignCenterTop:
            return Qt::AlignHCenter | Qt::AlignTop;
        case flexAlignCenterCenter:
            return Qt::AlignCenter;
        case flexAlignCenterBottom:
            return Qt::AlignHCenter | Qt::AlignBottom;
        case flexAlignRightTop:
            return Qt::AlignRight | Qt::AlignTop;
        case flexAlignRightCenter:
            return Qt::AlignRight | Qt::AlignVCenter;
        case flexAlignRightBottom:
            return Qt::AlignRight | Qt::AlignBottom;
        default:  // general: numbers to the right, texts to the left
            return (IsNumeric(text) ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter;
    }
}
}  // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableWidget(2, 2, parent) {
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The report grids have narrow stub columns (200 twips) and exact row heights.
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(this, &QTableWidget::currentCellChanged, this, [this](int row, int col) {
        if (row >= 0 && col >= 0) {
            row_ = row;
            col_ = col;
        }
    });
    connect(this, &QTableWidget::cellClicked, this, [this] { RunReported([&] { emit Click(); }); });
    connect(this, &QTableWidget::cellDoubleClicked, this,
            [this] { RunReported([&] { emit DblClick(); }); });
    StyleCells(0, 0);
}

bool FlexGrid::InRange(int row, int col) const {
    return row >= 0 && col >= 0 && row < rowCount() && col < columnCount();
}

void FlexGrid::SetRows(int rows) {
    const int old = rowCount();
    setRowCount(qMax(0, rows));
    for (auto it = rowTwips_.begin(); it != rowTwips_.end();)
        it = it.key() >= rowCount() ? rowTwips_.erase(it) : std::next(it);
    row_ = qMin(row_, qMax(0, rowCount() - 1));
    StyleCells(old, columnCount());
    if (mergeCells_ != flexMergeNever) UpdateMerges();
}

void FlexGrid::SetCols(int cols) {
    const int old = columnCount();
    setColumnCount(qMax(0, cols));
    for (auto it = colTwips_.begin(); it != colTwips_.end();)
        it = it.key() >= columnCount() ? colTwips_.erase(it) : std::next(it);
    col_ = qMin(col_, qMax(0, columnCount() - 1));
    StyleCells(rowCount(), old);
    if (mergeCells_ != flexMergeNever) UpdateMerges();
}

void FlexGrid::SetFixedRows(int rows) {
    fixedRows_ = qMax(0, rows);
    if (rowCount() < fixedRows_) setRowCount(fixedRows_);
    StyleCells(0, 0);
}

void FlexGrid::SetFixedCols(int cols) {
    fixedCols_ = qMax(0, cols);
    if (columnCount() < fixedCols_) setColumnCount(fixedCols_);
    StyleCells(0, 0);
}

void FlexGrid::SetRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    row_ = row;
    if (InRange(row_, col_)) setCurrentCell(row_, col_, QItemSelectionModel::NoUpdate);
}

void FlexGrid::SetCol(int col) {
    if (col < 0 || col >= columnCount()) return;
    col_ = col;
    if (InRange(row_, col_)) setCurrentCell(row_, col_, QItemSelectionModel::NoUpdate);
}

const QTableWidgetItem* FlexGrid::CellItemIfAny(int row, int col) const {
    return InRange(row, col) ? item(row, col) : nullptr;
}

QTableWidgetItem* FlexGrid::CellItem(int row, int col) {
    if (!InRange(row, col)) return nullptr;
    QTableWidgetItem* cell = item(row, col);
    if (!cell) {
        cell = new QTableWidgetItem();
        setItem(row, col, cell);
        StyleCell(row, col);
    }
    return cell;
}

void FlexGrid::StyleCell(int row, int col) {
    if (QTableWidgetItem* cell = item(row, col)) StyleItem(cell, row, col);
}

void FlexGrid::StyleItem(QTableWidgetItem* cell, int row, int col) const {
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    cell->setFlags(fixed ? Qt::ItemIsEnabled : (Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    cell->setBackground(fixed ? palette().button() : QBrush());
    // A cell without an alignment of its own follows its column.
    if (!cell->data(kAlignmentRole).isValid())
        cell->setTextAlignment(QtAlignment(DefaultAlignment(row, col), cell->text()));
}

int FlexGrid::DefaultAlignment(int row, int col) const {
    const bool fixed = row < fixedRows_ || col < fixedCols_;
    return colAlignment_.value(col, fixed ? flexAlignLeftCenter : flexAlignGeneral);
}

// Gives the cells from firstRow down, and those from firstCol right, their fixed or
// scrolling look (the fixed ones get an item so that they are shaded even when empty).
void FlexGrid::StyleCells(int firstRow, int firstCol) {
    for (int r = 0; r < rowCount(); ++r) {
        const bool fixedRow = r < fixedRows_;
        for (int c = r >= firstRow ? 0 : firstCol; c < columnCount(); ++c) {
            if (fixedRow || c < fixedCols_) CellItem(r, c);
            StyleCell(r, c);
        }
    }
}

QString FlexGrid::TextMatrix(int row, int col) const {
    const QTableWidgetItem* cell = CellItemIfAny(row, col);
    return cell ? cell->text() : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    QTableWidgetItem* cell = CellItem(row, col);
    if (!cell) return;
    cell->setText(text);
    const QVariant own = cell->data(kAlignmentRole);
    const int alignment = own.isValid() ? own.toInt() : DefaultAlignment(row, col);
    cell->setTextAlignment(QtAlignment(alignment, text));
    if (mergeCells_ != flexMergeNever && (mergeRows_.contains(row) || mergeCols_.contains(col)))
        UpdateMerges();
}

void FlexGrid::SetCell(int row, int col, const QString& text, int alignment) {
    if (!InRange(row, col)) return;
    if (QTableWidgetItem* cell = item(row, col)) {
        cell->setText(text);
        ApplyAlignment(cell, alignment);
    } else {
        // A new cell is made whole before it goes into the grid: one change, not five.
        cell = new QTableWidgetItem(text);
        cell->setData(kAlignmentRole, alignment);
        cell->setTextAlignment(QtAlignment(alignment, text));
        StyleItem(cell, row, col);
        setItem(row, col, cell);
    }
    if (mergeCells_ != flexMergeNever && (mergeRows_.contains(row) || mergeCols_.contains(col)))
        UpdateMerges();
}

int FlexGrid::CellAlignment() const {
    const QTableWidgetItem* cell = CellItemIfAny(row_, col_);
    const QVariant own = cell ? cell->data(kAlignmentRole) : QVariant();
    return own.isValid() ? own.toInt() : DefaultAlignment(row_, col_);
}

void FlexGrid::ApplyAlignment(QTableWidgetItem* cell, int alignment) {
    cell->setData(kAlignmentRole, alignment);
    cell->setTextAlignment(QtAlignment(alignment, cell->text()));
}

void FlexGrid::SetCellAlignment(int alignment) {
    if (QTableWidgetItem* cell = CellItem(row_, col_)) ApplyAlignment(cell, alignment);
}

void FlexGrid::SetColAlignment(int col, int alignment) {
    colAlignment_[col] = alignment;
    for (int r = 0; r < rowCount(); ++r) {
        QTableWidgetItem* cell = item(r, col);
        if (cell && !cell->data(kAlignmentRole).isValid())
            cell->setTextAlignment(QtAlignment(alignment, cell->text()));
    }
}

bool FlexGrid::CellFontBold() const {
    const QTableWidgetItem* cell = CellItemIfAny(row_, col_);
    return cell && cell->font().bold();
}

void FlexGrid::SetCellFontBold(bool bold) {
    QTableWidgetItem* cell = CellItem(row_, col_);
    if (!cell) return;
    QFont font = cell->font();
    font.setBold(bold);
    cell->setFont(font);
}

// The twips a size was set in are kept, so reading it back gives the same number rather
// than the pixel rounding.
int FlexGrid::ColWidth(int col) const {
    return colTwips_.contains(col) ? colTwips_.value(col) : PixelsToTwips(columnWidth(col));
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= columnCount()) return;
    colTwips_[col] = qMax(0, twips);
    setColumnWidth(col, TwipsToPixels(colTwips_[col]));
}

int FlexGrid::RowHeight(int row) const {
    return rowTwips_.contains(row) ? rowTwips_.value(row) : PixelsToTwips(rowHeight(row));
}

void FlexGrid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= rowCount()) return;
    rowTwips_[row] = qMax(0, twips);
    setRowHeight(row, TwipsToPixels(rowTwips_[row]));
}

void FlexGrid::SetMergeCells(int mode) {
    mergeCells_ = mode;
    UpdateMerges();
}

void FlexGrid::SetMergeRow(int row, bool merge) {
    if (merge)
        mergeRows_.insert(row);
    else
        mergeRows_.remove(row);
    UpdateMerges();
}

void FlexGrid::SetMergeCol(int col, bool merge) {
    if (merge)
        mergeCols_.insert(col);
    else
        mergeCols_.remove(col);
    UpdateMerges();
}

void FlexGrid::Clear() {
    clearSpans();
    clearContents();
    StyleCells(0, 0);
}

void FlexGrid::SetScrollBars(int which) {
    setHorizontalScrollBarPolicy((which & 1) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy((which & 2) ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
}

// Merged cells are recomputed as a whole: runs across the merge rows first, then runs
// down the merge columns over cells no run across has taken.
void FlexGrid::UpdateMerges() {
    if (updatingMerges_) return;
    updatingMerges_ = true;
    clearSpans();
    if (mergeCells_ != flexMergeNever) {
        QSet<QPair<int, int>> taken;
        for (int row : mergeRows_) MergeAcross(row, taken);
        for (int col : mergeCols_) MergeDown(col, taken);
    }
    updatingMerges_ = false;
}

void FlexGrid::MergeAcross(int row, QSet<QPair<int, int>>& taken) {
    if (row < 0 || row >= rowCount()) return;
    int c = 0;
    while (c < columnCount()) {
        const QString text = TextMatrix(row, c);
        int end = c + 1;
        while (!text.isEmpty() && end < columnCount() && TextMatrix(row, end) == text) ++end;
        if (end - c > 1) {
            setSpan(row, c, 1, end - c);
            for (int k = c; k < end; ++k) taken.insert({row, k});
        }
        c = end;
    }
}

void FlexGrid::MergeDown(int col, const QSet<QPair<int, int>>& taken) {
    if (col < 0 || col >= columnCount()) return;
    int r = 0;
    while (r < rowCount()) {
        const QString text = TextMatrix(r, col);
        int end = r + 1;
        if (!text.isEmpty() && !taken.contains({r, col})) {
            while (end < rowCount() && TextMatrix(end, col) == text && !taken.contains({end, col}))
                ++end;
        }
        if (end - r > 1) setSpan(r, col, end - r, 1);
        r = end;
    }
}
