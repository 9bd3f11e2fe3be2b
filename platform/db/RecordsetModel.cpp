#include "platform/db/RecordsetModel.h"

#include "platform/db/Recordset.h"

RecordsetModel::RecordsetModel(Recordset* rs) : QAbstractTableModel(rs), rs_(rs) {}

int RecordsetModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rs_->RecordCount();
}

int RecordsetModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rs_->FieldCount();
}

QVariant RecordsetModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole)) return QVariant();
    return rs_->ValueAt(index.row() + 1, index.column()).ToVariant();
}

QVariant RecordsetModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) return rs_->FieldName(section);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags RecordsetModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.isValid() && rs_->LockType() != adLockReadOnly && rs_->IsUpdatable(index.column()))
        f |= Qt::ItemIsEditable;
    return f;
}

bool RecordsetModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole) return false;
    try {
        if (rs_->AbsolutePosition() != index.row() + 1) rs_->SetAbsolutePosition(index.row() + 1);
        rs_->SetValue(index.column(), Value::FromVariant(value));
        lastError_.clear();
        return true;
    } catch (const DbError& e) {
        return Fail(e.Description());
    } catch (const std::exception& e) {
        return Fail(QString::fromUtf8(e.what()));
    }
}

bool RecordsetModel::Fail(const QString& description) {
    lastError_ = description;
    emit ErrorRaised(description);
    return false;
}

void RecordsetModel::RowChanged(int row) {
    const int last = columnCount() - 1;
    if (last >= 0)
        emit dataChanged(index(row, 0), index(row, last), {Qt::DisplayRole, Qt::EditRole});
}

void RecordsetModel::CellChanged(int row, int column) {
    const QModelIndex i = index(row, column);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}
