#include "members/MemberNumber.h"

#include "core/mdlMain.h"
#include "platform/text/VbText.h"

namespace {
// The members' six-digit numbers; six digits compare as text as they do as numbers.
const char* const kHighestMemberNumber =
    "select max(userid) from userinfo "
    "where length(userid) = 6 and userid not glob '*[^0-9]*'";

// The customer keys of one table's lines, read through the index on name.
struct LineNames {
    const char* highestBelow;  // the highest name below ?1 that could begin with a digit
    const char* exists;        // a line whose customer is exactly ?1
};
const LineNames kRentalNames{"select max(name) from borrowinfo where name >= '0' and name < ?1",
                             "select 1 from borrowinfo where name = ?1 limit 1"};
const LineNames kSaleNames{"select max(name) from sellinfo where name >= '0' and name < ?1",
                           "select 1 from sellinfo where name = ?1 limit 1"};
// Above every six-digit number and every name that begins with one.
const char* const kAboveEveryNumber = "999999~";

// The highest six-digit customer key of a table's lines, without reading every line: from
// the top down, each probe lands on a name just below the last one. A six-digit number is
// the answer. A longer name (a walk-in's "20261208001") can hide only one six-digit key
// between itself and the names below its first six characters: those characters; the next
// probe goes below them. So the probes number about the distinct beginnings of the names
// above the answer (a walk-in name's year and month), not the lines.
std::optional<QString> HighestNumberIn(Connection& conn, const LineNames& lines) {
    QString below = QString::fromLatin1(kAboveEveryNumber);
    for (;;) {
        const Value name = conn.Scalar(lines.highestBelow, {below});
        if (name.IsNull()) return std::nullopt;
        const QString n = name.ToString();
        if (MemberNumber::IsWellFormed(n)) return n;
        const QString head = n.left(MemberNumber::kDigits);
        if (MemberNumber::IsWellFormed(head)) {
            if (!conn.Scalar(lines.exists, {head}).IsNull()) return head;
            below = head;
        } else {
            below = n;
        }
    }
}
}  // namespace

std::optional<QString> MemberNumber::Next(Connection& conn) {
    QString highest = NullToStr(conn.Scalar(kHighestMemberNumber));
    for (const LineNames* lines : {&kRentalNames, &kSaleNames})
        if (const std::optional<QString> n = HighestNumberIn(conn, *lines); n && *n > highest)
            highest = *n;
    if (highest.isEmpty()) return PadNumber(1, kDigits);
    const qint64 next = highest.toLongLong() + 1;
    if (next > kLargest) return std::nullopt;
    return PadNumber(next, kDigits);
}

bool MemberNumber::IsWellFormed(const QString& number) {
    if (number.size() != kDigits) return false;
    for (QChar c : number)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QString MemberNumber::ExhaustedMessage() {
    return QStringLiteral("会员编号已经用到999999，不能再增加新会员！");
}
