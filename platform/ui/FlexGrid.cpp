#include "platform/ui/FlexGrid.h"

#include <QEvent>
#include <QHeaderView>

#include "platform/ui/ErrorReport.h"
#include "platform/ui/FlexGridModel.h"
#include "platform/ui/Twips.h"

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), cells_(new FlexGridModel(this)) {
    cells_->SetRows(2);
    cells_->SetCols(2);
    cells_->SetShade(palette().button());
    setModel(cells_);
    horizontalHeader()->hide();
    verticalHeader()->hide();
    // The report grids have narrow stub columns (200 twips) and exact row heights.
    horizontalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setMinimumSectionSize(0);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setWordWrap(false);
    connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid()) {
                    row_ = current.row();
                    col_ = current.column();
                }
            });
    connect(this, &QAbstractItemView::clicked, this,
            [this] { RunReported([&] { emit Click(); }); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this] { RunReported([&] { emit DblClick(); }); });
}

void FlexGrid::changeEvent(QEvent* event) {
    if (event->type() == QEvent::PaletteChange) cells_->SetShade(palette().button());
    QTableView::changeEvent(event);
}

bool FlexGrid::InRange(int row, int col) const {
    return cells_->InRange(row, col);
}

int FlexGrid::Rows() const {
    return cells_->Rows();
}

int FlexGrid::Cols() const {
    return cells_->Cols();
}

int FlexGrid::FixedRows() const {
    return cells_->FixedRows();
}

int FlexGrid::FixedCols() const {
    return cells_->FixedCols();
}

void FlexGrid::SetRows(int rows) {
    cells_->SetRows(rows);
    for (auto it = rowTwips_.begin(); it != rowTwips_.end();)
        it = it.key() >= Rows() ? rowTwips_.erase(it) : std::next(it);
    row_ = qMin(row_, qMax(0, Rows() - 1));
    if (mergeCells_ != flexMergeNever) UpdateMerges();
}

void FlexGrid::SetCols(int cols) {
    cells_->SetCols(cols);
    for (auto it = colTwips_.begin(); it != colTwips_.end();)
        it = it.key() >= Cols() ? colTwips_.erase(it) : std::next(it);
    col_ = qMin(col_, qMax(0, Cols() - 1));
    if (mergeCells_ != flexMergeNever) UpdateMerges();
}

void FlexGrid::SetFixedRows(int rows) {
    cells_->SetFixed(rows, FixedCols());
}

void FlexGrid::SetFixedCols(int cols) {
    cells_->SetFixed(FixedRows(), cols);
}

void FlexGrid::SetRow(int row) {
    if (row < 0 || row >= Rows()) return;
    row_ = row;
    if (InRange(row_, col_))
        selectionModel()->setCurrentIndex(cells_->index(row_, col_), QItemSelectionModel::NoUpdate);
}

void FlexGrid::SetCol(int col) {
    if (col < 0 || col >= Cols()) return;
    col_ = col;
    if (InRange(row_, col_))
        selectionModel()->setCurrentIndex(cells_->index(row_, col_), QItemSelectionModel::NoUpdate);
}

QString FlexGrid::TextMatrix(int row, int col) const {
    const FlexGridModel::Cell* cell = cells_->At(row, col);
    return cell ? cell->text : QString();
}

void FlexGrid::SetTextMatrix(int row, int col, const QString& text) {
    FlexGridModel::Cell* cell = cells_->MutableAt(row, col);
    if (!cell) return;
    cell->text = text;
    MergesFollow(row, col);
}

void FlexGrid::SetCell(int row, int col, const QString& text, int alignment) {
    FlexGridModel::Cell* cell = cells_->MutableAt(row, col);
    if (!cell) return;
    cell->text = text;
    cell->alignment = static_cast<qint8>(alignment);
    MergesFollow(row, col);
}

// A text written in a merging row or column can join or split a merged cell.
void FlexGrid::MergesFollow(int row, int col) {
    if (mergeCells_ != flexMergeNever && (mergeRows_.contains(row) || mergeCols_.contains(col)))
        UpdateMerges();
}

int FlexGrid::CellAlignment() const {
    return cells_->Alignment(row_, col_);
}

void FlexGrid::SetCellAlignment(int alignment) {
    if (FlexGridModel::Cell* cell = cells_->MutableAt(row_, col_))
        cell->alignment = static_cast<qint8>(alignment);
}

void FlexGrid::SetColAlignment(int col, int alignment) {
    cells_->SetColAlignment(col, alignment);
}

bool FlexGrid::CellFontBold() const {
    const FlexGridModel::Cell* cell = cells_->At(row_, col_);
    return cell && cell->bold;
}

void FlexGrid::SetCellFontBold(bool bold) {
    if (FlexGridModel::Cell* cell = cells_->MutableAt(row_, col_)) cell->bold = bold;
}

// The twips a size was set in are kept, so reading it back gives the same number rather
// than the pixel rounding.
int FlexGrid::ColWidth(int col) const {
    return colTwips_.contains(col) ? colTwips_.value(col) : PixelsToTwips(columnWidth(col));
}

void FlexGrid::SetColWidth(int col, int twips) {
    if (col < 0 || col >= Cols()) return;
    colTwips_[col] = qMax(0, twips);
    setColumnWidth(col, TwipsToPixels(colTwips_[col]));
}

int FlexGrid::RowHeight(int row) const {
    return rowTwips_.contains(row) ? rowTwips_.value(row) : PixelsToTwips(rowHeight(row));
}

void FlexGrid::SetRowHeight(int row, int twips) {
    if (row < 0 || row >= Rows()) return;
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
    cells_->ClearCells();
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
    if (row < 0 || row >= Rows()) return;
    int c = 0;
    while (c < Cols()) {
        const QString text = TextMatrix(row, c);
        int end = c + 1;
        while (!text.isEmpty() && end < Cols() && TextMatrix(row, end) == text) ++end;
        if (end - c > 1) {
            setSpan(row, c, 1, end - c);
            for (int k = c; k < end; ++k) taken.insert({row, k});
        }
        c = end;
    }
}

void FlexGrid::MergeDown(int col, const QSet<QPair<int, int>>& taken) {
    if (col < 0 || col >= Cols()) return;
    int r = 0;
    while (r < Rows()) {
        const QString text = TextMatrix(r, col);
        int end = r + 1;
        if (!text.isEmpty() && !taken.contains({r, col})) {
            while (end < Rows() && TextMatrix(end, col) == text && !taken.contains({end, col}))
                ++end;
        }
        if (end - r > 1) setSpan(r, col, end - r, 1);
        r = end;
    }
}
