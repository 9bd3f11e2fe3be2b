#include "core/MoneyShares.h"

#include <gtest/gtest.h>

#include <random>

namespace {
using Wide = __int128;

Wide Gcd(Wide a, Wide b) {
    if (a < 0) a = -a;
    if (b < 0) b = -b;
    while (b != 0) {
        const Wide r = a % b;
        a = b;
        b = r;
    }
    return a;
}

// An exact fraction, kept reduced with a positive denominator.
struct Fraction {
    Wide num = 0;
    Wide den = 1;

    static Fraction Of(Wide num, Wide den) {
        if (den < 0) {
            num = -num;
            den = -den;
        }
        const Wide g = Gcd(num, den);
        return g > 1 ? Fraction{num / g, den / g} : Fraction{num, den};
    }
    // The whole number nearest zero that is no further from zero than the fraction.
    Wide TowardZero() const {
        const Wide whole = (num < 0 ? -num : num) / den;
        return num < 0 ? -whole : whole;
    }
};

// The share rule as the fractions say it: line i (not the last) gets amount × w_i / Σw cut
// to the whole cent; lines weighing nothing in all get 1/n each; the last the remainder.
std::vector<qint64> ExpectedShares(qint64 amount, const std::vector<qint64>& weights) {
    Wide total = 0;
    for (qint64 w : weights) total += w > 0 ? w : 0;
    std::vector<qint64> shares;
    Wide given = 0;
    for (std::size_t i = 0; i + 1 < weights.size(); ++i) {
        const Fraction part =
            total == 0 ? Fraction::Of(amount, static_cast<Wide>(weights.size()))
                       : Fraction::Of(Wide(amount) * (weights[i] > 0 ? weights[i] : 0), total);
        shares.push_back(static_cast<qint64>(part.TowardZero()));
        given += part.TowardZero();
    }
    shares.push_back(static_cast<qint64>(amount - given));
    return shares;
}

std::vector<qint64> FenOf(const std::vector<Money>& shares) {
    std::vector<qint64> cents;
    for (const Money m : shares) cents.push_back(m.InFen());
    return cents;
}
}  // namespace

TEST(MoneySharesTest, TheCasesTheCounterAndTheReturnsMeet) {
    const auto yuan = [](double y) { return Money::FromStored(y); };
    // 0.99 over two lines of 1.50: the first gets 0.495 cut to 0.49, the last the rest.
    EXPECT_EQ(MoneyShares::Of(yuan(0.99), {yuan(1.50), yuan(1.50)}),
              (std::vector<Money>{yuan(0.49), yuan(0.50)}));
    // 0.02 over four lines of 3.00: nothing is below zero, and it adds up.
    EXPECT_EQ(MoneyShares::Of(yuan(0.02), {yuan(3), yuan(3), yuan(3), yuan(3)}),
              (std::vector<Money>{yuan(0), yuan(0), yuan(0), yuan(0.02)}));
    // 90 over rows of 2 and 1 copies.
    EXPECT_EQ(MoneyShares::Of(yuan(90), std::vector<qint64>{2, 1}),
              (std::vector<Money>{yuan(60), yuan(30)}));
    // A refund shares the same way, every share at or below zero.
    EXPECT_EQ(MoneyShares::Of(yuan(-0.05), std::vector<qint64>{1, 1, 1}),
              (std::vector<Money>{yuan(-0.01), yuan(-0.01), yuan(-0.03)}));
    // Lines that weigh nothing share by equal parts; a negative weight counts as nothing.
    EXPECT_EQ(MoneyShares::Of(yuan(1), std::vector<qint64>{0, 0, 0}),
              (std::vector<Money>{yuan(0.33), yuan(0.33), yuan(0.34)}));
    EXPECT_EQ(MoneyShares::Of(yuan(1), std::vector<qint64>{-5, 5}),
              (std::vector<Money>{yuan(0), yuan(1)}));
    EXPECT_TRUE(MoneyShares::Of(yuan(1), std::vector<qint64>{}).empty());
}

// Ten thousand draws of an amount and the weights of up to 30 lines (copies, amounts,
// zeros, huge figures), each held against the exact fractions.
TEST(MoneySharesTest, EveryShareIsTheExactFractionCutToTheCentAndTheyAddUp) {
    std::mt19937_64 random(20261220);
    const auto pick = [&random](qint64 below) {
        return static_cast<qint64>(random() % static_cast<quint64>(below));
    };
    const qint64 kHuge = 4000000000000000000;
    for (int draw = 0; draw < 10000; ++draw) {
        const int kind = static_cast<int>(pick(5));
        qint64 amount = kind == 0 ? pick(10) : kind == 4 ? pick(kHuge) : pick(10000000);
        if (pick(4) == 0) amount = -amount;
        std::vector<qint64> weights(static_cast<std::size_t>(1 + pick(30)));
        for (qint64& w : weights) {
            const int weightKind = static_cast<int>(pick(6));
            w = weightKind == 0   ? 0
                : weightKind == 1 ? 1 + pick(5)
                : weightKind == 2 ? pick(kHuge)
                : weightKind == 3 ? -pick(100)
                                  : pick(100000);
        }
        const std::vector<qint64> shares = FenOf(MoneyShares::Of(Money::FromFen(amount), weights));
        ASSERT_EQ(shares, ExpectedShares(amount, weights)) << "draw " << draw;
        Wide sum = 0;
        for (const qint64 share : shares) {
            sum += share;
            if (amount >= 0)
                ASSERT_GE(share, 0) << "draw " << draw;
            else
                ASSERT_LE(share, 0) << "draw " << draw;
        }
        ASSERT_TRUE(sum == amount) << "draw " << draw;
    }
}
