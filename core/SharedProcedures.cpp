#include <QLineEdit>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/text/VbText.h"
#include "platform/ui/MsgBox.h"

namespace {
const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";
// A title saved before the catalogue wrote buymoney has only its price.
const char* const kBuyMoneyOfTitle =
    "select coalesce(buymoney, price, 0) from cdinfo where cdid = ?1";

// The day's highest walk-in number among 11-character names "yyyymmdd" + 3 digits.
// Names whose last three characters are not digits do not count.
// The names beginning with the day are read from the name index, between the day and the
// next one ("20261208" <= name < "20261209"), not by a pass over every line.
const char* const kHighestWalkInBorrow =
    "select max(cast(substr(name,9,3) as integer)) from borrowinfo "
    "where name >= ?1 and name < ?2 and length(name) = 11 and substr(name,1,8) = ?1 "
    "and substr(name,9,3) glob '[0-9][0-9][0-9]'";
const char* const kHighestWalkInSell =
    "select max(cast(substr(name,9,3) as integer)) from sellinfo "
    "where name >= ?1 and name < ?2 and length(name) = 11 and substr(name,1,8) = ?1 "
    "and substr(name,9,3) glob '[0-9][0-9][0-9]'";

constexpr int kMaxWalkInPerDay = 999;

// The first level of GB2312 is ordered by pinyin: each initial covers one range of codes.
struct InitialRange {
    const char* letter;
    const char* low;
    const char* high;
};
constexpr InitialRange kInitials[] = {
    {"A", "B0A1", "B0C4"}, {"B", "B0C5", "B2C0"}, {"C", "B2C1", "B4ED"}, {"D", "B4EE", "B6E9"},
    {"E", "B6EA", "B7A1"}, {"F", "B7A2", "B8C0"}, {"G", "B8C1", "B9FD"}, {"H", "B9FE", "BBF6"},
    {"J", "BBF7", "BFA5"}, {"K", "BFA6", "C0AB"}, {"L", "C0AC", "C2E7"}, {"M", "C2E8", "C4C2"},
    {"N", "C4C3", "C5B5"}, {"O", "C5B6", "C5BD"}, {"P", "C5BE", "C6D9"}, {"Q", "C6DA", "C8BA"},
    {"R", "C8BB", "C8F5"}, {"S", "C8F6", "CBF9"}, {"T", "CBFA", "CDD9"}, {"W", "CDDA", "CEF3"},
    {"X", "CEF4", "D1B8"}, {"Y", "D1B9", "D4D0"}, {"Z", "D4D1", "D7F9"},
};
}  // namespace

bool IsUserExist(const QString& UserID) {
    return !gConn.Scalar(kMemberById, {UserID}).IsNull();
}

QString NullToStr(const Value& v) {
    return v.IsNull() ? QString() : v.ToString();
}

QString GetPYChar(const QString& s) {
    const int code = Gb2312Code(s);
    if (code >= 0 && code <= 255) return s;
    int lead = code / 256;
    int trail = code % 256;
    const QString hex = DecToBase(lead, 16) + DecToBase(trail, 16);
    for (const auto& range : kInitials) {
        if (hex >= QLatin1String(range.low) && hex <= QLatin1String(range.high))
            return QLatin1String(range.letter);
    }
    return hex;
}

QString DecToBase(int& n, int Base) {
    QString digits;
    int q = 0;
    int r = 0;
    do {
        IntDivMod(n, Base, q, r);
        const QChar digit = r <= 9 ? QChar('0' + r) : QChar(r + 55);
        digits.prepend(digit);
        n = q;
    } while (q != 0 && Base != 0);
    return digits;
}

void IntDivMod(int a, int b, int& q, int& r) {
    if (b == 0) {
        MsgBox(QStringLiteral("非法除数"), vbOKOnly);
        return;
    }
    q = a / b;
    r = a % b;
}

void SelectAllText(QLineEdit* Txt) {
    if (Txt) Txt->selectAll();
}

Value GetBuyMoney(const QString& CDID) {
    return Value(BuyMoneyOf(gConn, CDID).ToStored());
}

Money BuyMoneyOf(Connection& conn, const QString& CDID) {
    return Money::FromStored(conn.Scalar(kBuyMoneyOfTitle, {CDID}).ToDouble());
}

QString GetNewID(const QString& Kind) {
    const QString day = Today().toString(QStringLiteral("yyyyMMdd"));
    const char* sql = Kind == QLatin1String("sell") ? kHighestWalkInSell : kHighestWalkInBorrow;
    const QString nextDay = Today().addDays(1).toString(QStringLiteral("yyyyMMdd"));
    const Value highest = gConn.Scalar(sql, {day, nextDay});
    const qint64 next = highest.IsNull() ? 1 : highest.ToInt() + 1;
    if (next > kMaxWalkInPerDay) {
        MsgBox(QStringLiteral("今天的零租用户编号已经用完，请输入用户名称。"), vbInformation,
               QStringLiteral("提示"));
        return QString();
    }
    return day + PadNumber(next, 3);
}
