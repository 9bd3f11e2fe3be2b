#pragma once
#include <QTableView>
#include <initializer_list>
#include <optional>
#include <vector>

#include "platform/db/Recordset.h"
#include "platform/ui/DataGridColumn.h"
#include "platform/ui/DataGridModel.h"
#include "platform/ui/SelBookmarkList.h"

// A grid bound to a recordset (the windows' data grids).
//
// - Columns are designed with AddColumn(caption, field, width in twips, display format),
//   or several at once with AddColumns (the header is then laid out once, not once a
//   column); a grid without designed columns shows every field under its name.
//   Columns(i) reads and writes a column (caption, width, hidden, locked, NumberFormat,
//   Text of the current row).
// - The grid's current row is the recordset's current row, both ways: a move of the
//   recordset (MoveNext, Find, AddNew, Requery...) moves the grid; the operator's moving
//   to another row (mouse, keys) sets the recordset's AbsolutePosition, which under
//   optimistic locking writes the row being left. A failed write is shown in a message
//   box and the grid stays on the row it could not leave.
// - Cells of unlocked columns of updatable fields can be edited (unless AllowUpdate is
//   off); an edit writes the field of that row through the recordset. A cell shown as an
//   amount ("￥#,##0.00") reads what was typed as every money box does (Money::FromTyped):
//   a text that is no amount is refused with the money boxes' message, and not written.
// - Events: RowColChange(LastRow, LastCol) whenever the current cell changes (by the
//   operator or by the recordset); BeforeColUpdate(ColIndex, OldValue, Cancel) before an
//   operator's edit is written (Cancel keeps the old value) and AfterColUpdate(ColIndex)
//   after; AfterColEdit(ColIndex) when a cell editor closes; HeadClick(ColIndex); Click;
//   DblClick. Focus, key and mouse events are those of every control (ControlEvents:
//   OnLostFocus(grid, ...), OnMouseMove(grid, ...), OnKeyDown(grid, ...)); the grid
//   loses the focus only when it leaves the grid and its cell editor.
// - SelBookmarks(): the rows selected with the record selectors, as bookmarks.
//
// Errors raised by the handlers of these events are shown in a message box.
class DataGrid : public QTableView {
    Q_OBJECT
  public:
    explicit DataGrid(QWidget* parent = nullptr);

    // A column as AddColumn takes it.
    struct ColumnDesign {
        ColumnDesign(const QString& caption, const QString& dataField, int widthTwips = -1,
                     const QString& numberFormat = QString())
            : caption(caption),
              dataField(dataField),
              widthTwips(widthTwips),
              numberFormat(numberFormat) {}
        QString caption;
        QString dataField;
        int widthTwips;
        QString numberFormat;
    };

    DataGridColumn AddColumn(const QString& caption, const QString& dataField, int widthTwips = -1,
                             const QString& numberFormat = QString());
    void AddColumns(std::initializer_list<ColumnDesign> designs);
    DataGridColumn Columns(int index);  // 0-based; std::out_of_range past the last column
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    void ClearColumns();

    void SetDataSource(Recordset* rs);
    Recordset* DataSource() const { return model_->Source(); }

    void SetAllowUpdate(bool allow);

    int Row() const;  // current row, 0-based; -1 when none
    int Col() const;  // current column; -1 when none
    void SetCol(int col);
    QString Text() const;  // the current cell as shown

    SelBookmarkList SelBookmarks() { return SelBookmarkList(this); }
    using QTableView::edit;  // edit(index): opens the cell editor, as the view's own

  signals:
    void RowColChange(int LastRow, int LastCol);
    void BeforeColUpdate(int ColIndex, const Value& OldValue, int& Cancel);
    void AfterColUpdate(int ColIndex);
    void AfterColEdit(int ColIndex);
    void HeadClick(int ColIndex);
    void Click();
    void DblClick();

  protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    QItemSelectionModel::SelectionFlags selectionCommand(
        const QModelIndex& index, const QEvent* event = nullptr) const override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

  private:
    friend class DataGridColumn;
    friend class DataGridModel;
    friend class SelBookmarkList;

    bool WriteCell(int row, int column, const QString& text);
    std::optional<Value> TypedValue(int column, const QString& text);
    void FollowRecordset();
    void MoveCurrentTo(int row, int column);
    void RecordSelectorPressed(int row);
    void ApplyColumnLooks();
    void ApplyColumnLook(int index);
    void MakeAutoColumns();
    int FirstVisibleColumn() const;
    DataGridModel::Column& Spec(int index);

    DataGridModel* model_;
    std::vector<DataGridModel::Column> columns_;
    bool autoColumns_ = false;
    bool allowUpdate_ = true;
    bool following_ = false;
    bool removingRows_ = false;
    int editingColumn_ = -1;
    QList<QMetaObject::Connection> rsConnections_;
};
