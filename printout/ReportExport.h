#pragma once
#include <QDateTime>
#include <QString>

#include "printout/ReportPages.h"
#include "printout/ReportSnapshot.h"

class ExcelReport;
class QWidget;

// The export of a report window: its rows laid into the window's template as pages one
// under the other (OutputReport), then saved under a name the operator chooses
// (SaveReportAs). The workbook file appears only once completely written, and success is
// told only when it is there; no file the program itself needs is ever written over
// (SaveTarget); Cancel and No discard the workbook without a word.
class ReportExport {
  public:
    // window owns the progress window and the save dialog; now is the one reading of the
    // clock for this export (the default name's date).
    ReportExport(QWidget* window, const ReportPages& pages, const ReportSnapshot& report,
                 const QDateTime& now);

    void Run();

    // The program folder, then T and the day's year, month and day without leading zeros,
    // then ".xlsx": BuyReport202435.xlsx on 5 March 2024.
    static QString DefaultName(const QString& templateName, const QDate& day);

  private:
    void FillPageFrame(ExcelReport& report) const;
    // Lays the rows into page blocks; the number of blocks laid.
    int OutputReport(ExcelReport& report) const;
    void SetUpPrinting(ExcelReport& report, int pages) const;
    void StartPage(ExcelReport& report, int pagesBefore) const;
    void SaveReportAs(ExcelReport& report) const;

    QWidget* window_;
    const ReportPages& pages_;
    const ReportSnapshot& report_;
    QDateTime now_;
};
