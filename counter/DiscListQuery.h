#pragma once
#include <QDate>
#include <QString>

#include "platform/db/Connection.h"

// The statement of the counter's disc list, built from its four filters: bad discs and
// titles with every copy sold are never listed; each filter that is not "全部" narrows.
// The filter texts are bound values, never part of the statement.
class DiscListQuery {
  public:
    struct Filters {
        QString movieType;  // CboMovietypeFind
        QString type;       // CboTypeFind
        QString degree;     // CboDegree: "新盘", "普通", "旧盘" or "全部"
        QString station;    // CboStation
    };

    // today: the day the age filter counts from.
    DiscListQuery(const Filters& filters, const QDate& today);

    // The statement with order appended (an ORDER BY clause the page builds, or "").
    QString Sql(const QString& order) const;
    // The statement that counts the titles Sql lists (in any order), with the same
    // parameters.
    QString CountSql() const;
    // The ORDER BY clause of a heading click on the list these filters give: by field,
    // direction "ASC" or "DESC".
    static QString SortOrder(const QString& field, const QString& direction,
                             const Filters& filters);
    const Params& Parameters() const { return params_; }

  private:
    void Narrow(const QString& condition, const Value& value);
    void NarrowByAge(const QString& degree, const QDate& today);

    QString where_;
    Params params_;
};
