#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/text/VbText.h"

namespace {

struct FormatCase {
    double value;
    const char* pattern;
    const char* expected;
};

void ExpectFormats(const std::vector<FormatCase>& cases) {
    for (const FormatCase& c : cases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << "Format(" << c.value << ", \"" << c.pattern << "\")";
}

}  // namespace

TEST(NumberFormat, MoneyPatterns) {
    ExpectFormats({
        {1234.5, "￥#,##0.00", "￥1,234.50"},
        {0, "￥#,##0.00", "￥0.00"},
        {12, "￥#,##0.00", "￥12.00"},
        {1000, "￥#,##0.00", "￥1,000.00"},
        {999.995, "￥#,##0.00", "￥1,000.00"},
        {1234567.891, "￥#,##0.00", "￥1,234,567.89"},
        {0.1 + 0.2, "￥#,##0.00", "￥0.30"},
        {1234.5, "#,##0.00", "1,234.50"},
        {100, "#,##0.00", "100.00"},
        {0.5, "#,##0.00", "0.50"},
        {123456, "#,##0.00", "123,456.00"},
    });
}

TEST(NumberFormat, NegativeAmountsPutTheMinusFirstAndNeverShowMinusZero) {
    ExpectFormats({
        {-1234.5, "￥#,##0.00", "-￥1,234.50"},
        {-120, "￥#,##0.00", "-￥120.00"},
        {-0.004, "￥#,##0.00", "￥0.00"},
        {0.1 + 0.2 - 0.3 - 1e-16, "￥#,##0.00", "￥0.00"},
        {-2.675, "0.00", "-2.68"},
        {-2.5, "0", "-3"},
        {-0.4, "0", "0"},
        {-7, "000", "-007"},
    });
}

TEST(NumberFormat, RoundsHalfAwayFromZeroOnTheDecimalValue) {
    ExpectFormats({
        {5.005, "0.00", "5.01"},
        {2.675, "0.00", "2.68"},
        {1.005, "0.00", "1.01"},
        {0.125, "0.00", "0.13"},
        {1.004999, "0.00", "1.00"},
        {2.5, "0", "3"},
        {0.4, "0", "0"},
        {9.995, "0.00", "10.00"},
        {99999.5, "#,##0", "100,000"},
    });
}

// A number is read as the decimal a person reads at 15 significant digits before it is
// rounded: 1.70 × 0.85 is 1.4449999999999998 in binary, and a clerk writes 1.45.
TEST(NumberFormat, ReadsTheNumberAtFifteenDigitsFirst) {
    ExpectFormats({
        {1.70 * 0.85, "￥#,##0.00", "￥1.45"},
        {1.70 * 0.85, "#,##0.00", "1.45"},
        {1.70 * 0.85, "0.##", "1.45"},
        {1.70 * 0.85, "", "1.445"},
        {0.00855 * 100, "##%", "86%"},
        {-1.4449999999999998, "￥#,##0.00", "-￥1.45"},
        {1.4449999, "0.00", "1.44"},
    });
}

TEST(NumberFormat, PercentPatterns) {
    ExpectFormats({
        {0.8, "##%", "80%"},
        {0, "##%", "%"},  // an all-# integer part of zero shows nothing
        {0.855, "##%", "86%"},
        {1, "##%", "100%"},
        {0.05, "##%", "5%"},
        {0, "0%", "0%"},
        {0.8, "0%", "80%"},
        {0.0125, "0.00%", "1.25%"},
    });
}

TEST(NumberFormat, OptionalDecimalsKeepThePointAsTheOriginalDoes) {
    ExpectFormats({
        {12.5, "0.##", "12.5"},
        {3, "0.##", "3."},
        {0.855, "0.##", "0.86"},
        {0.8, "0.##", "0.8"},
        {2.999, "0.##", "3."},
        {0, "#.##", "."},
        {0.5, "#.##", ".5"},
    });
}

TEST(NumberFormat, FixedWidthDigits) {
    ExpectFormats({
        {7, "0", "7"},
        {7, "00", "07"},
        {7, "000", "007"},
        {7, "0000", "0007"},
        {12345, "000", "12345"},
        {0, "00", "00"},
        {5, "#,##00.0", "05.0"},
        {1234.56, "#,##00.0", "1,234.6"},
    });
}

TEST(NumberFormat, SectionsLiteralsAndScaling) {
    ExpectFormats({
        {1200, "￥#,##0.00;($#,##0.00)", "￥1,200.00"},
        {-5, "￥#,##0.00;($#,##0.00)", "($5.00)"},
        {0, "0.00;-0.00;\"零\"", "零"},
        {-3, "0.00;;\"零\"", "-3.00"},
        {5, "0\"元\"", "5元"},
        {5, "0\\%", "5%"},
        {5, "0;(0)", "5"},
        {1234567, "#,##0,", "1,235"},
        {12.5, "￥.00", "￥12.50"},
    });
}

TEST(NumberFormat, NamedAndGeneralPatterns) {
    ExpectFormats({
        {1234.5, "Standard", "1,234.50"},
        {1234.5, "Currency", "￥1,234.50"},
        {2.675, "Fixed", "2.68"},
        {0.5, "Percent", "50.00%"},
        {0.1 + 0.2, "", "0.3"},
        {1234.5, "General Number", "1234.5"},
        {-2, "", "-2"},
    });
}

TEST(NumberFormat, HugeAndNonFiniteValuesNeverUseExponentsOrCrash) {
    ExpectFormats({
        {1e15, "#,##0.00", "1,000,000,000,000,000.00"},
        {1e15, "0", "1000000000000000"},
        {1e15, "", "1000000000000000"},
        {-1e15, "￥#,##0.00", "-￥1,000,000,000,000,000.00"},
    });
    const QString huge = Format(1e300, "0");
    EXPECT_EQ(huge.size(), 301);
    EXPECT_TRUE(huge.startsWith("1000"));
    EXPECT_EQ(Format(std::numeric_limits<double>::denorm_min(), "0.00"), "0.00");
    EXPECT_EQ(Format(std::nan(""), "0.00"), "");
    EXPECT_EQ(Format(std::numeric_limits<double>::infinity(), "￥#,##0.00"), "");
}

TEST(PadNumber, PadsWithZerosToTheWidth) {
    EXPECT_EQ(PadNumber(7, 3), "007");
    EXPECT_EQ(PadNumber(0, 4), "0000");
    EXPECT_EQ(PadNumber(1234, 3), "1234");
    EXPECT_EQ(PadNumber(12345678, 8), "12345678");
    EXPECT_EQ(PadNumber(-7, 3), "-007");
    EXPECT_EQ(PadNumber(5, 0), "5");
    EXPECT_EQ(PadNumber(std::numeric_limits<qint64>::min(), 1), "-9223372036854775808");
}

// The currency format is written the quick way (as Money shows an amount); it must give to
// the letter what the general way gives (the same pattern with an empty negative section goes that
// way).
TEST(NumberFormat, TheCurrencyFormatAsTheGeneralWayWritesIt) {
    const QString quick = QString::fromUtf8("￥#,##0.00");
    const QString general = QString::fromUtf8("￥#,##0.00;");
    std::vector<double> values = {0.0,    -0.0,    0.005,  -0.005,  0.004999,   1.005,
                                  2.675,  9.995,   99.995, -9.995,  999999.995, 1e15,
                                  1e21,   1e300,   5e-324, -5e-324, 0.1 + 0.2,  123456.785,
                                  -0.001, -1234.5, 48.6,   1.015,   1.025,      1.035};
    std::uint64_t state = 20261220;
    const auto next = [&state] {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return state >> 11;
    };
    for (int i = 0; i < 60000; ++i) {
        const double cents = static_cast<double>(next() % 200000000) - 100000000;
        values.push_back(cents / 100);
        values.push_back(cents / 1000);
        values.push_back(static_cast<double>(next() % 100000) / 100 * 0.85);
    }
    for (const double v : values) {
        ASSERT_EQ(Format(v, quick), Format(v, general)) << v;
    }
}
