#include "printout/ReportText.h"

#include "platform/db/Value.h"
#include "platform/text/VbText.h"
#include "platform/ui/DisplayFormat.h"

namespace ReportText {
QString Money(double amount) {
    static const QString kFormat = QString::fromUtf8(kMoneyFormat);
    return Format(amount, kFormat);
}

QString Money(const Value& amount) {
    return Money(amount.ToDouble());
}

QString Count(const Value& count, const QString& unit) {
    return Plain(count.ToDouble()) + unit;
}

QString Plain(double number) {
    // Figures are summed in binary: 12.2 + 36.4 reads 48.6, as the clerk adds it, not
    // 48.599999999999994. (+ 0.0 writes a rounded -0 as 0.)
    return Value(RoundHalfUp(number, 2) + 0.0).ToString();
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
