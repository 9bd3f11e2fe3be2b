#include <gtest/gtest.h>

#include <cmath>

#include "platform/text/Money.h"
#include "platform/text/QuotedInput.h"
#include "platform/text/TypedAmount.h"
#include "platform/text/VbText.h"

TEST(Val, ReadsTheLeadingNumber) {
    EXPECT_EQ(Val("12abc"), 12);
    EXPECT_EQ(Val("abc"), 0);
    EXPECT_EQ(Val(" 3.5 "), 3.5);
    EXPECT_EQ(Val("1,234"), 1);
    EXPECT_EQ(Val("-1"), -1);
    EXPECT_EQ(Val("+5"), 5);
    EXPECT_EQ(Val(" 1 2 3"), 123);
    EXPECT_EQ(Val("1.2.3"), 1.2);
    EXPECT_EQ(Val(".5"), 0.5);
    EXPECT_EQ(Val("-.5"), -0.5);
    EXPECT_EQ(Val("007"), 7);
    EXPECT_EQ(Val("2e3"), 2000);
    EXPECT_EQ(Val("2e"), 2);
    EXPECT_EQ(Val("001"), 1);
}

TEST(Val, NothingNumericReadsAsZero) {
    EXPECT_EQ(Val(""), 0);
    EXPECT_EQ(Val("-"), 0);
    EXPECT_EQ(Val("."), 0);
    EXPECT_EQ(Val("￥12"), 0);
    EXPECT_EQ(Val("--5"), 0);
    EXPECT_EQ(Val("1e999"), 0);
    EXPECT_FALSE(std::signbit(Val("-0")));
}

TEST(IsNumeric, NumbersAsTheProgramSeesThem) {
    for (const char* text : {"12", " 3.5 ", "-1", "+7", "1,234.5", "￥12.00", "¥3", "-￥1,234.50",
                             "1e3", "1.5E-2", ".5", "12.", "1,234,567"})
        EXPECT_TRUE(IsNumeric(QString::fromUtf8(text))) << text;
}

TEST(IsNumeric, TextsThatAreNotNumbers) {
    for (const char* text : {"", "   ", "abc", "12a", "%", "80%", "1,2", "--1", "1e", "1e999", "￥",
                             ".", "nan", "inf", "1 2", "12-"})
        EXPECT_FALSE(IsNumeric(QString::fromUtf8(text))) << text;
}

TEST(ParseAmount, AmountsAsBoxesShowThem) {
    EXPECT_EQ(ParseAmount("￥1,234.50"), 1234.5);
    EXPECT_EQ(ParseAmount("-￥1,234.50"), -1234.5);
    EXPECT_EQ(ParseAmount("12"), 12);
    EXPECT_EQ(ParseAmount("-3.5"), -3.5);
    EXPECT_EQ(ParseAmount("1,200"), 1200);
    EXPECT_EQ(ParseAmount("1,234,567.5"), 1234567.5);
    EXPECT_EQ(ParseAmount(" ¥5 "), 5);
    EXPECT_EQ(ParseAmount("3."), 3);
    EXPECT_EQ(ParseAmount(".5"), 0.5);
    EXPECT_EQ(ParseAmount("10000000000000"), 1e13);
}

TEST(ParseAmount, RefusesWhatIsNoAmount) {
    for (const char* text : {"",
                             " ",
                             "abc",
                             "12a",
                             "1,2",
                             "1,2,3",
                             "1234,567",
                             ",123",
                             "1,,234",
                             "1,234.5,6",
                             "%",
                             "80%",
                             "50%",
                             "1200%",
                             "５０％",
                             "5O",
                             "O5",
                             "５Ｏ",
                             "①",
                             "5²",
                             "--1",
                             "+-1",
                             "12%%",
                             "12%3",
                             "nan",
                             "inf",
                             "1e3",
                             "1 2",
                             "￥￥1",
                             "1-",
                             "10000000000001",
                             "-10000000000001",
                             "99999999999999999999"})
        EXPECT_FALSE(ParseAmount(QString::fromUtf8(text)).has_value()) << text;
}

TEST(ParseAmount, ReadsBackEveryAmountFormatShows) {
    for (double v :
         {0.0, 0.01, 2.675, 12.5, 999.995, 1000.0, 1234.5, 1234567.891, -0.5, -120.0, -1234.5})
        for (const char* pattern : {"￥#,##0.00", "#,##0.00", "0.00"})
            EXPECT_EQ(ParseAmount(Format(v, QString::fromUtf8(pattern))),
                      Money::FromStored(v).ToStored())
                << v << " " << pattern;
    EXPECT_EQ(ParsePercentage(Format(0.855, "##%")), 0.86);
}

// A Chinese input method types full-width digits: they are the digits they look like.
TEST(ParseAmount, ReadsFullWidthDigitsAsTheDigitsTheyAre) {
    EXPECT_EQ(ParseAmount("５０"), 50);
    EXPECT_EQ(ParseAmount("１２．５"), 12.5);
    EXPECT_EQ(ParseAmount("￥１，２００．００"), 1200);
    EXPECT_EQ(ParseAmount("－３"), -3);
    EXPECT_EQ(ParseAmount("　５０　"), 50) << "ideographic blanks around it";
    EXPECT_EQ(ParseAmount("5０"), 50) << "half and full width mixed";
}

// Only the settings page's percentage boxes read a percent sign.
TEST(ParsePercentage, ReadsAPercentSignAndPlainFactors) {
    EXPECT_EQ(ParsePercentage("80%"), 0.8);
    EXPECT_EQ(ParsePercentage("85.5%"), 0.855);
    EXPECT_EQ(ParsePercentage("5%"), 0.05);
    EXPECT_EQ(ParsePercentage("８０％"), 0.8);
    EXPECT_EQ(ParsePercentage("0.8"), 0.8);
    EXPECT_EQ(ParsePercentage("80"), 80);
    for (const char* text : {"", "%", "12%%", "12%3", "%12", "abc%", "8O%"})
        EXPECT_FALSE(ParsePercentage(QString::fromUtf8(text)).has_value()) << text;
}

TEST(AmountRefusal, NamesTheBoxAndWhatWasTyped) {
    EXPECT_EQ(AmountRefusal("会费", " 3元 "),
              "会费“3元”不是正确的金额，请输入不小于 0 的金额，例如 12.50 或 ￥12.50。");
    EXPECT_EQ(AmountRefusal("实收金额", "80%", AmountSign::MayBeNegative),
              "实收金额“80%”不是正确的金额，请输入金额，例如 12.50 或 ￥12.50。");
    EXPECT_EQ(AmountRefusal("会费", QString(10000, u'9') + "x"),
              "会费“99999999999999999999…”不是正确的金额，请输入不小于 0 的金额，例如 12.50 "
              "或 ￥12.50。");
    EXPECT_EQ(AmountRefusal("会费", ""),
              "会费没有填写金额，请输入不小于 0 的金额，例如 12.50 或 ￥12.50。");
}

TEST(QuotedInput, CutsALongTextAtACharacter) {
    EXPECT_EQ(QuotedInput("abc"), "abc");
    EXPECT_EQ(QuotedInput(QString(20, u'字')), QString(20, u'字'));
    EXPECT_EQ(QuotedInput(QString(21, u'字')), QString(20, u'字') + "…");
    const QString emoji = QString::fromUtf8("\U0001F600");
    EXPECT_EQ(QuotedInput(QString(19, u'a') + emoji), QString(19, u'a') + emoji)
        << "an emoji is one character";
    EXPECT_EQ(QuotedInput(QString(19, u'a') + emoji + "b"), QString(19, u'a') + emoji + "…");
    EXPECT_EQ(QuotedInput(QString(20, u'a') + emoji), QString(20, u'a') + "…")
        << "never half an emoji";
}
