#pragma once
#include <QAbstractTableModel>
#include <QBrush>
#include <QHash>
#include <vector>

// The cells of a flex grid: their texts and looks in one block, read by the view as it
// paints. Writing a cell changes only the block; the view hears of all the writes made
// since it last painted once, when the event loop next runs (a report writes hundreds of
// thousands of cells, each telling the view at once would cost more than the writing).
// Fixed cells (the first fixed rows and columns) are shaded and never selected.
class FlexGridModel : public QAbstractTableModel {
    Q_OBJECT
  public:
    // A cell's own alignment, or none: it then follows its column.
    static constexpr qint8 kNoAlignment = -1;

    struct Cell {
        QString text;
        qint8 alignment = kNoAlignment;
        bool bold = false;
    };

    explicit FlexGridModel(QObject* parent = nullptr);

    int Rows() const { return rows_; }
    int Cols() const { return cols_; }
    void SetRows(int rows);
    void SetCols(int cols);
    int FixedRows() const { return fixedRows_; }
    int FixedCols() const { return fixedCols_; }
    void SetFixed(int rows, int cols);
    bool IsFixed(int row, int col) const { return row < fixedRows_ || col < fixedCols_; }
    bool InRange(int row, int col) const {
        return row >= 0 && col >= 0 && row < rows_ && col < cols_;
    }

    // The cell to read or write; null outside the grid. Writes are shown once the event
    // loop runs (CellsChanged).
    const Cell* At(int row, int col) const;
    Cell* MutableAt(int row, int col);
    // Every cell's text and look emptied.
    void ClearCells();

    // The alignment a cell has: its own, else its column's, else the default (fixed cells
    // left, the others general).
    int Alignment(int row, int col) const;
    void SetColAlignment(int col, int alignment);
    void SetShade(const QBrush& shade);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

  private:
    void CellsChanged();
    void ResizeCells(int rows, int cols);

    std::vector<Cell> cells_;  // row by row
    int rows_ = 0;
    int cols_ = 0;
    int fixedRows_ = 1;
    int fixedCols_ = 1;
    QHash<int, int> colAlignment_;
    QBrush shade_;
    bool changePending_ = false;
};
