// Format(QDate, pattern) and Format(QDateTime, pattern): the date patterns of the original
// platform, with the Chinese regional settings (long date yyyy年m月d日, short date yyyy-m-d).
#include <QTime>

#include "platform/text/VbText.h"

namespace {

QString Padded(int value, int width) {
    return QString::number(value).rightJustified(width, u'0');
}

QString MonthName(int month) {
    static const char16_t* const names[] = {u"一月", u"二月", u"三月",   u"四月",
                                            u"五月", u"六月", u"七月",   u"八月",
                                            u"九月", u"十月", u"十一月", u"十二月"};
    return QString::fromUtf16(names[month - 1]);
}

QString WeekdayName(int dayOfWeek, bool full) {
    static const char16_t* const days[] = {u"一", u"二", u"三", u"四", u"五", u"六", u"日"};
    return (full ? QStringLiteral("星期") : QStringLiteral("周")) +
           QString::fromUtf16(days[dayOfWeek - 1]);
}

const QString kLongDate = QStringLiteral("yyyy年m月d日");
const QString kShortDate = QStringLiteral("yyyy-m-d");

QString NamedDatePattern(const QString& pattern, const QTime& time) {
    const QString name = pattern.trimmed().toLower();
    if (name == u"long date") return kLongDate;
    if (name == u"short date") return kShortDate;
    if (name == u"long time") return QStringLiteral("h:mm:ss");
    if (name == u"short time") return QStringLiteral("hh:mm");
    if (name == u"general date")
        return time == QTime(0, 0) ? kShortDate : kShortDate + QStringLiteral(" h:mm:ss");
    return pattern;
}

qsizetype RunLength(const QString& pattern, qsizetype from) {
    const QChar c = pattern[from].toLower();
    qsizetype end = from;
    while (end < pattern.size() && pattern[end].toLower() == c) ++end;
    return end - from;
}

QString FormatDateTime(const QDate& date, const QTime& time, const QString& pattern);

// One token of the pattern: `letter` repeated `take` times. `afterHour` tells whether the
// previous token was an hour, which makes "m" and "mm" minutes rather than months.
QString FormatToken(QChar letter, int take, bool afterHour, const QDate& date, const QTime& time) {
    switch (letter.unicode()) {
        case u'y':
            if (take == 4) return Padded(date.year(), 4);
            if (take == 2) return Padded(date.year() % 100, 2);
            return QString::number(date.dayOfYear());
        case u'm':
            if (take <= 2 && afterHour) return Padded(time.minute(), take);
            if (take <= 2) return Padded(date.month(), take);
            return MonthName(date.month());
        case u'd':
            if (take <= 2) return Padded(date.day(), take);
            if (take <= 4) return WeekdayName(date.dayOfWeek(), take == 4);
            return FormatDateTime(date, time, take == 5 ? kShortDate : kLongDate);
        case u'h':
            return Padded(time.hour(), take);
        case u'n':
            return Padded(time.minute(), take);
        default:  // 's'
            return Padded(time.second(), take);
    }
}

// How many letters of a run form one token: "yyyy" or "yy" or "y"; up to "mmmm"; up to
// "dddddd"; up to "hh", "nn", "ss".
int TokenLength(QChar letter, qsizetype run) {
    const int r = static_cast<int>(std::min<qsizetype>(run, 6));
    switch (letter.unicode()) {
        case u'y':
            return r >= 4 ? 4 : (r >= 2 ? 2 : 1);
        case u'm':
            return std::min(r, 4);
        case u'd':
            return r;
        default:
            return std::min(r, 2);
    }
}

QString FormatDateTime(const QDate& date, const QTime& time, const QString& pattern) {
    QString out;
    bool afterHour = false;
    qsizetype i = 0;
    while (i < pattern.size()) {
        const QChar c = pattern[i];
        const QChar letter = c.toLower();
        if (c == u'"') {
            qsizetype close = pattern.indexOf(u'"', i + 1);
            if (close < 0) close = pattern.size();
            out += pattern.mid(i + 1, close - i - 1);
            i = close + 1;
        } else if (c == u'\\') {
            if (i + 1 < pattern.size()) out += pattern[i + 1];
            i += 2;
        } else if (QStringView(u"ymdhns").contains(letter)) {
            const int take = TokenLength(letter, RunLength(pattern, i));
            out += FormatToken(letter, take, afterHour, date, time);
            afterHour = letter == u'h';
            i += take;
        } else {
            out += c;  // separators and other text stand for themselves
            ++i;
        }
    }
    return out;
}

}  // namespace

QString Format(const QDate& date, const QString& pattern) {
    if (!date.isValid()) return QString();
    const QTime midnight(0, 0);
    return FormatDateTime(date, midnight, NamedDatePattern(pattern, midnight));
}

QString Format(const QDateTime& dateTime, const QString& pattern) {
    if (!dateTime.isValid()) return QString();
    const QDate date = dateTime.date();
    const QTime time = dateTime.time();
    return FormatDateTime(date, time, NamedDatePattern(pattern, time));
}
