#include "reports/ReportLines.h"

#include "platform/ui/FlexGrid.h"

void WriteLines(FlexGrid& grid, const ReportLines& lines, const std::vector<int>& alignments) {
    int row = 0;
    for (const QStringList& cells : lines) {
        for (int c = 0; c < cells.size() && c < static_cast<int>(alignments.size()); ++c)
            grid.SetCell(row, c + 1, cells[c], alignments[static_cast<size_t>(c)]);
        ++row;
    }
}
