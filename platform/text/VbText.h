#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>
#include <optional>

// The text functions of the original desktop platform that the program's windows rely on.

// Format a number with a pattern: "￥#,##0.00", "#,##0.00", "0.00", "##%", "0%", "0.##",
// "0", "00", "000"... The number is read as the decimal a person reads at 15 significant
// digits and rounded half away from zero in decimal (5.005 gives 5.01; 1.4449999999999998
// reads 1.445 and gives 1.45), so the amount shown is the amount a clerk would write.
QString Format(double value, const QString& pattern);
// Format a date or date-time: "yyyy-mm-dd", "yyyy年mm月dd日", "yyyy-m-d" (no leading
// zeros), "yyyy-mm-dd hh:mm:ss", "Long Date" (yyyy年m月d日), "Short Date" (yyyy-m-d).
QString Format(const QDate& date, const QString& pattern);
QString Format(const QDateTime& dateTime, const QString& pattern);

// Leading number of a text, as Val reads it: blanks skipped, "12abc" is 12, "abc" is 0.
double Val(const QString& text);
// A text that reads as a number as a whole: "12", " 3.5 ", "-1", "1,234.5", "￥12.00".
bool IsNumeric(const QString& text);

// The amount a box shows, read back strictly: "￥1,234.50" is 1234.5, "12" is 12, "-3.5"
// is -3.5, the full-width "５０" is 50. Anything else (an empty text, letters, two signs,
// a "%") is no amount: a percent sign belongs to percentages only.
std::optional<double> ParseAmount(const QString& text);
// A percentage as a percentage box shows it or the operator types it: "80%" is 0.8,
// "85.5%" is 0.855; without "%" the number as ParseAmount reads it ("0.8" is 0.8).
std::optional<double> ParsePercentage(const QString& text);

// A number padded on the left with "0" to width digits (PadNumber(7, 3) is "007").
QString PadNumber(qint64 n, int width);

// The two-byte code of a character in the Simplified Chinese code page (GB2312),
// lead byte * 256 + trail byte; the code itself for an ASCII character; 0 for a
// character that has no GB2312 code (and for the empty text).
int Gb2312Code(const QString& ch);
