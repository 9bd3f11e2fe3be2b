#pragma once
#include <QString>
#include <QVariant>
#include <map>
#include <optional>
#include <pugixml.hpp>
#include <set>
#include <vector>

#include "platform/excel/Cell.h"
#include "platform/excel/CellRef.h"
#include "platform/excel/CellRow.h"
#include "platform/excel/PageSetup.h"
#include "platform/excel/PrintOutcome.h"

class Range;
class Workbook;

// One worksheet of an open workbook: its cells, column widths, row heights, merged
// cells, page breaks, print area and page settings. Worksheets are owned by their
// workbook and live as long as it is open.
class Worksheet {
  public:
    struct Row {
        double height = 0;  // points; 0 for the sheet's default height
        bool hidden = false;
        int style = -1;  // a row format, or -1
        CellRow cells;
    };
    struct ColumnSpan {
        int min = 1;
        int max = 1;
        double width = 0;  // file width (characters with padding); 0 for the default
        bool customWidth = false;
        bool hidden = false;
        int style = -1;
    };

    Worksheet(Workbook& book, const QString& name, const QString& partName);
    ~Worksheet();
    Worksheet(const Worksheet&) = delete;
    Worksheet& operator=(const Worksheet&) = delete;

    Workbook& Book() const { return *book_; }
    const QString& Name() const { return name_; }
    const QString& PartName() const { return partName_; }

    // Ranges by name ("A1", "F7:I7"), by two corners ("A1", "E36") or by row and column.
    ::Range Range(const QString& ref);
    ::Range Range(const QString& from, const QString& to);
    ::Range Cells(int row, int column);

    // A horizontal page break above the row of before, a vertical one left of its column.
    void HPageBreaksAdd(const ::Range& before);
    void VPageBreaksAdd(const ::Range& before);
    // Rows before which a manual page break stands, in order.
    std::vector<int> HPageBreaks() const;

    // The print area by name ("$A$1:$I$12"); an empty text removes it.
    void SetPrintArea(const QString& ref);
    std::optional<CellRect> PrintArea() const { return printArea_; }

    // A hidden sheet stays in the workbook but is neither shown nor printed by a
    // spreadsheet program.
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { visible_ = visible; }

    // Prints the sheet (its print area, or what it uses), one job, all pages.
    PrintOutcome PrintOut() const;
    // Shows the sheet's pages in a preview window; returns when it is closed. Without
    // EnableChanges the preview offers no page setup and no change of orientation.
    PrintOutcome PrintPreview(bool EnableChanges = true) const;

    // ---- Cells, for the range, the printing and the file reading and writing ----
    const Cell* Find(int row, int column) const;
    Cell& At(int row, int column);  // made when missing
    const std::map<int, Row>& Rows() const { return rows_; }
    std::map<int, Row>& MutableRows() { return rows_; }
    // Removes the cells of rect (values and formats) and unmerges merged cells that
    // overlap it.
    void ClearRect(const CellRect& rect);
    // Rows and columns that hold a value or a format, with merged cells.
    std::optional<CellRect> UsedRange() const;

    double RowHeight(int row) const;  // points, the default where none is set
    void SetRowHeight(int row, double points);
    bool RowHidden(int row) const;
    double DefaultRowHeight() const { return defaultRowHeight_; }
    void SetDefaultRowHeight(double points) { defaultRowHeight_ = points; }

    // Column widths as the file keeps them (with padding); 0 where none is set.
    double ColumnFileWidth(int column) const;
    void SetColumnFileWidth(int column, double fileWidth);
    double ColumnPoints(int column) const;  // printed width, default columns included
    bool ColumnHidden(int column) const;
    const std::vector<ColumnSpan>& Columns() const { return columns_; }
    void SetColumns(std::vector<ColumnSpan> spans) { columns_ = std::move(spans); }
    void SetDefaultColumn(double baseCharacters, double defaultFileWidth) {
        baseColumnCharacters_ = baseCharacters;
        defaultColumnFileWidth_ = defaultFileWidth;
    }

    const std::vector<CellRect>& Merges() const { return merges_; }
    void AddMerge(const CellRect& rect);
    void RemoveMergesIntersecting(const CellRect& rect);
    // The merged area a cell belongs to, or null.
    const CellRect* MergeAt(int row, int column) const;

    const std::set<int>& RowBreakIds() const { return rowBreaks_; }  // break after row id
    const std::set<int>& ColumnBreakIds() const { return columnBreaks_; }
    void SetBreakIds(std::set<int> rows, std::set<int> columns) {
        rowBreaks_ = std::move(rows);
        columnBreaks_ = std::move(columns);
    }

    const PageSetup& Setup() const { return setup_; }
    void SetSetup(const PageSetup& setup) { setup_ = setup; }
    void SetPrintAreaRect(std::optional<CellRect> rect) { printArea_ = rect; }

    // The sheet's part as read (everything the program does not model is kept from it).
    pugi::xml_document& Xml() { return xml_; }

  private:
    std::vector<ColumnSpan>::iterator IsolateColumn(int column);

    Workbook* book_;
    QString name_;
    QString partName_;
    std::map<int, Row> rows_;
    std::vector<ColumnSpan> columns_;
    std::vector<CellRect> merges_;
    std::set<int> rowBreaks_;
    std::set<int> columnBreaks_;
    std::optional<CellRect> printArea_;
    bool visible_ = true;
    PageSetup setup_;
    double defaultRowHeight_ = 15;
    double baseColumnCharacters_ = 8;
    double defaultColumnFileWidth_ = 0;
    pugi::xml_document xml_;
};
