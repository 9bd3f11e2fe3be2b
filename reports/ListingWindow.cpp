#include "reports/ListingWindow.h"

#include "platform/ui/FlexGrid.h"

ListingWindow::ListingWindow(const ReportDesign& design, std::vector<int> alignments)
    : ReportWindow(design), alignments_(std::move(alignments)) {}

void ListingWindow::ShowLines(const QString& reportTitle,
                              const std::function<ReportLines()>& read) {
    SetTitle(reportTitle);
    const ReportLines lines = read();
    ResetBody(static_cast<int>(lines.size()));
    WriteLines(*BodyGrid(), lines, alignments_);
}
