#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// Number formats of the workbook format ("0.00", "￥#,##0.00", "yyyy\"年\"m\"月\"d\"日\"",
// "yyyy-mm-dd hh:mm:ss"...): how a cell's number is shown on a printed page.
class NumberFormat {
  public:
    // The text shown for value under format code.
    static QString Display(double value, const QString& code);
    // A format that shows its number as a date or a time.
    static bool IsDateFormat(const QString& code);

    // Dates are day numbers counted from 1899-12-30, the time of day as the fraction.
    static double ToSerial(const QDate& date);
    static double ToSerial(const QDateTime& dateTime);
    static QDateTime FromSerial(double serial);

    // The General format: up to 11 significant characters, no trailing zeros.
    static QString General(double value);
};
