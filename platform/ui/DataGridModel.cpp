#include "platform/ui/DataGridModel.h"

#include <QApplication>
#include <QPalette>

#include "platform/ui/DataGrid.h"
#include "platform/ui/DisplayFormat.h"

DataGridModel::DataGridModel(DataGrid* grid) : QAbstractTableModel(grid), grid_(grid) {}

void DataGridModel::SetSource(Recordset* rs) {
    beginResetModel();
    for (const auto& c : connections_) disconnect(c);
    connections_.clear();
    rs_ = rs;
    source_ = rs ? rs->Model() : nullptr;
    currentRow_ = -1;
    if (source_) Connect(source_);
    if (rs) {
        // The recordset going away unbinds the grid (its model goes with it).
        connections_ << connect(rs, &QObject::destroyed, this, [this] {
            beginResetModel();
            for (const auto& c : connections_) disconnect(c);
            connections_.clear();
            source_ = nullptr;
            currentRow_ = -1;
            fieldOf_.clear();
            endResetModel();
        });
    }
    ColumnsChanged();
    endResetModel();
}

void DataGridModel::Connect(QAbstractItemModel* source) {
    connections_ << connect(source, &QAbstractItemModel::modelAboutToBeReset, this,
                            [this] { beginResetModel(); })
                 << connect(source, &QAbstractItemModel::modelReset, this,
                            [this] {
                                currentRow_ = -1;
                                ColumnsChanged();
                                endResetModel();
                            })
                 << connect(source, &QAbstractItemModel::rowsAboutToBeInserted, this,
                            [this](const QModelIndex&, int first, int last) {
                                beginInsertRows(QModelIndex(), first, last);
                            })
                 << connect(source, &QAbstractItemModel::rowsInserted, this,
                            [this] { endInsertRows(); })
                 << connect(source, &QAbstractItemModel::rowsAboutToBeRemoved, this,
                            [this](const QModelIndex&, int first, int last) {
                                if (currentRow_ >= first && currentRow_ <= last) currentRow_ = -1;
                                // The view moves its current cell off the rows by itself: that is
                                // not the operator leaving a row, so the grid must not move the
                                // recordset (which would write the row) while rows go.
                                grid_->removingRows_ = true;
                                beginRemoveRows(QModelIndex(), first, last);
                            })
                 << connect(source, &QAbstractItemModel::rowsRemoved, this,
                            [this] {
                                endRemoveRows();
                                grid_->removingRows_ = false;
                                grid_->FollowRecordset();
                            })
                 << connect(source, &QAbstractItemModel::layoutAboutToBeChanged, this,
                            [this] { emit layoutAboutToBeChanged(); })
                 << connect(source, &QAbstractItemModel::layoutChanged, this,
                            [this] { emit layoutChanged(); })
                 << connect(source, &QAbstractItemModel::dataChanged, this,
                            &DataGridModel::SourceDataChanged);
}

// Only meant to be called between a begin and an end of a reset (or by SetSource).
void DataGridModel::ColumnsChanged() {
    fieldOf_.clear();
    for (const auto& column : grid_->columns_) {
        fieldOf_.push_back(rs_ && rs_->IsOpen() ? rs_->FieldIndex(column.dataField) : -1);
    }
}

int DataGridModel::FieldOf(int column) const {
    return column >= 0 && column < static_cast<int>(fieldOf_.size()) ? fieldOf_[column] : -1;
}

void DataGridModel::SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight) {
    const int last = columnCount() - 1;
    if (last < 0) return;
    emit dataChanged(index(topLeft.row(), 0), index(bottomRight.row(), last));
}

void DataGridModel::SetCurrentRow(int row) {
    if (row == currentRow_) return;
    const int old = currentRow_;
    currentRow_ = row;
    MarkRow(old);
    MarkRow(row);
}

void DataGridModel::MarkRow(int row) {
    if (row < 0 || row >= rowCount()) return;
    const int last = columnCount() - 1;
    if (last >= 0)
        emit dataChanged(index(row, 0), index(row, last), {Qt::BackgroundRole, Qt::ForegroundRole});
    emit headerDataChanged(Qt::Vertical, row, row);
}

QString DataGridModel::DisplayText(const Column& column, const Value& value) {
    return FormatValue(value.IsNull() && column.nullAsZero ? Value(0.0) : value,
                       column.numberFormat);
}

int DataGridModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() || !source_ ? 0 : source_->rowCount();
}

int DataGridModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(grid_->columns_.size());
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !rs_ || !rs_->IsOpen()) return QVariant();
    const int field = FieldOf(index.column());
    const auto& column = grid_->columns_[static_cast<size_t>(index.column())];
    switch (role) {
        case Qt::DisplayRole:
            return field < 0 ? QVariant()
                             : DisplayText(column, rs_->ValueAt(index.row() + 1, field));
        case Qt::EditRole:
            return field < 0 ? QVariant() : rs_->ValueAt(index.row() + 1, field).ToString();
        case Qt::TextAlignmentRole: {
            int alignment = column.alignment;
            if (alignment == dbgGeneral) {
                alignment = field >= 0 && rs_->ValueAt(index.row() + 1, field).IsNumber() ? dbgRight
                                                                                          : dbgLeft;
            }
            const Qt::Alignment h = alignment == dbgRight    ? Qt::AlignRight
                                    : alignment == dbgCenter ? Qt::AlignHCenter
                                                             : Qt::AlignLeft;
            return QVariant::fromValue(h | Qt::AlignVCenter);
        }
        case Qt::BackgroundRole:
            // The current row stands out as the original grids mark it.
            if (index.row() == currentRow_) {
                QColor c = grid_->palette().color(QPalette::Highlight);
                c.setAlpha(60);
                return c;
            }
            return QVariant();
        default:
            return QVariant();
    }
}

QVariant DataGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return QVariant();
    if (orientation == Qt::Vertical)
        return section == currentRow_ ? QStringLiteral("▶") : QString();
    if (section < 0 || section >= columnCount()) return QVariant();
    const auto& column = grid_->columns_[static_cast<size_t>(section)];
    return column.caption.isEmpty() ? column.dataField : column.caption;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const {
    if (!index.isValid()) return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    const int field = FieldOf(index.column());
    const auto& column = grid_->columns_[static_cast<size_t>(index.column())];
    if (grid_->allowUpdate_ && !column.locked && field >= 0 && source_ &&
        (source_->flags(source_->index(index.row(), field)) & Qt::ItemIsEditable)) {
        f |= Qt::ItemIsEditable;
    }
    return f;
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    return grid_->WriteCell(index.row(), index.column(), value.toString());
}
