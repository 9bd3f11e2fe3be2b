#pragma once
#include <QAbstractTableModel>
#include <QString>

class Recordset;

// The rows of a recordset as a Qt table model: one column per field, the field names
// as horizontal headers, each value as a QVariant (Null is an invalid QVariant) for
// the display and edit roles. Setting data makes that row the recordset's current row
// (under optimistic locking this writes the row being left) and sets the field; a
// failure returns false, is kept in LastError() and announced by ErrorRaised. No
// exception ever leaves the model.
//
// The recordset keeps the model in step: rows inserted on AddNew, removed on Delete
// (and when a new row is cancelled), changed on field sets and read-backs, and reset
// on Open, Requery, Close and CancelBatch. The hooks below are for the recordset only.
class RecordsetModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    explicit RecordsetModel(Recordset* rs);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    Recordset* Source() const { return rs_; }
    QString LastError() const { return lastError_; }

    // Called by the recordset around its changes.
    void BeginReset() { beginResetModel(); }
    void EndReset() { endResetModel(); }
    void BeginInsert(int row) { beginInsertRows(QModelIndex(), row, row); }
    void EndInsert() { endInsertRows(); }
    void BeginRemove(int row) { beginRemoveRows(QModelIndex(), row, row); }
    void EndRemove() { endRemoveRows(); }
    void RowChanged(int row);
    void CellChanged(int row, int column);

  signals:
    void ErrorRaised(const QString& description);

  private:
    bool Fail(const QString& description);

    Recordset* rs_;
    QString lastError_;
};
