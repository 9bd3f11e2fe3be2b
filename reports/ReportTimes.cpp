#include "reports/ReportTimes.h"

#include <optional>

#include "platform/db/DateText.h"
#include "platform/db/Value.h"
#include "printout/ReportText.h"

namespace {
std::optional<DateText> Parsed(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return DateText::Parse(std::string_view(utf8.constData(), static_cast<size_t>(utf8.size())));
}

QString Two(int n) {
    return QString::number(n).rightJustified(2, QLatin1Char('0'));
}

QString DayOf(const DateText& d) {
    return QString::number(d.year).rightJustified(4, QLatin1Char('0')) + '-' + Two(d.month) + '-' +
           Two(d.day);
}
}  // namespace

namespace ReportTimes {
QString WithCentury(const QString& shown) {
    return ReportText::WithCentury(Value(shown));
}

QString DateTime(const Value& stored) {
    if (stored.IsNull()) return QString();
    const QString text = stored.ToString();
    const std::optional<DateText> d = Parsed(text);
    if (!d) return text;
    return DayOf(*d) + ' ' + Two(d->hour) + ':' + Two(d->minute) + ':' + Two(d->second);
}

QString Date(const Value& stored) {
    if (stored.IsNull()) return QString();
    const QString text = stored.ToString();
    const std::optional<DateText> d = Parsed(text);
    return d ? DayOf(*d) : text;
}

QString HourMinute(const Value& stored) {
    if (stored.IsNull()) return QString();
    const QString text = stored.ToString();
    const std::optional<DateText> d = Parsed(text);
    if (!d) return text;
    return QString::number(d->hour) + ':' + QString::number(d->minute);
}
}  // namespace ReportTimes
