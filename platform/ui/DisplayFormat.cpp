#include "platform/ui/DisplayFormat.h"

#include <QDate>
#include <QDateTime>

#include "platform/text/VbText.h"

namespace {

std::optional<QDateTime> ReadDateTime(const QString& text) {
    const QString t = text.trimmed();
    for (const char* pattern : {"yyyy-M-d H:m:s", "yyyy-M-d H:m", "yyyy/M/d H:m:s"}) {
        const QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(pattern));
        if (dt.isValid()) return dt;
    }
    for (const char* pattern : {"yyyy-M-d", "yyyy/M/d"}) {
        const QDate d = QDate::fromString(t, QString::fromLatin1(pattern));
        if (d.isValid()) return QDateTime(d, QTime(0, 0));
    }
    return std::nullopt;
}

bool HasTimePart(const QString& text) {
    return text.trimmed().contains(u':');
}

// A percentage format ("##%", "0%") shows a factor as a percentage and reads "80%" back
// as 0.8; every other number format reads amounts only, where a "%" is no amount.
bool IsPercentFormat(const QString& format) {
    return format.contains(u'%');
}

std::optional<double> ReadNumber(const QString& text, const QString& format) {
    return IsPercentFormat(format) ? ParsePercentage(text) : ParseAmount(text);
}

QString FormatDateText(const QString& text, const QString& format) {
    const std::optional<QDateTime> dt = ReadDateTime(text);
    if (!dt) return text;
    return HasTimePart(text) ? Format(*dt, format) : Format(dt->date(), format);
}

}  // namespace

bool IsDateFormat(const QString& format) {
    const QString f = format.trimmed().toLower();
    if (f == u"long date" || f == u"short date" || f == u"general date") return true;
    bool quoted = false;
    for (QChar c : f) {
        if (c == u'"')
            quoted = !quoted;
        else if (!quoted && (c == u'y' || c == u'd' || c == u'h' || c == u's'))
            return true;
    }
    return false;
}

bool IsAmountFormat(const QString& format) {
    return !format.isEmpty() && !IsDateFormat(format) && !IsPercentFormat(format);
}

QString FormatTypedText(const QString& text, const QString& format) {
    if (format.isEmpty() || text.trimmed().isEmpty()) return text;
    if (IsDateFormat(format)) return FormatDateText(text, format);
    const std::optional<double> amount = ReadNumber(text, format);
    return amount ? Format(*amount, format) : text;
}

QString FormatValue(const Value& value, const QString& format) {
    if (value.IsNull()) return QString();
    if (format.isEmpty()) return value.ToString();
    if (value.IsNumber() && !IsDateFormat(format)) return Format(value.ToDouble(), format);
    return FormatTypedText(value.ToString(), format);
}

Value ValueFromText(const QString& text, const QString& format) {
    if (!format.isEmpty() && !IsDateFormat(format)) {
        if (const std::optional<double> amount = ReadNumber(text, format)) return Value(*amount);
    }
    return Value(text);
}
