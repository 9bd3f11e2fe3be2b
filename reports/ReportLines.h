#pragma once
#include <QStringList>
#include <vector>

// The rows of a report's body grid as it shows them: columns 1 to C of each row, in order.
using ReportLines = std::vector<QStringList>;
