#include "reports/RecentPeriod.h"

namespace {
QString DayText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}
}  // namespace

RecentPeriod RecentPeriod::Of(int index, const QDateTime& now) {
    const QDate today = now.date();
    RecentPeriod period;
    period.index = index >= Today && index <= ThisWeek ? index : Today;
    if (period.IsWeek()) {
        // dayOfWeek counts Monday 1 to Sunday 7.
        const QDate monday = today.addDays(1 - today.dayOfWeek());
        period.from = DayText(monday);
        period.to = DayText(monday.addDays(7));
    } else {
        const QDate day = today.addDays(-period.index);
        period.from = DayText(day);
        period.to = DayText(day.addDays(1));
    }
    return period;
}
