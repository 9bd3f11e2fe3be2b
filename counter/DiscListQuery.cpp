#include "counter/DiscListQuery.h"

#include "core/Filters.h"

namespace {
// The columns the list shows, the search key, and what the check-out and the detail panel
// take of the current title from the list; the panel reads the rest for that title alone.
const char* const kListColumns =
    "select cdid, id, name, [key], movietype, type, born, count, buydate, borrowprice, "
    "memberborrowprice, sellprice, membersellprice, outcount from cdinfo ";

// The list counted: its order changes no count, and counting in it would walk an index
// or sort for nothing.
const char* const kCountListed = "select count(*) from cdinfo ";

const char* const kListed = " where IsAbandon=0 and issell < 2 ";

// Dates are stored as yyyy-mm-dd, so they compare as text. "Bought within the last 30
// days" is buydate + 30 > today, that is buydate > today - 30. The age filter tests each
// listed title (the unary + keeps the purchase date's index, there for the heading sort,
// out of it): its list stays in catalogue order, as it has always been shown.
QString DaysBefore(const QDate& today, int days) {
    return today.addDays(-days).toString(QStringLiteral("yyyy-MM-dd"));
}
}  // namespace

DiscListQuery::DiscListQuery(const Filters& filters, const QDate& today) : where_(kListed) {
    if (Narrows(filters.movieType)) Narrow(QStringLiteral(" and movietype = ?"), filters.movieType);
    if (Narrows(filters.type)) Narrow(QStringLiteral(" and type = ?"), filters.type);
    NarrowByAge(filters.degree, today);
    if (Narrows(filters.station)) Narrow(QStringLiteral(" and station = ?"), filters.station);
}

void DiscListQuery::Narrow(const QString& condition, const Value& value) {
    where_ += condition;
    params_.push_back(value);
}

void DiscListQuery::NarrowByAge(const QString& degree, const QDate& today) {
    if (degree == QStringLiteral("新盘")) {
        Narrow(QStringLiteral(" and +buydate > ?"), DaysBefore(today, 30));
    } else if (degree == QStringLiteral("普通")) {
        Narrow(QStringLiteral(" and +buydate <= ?"), DaysBefore(today, 30));
        Narrow(QStringLiteral(" and +buydate >= ?"), DaysBefore(today, 365));
    } else if (degree == QStringLiteral("旧盘")) {
        Narrow(QStringLiteral(" and +buydate < ?"), DaysBefore(today, 365));
    }
}

QString DiscListQuery::Sql(const QString& order) const {
    return QString::fromUtf8(kListColumns) + where_ + order;
}

QString DiscListQuery::CountSql() const {
    return QString::fromUtf8(kCountListed) + where_;
}

// Titles with the same value stay in the order the list has always shown them in: the
// catalogue's (the order the titles were added), except that a descending sort on movie
// type or format of a list that neither of those two filters narrows has them the other
// way round, as that list is read backwards through the column's own index.
QString DiscListQuery::SortOrder(const QString& field, const QString& direction,
                                 const Filters& filters) {
    const bool byClass = field == QStringLiteral("movietype") || field == QStringLiteral("type");
    const bool narrowedByClass = Narrows(filters.movieType) || Narrows(filters.type);
    const bool tiesBackwards = byClass && !narrowedByClass && direction == QStringLiteral("DESC");
    return QStringLiteral(" order by %1 %2, rowid %3")
        .arg(field, direction, tiesBackwards ? QStringLiteral("DESC") : QStringLiteral("ASC"));
}
