#include "core/RentDue.h"

#include <cmath>

qint64 RentDue::Days(const QDateTime& borrowDate, const QDateTime& periodEnd) {
    const double days = borrowDate.msecsTo(periodEnd) / 86400000.0;
    // std::nearbyint rounds half to even under the default rounding mode.
    // A rental dated after the end (the clock set back, a return stored later than now)
    // counts like one of less than half a day: rent never goes below one day.
    const auto rounded = static_cast<qint64>(std::nearbyint(days));
    return rounded < 1 ? 1 : rounded;
}

Money RentDue::Of(Money pricePerCopy, const QString& priceType, qint64 copies,
                  const QDateTime& borrowDate, const QDateTime& periodEnd) {
    const Money perRental = pricePerCopy.Times(copies);
    if (priceType == QString::fromUtf8(kPerRental)) return perRental;
    return perRental.Times(Days(borrowDate, periodEnd));
}
