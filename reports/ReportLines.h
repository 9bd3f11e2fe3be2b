#pragma once
#include <QStringList>
#include <vector>

class FlexGrid;

// The rows of a report's body grid as it shows them: columns 1 to C of each row, in order.
using ReportLines = std::vector<QStringList>;

// Writes the rows into the grid's rows 0 onwards (the grid has as many rows already), the
// cells of column c aligned as alignments[c - 1] says.
void WriteLines(FlexGrid& grid, const ReportLines& lines, const std::vector<int>& alignments);
