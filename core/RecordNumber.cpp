#include "core/RecordNumber.h"

#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
// The numbers in use are the last four characters of the keys ({key} of {table}), each
// test one look-up in the table's index of them. The walk goes up ten numbers at a time
// while all ten are in use (0000, no number, counts as used), so that the recursion's own
// work is paid once per ten; the lowest free number among the ten it stopped at is then
// the lowest free one. Nothing when all 9999 are in use.
const char* const kLowestFree =
    "with recursive "
    "used(no) as not materialized (select substr({key}, -4) from {table}), "
    "tens(t) as (select 0 union all select t + 10 from tens where t < 9990 "
    "  and (t = 0 or exists (select 1 from used where no = printf('%04d', t))) "
    "  and exists (select 1 from used where no = printf('%04d', t + 1)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 2)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 3)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 4)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 5)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 6)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 7)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 8)) "
    "  and exists (select 1 from used where no = printf('%04d', t + 9))), "
    "digits(d) as (values (0), (1), (2), (3), (4), (5), (6), (7), (8), (9)) "
    "select min(t + d) from (select max(t) as t from tens), digits "
    "where t + d between 1 and 9999 "
    "  and not exists (select 1 from used where no = printf('%04d', t + d))";

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
    const Value n = conn.Scalar(LowestFree(kind));
    if (n.IsNull() || n.ToInt() < 1 || n.ToInt() > kLast) return std::nullopt;
    return PadNumber(n.ToInt(), 4);
}
