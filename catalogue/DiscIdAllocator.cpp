#include "catalogue/DiscIdAllocator.h"

#include <algorithm>

#include "platform/text/VbText.h"

namespace {
constexpr int kCodeDigits = 2;
constexpr int kPrefixLength = 4;
constexpr int kSequenceDigits = 8;

// The highest key of each table within a prefix's range, found on the primary key:
// every key starts with the disc id, so the highest key carries the highest sequence.
const char* const kHighestTitle = "select max(cdid) from cdinfo where cdid between ?1 and ?2";
const char* const kHighestRental =
    "select max(borrowid) from borrowinfo where borrowid between ?1 and ?2";
const char* const kHighestReturn =
    "select max(returnid) from returninfo where returnid between ?1 and ?2";
// A discarded title, or one of a deleted classification, keeps its sale lines for the
// reports: a new title with its id would take over its sales.
const char* const kHighestSale = "select max(sellid) from sellinfo where sellid between ?1 and ?2";
constexpr int kTitleKey = 12;
constexpr int kRentalKey = 16;
constexpr int kReturnKey = 20;
constexpr int kSaleKey = 16;

// The sequence digits of a key, 0 when they are not all digits.
qint64 SequenceOf(const QString& key) {
    const QString digits = key.mid(kPrefixLength, kSequenceDigits);
    bool ok = false;
    const qint64 n = digits.toLongLong(&ok);
    return ok && digits.size() == kSequenceDigits ? n : 0;
}
}  // namespace

QString DiscIdAllocator::Prefix(int typeCode, int movieTypeCode) {
    return PadNumber(typeCode, kCodeDigits) + PadNumber(movieTypeCode, kCodeDigits);
}

qint64 DiscIdAllocator::HighestIn(const char* sql, const QString& prefix, int keyLength) {
    const QString low = prefix.leftJustified(keyLength, QChar('0'));
    const QString high = prefix.leftJustified(keyLength, QChar('9'));
    const Value highest = conn_.Scalar(QString::fromUtf8(sql), {low, high});
    return highest.IsNull() ? 0 : SequenceOf(highest.ToString());
}

qint64 DiscIdAllocator::HighestSequence(const QString& prefix) {
    return std::max(
        {HighestIn(kHighestTitle, prefix, kTitleKey), HighestIn(kHighestRental, prefix, kRentalKey),
         HighestIn(kHighestReturn, prefix, kReturnKey), HighestIn(kHighestSale, prefix, kSaleKey)});
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
