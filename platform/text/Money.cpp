#include "platform/text/Money.h"

#include <charconv>
#include <cmath>

#include "platform/text/VbText.h"

namespace {
using Wide = __int128;

constexpr int kReadDigits = 15;  // the significant digits a person reads of a REAL
constexpr Wide kWideLargest = 0x7fffffffffffffff;

Wide PowerOfTen(int n) {
    Wide p = 1;
    for (int i = 0; i < n; ++i) p *= 10;
    return p;
}

// value / divisor rounded half away from zero; the divisor is positive.
Wide DivideHalfAway(Wide value, Wide divisor) {
    const bool negative = value < 0;
    const Wide magnitude = negative ? -value : value;
    Wide quotient = magnitude / divisor;
    if ((magnitude % divisor) * 2 >= divisor) ++quotient;
    return negative ? -quotient : quotient;
}

qint64 Saturated(Wide cents) {
    if (cents > kWideLargest) return static_cast<qint64>(kWideLargest);
    if (cents < -kWideLargest) return static_cast<qint64>(-kWideLargest);
    return static_cast<qint64>(cents);
}

// A finite double as digits × 10^exponent with at most 15 significant digits: its shortest
// decimal text (what reads back as the same double), rounded half away from zero to 15
// digits, as the general number format shows it.
struct Decimal {
    Wide digits = 0;  // signed
    int exponent = 0;
};

Decimal ReadDecimal(double value) {
    char text[40];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific);
    const char* at = text;
    const bool negative = *at == '-';
    if (negative) ++at;
    Wide digits = 0;
    int count = 0;
    for (; at < written.ptr && *at != 'e'; ++at) {
        if (*at == '.') continue;
        digits = digits * 10 + (*at - '0');
        ++count;
    }
    int exponent = 0;
    std::from_chars(at + 1 + (at[1] == '+' ? 1 : 0), written.ptr, exponent);
    exponent -= count - 1;  // value = digits × 10^exponent
    if (count > kReadDigits) {
        const int dropped = count - kReadDigits;
        digits = DivideHalfAway(digits, PowerOfTen(dropped));
        exponent += dropped;
    }
    return {negative ? -digits : digits, exponent};
}

// digits × 10^exponent to a whole number, half away from zero, saturated.
qint64 Scaled(Wide digits, int exponent) {
    if (digits == 0) return 0;
    if (exponent >= 0) {
        const Wide magnitude = digits < 0 ? -digits : digits;
        if (exponent > 18 || magnitude > kWideLargest / PowerOfTen(exponent))
            return Saturated(digits < 0 ? -kWideLargest : kWideLargest);
        return Saturated(digits * PowerOfTen(exponent));
    }
    // What is scaled down (a REAL's 15 digits, or cents times a rate's 15 digits) stays
    // below 10^35: beyond 36 places it is less than half a unit.
    if (-exponent > 36) return 0;
    return Saturated(DivideHalfAway(digits, PowerOfTen(-exponent)));
}

}  // namespace

Money Money::FromStored(double stored) {
    if (std::isnan(stored)) return Money();
    if (std::isinf(stored)) return Money(stored > 0 ? kLargest : -kLargest);
    const Decimal d = ReadDecimal(stored);
    return Money(Scaled(d.digits, d.exponent + 2));
}

std::optional<Money> Money::FromTyped(const QString& typed, AmountSign sign) {
    const std::optional<double> amount = ParseAmount(typed.trimmed());
    if (!amount || (sign == AmountSign::NotNegative && *amount < 0)) return std::nullopt;
    return FromStored(*amount);
}

double Money::ToStored() const {
    return static_cast<double>(cents_) / 100;
}

QString Money::Text() const {
    const quint64 magnitude = static_cast<quint64>(cents_ < 0 ? -cents_ : cents_);
    const QString whole = QString::number(magnitude / 100);
    QString text;
    text.reserve(whole.size() * 4 / 3 + 6);
    if (cents_ < 0) text += u'-';
    text += u'￥';
    for (qsizetype i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) text += u',';
        text += whole[i];
    }
    const int fen = static_cast<int>(magnitude % 100);
    text += u'.';
    text += QLatin1Char(static_cast<char>('0' + fen / 10));
    text += QLatin1Char(static_cast<char>('0' + fen % 10));
    return text;
}

QString Money::PlainText() const {
    const quint64 magnitude = static_cast<quint64>(cents_ < 0 ? -cents_ : cents_);
    QString text = cents_ < 0 ? QStringLiteral("-") : QString();
    text += QString::number(magnitude / 100);
    const int fen = static_cast<int>(magnitude % 100);
    if (fen != 0) {
        text += u'.';
        text += QLatin1Char(static_cast<char>('0' + fen / 10));
        if (fen % 10 != 0) text += QLatin1Char(static_cast<char>('0' + fen % 10));
    }
    return text;
}

Money Money::Times(qint64 count) const {
    return Money(Saturated(static_cast<Wide>(cents_) * count));
}

Money Money::AtRate(double rate) const {
    if (!std::isfinite(rate)) return Money();
    const Decimal r = ReadDecimal(rate);
    return Money(Scaled(static_cast<Wide>(cents_) * r.digits, r.exponent));
}

Money Money::Plus(qint64 cents) const {
    return Money(Saturated(static_cast<Wide>(cents_) + cents));
}
