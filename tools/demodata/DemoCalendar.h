#pragma once
#include <QDate>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/demodata/Random.h"

// The time line of a demo shop: moments are seconds since midnight of 1 January of
// year Y-2 (Y = the year of today), days are counted from that day. The shop is open
// from 9:00 to 22:00; the data ends today at noon, so nothing lies in the future of a
// clerk who opens the shop that afternoon.
//
// Business has the rhythm of a rental shop: busy weekends, the winter and summer
// holidays and the autumn holiday busier than the rest of the year, the evenings busier
// than the mornings, and three years of slow growth.
class DemoCalendar {
  public:
    static constexpr std::int64_t kDay = 86400;
    static constexpr std::int64_t kNever = INT64_MAX;  // a copy that never came back

    explicit DemoCalendar(const QDate& today);

    int Today() const { return today_; }
    int FirstDayOfYear(int yearsAgo) const;  // day of 1 January of Y-yearsAgo
    int LastDayOfYear(int yearsAgo) const;   // day of 31 December of Y-yearsAgo (at most today)
    std::int64_t End() const;                // today at noon

    // A moment in shop hours on a day from first to last, never after End(), the busy
    // days and hours drawn more often.
    std::int64_t ShopTime(Random& random, int firstDay, int lastDay) const;
    // A day from first to last, drawn with the day's business as weight.
    int BusyDay(Random& random, int firstDay, int lastDay) const;
    // How busy the shop is on a day (1 for an ordinary weekday at the start).
    double Business(int day) const;
    static int DayOf(std::int64_t moment) { return static_cast<int>(moment / kDay); }

    const std::string& Date(int day) const { return dates_[static_cast<std::size_t>(day)]; }
    const std::string& CompactDate(int day) const {
        return compact_[static_cast<std::size_t>(day)];
    }
    std::string DateTime(std::int64_t moment) const;  // yyyy-mm-dd hh:mm:ss
    QDate DateOf(int day) const { return first_.addDays(day); }

  private:
    QDate first_;
    int today_;
    std::vector<std::string> dates_;    // yyyy-mm-dd
    std::vector<std::string> compact_;  // yyyymmdd, the start of a walk-in name
    std::vector<double> busyUpTo_;      // sum of Business() over the days before each day
};
