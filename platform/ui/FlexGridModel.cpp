#include "platform/ui/FlexGridModel.h"

#include <QFont>
#include <QMetaObject>

#include "platform/text/VbText.h"
#include "platform/ui/FlexGrid.h"

namespace {
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

FlexGridModel::FlexGridModel(QObject* parent) : QAbstractTableModel(parent) {}

int FlexGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

int FlexGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : cols_;
}

const FlexGridModel::Cell* FlexGridModel::At(int row, int col) const {
    return InRange(row, col) ? &cells_[static_cast<size_t>(row) * cols_ + col] : nullptr;
}

FlexGridModel::Cell* FlexGridModel::MutableAt(int row, int col) {
    if (!InRange(row, col)) return nullptr;
    CellsChanged();
    return &cells_[static_cast<size_t>(row) * cols_ + col];
}

// The view repaints what changed once, when the event loop next runs.
void FlexGridModel::CellsChanged() {
    if (changePending_) return;
    changePending_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            changePending_ = false;
            if (rows_ > 0 && cols_ > 0) emit dataChanged(index(0, 0), index(rows_ - 1, cols_ - 1));
        },
        Qt::QueuedConnection);
}

// Keeps every cell that stays inside the new size where it was.
void FlexGridModel::ResizeCells(int rows, int cols) {
    if (cols == cols_) {
        cells_.resize(static_cast<size_t>(rows) * cols);
    } else {
        std::vector<Cell> cells(static_cast<size_t>(rows) * cols);
        for (int r = 0; r < qMin(rows, rows_); ++r)
            for (int c = 0; c < qMin(cols, cols_); ++c)
                cells[static_cast<size_t>(r) * cols + c] =
                    std::move(cells_[static_cast<size_t>(r) * cols_ + c]);
        cells_ = std::move(cells);
    }
    rows_ = rows;
    cols_ = cols;
}

void FlexGridModel::SetRows(int rows) {
    rows = qMax(0, rows);
    if (rows == rows_) return;
    if (rows > rows_) {
        beginInsertRows(QModelIndex(), rows_, rows - 1);
        ResizeCells(rows, cols_);
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows, rows_ - 1);
        ResizeCells(rows, cols_);
        endRemoveRows();
    }
}

void FlexGridModel::SetCols(int cols) {
    cols = qMax(0, cols);
    if (cols == cols_) return;
    if (cols > cols_) {
        beginInsertColumns(QModelIndex(), cols_, cols - 1);
        ResizeCells(rows_, cols);
        endInsertColumns();
    } else {
        beginRemoveColumns(QModelIndex(), cols, cols_ - 1);
        ResizeCells(rows_, cols);
        endRemoveColumns();
    }
}

void FlexGridModel::SetFixed(int rows, int cols) {
    fixedRows_ = qMax(0, rows);
    fixedCols_ = qMax(0, cols);
    if (rows_ < fixedRows_) SetRows(fixedRows_);
    if (cols_ < fixedCols_) SetCols(fixedCols_);
    CellsChanged();
}

void FlexGridModel::ClearCells() {
    for (Cell& cell : cells_) cell = Cell();
    CellsChanged();
}

int FlexGridModel::Alignment(int row, int col) const {
    const Cell* cell = At(row, col);
    if (cell && cell->alignment != kNoAlignment) return cell->alignment;
    return colAlignment_.value(col, IsFixed(row, col) ? flexAlignLeftCenter : flexAlignGeneral);
}

void FlexGridModel::SetColAlignment(int col, int alignment) {
    colAlignment_[col] = alignment;
    CellsChanged();
}

void FlexGridModel::SetShade(const QBrush& shade) {
    shade_ = shade;
    CellsChanged();
}

QVariant FlexGridModel::data(const QModelIndex& index, int role) const {
    const Cell* cell = At(index.row(), index.column());
    if (!cell) return QVariant();
    switch (role) {
        case Qt::DisplayRole:
            return cell->text;
        case Qt::TextAlignmentRole:
            return int(QtAlignment(Alignment(index.row(), index.column()), cell->text));
        case Qt::BackgroundRole:
            return IsFixed(index.row(), index.column()) ? QVariant(shade_) : QVariant();
        case Qt::FontRole: {
            if (!cell->bold) return QVariant();
            QFont bold;  // only the weight: family and size stay the grid's
            bold.setBold(true);
            return bold;
        }
        default:
            return QVariant();
    }
}

Qt::ItemFlags FlexGridModel::flags(const QModelIndex& index) const {
    if (!At(index.row(), index.column())) return Qt::NoItemFlags;
    return IsFixed(index.row(), index.column()) ? Qt::ItemIsEnabled
                                                : (Qt::ItemIsEnabled | Qt::ItemIsSelectable);
}
