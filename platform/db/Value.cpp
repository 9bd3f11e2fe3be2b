#include "platform/db/Value.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "platform/db/DateText.h"

namespace {

// The number a text starts with, as VB's Val reads it: blanks, a sign, digits, a
// decimal point and an exponent; nothing numeric gives 0.
struct LeadingNumber {
    bool isInteger = true;
    std::int64_t integer = 0;
    double real = 0;
};

LeadingNumber ReadLeadingNumber(const QString& text) {
    const QByteArray bytes = text.toLatin1();  // non-Latin characters end the number anyway
    const char* s = bytes.constData();
    const char* end = s + bytes.size();
    while (s < end && (*s == ' ' || *s == '\t')) ++s;
    const char* start = s;
    if (s < end && (*s == '+' || *s == '-')) ++s;
    const char* digits = s;
    while (s < end && *s >= '0' && *s <= '9') ++s;
    bool isInteger = true;
    if (s < end && *s == '.') {
        isInteger = false;
        ++s;
        while (s < end && *s >= '0' && *s <= '9') ++s;
    }
    if (s == digits || (s == digits + 1 && !isInteger)) return {};  // no digit at all
    if (s < end && (*s == 'e' || *s == 'E')) {
        const char* e = s + 1;
        if (e < end && (*e == '+' || *e == '-')) ++e;
        if (e < end && *e >= '0' && *e <= '9') {
            while (e < end && *e >= '0' && *e <= '9') ++e;
            s = e;
            isInteger = false;
        }
    }
    // from_chars takes no leading '+'.
    if (*start == '+') ++start;
    LeadingNumber n;
    if (isInteger && std::from_chars(start, s, n.integer).ec == std::errc()) {
        n.real = static_cast<double>(n.integer);
        return n;
    }
    n.isInteger = false;
    std::from_chars(start, s, n.real);
    return n;
}

// VB rounds to the nearest even integer when converting; out-of-range values clamp.
std::int64_t RoundToInt(double d) {
    if (std::isnan(d)) return 0;
    if (d >= 9.2e18) return std::numeric_limits<std::int64_t>::max();
    if (d <= -9.2e18) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(std::nearbyint(d));
}

// Shortest text that reads back as the same double, never in exponent form.
QString DoubleToText(double d) {
    if (std::isnan(d) || std::isinf(d)) return QString();
    if (d == 0) return QStringLiteral("0");  // also -0
    char buf[512];
    const auto r = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::fixed);
    return QString::fromLatin1(buf, r.ptr - buf);
}

std::optional<DateText> ParseDate(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return DateText::Parse(std::string_view(utf8.constData(), utf8.size()));
}

}  // namespace

Value Value::FromDate(const QDate& d) {
    if (!d.isValid()) return Value();
    return Value(d.toString(QStringLiteral("yyyy-MM-dd")));
}

Value Value::FromDateTime(const QDateTime& dt) {
    if (!dt.isValid()) return Value();
    return Value(dt.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
}

Value Value::FromVariant(const QVariant& v) {
    if (!v.isValid() || v.isNull()) return Value();
    switch (v.typeId()) {
        case QMetaType::Bool:
            return Value(v.toBool());
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Long:
        case QMetaType::ULong:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::UChar:
            return Value(static_cast<std::int64_t>(v.toLongLong()));
        case QMetaType::Double:
        case QMetaType::Float:
            return Value(v.toDouble());
        case QMetaType::QDate:
            return FromDate(v.toDate());
        case QMetaType::QDateTime:
            return FromDateTime(v.toDateTime());
        default:
            return Value(v.toString());
    }
}

std::int64_t Value::ToInt() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return *i;
    if (const auto* d = std::get_if<double>(&v_)) return RoundToInt(*d);
    if (const auto* s = std::get_if<QString>(&v_)) {
        const LeadingNumber n = ReadLeadingNumber(*s);
        return n.isInteger ? n.integer : RoundToInt(n.real);
    }
    return 0;
}

double Value::ToDouble() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return static_cast<double>(*i);
    if (const auto* d = std::get_if<double>(&v_)) return *d;
    if (const auto* s = std::get_if<QString>(&v_)) return ReadLeadingNumber(*s).real;
    return 0;
}

bool Value::ToBool() const {
    if (const auto* s = std::get_if<QString>(&v_)) {
        if (s->compare(QLatin1String("true"), Qt::CaseInsensitive) == 0) return true;
        if (s->compare(QLatin1String("false"), Qt::CaseInsensitive) == 0) return false;
    }
    return ToDouble() != 0;
}

QString Value::ToString() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return QString::number(*i);
    if (const auto* d = std::get_if<double>(&v_)) return DoubleToText(*d);
    if (const auto* s = std::get_if<QString>(&v_)) return *s;
    return QString();
}

QDate Value::ToDate() const {
    const auto* s = std::get_if<QString>(&v_);
    if (!s) return QDate();
    const auto d = ParseDate(*s);
    return d ? QDate(d->year, d->month, d->day) : QDate();
}

QDateTime Value::ToDateTime() const {
    const auto* s = std::get_if<QString>(&v_);
    if (!s) return QDateTime();
    const auto d = ParseDate(*s);
    if (!d) return QDateTime();
    return QDateTime(QDate(d->year, d->month, d->day), QTime(d->hour, d->minute, d->second));
}

QVariant Value::ToVariant() const {
    if (const auto* i = std::get_if<std::int64_t>(&v_)) return QVariant(static_cast<qlonglong>(*i));
    if (const auto* d = std::get_if<double>(&v_)) return QVariant(*d);
    if (const auto* s = std::get_if<QString>(&v_)) return QVariant(*s);
    return QVariant();
}

bool Value::operator==(const Value& o) const {
    if (IsNumber() && o.IsNumber()) {
        if (IsInteger() && o.IsInteger())
            return std::get<std::int64_t>(v_) == std::get<std::int64_t>(o.v_);
        return ToDouble() == o.ToDouble();
    }
    return v_ == o.v_;
}
