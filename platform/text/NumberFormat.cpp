// Format(double, pattern), RoundHalfUp and PadNumber.
#include <QStringList>
#include <cmath>
#include <optional>
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

}  // namespace

QString Format(double value, const QString& pattern) {
    if (!std::isfinite(value)) return QString();
    if (IsGeneralNumber(pattern)) return GeneralNumber(value);

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
