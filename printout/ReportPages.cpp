#include "printout/ReportPages.h"

#include "platform/excel/CellRef.h"

#include <algorithm>

QString ReportPages::LastColumn() const {
    return ColumnLetters(std::max(columns, frameColumns));
}

const std::vector<double>& ReportPages::PrintColumnWidths() const {
    return printColumnWidths.empty() ? columnWidths : printColumnWidths;
}
