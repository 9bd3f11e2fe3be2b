// Format(double, pattern) and PadNumber.
#include <QStringList>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "platform/text/DecimalText.h"
#include "platform/text/Money.h"
#include "platform/text/NumberPattern.h"
#include "platform/text/VbText.h"

namespace {

// A number is shown as the decimal a person reads at 15 significant digits, the way the
// general number format writes it: 1.4449999999999998 (1.70 × 0.85 in binary) is 1.445,
// and so "1.45" to two places, as the amount is held (Money).
constexpr int kReadDigits = 15;
// Amounts below this are shown through Money, which holds them to the cent.
constexpr double kMoneyRange = 1e15;

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
    d.RoundToSignificant(kReadDigits);
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

}  // namespace

QString Format(double value, const QString& pattern) {
    if (!std::isfinite(value)) return QString();
    if (IsGeneralNumber(pattern)) return GeneralNumber(value);
    // Every amount of the reports and the grids is shown in the currency format.
    static const QString kCurrency = QStringLiteral("￥#,##0.00");
    if (pattern == kCurrency && std::fabs(value) < kMoneyRange)
        return Money::FromStored(value).Text();

    const ParsedPattern& parsed = Parsed(pattern);
    const auto& sections = parsed.given;
    const NumberPattern& positive = parsed.sections[0];
    DecimalText magnitude = DecimalText::FromDouble(value);
    magnitude.RoundToSignificant(kReadDigits);
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

QString PadNumber(qint64 n, int width) {
    const bool negative = n < 0;
    const quint64 magnitude = negative ? 0 - static_cast<quint64>(n) : static_cast<quint64>(n);
    QString digits = QString::number(magnitude);
    if (digits.size() < width) digits.prepend(QString(width - digits.size(), u'0'));
    return negative ? QStringLiteral("-") + digits : digits;
}
