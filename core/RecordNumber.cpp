#include "core/RecordNumber.h"

#include "platform/db/Connection.h"

namespace {
// The numbers are climbed ten at a time (0001-0009, 0010-0019, ... 9990-9999) while every
// number of the ten is in use, each number one look-up in the table's index of its keys'
// last four characters ({table}_no); the lowest free number of the ten where the climb
// stops is the answer, none when all 9999 are in use. (By tens the climb takes a tenth of
// the steps that one number at a time would, which saves a quarter of the time on a shop
// with 9000 numbers in use.)
//
// A key carries number n when its last four characters are n's four digits, compared as
// text with the zero-padded number, as the lines of one basket are found. A tail that is
// not four digits ('00a1', '  12', '1e03', or a key shorter than four characters) equals
// no padded number, so it takes none and stops nothing, whatever value a lenient reading
// of it might give; the yearly fold's summary rows end in '0000', which is no number
// either. A key longer than its layout carries the number of its last four characters.
const char* const kLowestFree =
    "with recursive "
    "digits(d) as (values (0), (1), (2), (3), (4), (5), (6), (7), (8), (9)), "
    "climb(t) as (select 0 union all select t + 10 from climb where t < 9990 "
    "  and not exists (select 1 from digits where t + d > 0 "
    "    and not exists (select 1 from %1 where substr(%2, -4) = substr(10000 + t + d, -4)))) "
    "select min(t + d) from (select max(t) as t from climb), digits where t + d > 0 "
    "  and not exists (select 1 from %1 where substr(%2, -4) = substr(10000 + t + d, -4))";

QString LowestFreeOf(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return QString::fromUtf8(kLowestFree).arg("sellinfo", "sellid");
        case RecordNumber::Return:
            return QString::fromUtf8(kLowestFree).arg("returninfo", "returnid");
        case RecordNumber::Rental:
            break;
    }
    return QString::fromUtf8(kLowestFree).arg("borrowinfo", "borrowid");
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    static const QString statements[] = {LowestFreeOf(Rental), LowestFreeOf(Sale),
                                         LowestFreeOf(Return)};
    const Value lowest = conn.Scalar(statements[kind]);
    if (lowest.IsNull()) return std::nullopt;
    return QString::asprintf("%04d", static_cast<int>(lowest.ToInt()));
}
