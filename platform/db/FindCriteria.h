#pragma once
#include <QDateTime>
#include <QRegularExpression>
#include <QString>
#include <functional>

#include "platform/db/Value.h"

// A search condition on one field, written as for an ADO Find:
//   name = 'x'   count > 3   name like 'ab*'   buydate >= #2024-01-01#   remark = null
// Operators =, <>, <, >, <=, >=, like (wildcards * and %). Texts between single quotes
// (a doubled quote stands for itself), dates between number signs, numbers bare.
// Texts compare without regard to case; a Null field matches only "= null".
class FindCriteria {
  public:
    // fieldIndex maps a field name to its index (-1 when absent). DbError when the
    // criteria cannot be read or names no field.
    static FindCriteria Parse(const QString& criteria,
                              const std::function<int(const QString&)>& fieldIndex);

    int Field() const { return field_; }
    bool Matches(const Value& v) const;

  private:
    enum class Op { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like };
    enum class Kind { Text, Number, Date, Null };

    bool Compare(int order) const;  // order: <0, 0, >0 of field against the value
    bool MatchNumber(const Value& v) const;
    bool MatchDate(const Value& v) const;

    int field_ = -1;
    Op op_ = Op::Equal;
    Kind kind_ = Kind::Text;
    QString text_;
    double number_ = 0;
    QDateTime date_;
    QRegularExpression like_;
};
