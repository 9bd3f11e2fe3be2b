#pragma once
#include <QString>
#include <memory>

#include "platform/excel/PrintOutcome.h"

class QPainter;
class QPrinter;
class Worksheet;

// One print job that gathers the pages of one or more sheets: a printout printed page by
// page is still one job, so that without a printer it is one PDF file holding every page.
// The job opens with its first page (a job without pages writes nothing) and goes out
// when it is finished, or when it is destroyed.
class PrintJob {
  public:
    explicit PrintJob(QString name);
    ~PrintJob();
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    // Paints every page of the sheet (as it stands now) onto the job; throws ExcelError
    // when the printer or the file cannot be written.
    void Add(const Worksheet& sheet);
    // Ends the job and tells where it went (no pages: nothing was printed). Safe to call
    // more than once; the later calls tell the same.
    PrintOutcome Finish();

    int Pages() const { return outcome_.pages; }

  private:
    void Open();

    QString name_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QPainter> painter_;
    PrintOutcome outcome_;
    bool finished_ = false;
};
