#include <gtest/gtest.h>

#include "platform/db/Value.h"

TEST(Value, DoublesPrintWithoutExponentOrTrailingZeros) {
    EXPECT_EQ(Value(12.5).ToString(), "12.5");
    EXPECT_EQ(Value(3.0).ToString(), "3");
    EXPECT_EQ(Value(0.1).ToString(), "0.1");
    EXPECT_EQ(Value(1e6).ToString(), "1000000");
    EXPECT_EQ(Value(1234567.25).ToString(), "1234567.25");
    EXPECT_EQ(Value(0.0000001).ToString(), "0.0000001");
    EXPECT_EQ(Value(-2.5).ToString(), "-2.5");
    EXPECT_EQ(Value(-0.0).ToString(), "0");
    EXPECT_EQ(Value(0.1 + 0.2).ToString(), "0.30000000000000004");  // round-trips exactly
    EXPECT_EQ(Value(42).ToString(), "42");
    EXPECT_EQ(Value().ToString(), "");
}

TEST(Value, TextReadsAsTheNumberItStartsWith) {
    EXPECT_DOUBLE_EQ(Value("12.5元").ToDouble(), 12.5);
    EXPECT_DOUBLE_EQ(Value("  -3e2x").ToDouble(), -300);
    EXPECT_DOUBLE_EQ(Value(".5").ToDouble(), 0.5);
    EXPECT_DOUBLE_EQ(Value("abc").ToDouble(), 0);
    EXPECT_DOUBLE_EQ(Value("").ToDouble(), 0);
    EXPECT_EQ(Value("000123").ToInt(), 123);
    EXPECT_EQ(Value("9007199254740993").ToInt(), 9007199254740993LL);  // no detour through double
    EXPECT_EQ(Value(2.5).ToInt(), 2);  // to even, as the desktop platform rounds
    EXPECT_EQ(Value(3.5).ToInt(), 4);
    EXPECT_EQ(Value(-1.6).ToInt(), -2);
}

TEST(Value, NullReadsAsZeroEmptyAndInvalid) {
    const Value n;
    EXPECT_TRUE(n.IsNull());
    EXPECT_TRUE(Null.IsNull());
    EXPECT_EQ(n.ToInt(), 0);
    EXPECT_EQ(n.ToDouble(), 0);
    EXPECT_FALSE(n.ToBool());
    EXPECT_FALSE(n.ToDate().isValid());
    EXPECT_FALSE(n.ToVariant().isValid());
    EXPECT_TRUE(Value::FromVariant(QVariant()).IsNull());
    EXPECT_TRUE(Value::FromDate(QDate()).IsNull());
}

TEST(Value, DatesAreStoredAsTexts) {
    EXPECT_EQ(Value::FromDate(QDate(2024, 3, 9)).ToString(), "2024-03-09");
    EXPECT_EQ(Value::FromDateTime(QDateTime(QDate(2024, 3, 9), QTime(8, 5, 1))).ToString(),
              "2024-03-09 08:05:01");
    EXPECT_EQ(Value("2024-03-09").ToDate(), QDate(2024, 3, 9));
    EXPECT_EQ(Value("2024-03-09 08:05:01").ToDate(), QDate(2024, 3, 9));
    EXPECT_EQ(Value("2024-03-09 08:05:01").ToDateTime(),
              QDateTime(QDate(2024, 3, 9), QTime(8, 5, 1)));
    EXPECT_EQ(Value("2024-03-09").ToDateTime(), QDateTime(QDate(2024, 3, 9), QTime(0, 0)));
    EXPECT_FALSE(Value("2023-02-30").ToDate().isValid());
    EXPECT_FALSE(Value("九月").ToDate().isValid());
    EXPECT_FALSE(Value(20240309).ToDate().isValid());
}

TEST(Value, NumbersCompareByValueTextsExactly) {
    EXPECT_EQ(Value(3), Value(3.0));
    EXPECT_EQ(Value(3.0), Value(static_cast<std::int64_t>(3)));
    EXPECT_NE(Value(3), Value(3.5));
    EXPECT_NE(Value(3), Value("3"));
    EXPECT_EQ(Value("abc"), Value(QStringLiteral("abc")));
    EXPECT_NE(Value("abc"), Value("ABC"));
    EXPECT_EQ(Value(), Null);
    EXPECT_NE(Value(), Value(0));
    EXPECT_NE(Value(), Value(""));
}

TEST(Value, VariantsRoundTrip) {
    EXPECT_TRUE(Value::FromVariant(QVariant(7)).IsInteger());
    EXPECT_TRUE(Value::FromVariant(QVariant(true)).IsInteger());
    EXPECT_TRUE(Value::FromVariant(QVariant(2.5)).IsDouble());
    EXPECT_EQ(Value::FromVariant(QVariant(QDate(2024, 1, 2))).ToString(), "2024-01-02");
    EXPECT_EQ(Value::FromVariant(QVariant(QStringLiteral("它's 100%"))).ToString(), "它's 100%");
    EXPECT_EQ(Value(12.5).ToVariant(), QVariant(12.5));
    EXPECT_EQ(Value(7).ToVariant().toLongLong(), 7);
    EXPECT_TRUE(Value("true").ToBool());
    EXPECT_FALSE(Value("0").ToBool());
    EXPECT_TRUE(Value(-1).ToBool());
}
