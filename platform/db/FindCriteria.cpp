#include "platform/db/FindCriteria.h"

#include "platform/db/DateText.h"
#include "platform/db/DbError.h"
#include "platform/text/QuotedInput.h"

namespace {

[[noreturn]] void Malformed(const QString& criteria) {
    throw DbError(QStringLiteral("查找条件“%1”的格式不正确。").arg(QuotedInput(criteria)));
}

void SkipBlanks(const QString& s, int& pos) {
    while (pos < s.size() && s[pos].isSpace()) ++pos;
}

QString ReadFieldName(const QString& s, int& pos, const QString& criteria) {
    SkipBlanks(s, pos);
    if (pos < s.size() && s[pos] == QLatin1Char('[')) {
        const int close = s.indexOf(QLatin1Char(']'), pos);
        if (close < 0) Malformed(criteria);
        const QString name = s.mid(pos + 1, close - pos - 1);
        pos = close + 1;
        return name;
    }
    const int start = pos;
    while (pos < s.size() && !s[pos].isSpace() && s[pos] != QLatin1Char('=') &&
           s[pos] != QLatin1Char('<') && s[pos] != QLatin1Char('>'))
        ++pos;
    return s.mid(start, pos - start);
}

// Reads 'text' with '' for a quote inside; pos is on the opening quote.
QString ReadQuoted(const QString& s, int& pos, const QString& criteria) {
    const QChar quote = s[pos++];
    QString out;
    while (pos < s.size()) {
        if (s[pos] == quote) {
            if (pos + 1 < s.size() && s[pos + 1] == quote) {
                out += quote;
                pos += 2;
                continue;
            }
            ++pos;
            return out;
        }
        out += s[pos++];
    }
    Malformed(criteria);
}

// "yyyy-mm-dd[ time]", "yyyy/m/d[ time]" or "m/d/yyyy[ time]".
QDateTime ParseDateLiteral(const QString& text, const QString& criteria) {
    QString t = text.trimmed();
    static const QRegularExpression usDate(QStringLiteral("^(\\d{1,2})/(\\d{1,2})/(\\d{4})(.*)$"));
    const auto us = usDate.match(t);
    if (us.hasMatch())
        t = us.captured(3) + '-' + us.captured(1) + '-' + us.captured(2) + us.captured(4);
    else
        t.replace(QLatin1Char('/'), QLatin1Char('-'));
    const QByteArray utf8 = t.toUtf8();
    const auto d = DateText::Parse(std::string_view(utf8.constData(), utf8.size()));
    if (!d) Malformed(criteria);
    return QDateTime(QDate(d->year, d->month, d->day), QTime(d->hour, d->minute, d->second));
}

QRegularExpression LikePattern(const QString& pattern) {
    QString re;
    for (const QChar c : pattern) {
        if (c == QLatin1Char('*') || c == QLatin1Char('%'))
            re += QStringLiteral(".*");
        else
            re += QRegularExpression::escape(QString(c));
    }
    return QRegularExpression(
        QRegularExpression::anchoredPattern(re),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
}

bool ReadNumber(const QString& text, double& out) {
    bool ok = false;
    out = text.trimmed().toDouble(&ok);
    return ok;
}

}  // namespace

FindCriteria FindCriteria::Parse(const QString& criteria,
                                 const std::function<int(const QString&)>& fieldIndex) {
    const QString& s = criteria;
    int pos = 0;
    FindCriteria c;
    const QString name = ReadFieldName(s, pos, criteria);
    if (name.isEmpty()) Malformed(criteria);
    c.field_ = fieldIndex(name);
    if (c.field_ < 0) throw DbError(QStringLiteral("查找条件中的字段“%1”不存在。").arg(name));

    SkipBlanks(s, pos);
    static const struct {
        const char* text;
        Op op;
    } ops[] = {{"<=", Op::LessEqual}, {">=", Op::GreaterEqual}, {"<>", Op::NotEqual},
               {"=", Op::Equal},      {"<", Op::Less},          {">", Op::Greater}};
    bool found = false;
    for (const auto& o : ops) {
        if (s.mid(pos).startsWith(QLatin1String(o.text))) {
            c.op_ = o.op;
            pos += static_cast<int>(qstrlen(o.text));
            found = true;
            break;
        }
    }
    if (!found) {
        if (s.mid(pos, 4).compare(QLatin1String("like"), Qt::CaseInsensitive) != 0)
            Malformed(criteria);
        c.op_ = Op::Like;
        pos += 4;
    }

    SkipBlanks(s, pos);
    if (pos >= s.size()) Malformed(criteria);
    if (s[pos] == QLatin1Char('\'') || s[pos] == QLatin1Char('"')) {
        c.kind_ = Kind::Text;
        c.text_ = ReadQuoted(s, pos, criteria);
    } else if (s[pos] == QLatin1Char('#')) {
        const int close = s.indexOf(QLatin1Char('#'), pos + 1);
        if (close < 0) Malformed(criteria);
        c.kind_ = Kind::Date;
        c.text_ = s.mid(pos + 1, close - pos - 1);
        c.date_ = ParseDateLiteral(c.text_, criteria);
        pos = close + 1;
    } else {
        const QString rest = s.mid(pos).trimmed();
        pos = s.size();
        if (rest.compare(QLatin1String("null"), Qt::CaseInsensitive) == 0) {
            if (c.op_ != Op::Equal && c.op_ != Op::NotEqual) Malformed(criteria);
            c.kind_ = Kind::Null;
        } else {
            if (!ReadNumber(rest, c.number_)) Malformed(criteria);
            c.kind_ = Kind::Number;
            c.text_ = rest;
        }
    }
    SkipBlanks(s, pos);
    if (pos != s.size()) Malformed(criteria);
    if (c.op_ == Op::Like) {
        if (c.kind_ == Kind::Date) Malformed(criteria);
        c.like_ = LikePattern(c.text_);
    }
    return c;
}

bool FindCriteria::Compare(int order) const {
    switch (op_) {
        case Op::Equal:
            return order == 0;
        case Op::NotEqual:
            return order != 0;
        case Op::Less:
            return order < 0;
        case Op::Greater:
            return order > 0;
        case Op::LessEqual:
            return order <= 0;
        case Op::GreaterEqual:
            return order >= 0;
        case Op::Like:
            return false;
    }
    return false;
}

bool FindCriteria::MatchNumber(const Value& v) const {
    double d = 0;
    if (v.IsNumber())
        d = v.ToDouble();
    else if (!ReadNumber(v.ToString(), d))
        return false;  // a text that is no number is neither equal nor unequal
    return Compare(d < number_ ? -1 : (d > number_ ? 1 : 0));
}

bool FindCriteria::MatchDate(const Value& v) const {
    const QDateTime d = v.ToDateTime();
    if (!d.isValid()) return false;
    return Compare(d < date_ ? -1 : (d > date_ ? 1 : 0));
}

bool FindCriteria::Matches(const Value& v) const {
    if (kind_ == Kind::Null) return (op_ == Op::Equal) == v.IsNull();
    if (v.IsNull()) return false;
    if (op_ == Op::Like) return like_.match(v.ToString()).hasMatch();
    switch (kind_) {
        case Kind::Number:
            return MatchNumber(v);
        case Kind::Date:
            return MatchDate(v);
        default:
            return Compare(QString::compare(v.ToString(), text_, Qt::CaseInsensitive));
    }
}
