#include "core/RecordNumber.h"

#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
// Counts up from 1 while the number is in use, each test one look-up in the table's index
// of its last four characters; the last number reached is the lowest free one (10000 when
// every number is used).
const char* const kLowestFreeRentalNumber =
    "with recursive walk(n) as (select 1 union all select n + 1 from walk "
    "  where n <= 9999 and exists (select 1 from borrowinfo "
    "                              where substr(borrowid,-4) = substr('000' || n, -4))) "
    "select max(n) from walk";
const char* const kLowestFreeSaleNumber =
    "with recursive walk(n) as (select 1 union all select n + 1 from walk "
    "  where n <= 9999 and exists (select 1 from sellinfo "
    "                              where substr(sellid,-4) = substr('000' || n, -4))) "
    "select max(n) from walk";
const char* const kLowestFreeReturnNumber =
    "with recursive walk(n) as (select 1 union all select n + 1 from walk "
    "  where n <= 9999 and exists (select 1 from returninfo "
    "                              where substr(returnid,-4) = substr('000' || n, -4))) "
    "select max(n) from walk";

const char* LowestFree(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return kLowestFreeSaleNumber;
        case RecordNumber::Return:
            return kLowestFreeReturnNumber;
        case RecordNumber::Rental:
            break;
    }
    return kLowestFreeRentalNumber;
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    const qint64 n = conn.Scalar(LowestFree(kind)).ToInt();
    if (n < 1 || n > kLast) return std::nullopt;
    return PadNumber(n, 4);
}
