#pragma once
#include <QString>
#include <QtGlobal>
#include <optional>

#include "platform/db/DateText.h"

class Value;

// The date and time texts of the report grids. A stored date or date-and-time is shown in
// one fixed form whatever the stored text's padding; a text that is no date is shown as it
// stands, and Null shows empty.
namespace ReportTimes {
// A stored date or date-and-time read by its value (as year(), month() and day() read it);
// none for Null, a number or a text that is no date.
std::optional<DateText> Read(const Value& stored);
// The moment as one number that orders as the moments do (yyyymmddhhmmss).
qint64 Moment(const DateText& d);
// "2026-12-09 09:05:00".
QString DateTime(const Value& stored);
// "2026-12-09".
QString Date(const Value& stored);
// "9:5": the hour and the minute without leading zeros.
QString HourMinute(const Value& stored);
// "20" put in front of a shown text whose first "-" is its third character (a two-digit
// year: 07-3-5 10:20:00 reads 2007-3-5 10:20:00), in the columns that complete years.
QString WithCentury(const QString& shown);
}  // namespace ReportTimes
