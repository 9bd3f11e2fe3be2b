#include "core/RecordNumber.h"

#include "platform/db/Connection.h"

namespace {
// The free numbers are the rows of freenumber (support/schema.sql, whose triggers keep it
// from the lines' keys): the lowest is its first row of the kind, one look-up. A key carries
// number n when its last four characters are n's four digits, as the lines of one basket
// are found; a tail that is not four digits ('00a1', '  12', '1e03', a key shorter than
// four characters) takes none, and the yearly fold's summary rows' '0000' is no number.
const char* const kLowestFree = "select min(no) from freenumber where kind = ?1";
const char* const kHasNumbers =
    "select 1 from main.sqlite_master where type = 'table' and name = 'freenumber'";

// In a file that start-up could not bring up (read-only, or locked by another program then)
// the table is missing: the numbers are climbed ten at a time (0001-0009, 0010-0019, ...
// 9990-9999) while every number of the ten is in use, each number one look-up in the
// table's index of its keys' last four characters ({table}_no) or, in a file without it, a
// pass over the table; the lowest free number of the ten where the climb stops is the
// answer. Slower, the same numbers.
const char* const kLowestFreeInLines =
    "with recursive "
    "digits(d) as (values (0), (1), (2), (3), (4), (5), (6), (7), (8), (9)), "
    "climb(t) as (select 0 union all select t + 10 from climb where t < 9990 "
    "  and not exists (select 1 from digits where t + d > 0 "
    "    and not exists (select 1 from %1 where substr(%2, -4) = substr(10000 + t + d, -4)))) "
    "select min(t + d) from (select max(t) as t from climb), digits where t + d > 0 "
    "  and not exists (select 1 from %1 where substr(%2, -4) = substr(10000 + t + d, -4))";

struct Numbers {
    const char* kind;  // as freenumber holds it
    QString inLines;
};

Numbers NumbersOf(const char* kind, const char* table, const char* key) {
    return {kind, QString::fromUtf8(kLowestFreeInLines).arg(table, key)};
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    static const Numbers numbers[] = {NumbersOf("borrow", "borrowinfo", "borrowid"),
                                      NumbersOf("sell", "sellinfo", "sellid"),
                                      NumbersOf("return", "returninfo", "returnid")};
    const Numbers& n = numbers[kind];
    const Value lowest = conn.Scalar(kHasNumbers).IsNull()
                             ? conn.Scalar(n.inLines)
                             : conn.Scalar(kLowestFree, {QString::fromLatin1(n.kind)});
    if (lowest.IsNull()) return std::nullopt;
    return QString::asprintf("%04d", static_cast<int>(lowest.ToInt()));
}
