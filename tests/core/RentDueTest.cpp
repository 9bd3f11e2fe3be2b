#include <gtest/gtest.h>

#include "core/RentDue.h"

namespace {
const QDateTime kNow(QDate(2026, 12, 8), QTime(18, 0));

QDateTime HoursAgo(int hours) {
    return kNow.addSecs(-3600LL * hours);
}

Money Yuan(double amount) {
    return Money::FromStored(amount);
}

Money PerDay(double price, int copies, int hoursAgo) {
    return RentDue::Of(Yuan(price), "每天", copies, HoursAgo(hoursAgo), kNow);
}
}  // namespace

TEST(RentDueTest, LessThanHalfADayCountsOneDay) {
    EXPECT_EQ(PerDay(3, 2, 10), Yuan(6));
    EXPECT_EQ(RentDue::Days(kNow, kNow), 1);
}

TEST(RentDueTest, ARentalDatedAfterTheEndCountsOneDayNeverLess) {
    EXPECT_EQ(RentDue::Days(kNow.addSecs(3600), kNow), 1);
    EXPECT_EQ(RentDue::Days(kNow.addDays(2), kNow), 1) << "the clock set back two days";
    EXPECT_EQ(RentDue::Days(kNow.addDays(400), kNow), 1);
    EXPECT_EQ(RentDue::Of(Yuan(6), "每天", 2, kNow.addDays(3), kNow), Yuan(12));
    EXPECT_EQ(RentDue::Days(QDateTime(), kNow), 1) << "no rental date";
}

TEST(RentDueTest, HalfDaysRoundToTheEvenNeighbour) {
    EXPECT_EQ(RentDue::Days(HoursAgo(36), kNow), 2);
    EXPECT_EQ(RentDue::Days(HoursAgo(60), kNow), 2);
    EXPECT_EQ(RentDue::Days(HoursAgo(84), kNow), 4);
}

TEST(RentDueTest, PerRentalLinesPayOnceWhateverTheDays) {
    EXPECT_EQ(RentDue::Of(Yuan(4), "每次", 3, HoursAgo(24 * 30), kNow), Yuan(12));
    EXPECT_EQ(RentDue::Of(Yuan(4), "每次", 3, HoursAgo(1), kNow), Yuan(12));
}

TEST(RentDueTest, AnEmptyPriceKindPaysPerDay) {
    EXPECT_EQ(RentDue::Of(Yuan(2.5), "", 1, HoursAgo(72), kNow), Yuan(7.5));
}

TEST(RentDueTest, DaysBeyondSixteenBitsDoNotWrap) {
    const QDateTime longAgo = kNow.addDays(-40000);
    EXPECT_EQ(RentDue::Days(longAgo, kNow), 40000);
    EXPECT_EQ(RentDue::Of(Yuan(1), "每天", 1, longAgo, kNow), Yuan(40000));
}

// A member's price is held to the cent: 1.70 at 85% is 1.45 a day, so three copies for
// four days are 17.40, not the 17.34 of the binary product.
TEST(RentDueTest, AMemberPriceIsChargedToTheCentBeforeCopiesAndDays) {
    EXPECT_EQ(RentDue::Of(Yuan(1.70 * 0.85), "每天", 3, HoursAgo(96), kNow), Yuan(17.40));
    EXPECT_EQ(RentDue::Of(Yuan(1.70).AtRate(0.85), "每次", 3, HoursAgo(96), kNow), Yuan(4.35));
}
