#pragma once
#include <QString>

#include "platform/db/Value.h"

// How the controls show field values and typed texts through a display format (the
// grids' NumberFormat, the bound controls' DataFormat, the masked edit box's Format).
// A format names a date ("yyyy-mm-dd", "Long Date"...) or else a number ("￥#,##0.00",
// "##%", "0"...); an empty format shows values as they stand.

// The one way money is shown: "￥1,234.50".
inline constexpr char kMoneyFormat[] = "￥#,##0.00";

bool IsDateFormat(const QString& format);
// A number format that shows an amount ("￥#,##0.00", "0.00"): neither a date nor a
// percentage.
bool IsAmountFormat(const QString& format);

// A field value as shown: Null is empty; a number (or a text that reads as an amount)
// through a number format; a date or date-time text through a date format; anything
// else as its text.
QString FormatValue(const Value& value, const QString& format);

// A typed text as shown through the format ("1234.5" as "￥1,234.50", "0.8" as "80%",
// "2004-3-7" as "2004-03-07"); a text that reads as neither an amount nor a date, and an
// empty text, are shown as they stand ("5O" and "50%" under "￥#,##0.00": a percent sign
// is read only under a percentage format such as "##%").
QString FormatTypedText(const QString& text, const QString& format);

// The value a typed text gives a field shown through the format: under a number format a
// text that reads as an amount ("￥1,234.50"; "80%" under a percentage format) is that
// number; otherwise the text itself, which the recordset turns into its column's type (and
// refuses when it cannot).
Value ValueFromText(const QString& text, const QString& format);
