#include "tools/demodata/DemoCalendar.h"

#include <algorithm>
#include <cstdio>

namespace {
constexpr std::int64_t kOpens = 9 * 3600;
constexpr std::int64_t kCloses = 22 * 3600;
constexpr std::int64_t kNoon = 12 * 3600;
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
    const int day = random.Between(firstDay, std::min(lastDay, today_));
    const std::int64_t closes = day == today_ ? kNoon : kCloses;
    return day * kDay + kOpens + random.Below(static_cast<int>(closes - kOpens));
}

std::string DemoCalendar::DateTime(std::int64_t moment) const {
    const int seconds = static_cast<int>(moment % kDay);
    char time[16];
    std::snprintf(time, sizeof time, " %02d:%02d:%02d", seconds / 3600, seconds / 60 % 60,
                  seconds % 60);
    return Date(DayOf(moment)) + time;
}
