#pragma once
#include <QAbstractTableModel>
#include <QPointer>
#include <vector>

#include "platform/db/Recordset.h"

class DataGrid;

// The grid's view of its recordset's item model: the grid's own columns (each a field by
// name), their captions, display formats and locks, the current row marked, and edits
// handed to the grid to write. Kept in step with the recordset's model.
class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    struct Column {
        QString caption;
        QString dataField;
        QString numberFormat;
        int alignment = 3;  // dbgGeneral
        bool locked = false;
        bool visible = true;
        int widthTwips = -1;
        bool nullAsZero = false;  // an amount column: a Null field shows as 0 in its format
    };
    // A field's value as the column shows it.
    static QString DisplayText(const Column& column, const Value& value);

    explicit DataGridModel(DataGrid* grid);

    void SetSource(Recordset* rs);
    Recordset* Source() const { return rs_; }
    // The columns changed (added, removed, bound to other fields).
    void ColumnsChanged();
    void SetCurrentRow(int row);
    int CurrentRow() const { return currentRow_; }
    // The field behind a grid column, -1 when the recordset has none of that name.
    int FieldOf(int column) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

  private:
    void Connect(QAbstractItemModel* source);
    void SourceDataChanged(const QModelIndex& topLeft, const QModelIndex& bottomRight);
    void MarkRow(int row);

    DataGrid* grid_;
    QPointer<Recordset> rs_;
    QPointer<QAbstractItemModel> source_;
    QList<QMetaObject::Connection> connections_;
    std::vector<int> fieldOf_;
    int currentRow_ = -1;
};
