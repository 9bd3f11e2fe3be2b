#pragma once
#include <QString>
#include <QStringView>
#include <optional>

// Worksheet limits of the workbook format.
constexpr int kMaxSheetRow = 1048576;
constexpr int kMaxSheetColumn = 16384;

// A rectangle of cells, rows and columns counted from 1, corners inclusive.
struct CellRect {
    int row1 = 1;
    int col1 = 1;
    int row2 = 1;
    int col2 = 1;

    int Rows() const { return row2 - row1 + 1; }
    int Columns() const { return col2 - col1 + 1; }
    bool Contains(int row, int col) const {
        return row >= row1 && row <= row2 && col >= col1 && col <= col2;
    }
    bool Intersects(const CellRect& o) const {
        return row1 <= o.row2 && o.row1 <= row2 && col1 <= o.col2 && o.col1 <= col2;
    }
    bool IsSingleCell() const { return row1 == row2 && col1 == col2; }
    CellRect Moved(int rows, int cols) const {
        return {row1 + rows, col1 + cols, row2 + rows, col2 + cols};
    }
    bool operator==(const CellRect&) const = default;
};

// "A" is 1, "Z" 26, "AA" 27; 0 for anything that is not a column name in the sheet.
int ColumnNumber(QStringView letters);
// 1 is "A", 28 "AB"; empty outside the sheet.
QString ColumnLetters(int column);
// "B7" for row 7, column 2.
QString CellName(int row, int column);
// "A1", "F7:I7", "$A$1:$I$12" (case-insensitive, corners in any order); nothing for
// a text that names no cell of the sheet.
std::optional<CellRect> ParseRange(QStringView text);
// "A1" for one cell, "A1:E36" otherwise; with absolute set, "$A$1:$E$36".
QString RangeName(const CellRect& rect, bool absolute = false);
