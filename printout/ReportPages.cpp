#include "printout/ReportPages.h"

#include "platform/excel/CellRef.h"

QString ReportPages::LastColumn() const {
    return ColumnLetters(columns);
}
