#include "platform/text/Money.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {
Money Fen(qint64 cents) {
    return Money::FromFen(cents);
}
constexpr qint64 kMost = std::numeric_limits<qint64>::max();
}  // namespace

// A REAL is read as the decimal a person reads at 15 significant digits, then to the cent,
// half away from zero: the binary artefacts of earlier products give the amount a clerk
// writes.
TEST(Money, ReadsAStoredRealAsThePersonReadsIt) {
    EXPECT_EQ(Money::FromStored(1.4449999999999998), Fen(145));
    EXPECT_EQ(Money::FromStored(1.70 * 0.85), Fen(145));
    EXPECT_EQ(Money::FromStored(0.1 + 0.2), Fen(30));
    EXPECT_EQ(Money::FromStored(12.5), Fen(1250));
    EXPECT_EQ(Money::FromStored(2.675), Fen(268));
    EXPECT_EQ(Money::FromStored(1.005), Fen(101));
    EXPECT_EQ(Money::FromStored(0.125), Fen(13));
    EXPECT_EQ(Money::FromStored(-2.675), Fen(-268));
    EXPECT_EQ(Money::FromStored(-0.004), Fen(0));
    EXPECT_EQ(Money::FromStored(-0.0), Fen(0));
    EXPECT_EQ(Money::FromStored(48.599999999999994), Fen(4860));
    EXPECT_EQ(Money::FromStored(9999999999999.99), Fen(999999999999999));
    EXPECT_EQ(Money::FromStored(std::numeric_limits<double>::denorm_min()), Fen(0));
    EXPECT_EQ(Money::FromStored(std::nan("")), Fen(0));
    // Beyond any amount of the shop (a corrupt file): the largest amount, never an overflow.
    EXPECT_EQ(Money::FromStored(1e300).InFen(), kMost);
    EXPECT_EQ(Money::FromStored(-std::numeric_limits<double>::infinity()).InFen(), -kMost);
    EXPECT_EQ(Money::FromStored(std::numeric_limits<double>::max()).InFen(), kMost);
}

TEST(Money, WritesTheDoubleNearestTheAmountAndShowsItAsMoney) {
    EXPECT_EQ(Fen(145).ToStored(), 1.45);
    EXPECT_EQ(Fen(-30).ToStored(), -0.3);
    EXPECT_FALSE(std::signbit(Fen(0).ToStored()));
    EXPECT_EQ(Fen(123450).Text(), "￥1,234.50");
    EXPECT_EQ(Fen(100000000).Text(), "￥1,000,000.00");
    EXPECT_EQ(Fen(5).Text(), "￥0.05");
    EXPECT_EQ(Fen(0).Text(), "￥0.00");
    EXPECT_EQ(Fen(-300).Text(), "-￥3.00");
    EXPECT_EQ(Fen(-kMost).Text(), "-￥92,233,720,368,547,758.07");
    EXPECT_EQ(Fen(123450).PlainText(), "1234.5");
    EXPECT_EQ(Fen(1200).PlainText(), "12");
    EXPECT_EQ(Fen(1).PlainText(), "0.01");
    EXPECT_EQ(Fen(0).PlainText(), "0");
    EXPECT_EQ(Fen(-305).PlainText(), "-3.05");
}

TEST(Money, ReadsATypedAmountAsTheClerkWritesItAndRefusesTheRest) {
    EXPECT_EQ(Money::FromTyped("￥1,200.00"), Fen(120000));
    EXPECT_EQ(Money::FromTyped(" 12.5 "), Fen(1250));
    EXPECT_EQ(Money::FromTyped("3.455"), Fen(346)) << "half away from zero, in decimal";
    EXPECT_EQ(Money::FromTyped("1.445"), Fen(145));
    EXPECT_EQ(Money::FromTyped("0"), Fen(0));
    EXPECT_EQ(Money::FromTyped("５０"), Fen(5000));
    EXPECT_EQ(Money::FromTyped("9,999,999,999,999.99"), Fen(999999999999999));
    for (const char* typed :
         {"", "  ", "二十元", "3元", "1,2", "-1", "1e3", "12..5", "5O", "abc", "50%", "80%",
          "1200%", "1e308", "99999999999999", "10000000000000.01", "-"})
        EXPECT_FALSE(Money::FromTyped(QString::fromUtf8(typed)).has_value()) << typed;
}

// The sale basket's amount received may be negative (money going back); nothing else
// changes in what is read.
TEST(Money, ABoxThatTakesANegativeAmountReadsIt) {
    EXPECT_EQ(Money::FromTyped("-20", AmountSign::MayBeNegative), Fen(-2000));
    EXPECT_EQ(Money::FromTyped("-￥1,200.005", AmountSign::MayBeNegative), Fen(-120001));
    EXPECT_EQ(Money::FromTyped("12", AmountSign::MayBeNegative), Fen(1200));
    for (const char* typed : {"", "-", "-50%", "80%", "5O", "--5", "-99999999999999"})
        EXPECT_FALSE(Money::FromTyped(QString::fromUtf8(typed), AmountSign::MayBeNegative))
            << typed;
}

// A member price is the price at the member's rate, to the cent as the clerk writes it:
// every price from 0.01 to 50.00 at 75%, 85% and 95%, against the exact product.
TEST(Money, APriceAtARateIsTheExactProductRoundedHalfAwayFromZero) {
    EXPECT_EQ(Money::FromStored(1.70).AtRate(0.85), Fen(145));
    EXPECT_EQ(Money::FromStored(-1.70).AtRate(0.85), Fen(-145));
    EXPECT_EQ(Fen(100).AtRate(0.1 + 0.2), Fen(30));
    EXPECT_EQ(Fen(1000).AtRate(0.855), Fen(855));
    EXPECT_EQ(Fen(12345).AtRate(1), Fen(12345));
    EXPECT_EQ(Fen(12345).AtRate(0), Fen(0));
    EXPECT_EQ(Fen(12345).AtRate(1e-300), Fen(0));
    EXPECT_EQ(Fen(12345).AtRate(std::nan("")), Fen(0));
    EXPECT_EQ(Fen(kMost).AtRate(1e300).InFen(), kMost);
    EXPECT_EQ(Fen(-kMost).AtRate(0.99), Fen(-9131138316486228049));
    for (const int percent : {75, 85, 95}) {
        const double rate = percent / 100.0;
        for (qint64 cents = 1; cents <= 5000; ++cents) {
            const qint64 exact = (cents * percent + 50) / 100;
            ASSERT_EQ(Money::FromStored(cents / 100.0).AtRate(rate), Fen(exact))
                << cents << " at " << percent << "%";
        }
    }
}

TEST(Money, SumsAndDifferencesAreExactAndNeverOverflow) {
    Money sum;
    for (int i = 0; i < 10; ++i) sum += Money::FromStored(0.1);
    EXPECT_EQ(sum, Fen(100));
    EXPECT_EQ(Fen(500) - Fen(1250), Fen(-750));
    EXPECT_EQ(-Fen(750), Fen(-750));
    EXPECT_LT(Fen(-1), Fen(0));
    EXPECT_GE(Fen(145), Money::FromStored(1.4449999999999998));
    EXPECT_EQ(Fen(250).Times(3), Fen(750));
    EXPECT_EQ((Fen(kMost) + Fen(1)).InFen(), kMost);
    EXPECT_EQ((Fen(-kMost) - Fen(kMost)).InFen(), -kMost);
    EXPECT_EQ(Fen(std::numeric_limits<qint64>::min()).InFen(), -kMost);
    EXPECT_EQ((-Fen(std::numeric_limits<qint64>::min())).InFen(), kMost);
    EXPECT_EQ(Fen(kMost / 2).Times(3).InFen(), kMost);
    EXPECT_EQ(Fen(-kMost / 2).Times(3).InFen(), -kMost);
}
