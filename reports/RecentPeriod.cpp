#include "reports/RecentPeriod.h"

namespace {
QString DayText(const QDate& day) {
    return day.toString(QStringLiteral("yyyy-MM-dd"));
}
}  // namespace

bool RecentPeriod::Holds(const std::optional<DateText>& date) const {
    if (!date) return false;
    const QDate day(date->year, date->month, date->day);
    return day >= first && day < end;
}

RecentPeriod RecentPeriod::Of(int index, const QDateTime& now) {
    const QDate today = now.date();
    RecentPeriod period;
    period.index = index >= Today && index <= ThisWeek ? index : Today;
    if (period.IsWeek()) {
        // dayOfWeek counts Monday 1 to Sunday 7.
        period.first = today.addDays(1 - today.dayOfWeek());
        period.end = period.first.addDays(7);
    } else {
        period.first = today.addDays(-period.index);
        period.end = period.first.addDays(1);
    }
    period.from = DayText(period.first);
    period.to = DayText(period.end);
    return period;
}
