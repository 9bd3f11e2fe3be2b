#include "tools/demodata/DemoCalendar.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr std::int64_t kOpens = 9 * 3600;
constexpr std::int64_t kCloses = 22 * 3600;
constexpr std::int64_t kNoon = 12 * 3600;

// Business by weekday (Monday first), by month, and by hour from 9:00 to 21:00.
constexpr double kWeekday[7] = {0.75, 0.75, 0.85, 0.95, 1.3, 1.6, 1.45};
constexpr double kMonth[12] = {1.15, 1.35, 0.9, 0.9, 1.05, 0.95, 1.25, 1.3, 0.9, 1.15, 0.9, 1.05};
constexpr int kHourWeights[13] = {2, 3, 4, 5, 4, 4, 5, 6, 8, 10, 10, 8, 4};
}  // namespace

DemoCalendar::DemoCalendar(const QDate& today)
    : first_(today.year() - 2, 1, 1), today_(static_cast<int>(first_.daysTo(today))) {
    dates_.reserve(static_cast<std::size_t>(today_) + 1);
    compact_.reserve(static_cast<std::size_t>(today_) + 1);
    for (int d = 0; d <= today_; ++d) {
        const QDate date = first_.addDays(d);
        dates_.push_back(date.toString("yyyy-MM-dd").toStdString());
        compact_.push_back(date.toString("yyyyMMdd").toStdString());
    }
    busyUpTo_.reserve(static_cast<std::size_t>(today_) + 2);
    busyUpTo_.push_back(0);
    for (int d = 0; d <= today_; ++d) busyUpTo_.push_back(busyUpTo_.back() + Business(d));
}

double DemoCalendar::Business(int day) const {
    const QDate date = first_.addDays(day);
    const double growth = 0.75 + 0.5 * day / std::max(1, today_);
    const double open = day == today_ ? double(kNoon - kOpens) / double(kCloses - kOpens) : 1.0;
    return kWeekday[date.dayOfWeek() - 1] * kMonth[date.month() - 1] * growth * open;
}

int DemoCalendar::BusyDay(Random& random, int firstDay, int lastDay) const {
    firstDay = std::clamp(firstDay, 0, today_);
    lastDay = std::clamp(lastDay, firstDay, today_);
    const double low = busyUpTo_[static_cast<std::size_t>(firstDay)];
    const double high = busyUpTo_[static_cast<std::size_t>(lastDay) + 1];
    const double at = low + random.Unit() * (high - low);
    const auto it =
        std::upper_bound(busyUpTo_.begin() + firstDay + 1, busyUpTo_.begin() + lastDay + 2, at);
    return std::min(lastDay, static_cast<int>(it - busyUpTo_.begin()) - 1);
}

int DemoCalendar::FirstDayOfYear(int yearsAgo) const {
    return static_cast<int>(first_.daysTo(QDate(first_.year() + 2 - yearsAgo, 1, 1)));
}

int DemoCalendar::LastDayOfYear(int yearsAgo) const {
    const int last = static_cast<int>(first_.daysTo(QDate(first_.year() + 2 - yearsAgo, 12, 31)));
    return std::min(last, today_);
}

std::int64_t DemoCalendar::End() const {
    return today_ * kDay + kNoon;
}

std::int64_t DemoCalendar::ShopTime(Random& random, int firstDay, int lastDay) const {
    const int day = BusyDay(random, firstDay, lastDay);
    // Today ends at noon: its three morning hours only.
    const int hours = day == today_ ? static_cast<int>((kNoon - kOpens) / 3600) : 13;
    const int hour = random.Weighted(std::span<const int>(kHourWeights, hours));
    return day * kDay + kOpens + hour * 3600 + random.Below(3600);
}

std::string DemoCalendar::DateTime(std::int64_t moment) const {
    const int seconds = static_cast<int>(moment % kDay);
    char time[16];
    std::snprintf(time, sizeof time, " %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return Date(DayOf(moment)) + time;
}
