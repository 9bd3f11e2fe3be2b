#include "platform/db/RowCount.h"

namespace {

const char* const kCountRows = "select count(*) from (%1)";

bool IsWordChar(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

// The keyword at i as a whole word, ignoring case.
bool WordAt(const QString& sql, int i, QLatin1String word) {
    if (i > 0 && IsWordChar(sql[i - 1])) return false;
    const int end = i + static_cast<int>(word.size());
    if (end > sql.size() ||
        QStringView(sql).mid(i, word.size()).compare(word, Qt::CaseInsensitive) != 0)
        return false;
    return end == sql.size() || !IsWordChar(sql[end]);
}

// Whether "order by" starts at i (with any blanks between the two words).
bool OrderByAt(const QString& sql, int i) {
    if (!WordAt(sql, i, QLatin1String("order"))) return false;
    int j = i + 5;
    while (j < sql.size() && sql[j].isSpace()) ++j;
    return j > i + 5 && WordAt(sql, j, QLatin1String("by"));
}

// The closing character of a quoted name or text opened by c; null when c opens none.
QChar ClosingQuote(QChar c) {
    switch (c.unicode()) {
        case '\'':
        case '"':
        case '`':
            return c;
        case '[':
            return QLatin1Char(']');
        default:
            return QChar();
    }
}

}  // namespace

QString RowCount::StatementFor(const QString& sql) {
    return QString::fromUtf8(kCountRows).arg(WithoutTrailingOrder(sql));
}

// Quoted texts and names and anything in parentheses are passed over: only the query's own
// ORDER BY counts, and only when no LIMIT comes after it.
QString RowCount::WithoutTrailingOrder(const QString& sql) {
    int depth = 0;
    int order = -1;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (const QChar close = ClosingQuote(c); !close.isNull()) {
            const int end = sql.indexOf(close, i + 1);
            if (end < 0) return sql;
            i = end;
        } else if (c == QLatin1Char('(')) {
            ++depth;
        } else if (c == QLatin1Char(')')) {
            --depth;
        } else if (depth == 0 && OrderByAt(sql, i)) {
            order = i;
        } else if (depth == 0 && order >= 0 && WordAt(sql, i, QLatin1String("limit"))) {
            return sql;
        }
    }
    return order >= 0 ? sql.left(order) : sql;
}
