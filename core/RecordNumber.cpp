#include "core/RecordNumber.h"

#include <algorithm>

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

// The number at the end of a key: its last four characters when they are digits.
std::optional<int> NumberOfKey(const QByteArray& key) {
    if (key.size() < 4) return std::nullopt;
    int number = 0;
    for (const char c : key.right(4)) {
        if (c < '0' || c > '9') return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// What the last look-up of each kind proved: every number below `bound` was in use at the
// table's removal mark `mark`. The next look-up walks from there, or from below it where
// the connection has taken a number out since (a line deleted, a basket dropped); a
// settlement or a new basket takes the number found, so the next one is found in a few
// look-ups instead of a walk over every number in use.
struct Proven {
    const Connection* conn = nullptr;
    Connection::RemovalMark mark;
    int bound = 0;
};
Proven gProven[3];

// Where the walk may start: 0 when nothing proven still holds.
int StillProven(Connection& conn, const Proven& proven, const Connection::RemovalMark& now,
                const char* table) {
    if (proven.conn != &conn || proven.bound <= 0) return 0;
    const auto removed = conn.KeysRemovedBetween(proven.mark, now, table);
    if (!removed) return 0;
    int bound = proven.bound;
    for (const QByteArray& key : *removed)
        if (const std::optional<int> number = NumberOfKey(key)) bound = std::min(bound, *number);
    return bound;
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    Proven& proven = gProven[kind];
    const Connection::RemovalMark mark = conn.RemovalMarkOf(TableOf(kind));
    const int bound = StillProven(conn, proven, mark, TableOf(kind));
    std::optional<int> lowest;
    if (bound > 0) lowest = LowestFreeFrom(conn, kind, bound);
    // From 0001 when nothing proven holds, or when nothing free was found from the bound.
    if (!lowest) lowest = LowestFreeFrom(conn, kind, 0);
    proven = {&conn, mark, lowest.value_or(0)};
    if (!lowest) return std::nullopt;
    return QString::asprintf("%04d", *lowest);
}
