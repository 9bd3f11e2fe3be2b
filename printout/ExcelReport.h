#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

class PrintJob;
class Workbook;
class Worksheet;

// One cell of a printed row: its value (text, number, date) and, where the printout
// says so, whether it is bold.
struct ReportCell {
    ReportCell() = default;
    ReportCell(QVariant v, std::optional<bool> isBold = std::nullopt)
        : value(std::move(v)), bold(isBold) {}

    QVariant value;
    std::optional<bool> bold;
};
// The cells of a row for the sheet columns A, B, C... in order.
using ReportRow = std::vector<ReportCell>;
// Gives the rows of a printout one at a time: fills row and returns true, or returns
// false when there are no more.
using RowSource = std::function<bool(ReportRow& row)>;

// What FillPageFrame sets: the output sheet's column widths (characters, from column
// A) and row heights (points: rows 1, 2... each its own, then one height for the rest
// of the rows through row N), and the cells of the page frame written once (title,
// count, print date, heading).
struct PageFrameSpec {
    std::vector<double> columnWidths;
    std::vector<double> rowHeights;
    double restRowHeight = 0;  // 0 leaves the remaining rows as they are
    int N = 0;
    std::vector<std::pair<QString, QVariant>> frameCells;
};

// How a printout ended.
struct PrintReportResult {
    int pages = 0;         // pages sent to the printer (or to files)
    bool aborted = false;  // stopped because the program is closing
    bool failed =
        false;  // did not run to its end (no template, a failed step); the operator has been told
};

// Printing through a workbook template: the template T.xltx from support/ beside the
// program is opened (never written), the page frame on its second sheet is pasted over
// the output sheet (its first) for every page, the rows are written below the frame's
// head, and each page is printed as soon as it is full.
//
// A failing step is reported to the operator once, in Chinese, and ends the printout:
// the workbook is closed without saving and every later step does nothing. The pages of
// one printout are one print job: without a printer, one PDF file the operator is told of.
class ExcelReport {
  public:
    // failure begins the one box a failing step shows ("打印没有完成", "导出没有完成").
    explicit ExcelReport(QString failure = QStringLiteral("打印没有完成"));
    ~ExcelReport();  // closes the workbook without saving
    ExcelReport(const ExcelReport&) = delete;
    ExcelReport& operator=(const ExcelReport&) = delete;

    // The template's path: the program folder, "support", T and ".xltx".
    static QString TemplatePath(const QString& name);
    // "打印日期：2024年3月5日" for today, or for the day given.
    static QString PrintDate();
    static QString PrintDate(const QDate& day);
    // "第3页".
    static QString PageFooter(int page);

    // Opens the template. When the file is missing, shows "丢失" & path & "模板" and
    // returns false without anything else happening.
    bool OpenTemplate(const QString& name);
    void FillPageFrame(const PageFrameSpec& spec);
    // Lays the rows out in pages of N rows (D data rows from row K + 1, the footer in
    // A<N>), printing each page as it fills, then closes the workbook without saving.
    // A printout without rows prints nothing. When gExiting is set, it stops before the
    // next row, and so when stop (if given) answers true after a row's yield: a report
    // window closed while it printed. The frame pasted for each page is A1 to
    // lastFrameColumn<N>.
    PrintReportResult PrintReport(const RowSource& rows, int N, int D, int K,
                                  const QString& lastFrameColumn,
                                  const std::function<bool()>& stop = {});

    // Runs a workbook step of the caller (the member card's own sheet work); false when
    // the printout already ended or the step failed (reported once, workbook closed).
    bool Step(const std::function<void()>& step);
    // Closes the workbook without saving. Safe to call more than once.
    void Close();

    bool IsOpen() const;
    Workbook* Book() { return book_.get(); }
    Worksheet* OutputSheet() { return IsOpen() ? output_ : nullptr; }
    Worksheet* PageFrame() { return IsOpen() ? frame_ : nullptr; }

  private:
    void Fail(const QString& message);
    void PrintPage(int N, int page, PrintReportResult& result);

    std::unique_ptr<Workbook> book_;
    Worksheet* output_ = nullptr;
    Worksheet* frame_ = nullptr;
    bool failed_ = false;
    std::unique_ptr<PrintJob> job_;  // the pages printed so far, from the first
    QString failure_;
};
