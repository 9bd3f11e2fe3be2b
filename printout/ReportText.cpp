#include "printout/ReportText.h"

#include "platform/db/Value.h"
#include "platform/text/Money.h"

namespace ReportText {
QString Money(double amount) {
    return ::Money::FromStored(amount).Text();
}

QString Money(const Value& amount) {
    return Money(amount.ToDouble());
}

QString Count(const Value& count, const QString& unit) {
    return Plain(count.ToDouble()) + unit;
}

QString Plain(double number) {
    // Figures are summed in binary: 12.2 + 36.4 reads 48.6, as the clerk adds it, not
    // 48.599999999999994.
    return ::Money::FromStored(number).PlainText();
}

QString WithCentury(const Value& text) {
    if (text.IsNull()) return QString();
    const QString shown = text.ToString();
    return shown.indexOf('-') == 2 ? QStringLiteral("20") + shown : shown;
}

QString ChineseDate(const Value& date) {
    const QDate day = date.IsNull() ? QDate() : date.ToDate();
    if (!day.isValid()) return QString();
    return QString("%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day());
}
}  // namespace ReportText
