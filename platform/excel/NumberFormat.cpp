#include "platform/excel/NumberFormat.h"

#include <QRegularExpression>
#include <QStringList>
#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);

// The sections of a code ("pos;neg;zero;text"), split outside quotes and brackets.
QStringList Sections(const QString& code) {
    QStringList out;
    QString current;
    bool quoted = false;
    bool bracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar ch = code[i];
        if (ch == '\\' && !quoted && i + 1 < code.size()) {
            current += ch;
            current += code[++i];
            continue;
        }
        if (ch == '"') quoted = !quoted;
        if (!quoted && ch == '[') bracket = true;
        if (!quoted && ch == ']') bracket = false;
        if (ch == ';' && !quoted && !bracket) {
            out << current;
            current.clear();
            continue;
        }
        current += ch;
    }
    out << current;
    return out;
}

// A piece of a section: a literal text or a format token.
struct Token {
    bool literal = true;
    QString text;
};

std::vector<Token> Tokenize(const QString& section) {
    std::vector<Token> out;
    auto literal = [&out](const QString& t) {
        if (!out.empty() && out.back().literal)
            out.back().text += t;
        else
            out.push_back({true, t});
    };
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar ch = section[i];
        if (ch == '"') {
            const qsizetype end = section.indexOf('"', i + 1);
            literal(section.mid(i + 1, (end < 0 ? section.size() : end) - i - 1));
            i = end < 0 ? section.size() : end;
        } else if (ch == '\\' && i + 1 < section.size()) {
            literal(section.mid(++i, 1));
        } else if (ch == '[') {
            const qsizetype end = section.indexOf(']', i + 1);
            i = end < 0 ? section.size() : end;  // colours, conditions and locales print nothing
        } else if (ch == '_' || ch == '*') {
            ++i;  // padding to a character's width: a blank is close enough on paper
            if (ch == '_') literal(" ");
        } else if (section.mid(i, 5).compare("AM/PM", Qt::CaseInsensitive) == 0) {
            out.push_back({false, "AM/PM"});
            i += 4;
        } else if (section.mid(i, 5) == QStringLiteral("上午/下午")) {
            out.push_back({false, QStringLiteral("上午/下午")});
            i += 4;
        } else if (QStringLiteral("yYmMdDhHsS0#?.,%eE").contains(ch)) {
            QString run(ch.toLower());
            while (i + 1 < section.size() && section[i + 1].toLower() == run[0] &&
                   QStringLiteral("ymdhs").contains(run[0])) {
                run += section[++i].toLower();
            }
            out.push_back({false, run});
        } else {
            literal(QString(ch));
        }
    }
    return out;
}

bool IsDateToken(const QString& t) {
    return !t.isEmpty() && QStringLiteral("ymdhs").contains(t[0]);
}

QString Pad(int n, int width) {
    return QString::number(n).rightJustified(width, '0');
}

QString FormatDate(double value, const std::vector<Token>& tokens) {
    const QDateTime dt = NumberFormat::FromSerial(value);
    const QDate d = dt.date();
    const QTime t = dt.time();
    bool twelveHour = false;
    for (const Token& tok : tokens) {
        if (!tok.literal && (tok.text == "AM/PM" || tok.text == QStringLiteral("上午/下午")))
            twelveHour = true;
    }
    static const char* kMonths[] = {"January",   "February", "March",    "April",
                                    "May",       "June",     "July",     "August",
                                    "September", "October",  "November", "December"};
    static const char* kDays[] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                  "Friday", "Saturday", "Sunday"};
    QString out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const Token& tok = tokens[i];
        if (tok.literal) {
            out += tok.text;
            continue;
        }
        const QChar kind = tok.text[0];
        const int len = static_cast<int>(tok.text.size());
        if (kind == 'y') {
            out += len <= 2 ? Pad(d.year() % 100, 2) : QString::number(d.year());
        } else if (kind == 'm') {
            // "m" after an hour or before seconds is minutes.
            bool minute = false;
            for (size_t j = i; j-- > 0;) {
                if (!tokens[j].literal && IsDateToken(tokens[j].text)) {
                    minute = tokens[j].text[0] == 'h';
                    break;
                }
            }
            for (size_t j = i + 1; !minute && j < tokens.size(); ++j) {
                if (!tokens[j].literal && IsDateToken(tokens[j].text)) {
                    minute = tokens[j].text[0] == 's';
                    break;
                }
            }
            if (minute)
                out += len >= 2 ? Pad(t.minute(), 2) : QString::number(t.minute());
            else if (len >= 4)
                out += kMonths[d.month() - 1];
            else if (len == 3)
                out += QString(kMonths[d.month() - 1]).left(3);
            else
                out += len == 2 ? Pad(d.month(), 2) : QString::number(d.month());
        } else if (kind == 'd') {
            if (len >= 4)
                out += kDays[d.dayOfWeek() - 1];
            else if (len == 3)
                out += QString(kDays[d.dayOfWeek() - 1]).left(3);
            else
                out += len == 2 ? Pad(d.day(), 2) : QString::number(d.day());
        } else if (kind == 'h') {
            int h = t.hour();
            if (twelveHour) h = h % 12 == 0 ? 12 : h % 12;
            out += len >= 2 ? Pad(h, 2) : QString::number(h);
        } else if (kind == 's') {
            out += len >= 2 ? Pad(t.second(), 2) : QString::number(t.second());
        } else if (tok.text == "AM/PM") {
            out += t.hour() < 12 ? "AM" : "PM";
        } else if (tok.text == QStringLiteral("上午/下午")) {
            out += t.hour() < 12 ? QStringLiteral("上午") : QStringLiteral("下午");
        } else {
            out += tok.text;
        }
    }
    return out;
}

// Thousands separators in the integer digits.
QString Group(const QString& digits) {
    QString out;
    const qsizetype n = digits.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

QString FormatNumber(double value, const std::vector<Token>& tokens) {
    int intZeros = 0, decZeros = 0, decDigits = 0;
    bool seenPoint = false, thousands = false, percent = false, anyDigit = false;
    for (const Token& tok : tokens) {
        if (tok.literal) continue;
        for (QChar ch : tok.text) {
            if (ch == '.')
                seenPoint = true;
            else if (ch == ',')
                thousands = thousands || (anyDigit && !seenPoint);
            else if (ch == '%')
                percent = true;
            else if (ch == '0' || ch == '#' || ch == '?') {
                anyDigit = true;
                if (seenPoint) {
                    ++decDigits;
                    if (ch == '0') ++decZeros;
                } else if (ch == '0') {
                    ++intZeros;
                }
            }
        }
    }
    if (percent) value *= 100;
    QString number = QString::number(std::fabs(value), 'f', decDigits);
    QString intPart = number.section('.', 0, 0);
    QString decPart = number.section('.', 1);
    while (decPart.size() > decZeros && decPart.endsWith('0')) decPart.chop(1);
    if (intPart == "0" && intZeros == 0) intPart.clear();
    while (intPart.size() < intZeros) intPart.prepend('0');
    if (thousands) intPart = Group(intPart);
    QString digits = intPart;
    if (seenPoint && (!decPart.isEmpty() || decZeros > 0))
        digits += '.' + decPart;
    else if (seenPoint && decDigits > 0)
        digits += '.';

    // Literals before the first digit token stay in front, the rest follow.
    QString out;
    bool placed = false;
    for (const Token& tok : tokens) {
        if (tok.literal) {
            out += tok.text;
        } else if (tok.text == "%") {
            if (!placed) {
                out += digits;
                placed = true;
            }
            out += '%';
        } else if (!placed) {
            out += digits;
            placed = true;
        }
    }
    if (!placed) out += digits;
    return out;
}
}  // namespace

double NumberFormat::ToSerial(const QDate& date) {
    return static_cast<double>(kEpoch.daysTo(date));
}

double NumberFormat::ToSerial(const QDateTime& dateTime) {
    return ToSerial(dateTime.date()) + dateTime.time().msecsSinceStartOfDay() / 86400000.0;
}

QDateTime NumberFormat::FromSerial(double serial) {
    const double days = std::floor(serial);
    // Rounded to the second, as the clock shows it.
    qint64 seconds = std::llround((serial - days) * 86400.0);
    qint64 wholeDays = static_cast<qint64>(days);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++wholeDays;
    }
    return QDateTime(kEpoch.addDays(wholeDays), QTime(0, 0).addSecs(static_cast<int>(seconds)));
}

QString NumberFormat::General(double value) {
    if (value == 0) return QStringLiteral("0");
    const double a = std::fabs(value);
    if (a >= 1e11 || a < 1e-9)
        return QString::number(value, 'E', 5)
            .replace(QRegularExpression("E\\+?(-?)0*(\\d)"), "E+\\1\\2");
    QString s =
        QString::number(value, 'f', std::max(0, 10 - static_cast<int>(std::floor(std::log10(a)))));
    if (s.contains('.')) {
        while (s.endsWith('0')) s.chop(1);
        if (s.endsWith('.')) s.chop(1);
    }
    return s;
}

bool NumberFormat::IsDateFormat(const QString& code) {
    for (const QString& section : Sections(code)) {
        for (const Token& tok : Tokenize(section)) {
            if (!tok.literal && (IsDateToken(tok.text) || tok.text == "AM/PM")) return true;
        }
        break;  // the first section decides
    }
    return false;
}

QString NumberFormat::Display(double value, const QString& code) {
    if (code.isEmpty() || code.compare("General", Qt::CaseInsensitive) == 0 || code == "@")
        return General(value);
    const QStringList sections = Sections(code);
    QString section = sections[0];
    bool sign = value < 0;
    if (value < 0 && sections.size() >= 2) {
        section = sections[1];
        sign = false;
    } else if (value == 0 && sections.size() >= 3) {
        section = sections[2];
    }
    const std::vector<Token> tokens = Tokenize(section);
    bool date = false, digits = false;
    for (const Token& tok : tokens) {
        if (tok.literal) continue;
        if (IsDateToken(tok.text) || tok.text == "AM/PM") date = true;
        if (tok.text.contains('0') || tok.text.contains('#') || tok.text.contains('?'))
            digits = true;
    }
    if (date) return FormatDate(value, tokens);
    if (!digits) {
        QString out;
        for (const Token& tok : tokens) out += tok.literal ? tok.text : QString();
        return out.isEmpty() ? General(value) : out;
    }
    const QString shown = FormatNumber(value, tokens);
    return sign && shown.contains(QRegularExpression("[1-9]")) ? '-' + shown : shown;
}
