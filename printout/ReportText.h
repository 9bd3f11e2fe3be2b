#pragma once
#include <QString>

class Value;

// The texts of report cells, the same in every report window.
namespace ReportText {
// An amount as "￥1,234.50"; Null counts 0.
QString Money(double amount);
QString Money(const Value& amount);
// A count with its unit ("3张", "2次"); Null counts 0.
QString Count(const Value& count, const QString& unit = QString());
// A number rounded to the cent as plain decimal text, without currency or grouping: 35,
// 12.5, -3, 48.6.
QString Plain(double number);
// A date or time text read from the database, "20" put in front where its first "-" is
// its third character (a two-digit year: 05-03-12 reads 2005-03-12); Null is empty.
QString WithCentury(const Value& text);
// "2024年3月5日" of a date text; empty for Null or a text that is no date.
QString ChineseDate(const Value& date);
}  // namespace ReportText
