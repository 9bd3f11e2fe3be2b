#include "reports/OddDates.h"

namespace {
// The written forms, digit for digit. A Null date matches neither and is no odd line: it is
// no date in any form and in no period.
const char* const kOddDate =
    "not (%1 glob '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9]:[0-9][0-9]:[0-9][0-9]' "
    "or %1 glob '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')";
}  // namespace

namespace OddDates {
QString Rows(const QString& rowid, const char* table, const char* column) {
    return QStringLiteral("%1 in (select rowid from %2 where %3)")
        .arg(rowid, QString::fromUtf8(table),
             QString::fromUtf8(kOddDate).arg(QString::fromUtf8(column)));
}
}  // namespace OddDates
