#pragma once
#include <QString>
#include <vector>

// The cells of the page frame that an export or a print writes before its first page.
struct FrameHead {
    bool title = true;       // A1: the window's title
    bool printDate = false;  // A2: "打印日期：…" of the day the run started
    bool heading = false;    // A3: the header grid's heading of column 1
};

// How a report window's body rows become pages of its workbook template: the same values
// serve the export (pages stacked on the output sheet) and the print (one page at a time).
struct ReportPages {
    QString templateName;              // T: support/T.xltx, and the start of the default save name
    int columns = 0;                   // C: body columns 1..C go to sheet columns A onwards
    int N = 0;                         // rows of a page block; the footer "第p页" goes into A<N>
    int D = 0;                         // data rows a page
    int K = 0;                         // data row r of a page lands on block row r + K
    std::vector<double> columnWidths;  // sheet columns A.., in characters
    std::vector<double> headRowHeights;  // block rows 1, 2... each its own, in points
    double restRowHeight = 0;            // every other block row through N
    FrameHead exportHead;
    FrameHead printHead;
    bool pageBreaks = true;  // the export adds a break after each page and after column C
    int frameColumns = 0;    // the frame copied for every page, when wider than the C columns
    std::vector<double> printColumnWidths;  // the print's own widths; empty: columnWidths

    // The frame copied for every page is A1 to this column's cell in row N.
    QString LastColumn() const;
    const std::vector<double>& PrintColumnWidths() const;
};
