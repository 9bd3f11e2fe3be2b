#include "catalogue/DiscIdAllocator.h"

#include <algorithm>

#include "platform/text/VbText.h"

namespace {
constexpr int kCodeDigits = 2;
constexpr int kSequenceDigits = 8;
constexpr int kTitleKey = 12;

// The highest key of each table below ?2 among the keys from ?1, found on the primary key:
// every key starts with the disc id, so the highest key carries the highest sequence.
const char* const kHighestTitle = "select max(cdid) from cdinfo where cdid >= ?1 and cdid < ?2";
const char* const kHighestRental =
    "select max(borrowid) from borrowinfo where borrowid >= ?1 and borrowid < ?2";
const char* const kHighestReturn =
    "select max(returnid) from returninfo where returnid >= ?1 and returnid < ?2";
// A discarded title, or one of a deleted classification, keeps its sale lines for the
// reports: a new title with its id would take over its sales.
const char* const kHighestSale =
    "select max(sellid) from sellinfo where sellid >= ?1 and sellid < ?2";

bool IsDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

// How many of a key's first twelve characters are digits before the first one that is not.
int DigitsAtStart(const QString& key) {
    const int length = std::min<int>(key.size(), kTitleKey);
    for (int i = 0; i < length; ++i)
        if (!IsDigit(key[i])) return i;
    return length;
}
}  // namespace

QString DiscIdAllocator::Prefix(int typeCode, int movieTypeCode) {
    return PadNumber(typeCode, kCodeDigits) + PadNumber(movieTypeCode, kCodeDigits);
}

// The keys of a table are walked down from the highest that has a digit after the prefix.
// The first whose first twelve characters are all digits holds the highest sequence; a key
// that breaks off before (a letter among the digits, a short key from another program) is
// stepped over together with every key that begins as it does.
qint64 DiscIdAllocator::HighestIn(const char* sql, const QString& prefix) {
    const QString from = prefix + QChar(u'0');
    QString below = prefix + QChar(u':');  // ":" follows "9"
    for (;;) {
        const Value highest = conn_.Scalar(QString::fromUtf8(sql), {from, below});
        if (highest.IsNull()) return 0;
        const QString key = highest.ToString();
        const int digits = DigitsAtStart(key);
        if (digits == kTitleKey) return key.mid(prefix.size(), kSequenceDigits).toLongLong();
        below = key.left(digits < key.size() ? digits + 1 : digits);
    }
}

qint64 DiscIdAllocator::HighestSequence(const QString& prefix) {
    return std::max({HighestIn(kHighestTitle, prefix), HighestIn(kHighestRental, prefix),
                     HighestIn(kHighestReturn, prefix), HighestIn(kHighestSale, prefix)});
}

std::optional<QString> DiscIdAllocator::Next(int typeCode, int movieTypeCode) {
    refusal_.clear();
    if (typeCode < 0 || typeCode > kLastCode || movieTypeCode < 0 || movieTypeCode > kLastCode) {
        refusal_ = QStringLiteral("光盘格式或影片类型的编号超出了 0 到 99，不能生成光盘ID！");
        return std::nullopt;
    }
    const QString prefix = Prefix(typeCode, movieTypeCode);
    const qint64 highest = HighestSequence(prefix);
    if (highest >= kLastSequence) {
        refusal_ = QStringLiteral(
            "这种光盘格式和影片类型的光盘ID已经用完（最多 99999999 个），"
            "不能再增加这一类的光盘！");
        return std::nullopt;
    }
    return prefix + PadNumber(highest + 1, kSequenceDigits);
}
