#include "platform/ui/DataGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <stdexcept>

#include "platform/db/DbError.h"
#include "platform/text/Money.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/Twips.h"

DataGrid::DataGrid(QWidget* parent) : QTableView(parent), model_(new DataGridModel(this)) {
    setModel(model_);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::MultiSelection);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    setSortingEnabled(false);
    setWordWrap(false);
    // Tab goes on to the window's next control; the arrow keys move between cells.
    setTabKeyNavigation(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setFixedWidth(18);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);

    // Headers do not select: the column heading raises HeadClick, the record selector
    // selects its row (SelBookmarks) and makes it current.
    disconnect(horizontalHeader(), &QHeaderView::sectionPressed, this, nullptr);
    disconnect(horizontalHeader(), &QHeaderView::sectionEntered, this, nullptr);
    disconnect(verticalHeader(), &QHeaderView::sectionPressed, this, nullptr);
    disconnect(verticalHeader(), &QHeaderView::sectionEntered, this, nullptr);
    connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int column) { RunReported([&] { emit HeadClick(column); }); });
    connect(verticalHeader(), &QHeaderView::sectionPressed, this, &DataGrid::RecordSelectorPressed);
    connect(this, &QAbstractItemView::clicked, this,
            [this] { RunReported([&] { emit Click(); }); });
    connect(this, &QAbstractItemView::doubleClicked, this,
            [this] { RunReported([&] { emit DblClick(); }); });
    connect(model_, &QAbstractItemModel::modelReset, this, [this] {
        ApplyColumnLooks();
        FollowRecordset();
    });
}

DataGridModel::Column& DataGrid::Spec(int index) {
    if (index < 0 || index >= ColumnCount()) {
        throw std::out_of_range(QStringLiteral("表格没有第 %1 列").arg(index).toStdString());
    }
    return columns_[static_cast<size_t>(index)];
}

DataGridColumn DataGrid::AddColumn(const QString& caption, const QString& dataField, int widthTwips,
                                   const QString& numberFormat) {
    AddColumns({{caption, dataField, widthTwips, numberFormat}});
    return DataGridColumn(this, ColumnCount() - 1);
}

// Each change of the columns lays the header out again, measuring every caption: designed
// together, the columns are measured once.
void DataGrid::AddColumns(std::initializer_list<ColumnDesign> designs) {
    if (autoColumns_) {
        columns_.clear();
        autoColumns_ = false;
    }
    for (const ColumnDesign& design : designs) {
        DataGridModel::Column column;
        column.caption = design.caption;
        column.dataField = design.dataField;
        column.widthTwips = design.widthTwips;
        column.numberFormat = design.numberFormat;
        columns_.push_back(column);
    }
    model_->SetSource(DataSource());
}

DataGridColumn DataGrid::Columns(int index) {
    Spec(index);  // range check
    return DataGridColumn(this, index);
}

void DataGrid::ClearColumns() {
    columns_.clear();
    autoColumns_ = false;
    model_->SetSource(DataSource());
}

void DataGrid::MakeAutoColumns() {
    Recordset* rs = DataSource();
    if (!autoColumns_ && !columns_.empty()) return;
    columns_.clear();
    autoColumns_ = true;
    if (!rs || !rs->IsOpen()) return;
    for (int i = 0; i < rs->FieldCount(); ++i) {
        DataGridModel::Column column;
        column.dataField = rs->FieldName(i);
        columns_.push_back(column);
    }
}

void DataGrid::SetDataSource(Recordset* rs) {
    for (const auto& c : rsConnections_) disconnect(c);
    rsConnections_.clear();
    model_->SetSource(nullptr);
    if (rs) {
        rsConnections_ << connect(rs, &Recordset::MoveComplete, this, &DataGrid::FollowRecordset);
        // A grid without designed columns follows the fields of each query it shows.
        rsConnections_ << connect(rs, &Recordset::RecordsetChangeComplete, this, [this] {
            if (autoColumns_) SetDataSource(DataSource());
        });
    }
    model_->SetSource(rs);
    if (autoColumns_ || columns_.empty()) {
        MakeAutoColumns();
        model_->SetSource(rs);
    }
}

void DataGrid::SetAllowUpdate(bool allow) {
    allowUpdate_ = allow;
}

int DataGrid::Row() const {
    return currentIndex().isValid() ? currentIndex().row() : -1;
}

int DataGrid::Col() const {
    return currentIndex().isValid() ? currentIndex().column() : -1;
}

void DataGrid::SetCol(int col) {
    if (col < 0 || col >= ColumnCount() || !currentIndex().isValid()) return;
    setCurrentIndex(model_->index(currentIndex().row(), col));
}

QString DataGrid::Text() const {
    return currentIndex().isValid() ? currentIndex().data(Qt::DisplayRole).toString() : QString();
}

int DataGrid::FirstVisibleColumn() const {
    for (int c = 0; c < ColumnCount(); ++c) {
        if (!isColumnHidden(c)) return c;
    }
    return 0;
}

void DataGrid::ApplyColumnLook(int index) {
    const auto& column = Spec(index);
    setColumnHidden(index, !column.visible);
    if (column.widthTwips >= 0) setColumnWidth(index, TwipsToPixels(column.widthTwips));
}

void DataGrid::ApplyColumnLooks() {
    for (int i = 0; i < ColumnCount(); ++i) ApplyColumnLook(i);
}

// The recordset moved (or was reopened): the grid's current row follows it.
void DataGrid::FollowRecordset() {
    Recordset* rs = DataSource();
    const bool hasRow = rs && rs->HasCurrentRow();
    const int row = hasRow ? rs->AbsolutePosition() - 1 : -1;
    const QModelIndex current = currentIndex();
    if (row < 0 || row >= model_->rowCount()) {
        model_->SetCurrentRow(-1);
        if (current.isValid()) {
            following_ = true;
            selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
            following_ = false;
        }
        return;
    }
    model_->SetCurrentRow(row);
    if (current.isValid() && current.row() == row) return;
    following_ = true;
    MoveCurrentTo(row, current.isValid() ? current.column() : FirstVisibleColumn());
    following_ = false;
}

void DataGrid::MoveCurrentTo(int row, int column) {
    const QModelIndex target = model_->index(row, column);
    selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    scrollTo(target);
}

void DataGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);  // commits an open cell editor first
    if (!current.isValid() || removingRows_) return;
    Recordset* rs = DataSource();
    if (!following_ && rs && rs->IsOpen() && rs->AbsolutePosition() != current.row() + 1) {
        try {
            rs->SetAbsolutePosition(current.row() + 1);
        } catch (const std::exception& error) {
            ReportError(error);
            // Back to the row the recordset could not leave.
            following_ = true;
            const int stay = rs->AbsolutePosition() - 1;
            if (stay >= 0)
                MoveCurrentTo(stay, previous.isValid() ? previous.column() : current.column());
            following_ = false;
            return;
        }
    }
    model_->SetCurrentRow(current.row());
    const int lastRow = previous.isValid() ? previous.row() : -1;
    const int lastCol = previous.isValid() ? previous.column() : -1;
    if (lastRow != current.row() || lastCol != current.column()) {
        RunReported([&] { emit RowColChange(lastRow, lastCol); });
    }
}

QItemSelectionModel::SelectionFlags DataGrid::selectionCommand(const QModelIndex&,
                                                               const QEvent*) const {
    return QItemSelectionModel::NoUpdate;  // clicks and keys move the current cell only
}

void DataGrid::RecordSelectorPressed(int row) {
    const bool adding = QApplication::keyboardModifiers() & Qt::ControlModifier;
    if (!adding) selectionModel()->clearSelection();
    selectionModel()->select(model_->index(row, 0),
                             QItemSelectionModel::Toggle | QItemSelectionModel::Rows);
    const QModelIndex current = currentIndex();
    setCurrentIndex(
        model_->index(row, current.isValid() ? current.column() : FirstVisibleColumn()));
}

bool DataGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) {
    const bool editing = QTableView::edit(index, trigger, event);
    if (editing && index.isValid()) editingColumn_ = index.column();
    return editing;
}

void DataGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) {
    QTableView::closeEditor(editor, hint);
    const int column = editingColumn_;
    editingColumn_ = -1;
    if (column >= 0) RunReported([&] { emit AfterColEdit(column); });
}

// What the operator typed into a cell, as the field takes it. A money cell reads an amount
// as every money box does; a text that is no amount is refused, and nothing is written.
std::optional<Value> DataGrid::TypedValue(int column, const QString& text) {
    const DataGridModel::Column& spec = Spec(column);
    if (!IsAmountFormat(spec.numberFormat) || text.trimmed().isEmpty())
        return ValueFromText(text, spec.numberFormat);
    if (const std::optional<Money> amount = Money::FromTyped(text))
        return Value(amount->ToStored());
    MsgBox(AmountRefusal(spec.caption, text), vbInformation, QStringLiteral("提示"));
    return std::nullopt;
}

// The operator's edit of a cell: written into the field of that row (made current first).
bool DataGrid::WriteCell(int row, int column, const QString& text) {
    Recordset* rs = DataSource();
    const int field = model_->FieldOf(column);
    if (!rs || !rs->IsOpen() || field < 0) return false;
    const Value old = rs->ValueAt(row + 1, field);
    if (text == old.ToString()) return true;  // opened and closed without a change
    const std::optional<Value> typed = TypedValue(column, text);
    if (!typed) return false;
    int cancel = 0;
    if (!RunReported([&] { emit BeforeColUpdate(column, old, cancel); }) || cancel != 0)
        return false;
    const bool written = RunReported([&] {
        if (rs->AbsolutePosition() != row + 1) rs->SetAbsolutePosition(row + 1);
        rs->SetValue(field, *typed);
    });
    if (written) RunReported([&] { emit AfterColUpdate(column); });
    return written;
}
