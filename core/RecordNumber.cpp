#include "core/RecordNumber.h"

#include "platform/db/Connection.h"

namespace {
// The numbers are climbed from 0001 while each is in use, one look-up in the table's index
// of its keys' last four characters ({table}_no) per number; the climb ends at the first
// number no key carries, or at 9999 in use, and that one is the answer when it is free.
//
// A key carries number n when its last four characters are n's four digits, compared as
// text with the zero-padded number, as the lines of one basket are found. A tail that is
// not four digits ('00a1', '  12', '1e03', or a key shorter than four characters) equals
// no padded number, so it takes none and stops nothing, whatever value a lenient reading
// of it might give; the yearly fold's summary rows end in '0000', which is no number
// either. A key longer than its layout carries the number of its last four characters.
const char* const kLowestFree =
    "with recursive climb(n, used) as ("
    "  select 0, 1"
    "  union all"
    "  select n + 1, exists (select 1 from %1 where substr(%2, -4) = substr(10000 + n + 1, -4))"
    "  from climb where used and n < ?1) "
    "select n from climb where not used";

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
    const Value lowest = conn.Scalar(statements[kind], {kLast});
    if (lowest.IsNull()) return std::nullopt;
    return QString::asprintf("%04d", static_cast<int>(lowest.ToInt()));
}
