#pragma once
#include <functional>
#include <vector>

#include "printout/ReportWindow.h"
#include "reports/ReportLines.h"

// A report window whose body rows are read in one go and shown with one alignment per
// column: the returns income, rentals, sales income and the two top-50 windows.
class ListingWindow : public ReportWindow {
    Q_OBJECT
  protected:
    // alignments: of the body cells of columns 1 to C.
    ListingWindow(const ReportDesign& design, std::vector<int> alignments);

    // Sets the title, then shows the rows read; the title comes first, so that when the
    // read fails (DbError, told by the frame with the body left empty) it still names the
    // report that was asked for.
    void ShowLines(const QString& reportTitle, const std::function<ReportLines()>& read);

  private:
    std::vector<int> alignments_;
};
