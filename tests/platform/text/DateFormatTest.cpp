#include <gtest/gtest.h>

#include "platform/text/VbText.h"

namespace {

const QDate kDay(2024, 3, 5);  // a Tuesday
const QDateTime kMorning(kDay, QTime(9, 7, 4));

}  // namespace

TEST(DateFormat, DatePatterns) {
    EXPECT_EQ(Format(kDay, "yyyy-mm-dd"), "2024-03-05");
    EXPECT_EQ(Format(kDay, "yyyy年mm月dd日"), "2024年03月05日");
    EXPECT_EQ(Format(kDay, "yyyy-m-d"), "2024-3-5");
    EXPECT_EQ(Format(kDay, "yyyymmdd"), "20240305");
    EXPECT_EQ(Format(kDay, "YYYY-MM-DD"), "2024-03-05");
    EXPECT_EQ(Format(kDay, "yy-mm-dd"), "24-03-05");
    EXPECT_EQ(Format(QDate(2024, 12, 25), "yyyy-m-d"), "2024-12-25");
    EXPECT_EQ(Format(kDay, "dddd"), "星期二");
    EXPECT_EQ(Format(kDay, "mmmm"), "三月");
}

TEST(DateFormat, NamedDateAndTimeFormats) {
    EXPECT_EQ(Format(kDay, "Long Date"), "2024年3月5日");
    EXPECT_EQ(Format(kDay, "Short Date"), "2024-3-5");
    EXPECT_EQ(Format(kMorning, "long date"), "2024年3月5日");
    EXPECT_EQ(Format(kMorning, "Long Time"), "9:07:04");
    EXPECT_EQ(Format(kMorning, "Short Time"), "09:07");
    EXPECT_EQ(Format(kMorning, "General Date"), "2024-3-5 9:07:04");
    EXPECT_EQ(Format(QDateTime(kDay, QTime(0, 0)), "General Date"), "2024-3-5");
}

TEST(DateFormat, MonthLettersAfterAnHourAreMinutes) {
    EXPECT_EQ(Format(kMorning, "yyyy-mm-dd hh:mm:ss"), "2024-03-05 09:07:04");
    EXPECT_EQ(Format(kMorning, "hh:mm:ss"), "09:07:04");
    EXPECT_EQ(Format(kMorning, "h:m:s"), "9:7:4");
    EXPECT_EQ(Format(kMorning, "hh:nn"), "09:07");
    EXPECT_EQ(Format(kMorning, "hh dd mm"), "09 05 03");
    EXPECT_EQ(Format(QDateTime(QDate(2023, 11, 30), QTime(23, 59, 58)), "yyyy-mm-dd hh:mm:ss"),
              "2023-11-30 23:59:58");
}

TEST(DateFormat, DateOnlyValuesAndInvalidValues) {
    EXPECT_EQ(Format(kDay, "yyyy-mm-dd hh:mm:ss"), "2024-03-05 00:00:00");
    EXPECT_EQ(Format(QDate(), "yyyy-mm-dd"), "");
    EXPECT_EQ(Format(QDateTime(), "yyyy-mm-dd hh:mm:ss"), "");
    EXPECT_EQ(Format(kDay, "\"d\"d\\m"), "d5m");
}
