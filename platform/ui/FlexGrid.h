#pragma once
#include <QHash>
#include <QSet>
#include <QTableView>

// Cell alignment of the flex grid (CellAlignment, ColAlignment).
enum FlexAlignmentConstants {
    flexAlignLeftTop = 0,
    flexAlignLeftCenter = 1,
    flexAlignLeftBottom = 2,
    flexAlignCenterTop = 3,
    flexAlignCenterCenter = 4,
    flexAlignCenterBottom = 5,
    flexAlignRightTop = 6,
    flexAlignRightCenter = 7,
    flexAlignRightBottom = 8,
    flexAlignGeneral = 9,  // texts left, numbers right, vertically centred
};
enum FlexMergeConstants {
    flexMergeNever = 0,
    flexMergeFree = 1,
    flexMergeRestrictRows = 2,
    flexMergeRestrictColumns = 3,
    flexMergeRestrictBoth = 4,
};

class FlexGridModel;

// The read-only grid of the report windows. Rows and columns count from 0 and include
// the fixed ones (FixedRows at the top, FixedCols at the left, shaded, never selected).
// The cells live in the grid's model, which the view reads as it paints: writing a cell
// costs no layout work, so a report of a hundred thousand rows fills at once.
// Cell properties act on the current cell (Row, Col), as the windows write them:
//     grid->SetRow(0); grid->SetCol(c); grid->SetCellAlignment(flexAlignCenterCenter);
//     grid->SetText(heading);
// Sizes are in twips (ColWidth, RowHeight). With MergeCells on, neighbouring cells of equal
// text are shown as one: across in the rows marked MergeRow, down in the columns marked
// MergeCol (every merge mode other than never merges this way).
class FlexGrid : public QTableView {
    Q_OBJECT
  public:
    explicit FlexGrid(QWidget* parent = nullptr);

    int Rows() const;
    void SetRows(int rows);
    int Cols() const;
    void SetCols(int cols);
    int FixedRows() const;
    void SetFixedRows(int rows);
    int FixedCols() const;
    void SetFixedCols(int cols);

    int Row() const { return row_; }
    void SetRow(int row);
    int Col() const { return col_; }
    void SetCol(int col);

    QString TextMatrix(int row, int col) const;
    void SetTextMatrix(int row, int col, const QString& text);
    QString Text() const { return TextMatrix(row_, col_); }
    // A cell's text and alignment at once, without making it the current cell (the report
    // refills write thousands of cells).
    void SetCell(int row, int col, const QString& text, int alignment);
    void SetText(const QString& text) { SetTextMatrix(row_, col_, text); }

    int CellAlignment() const;
    void SetCellAlignment(int alignment);
    bool CellFontBold() const;
    void SetCellFontBold(bool bold);
    void SetColAlignment(int col, int alignment);

    int ColWidth(int col) const;  // twips
    void SetColWidth(int col, int twips);
    int RowHeight(int row) const;  // twips
    void SetRowHeight(int row, int twips);

    int MergeCells() const { return mergeCells_; }
    void SetMergeCells(int mode);
    void SetMergeRow(int row, bool merge);
    void SetMergeCol(int col, bool merge);

    // Empties every cell's text and look; rows, columns and sizes stay.
    void Clear();

    // 0 none, 1 horizontal, 2 vertical, 3 both.
    void SetScrollBars(int which);

  signals:
    void Click();
    void DblClick();

  protected:
    void changeEvent(QEvent* event) override;

  private:
    bool InRange(int row, int col) const;
    void MergesFollow(int row, int col);
    void UpdateMerges();
    void MergeAcross(int row, QSet<QPair<int, int>>& taken);
    void MergeDown(int col, const QSet<QPair<int, int>>& taken);

    FlexGridModel* cells_;
    int row_ = 0;
    int col_ = 0;
    int mergeCells_ = flexMergeNever;
    QSet<int> mergeRows_;
    QSet<int> mergeCols_;
    QHash<int, int> colTwips_;
    QHash<int, int> rowTwips_;
    bool updatingMerges_ = false;
};
