#pragma once
#include <QDateTime>
#include <functional>

#include "printout/ExcelReport.h"
#include "printout/ReportPages.h"
#include "printout/ReportSnapshot.h"

// The print of a report window: its rows, page by page, from the window's template. It
// yields once a row; it stops when the program closes or stop answers true (the window
// was closed), printing nothing more and saving nothing.
class ReportPrintout {
  public:
    // now is the one reading of the clock for this print (the print date).
    static PrintReportResult Run(const ReportPages& pages, const ReportSnapshot& report,
                                 const QDateTime& now, const std::function<bool()>& stop);
};
