#include "core/RecordNumber.h"

#include "platform/db/Connection.h"

namespace {
// The numbers in use are the last four characters of the keys ({key} of {table}), each
// test one look-up in the table's index of them. The walk goes up ten numbers at a time,
// by their first three digits, while all ten are in use (0000, no number, counts as used),
// so that the recursion's own work is paid once per ten; the lowest free number among the
// ten it stopped at is then the lowest free one. Nothing when all 9999 are in use.
const char* const kLowestFree =
    "with recursive "
    "used(no) as not materialized (select substr({key}, -4) from {table}), "
    "tens(p) as (select '000' union all select printf('%03d', p + 1) from tens "
    "  where p < '999' "
    "  and (p = '000' or exists (select 1 from used where no = p || '0')) "
    "  and exists (select 1 from used where no = p || '1') "
    "  and exists (select 1 from used where no = p || '2') "
    "  and exists (select 1 from used where no = p || '3') "
    "  and exists (select 1 from used where no = p || '4') "
    "  and exists (select 1 from used where no = p || '5') "
    "  and exists (select 1 from used where no = p || '6') "
    "  and exists (select 1 from used where no = p || '7') "
    "  and exists (select 1 from used where no = p || '8') "
    "  and exists (select 1 from used where no = p || '9')), "
    "digits(d) as (values ('0'), ('1'), ('2'), ('3'), ('4'), ('5'), ('6'), ('7'), ('8'), ('9')) "
    "select min(p || d) from (select max(p) as p from tens), digits "
    "where p || d <> '0000' and not exists (select 1 from used where no = p || d)";

QString LowestFreeIn(const char* table, const char* key) {
    return QString::fromUtf8(kLowestFree)
        .replace(QLatin1String("{table}"), QLatin1String(table))
        .replace(QLatin1String("{key}"), QLatin1String(key));
}

QString LowestFree(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return LowestFreeIn("sellinfo", "sellid");
        case RecordNumber::Return:
            return LowestFreeIn("returninfo", "returnid");
        case RecordNumber::Rental:
            break;
    }
    return LowestFreeIn("borrowinfo", "borrowid");
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    const Value lowest = conn.Scalar(LowestFree(kind));
    if (lowest.IsNull()) return std::nullopt;
    return lowest.ToString();
}
