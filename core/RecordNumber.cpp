#include "core/RecordNumber.h"

#include "platform/db/Connection.h"

namespace {
// The numbers in use are the last four characters of the keys ({key} of {table}), each
// test one look-up in the table's index of them. The walk goes up ten numbers at a time,
// by their first three digits, from those of ?1, while all ten are in use (0000, no number,
// counts as used), so that the recursion's own work is paid once per ten; the lowest free
// number among the ten it stopped at is then the lowest free one, given that every number
// below the ten it started from is in use. Nothing when all from there to 9999 are in use.
const char* const kLowestFree =
    "with recursive "
    "used(no) as not materialized (select substr({key}, -4) from {table}), "
    "tens(p) as (select ?1 union all select printf('%03d', p + 1) from tens "
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

const char* TableOf(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return "sellinfo";
        case RecordNumber::Return:
            return "returninfo";
        case RecordNumber::Rental:
            break;
    }
    return "borrowinfo";
}

const char* KeyOf(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return "sellid";
        case RecordNumber::Return:
            return "returnid";
        case RecordNumber::Rental:
            break;
    }
    return "borrowid";
}

// The lowest free number from the ten that holds from on, every number below them in use.
std::optional<int> LowestFreeFrom(Connection& conn, RecordNumber::Kind kind, int from) {
    const QString sql = QString::fromUtf8(kLowestFree)
                            .replace(QLatin1String("{table}"), QLatin1String(TableOf(kind)))
                            .replace(QLatin1String("{key}"), QLatin1String(KeyOf(kind)));
    const Value lowest = conn.Scalar(sql, {QString::asprintf("%03d", from / 10)});
    if (lowest.IsNull()) return std::nullopt;
    return static_cast<int>(lowest.ToInt());
}

// What the last look-up of each kind proved: every number below `bound` was in use, as
// long as the table's removal mark has not moved since. The next look-up then walks from
// there; a settlement or a new basket takes the number found, so the next one is found in
// a few look-ups instead of a walk over every number in use.
struct Proven {
    const Connection* conn = nullptr;
    Connection::RemovalMark mark;
    int bound = 0;
};
Proven gProven[3];
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    Proven& proven = gProven[kind];
    const Connection::RemovalMark mark = conn.RemovalMarkOf(TableOf(kind));
    std::optional<int> lowest;
    if (proven.conn == &conn && proven.mark == mark && proven.bound > 0)
        lowest = LowestFreeFrom(conn, kind, proven.bound);
    // A walk from the bound that finds nothing free proves nothing below it: walk it all.
    if (!lowest) lowest = LowestFreeFrom(conn, kind, 0);
    proven = {&conn, mark, lowest.value_or(0)};
    if (!lowest) return std::nullopt;
    return QString::asprintf("%04d", *lowest);
}
