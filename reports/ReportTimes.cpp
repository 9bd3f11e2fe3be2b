#include "reports/ReportTimes.h"

#include <optional>

#include "platform/db/DateText.h"
#include "platform/db/Value.h"
#include "printout/ReportText.h"

namespace {
// A date is ASCII and short: read in place of a copy; anything else is no date.
std::optional<DateText> Parsed(const QString& text) {
    char ascii[40];
    if (text.size() > qsizetype(sizeof ascii)) return std::nullopt;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= 128) return std::nullopt;
        ascii[i] = static_cast<char>(c);
    }
    return DateText::Parse(std::string_view(ascii, static_cast<size_t>(text.size())));
}

// "yyyy-mm-dd hh:mm:ss", digit for digit.
bool InWrittenForm(const QString& text) {
    static constexpr char kShape[] = "dddd-dd-dd dd:dd:dd";
    if (text.size() != qsizetype(sizeof kShape - 1)) return false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (kShape[i] == 'd' ? (c < u'0' || c > u'9') : c != char16_t(kShape[i])) return false;
    }
    return true;
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
std::optional<DateText> Read(const Value& stored) {
    if (!stored.IsText()) return std::nullopt;
    return Parsed(stored.ToString());
}

qint64 Moment(const DateText& d) {
    const qint64 day = qint64(d.year) * 10000 + d.month * 100 + d.day;
    return day * 1000000 + d.hour * 10000 + d.minute * 100 + d.second;
}

QString WithCentury(const QString& shown) {
    return ReportText::WithCentury(Value(shown));
}

QString DateTime(const Value& stored) {
    if (stored.IsNull()) return QString();
    const QString text = stored.ToString();
    // The form the program writes is the form shown (and a text of its shape that is no
    // date shows as it stands all the same): most texts need no reading.
    if (InWrittenForm(text)) return text;
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
