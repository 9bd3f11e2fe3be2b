// Format(double, pattern), RoundHalfUp and PadNumber.
#include <QStringList>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/DecimalText.h"
#include "platform/text/NumberPattern.h"
#include "platform/text/VbText.h"

namespace {

// The number patterns the original platform knows by name, as the Chinese regional
// settings show them. An empty name is "General Number".
QString NamedNumberPattern(const QString& pattern) {
    const QString name = pattern.trimmed().toLower();
    if (name == u"currency") return QStringLiteral("￥#,##0.00");
    if (name == u"fixed") return QStringLiteral("0.00");
    if (name == u"standard") return QStringLiteral("#,##0.00");
    if (name == u"percent") return QStringLiteral("0.00%");
    return pattern;
}

bool IsGeneralNumber(const QString& pattern) {
    return pattern.isEmpty() ||
           pattern.trimmed().compare(u"general number", Qt::CaseInsensitive) == 0;
}

// Up to 15 significant digits, like the platform's own number-to-text conversion, but
// never in exponent notation (a shop amount is read by people).
QString GeneralNumber(double value) {
    DecimalText d = DecimalText::FromDouble(value);
    d.RoundToSignificant(15);
    return QString::fromStdString(d.ToPlainText());
}

// Sections are separated by ";" outside quotes: positive;negative;zero.
QStringList SplitSections(const QString& pattern) {
    QStringList sections(QString{});
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\' && !quoted && i + 1 < pattern.size()) {
            sections.back() += c;
            sections.back() += pattern[++i];
            continue;
        } else if (c == u';' && !quoted) {
            sections.append(QString{});
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

// A pattern's sections, each parsed: the positive one, and the negative and zero ones
// where the pattern has them.
struct ParsedPattern {
    QString pattern;
    std::vector<NumberPattern> sections;
    std::vector<bool> given;  // the section is there and not empty
};

// A report formats every amount of its rows with the same pattern: the last pattern is
// kept parsed.
const ParsedPattern& Parsed(const QString& pattern) {
    thread_local std::optional<ParsedPattern> last;
    if (last && last->pattern == pattern) return *last;
    ParsedPattern parsed{pattern, {}, {}};
    for (const QString& section : SplitSections(NamedNumberPattern(pattern))) {
        parsed.sections.emplace_back(section);
        parsed.given.push_back(!section.isEmpty());
    }
    last = std::move(parsed);
    return *last;
}

// The currency format, which every amount of the reports is shown in, written straight
// from the amount's shortest decimal text: the same digits, the same rounding (half away
// from zero, on that text) and the same grouping as the general way below, which a test
// holds it to, at a tenth of the cost.
QString CurrencyText(double value) {
    char text[512];
    const auto written = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
    const char* at = text;
    const bool negative = *at == '-';
    if (negative) ++at;
    std::string digits;  // the integer digits and two decimals
    digits.reserve(static_cast<size_t>(written.ptr - at) + 3);
    while (at < written.ptr && *at != '.') digits += *at++;
    int decimals = 0;
    bool roundUp = false;
    if (at < written.ptr) ++at;  // the point
    for (; at < written.ptr; ++at, ++decimals) {
        if (decimals < 2)
            digits += *at;
        else if (decimals == 2)
            roundUp = *at >= '5';
    }
    for (; decimals < 2; ++decimals) digits += '0';
    if (roundUp) {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(digits.begin(), '1');
        else
            ++digits[i - 1];
    }
    const std::size_t integers = digits.size() - 2;
    std::size_t first = 0;  // the integer part without its leading zeros, "0" at least
    while (first + 1 < integers && digits[first] == '0') ++first;
    const bool zero = digits.find_first_not_of('0') == std::string::npos;
    QString out;
    out.reserve(static_cast<qsizetype>(integers - first) * 4 / 3 + 6);
    if (negative && !zero) out += u'-';
    out += u'￥';
    for (std::size_t i = first; i < integers; ++i) {
        if (i > first && (integers - i) % 3 == 0) out += u',';
        out += QLatin1Char(digits[i]);
    }
    out += u'.';
    out += QLatin1Char(digits[integers]);
    out += QLatin1Char(digits[integers + 1]);
    return out;
}

}  // namespace

QString Format(double value, const QString& pattern) {
    if (!std::isfinite(value)) return QString();
    if (IsGeneralNumber(pattern)) return GeneralNumber(value);
    static const QString kCurrency = QStringLiteral("￥#,##0.00");
    if (pattern == kCurrency) return CurrencyText(value);

    const ParsedPattern& parsed = Parsed(pattern);
    const auto& sections = parsed.given;
    const NumberPattern& positive = parsed.sections[0];
    DecimalText magnitude = DecimalText::FromDouble(value);
    const bool negative = magnitude.negative;
    magnitude.negative = false;

    // A value that shows as zero is zero: no "-￥0.00" for -0.001, whatever the binary
    // arithmetic before left behind (the original platform would write the minus sign).
    const bool showsZero = positive.Shown(magnitude).IsZero();
    if (showsZero && sections.size() >= 3 && sections[2])
        return parsed.sections[2].Render(DecimalText{});
    if (showsZero || !negative) return positive.Render(magnitude);
    if (sections.size() >= 2 && sections[1]) return parsed.sections[1].Render(magnitude);
    // With one section the minus sign leads, before any currency sign: "-￥1,234.50".
    return QStringLiteral("-") + positive.Render(magnitude);
}

double RoundHalfUp(double value, int decimals) {
    if (!std::isfinite(value)) return value;
    // A double has no digit beyond about 330 places on either side of the point.
    if (decimals > 400) return value;
    if (decimals < -400) return 0.0;
    DecimalText d = DecimalText::FromDouble(value);
    if (decimals >= 0) {
        d.RoundTo(decimals);
    } else {
        d.ShiftPoint(decimals);
        d.RoundTo(0);
        d.ShiftPoint(-decimals);
    }
    return d.ToDouble().value_or(value);
}

QString PadNumber(qint64 n, int width) {
    const bool negative = n < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    QString digits = QString::number(magnitude);
    if (digits.size() < width) digits.prepend(QString(width - digits.size(), u'0'));
    return negative ? QStringLiteral("-") + digits : digits;
}
