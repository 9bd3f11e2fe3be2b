#pragma once
#include <QString>
#include <QStringList>
#include <vector>

// What a report window shows, taken when an export or a print starts: the run reads
// only this, so a refill meanwhile can neither change nor shorten what it writes.
struct ReportSnapshot {
    QString title;                  // the caption of LblTitle
    QString heading;                // the header grid's text at row 0, column 1
    std::vector<QStringList> rows;  // every body row, columns 1 to C, as shown
};
