#include "core/RecordNumber.h"

#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
// The smallest number at or after ?1, by its index: one seek per number in use below the
// first gap, never a walk over every line.
const char* const kRentalNumberFrom =
    "select substr(borrowid,-4) from borrowinfo where substr(borrowid,-4) >= ?1 "
    "order by substr(borrowid,-4) limit 1";
const char* const kSaleNumberFrom =
    "select substr(sellid,-4) from sellinfo where substr(sellid,-4) >= ?1 "
    "order by substr(sellid,-4) limit 1";
const char* const kReturnNumberFrom =
    "select substr(returnid,-4) from returninfo where substr(returnid,-4) >= ?1 "
    "order by substr(returnid,-4) limit 1";

const char* NumberFrom(RecordNumber::Kind kind) {
    switch (kind) {
        case RecordNumber::Sale:
            return kSaleNumberFrom;
        case RecordNumber::Return:
            return kReturnNumberFrom;
        case RecordNumber::Rental:
            break;
    }
    return kRentalNumberFrom;
}
}  // namespace

std::optional<QString> RecordNumber::Lowest(Connection& conn, Kind kind) {
    const char* sql = NumberFrom(kind);
    for (int n = 1; n <= kLast; ++n) {
        const QString number = PadNumber(n, 4);
        if (conn.Scalar(sql, {number}).ToString() != number) return number;
    }
    return std::nullopt;
}
