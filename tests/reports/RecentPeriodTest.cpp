#include <gtest/gtest.h>

#include "platform/db/Value.h"
#include "reports/RecentPeriod.h"
#include "reports/ReportTimes.h"

namespace {
RecentPeriod On(int y, int m, int d, int index, QTime at = QTime(10, 0)) {
    return RecentPeriod::Of(index, QDateTime(QDate(y, m, d), at));
}

std::pair<QString, QString> Bounds(const RecentPeriod& p) {
    return {p.from, p.to};
}
}  // namespace

TEST(RecentPeriodTest, SingleDaysRunFromMidnightToTheNextAcrossMonthAndYearEnds) {
    using B = std::pair<QString, QString>;
    EXPECT_EQ(Bounds(On(2026, 12, 9, RecentPeriod::Today)), B("2026-12-09", "2026-12-10"));
    EXPECT_EQ(Bounds(On(2026, 12, 9, RecentPeriod::Yesterday)), B("2026-12-08", "2026-12-09"));
    EXPECT_EQ(Bounds(On(2026, 12, 9, RecentPeriod::DayBeforeYesterday)),
              B("2026-12-07", "2026-12-08"));
    // Yesterday on 1 January is 31 December; the day before yesterday on 1 March is
    // 27 February, or 28 February in a leap year.
    EXPECT_EQ(Bounds(On(2027, 1, 1, RecentPeriod::Yesterday)), B("2026-12-31", "2027-01-01"));
    EXPECT_EQ(Bounds(On(2027, 1, 1, RecentPeriod::DayBeforeYesterday)),
              B("2026-12-30", "2026-12-31"));
    EXPECT_EQ(Bounds(On(2027, 3, 1, RecentPeriod::DayBeforeYesterday)),
              B("2027-02-27", "2027-02-28"));
    EXPECT_EQ(Bounds(On(2028, 3, 1, RecentPeriod::DayBeforeYesterday)),
              B("2028-02-28", "2028-02-29"));
    // The last second of a day is still that day.
    EXPECT_EQ(Bounds(On(2026, 12, 31, RecentPeriod::Today, QTime(23, 59, 59))),
              B("2026-12-31", "2027-01-01"));
    EXPECT_FALSE(On(2026, 12, 9, RecentPeriod::DayBeforeYesterday).IsWeek());
}

TEST(RecentPeriodTest, TheWeekRunsFromItsMondayUpToTheNextMonday) {
    using B = std::pair<QString, QString>;
    // Wednesday 9 December 2026.
    EXPECT_EQ(Bounds(On(2026, 12, 9, RecentPeriod::ThisWeek)), B("2026-12-07", "2026-12-14"));
    // On a Monday it starts that day, at 00:00 as at the end of the day.
    EXPECT_EQ(Bounds(On(2026, 12, 7, RecentPeriod::ThisWeek, QTime(0, 0))),
              B("2026-12-07", "2026-12-14"));
    // On a Sunday it is the six days before and the Sunday itself.
    EXPECT_EQ(Bounds(On(2026, 12, 13, RecentPeriod::ThisWeek, QTime(23, 59, 59))),
              B("2026-12-07", "2026-12-14"));
    // Over a year end: Wednesday 31 December 2025 is in the week of Monday 29 December.
    EXPECT_EQ(Bounds(On(2025, 12, 31, RecentPeriod::ThisWeek)), B("2025-12-29", "2026-01-05"));
    EXPECT_TRUE(On(2026, 12, 9, RecentPeriod::ThisWeek).IsWeek());
}

TEST(RecentPeriodTest, APositionOutsideTheFourIsToday) {
    EXPECT_EQ(On(2026, 12, 9, -1).from, "2026-12-09");
    EXPECT_EQ(On(2026, 12, 9, 4).to, "2026-12-10");
    EXPECT_EQ(On(2026, 12, 9, 4).index, RecentPeriod::Today);
}

TEST(ReportTimesTest, StoredTimesShowInOneFixedFormAndOtherTextsAsTheyStand) {
    EXPECT_EQ(ReportTimes::DateTime(Value("2026-12-09 09:05:00")), "2026-12-09 09:05:00");
    EXPECT_EQ(ReportTimes::DateTime(Value("2026-3-5 9:5")), "2026-03-05 09:05:00");
    EXPECT_EQ(ReportTimes::DateTime(Value("2026-03-05")), "2026-03-05 00:00:00");
    EXPECT_EQ(ReportTimes::DateTime(Null), "");
    EXPECT_EQ(ReportTimes::DateTime(Value("不详")), "不详");

    EXPECT_EQ(ReportTimes::Date(Value("2005-3-12")), "2005-03-12");
    EXPECT_EQ(ReportTimes::Date(Value("2005-03-12 10:00:00")), "2005-03-12");
    EXPECT_EQ(ReportTimes::Date(Null), "");
    EXPECT_EQ(ReportTimes::Date(Value("05-3-12")), "05-3-12");

    EXPECT_EQ(ReportTimes::HourMinute(Value("2026-12-09 09:05:00")), "9:5");
    EXPECT_EQ(ReportTimes::HourMinute(Value("2026-12-09 14:30:59")), "14:30");
    EXPECT_EQ(ReportTimes::HourMinute(Value("2026-12-09 00:00:00")), "0:0");
    EXPECT_EQ(ReportTimes::HourMinute(Null), "");
}

TEST(ReportTimesTest, ATwoDigitYearGetsItsCentury) {
    EXPECT_EQ(ReportTimes::WithCentury("07-3-5 10:20:00"), "2007-3-5 10:20:00");
    EXPECT_EQ(ReportTimes::WithCentury("05-3-12"), "2005-3-12");
    EXPECT_EQ(ReportTimes::WithCentury("2005-3-12"), "2005-3-12");
    EXPECT_EQ(ReportTimes::WithCentury("不详"), "不详");
    EXPECT_EQ(ReportTimes::WithCentury(""), "");
}
