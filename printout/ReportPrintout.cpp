#include "printout/ReportPrintout.h"

PrintReportResult ReportPrintout::Run(const ReportPages& pages, const ReportSnapshot& report,
                                      const QDateTime& now, const std::function<bool()>& stop) {
    ExcelReport excel;
    if (!excel.OpenTemplate(pages.templateName)) return {0, false, true};
    PageFrameSpec spec;
    spec.columnWidths = pages.PrintColumnWidths();
    spec.rowHeights = pages.headRowHeights;
    spec.restRowHeight = pages.restRowHeight;
    spec.N = pages.N;
    if (pages.printHead.title) spec.frameCells.push_back({"A1", report.title});
    if (pages.printHead.printDate)
        spec.frameCells.push_back({"A2", ExcelReport::PrintDate(now.date())});
    if (pages.printHead.heading) spec.frameCells.push_back({"A3", report.heading});
    excel.FillPageFrame(spec);

    size_t next = 0;
    const RowSource rows = [&](ReportRow& row) {
        if (next >= report.rows.size()) return false;
        for (const QString& text : report.rows[next]) row.emplace_back(QVariant(text));
        row.resize(static_cast<size_t>(pages.columns));
        ++next;
        return true;
    };
    return excel.PrintReport(rows, pages.N, pages.D, pages.K, pages.LastColumn(), stop);
}
