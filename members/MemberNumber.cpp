#include "members/MemberNumber.h"

#include <cmath>

#include "platform/text/VbText.h"

namespace {
const char* const kLargestNumber = "select max(userid) from userinfo";
}  // namespace

std::optional<QString> MemberNumber::Next(Connection& conn) {
    const Value largest = conn.Scalar(kLargestNumber);
    if (largest.IsNull()) return PadNumber(1, kDigits);
    // A number typed by hand may not be one: its leading digits count, as the clerk reads it.
    const double next = std::floor(Val(largest.ToString())) + 1;
    if (next > kLargest) return std::nullopt;
    return PadNumber(static_cast<qint64>(std::max(next, 1.0)), kDigits);
}

QString MemberNumber::ExhaustedMessage() {
    return QStringLiteral("会员编号已经用到999999，不能再增加新会员！");
}
