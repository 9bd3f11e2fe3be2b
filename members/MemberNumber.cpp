#include "members/MemberNumber.h"

#include "core/mdlMain.h"
#include "platform/db/Statement.h"
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
// The members' six-digit numbers, lowest first.
const char* const kMemberNumbersInOrder =
    "select userid from userinfo "
    "where length(userid) = 6 and userid not glob '*[^0-9]*' order by userid";
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

bool CarriedByLines(Connection& conn, const QString& number) {
    for (const LineNames* lines : {&kRentalNames, &kSaleNames})
        if (!conn.Scalar(lines->exists, {number}).IsNull()) return true;
    return false;
}

// The lowest six-digit number no member holds and no line carries. The members' numbers
// are read once, in order; only the numbers between them are asked of the lines, so the
// look-ups number about the members who left, not the members.
std::optional<QString> LowestFree(Connection& conn) {
    Statement members(conn, kMemberNumbersInOrder);
    bool more = members.Step();
    for (qint64 n = 1; n <= MemberNumber::kLargest; ++n) {
        const QString number = PadNumber(n, MemberNumber::kDigits);
        while (more && members.Column(0).ToString() < number) more = members.Step();
        if (more && members.Column(0).ToString() == number) continue;
        if (!CarriedByLines(conn, number)) return number;
    }
    return std::nullopt;
}
}  // namespace

std::optional<QString> MemberNumber::Next(Connection& conn) {
    QString highest = NullToStr(conn.Scalar(kHighestMemberNumber));
    for (const LineNames* lines : {&kRentalNames, &kSaleNames})
        if (const std::optional<QString> n = HighestNumberIn(conn, *lines); n && *n > highest)
            highest = *n;
    if (highest.isEmpty()) return PadNumber(1, kDigits);
    // A number typed by hand, or a walk-in's name, may take the last one: the numbers below
    // it that were never used are given then, lowest first.
    if (highest.toLongLong() >= kLargest) return LowestFree(conn);
    return PadNumber(highest.toLongLong() + 1, kDigits);
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
