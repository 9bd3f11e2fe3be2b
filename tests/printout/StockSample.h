#pragma once
// A made-up stock list for exercising the printing component without a database: its
// page frame (25 rows, 21 data rows from row 4, frame A1:M25) and rows of invented titles.
#include <QDate>
#include <QString>
#include <functional>
#include <memory>

#include "printout/ExcelReport.h"

namespace stock_sample {
constexpr int N = 25, D = 21, K = 3;

inline PageFrameSpec Frame(int titles) {
    PageFrameSpec spec;
    spec.columnWidths = {20.63, 5.5, 8.13, 8.5, 8.5, 8.5, 21.75, 9, 9, 9, 9, 8.13};
    spec.rowHeights = {33, 20, 33};
    spec.restRowHeight = 21.5;
    spec.N = N;
    spec.frameCells = {{"A1", "库存光盘状况"},
                       {"A2", QString("光盘个数：%1").arg(titles)},
                       {"L2", ExcelReport::PrintDate()}};
    return spec;
}

inline QString Title(int i) {
    return QString("影片%1").arg(i, 3, 10, QChar('0'));
}

// Rows of titles 1 to count; calls onRow(i) before giving row i.
inline RowSource Titles(int count, std::function<void(int)> onRow = {}) {
    auto next = std::make_shared<int>(0);
    return [=](ReportRow& row) {
        if (*next >= count) return false;
        const int i = ++*next;
        if (onRow) onRow(i);
        row = {{Title(i), false},
               {2.0, false},
               {"香港"},
               {"DVD"},
               {"动作"},
               {25.5, false},
               {QDate(2004, 3, 5)},
               {3.0, false},
               {30.0, false},
               {2.5, false},
               {27.0, false},
               {"A架"}};
        return true;
    };
}
}  // namespace stock_sample
