#include <gtest/gtest.h>

#include "platform/excel/CellRef.h"
#include "platform/excel/NumberFormat.h"

TEST(SheetNumberFormatTest, ShowsNumbersAsTheShopsFormatsWriteThem) {
    EXPECT_EQ(NumberFormat::Display(1234.5, "￥#,##0.00"), "￥1,234.50");
    EXPECT_EQ(NumberFormat::Display(-1234.5, "￥#,##0.00"), "-￥1,234.50");
    EXPECT_EQ(NumberFormat::Display(0, "￥#,##0.00"), "￥0.00");
    EXPECT_EQ(NumberFormat::Display(1234567, "#,##0"), "1,234,567");
    EXPECT_EQ(NumberFormat::Display(12.5, "0.00"), "12.50");
    EXPECT_EQ(NumberFormat::Display(0.256, "0%"), "26%");
    EXPECT_EQ(NumberFormat::Display(-5, "0.00;(0.00)"), "(5.00)");
    EXPECT_EQ(NumberFormat::Display(3, "0\"张\""), "3张");
    EXPECT_EQ(NumberFormat::Display(0.1 + 0.2, "General"), "0.3");
    EXPECT_EQ(NumberFormat::Display(1234567.891, "General"), "1234567.891");
    EXPECT_EQ(NumberFormat::Display(42, "General"), "42");
}

TEST(SheetNumberFormatTest, ShowsDatesAndTimes) {
    const double serial = NumberFormat::ToSerial(QDateTime(QDate(2005, 3, 7), QTime(9, 5, 3)));
    EXPECT_EQ(NumberFormat::Display(serial, "yyyy-mm-dd"), "2005-03-07");
    EXPECT_EQ(NumberFormat::Display(serial, "yyyy\"年\"m\"月\"d\"日\""), "2005年3月7日");
    EXPECT_EQ(NumberFormat::Display(serial, "yyyy/m/d h:mm"), "2005/3/7 9:05");
    EXPECT_EQ(NumberFormat::Display(serial, "yyyy-mm-dd hh:mm:ss"), "2005-03-07 09:05:03");
    EXPECT_EQ(NumberFormat::Display(serial, "h:mm AM/PM"), "9:05 AM");
    EXPECT_TRUE(NumberFormat::IsDateFormat("yyyy-mm-dd"));
    EXPECT_TRUE(NumberFormat::IsDateFormat("[$-804]yyyy\"年\"m\"月\""));
    EXPECT_FALSE(NumberFormat::IsDateFormat("#,##0.00"));
    EXPECT_FALSE(NumberFormat::IsDateFormat("\"day\"0"));
    EXPECT_EQ(NumberFormat::ToSerial(QDate(1900, 3, 1)), 61);
    EXPECT_EQ(NumberFormat::FromSerial(NumberFormat::ToSerial(QDate(2024, 2, 29))).date(),
              QDate(2024, 2, 29));
}

TEST(CellRefTest, ReadsTheNamesTheProgramUses) {
    EXPECT_EQ(ParseRange(u"F7:I7"), (CellRect{7, 6, 7, 9}));
    EXPECT_EQ(ParseRange(u"$A$1:$I$12"), (CellRect{1, 1, 12, 9}));
    EXPECT_EQ(ParseRange(u"b2"), (CellRect{2, 2, 2, 2}));
    EXPECT_EQ(ParseRange(u"C5:A1"), (CellRect{1, 1, 5, 3})) << "corners in any order";
    EXPECT_EQ(ParseRange(u"XFD1048576"), (CellRect{1048576, 16384, 1048576, 16384}));
    for (const char16_t* bad :
         {u"", u"A", u"1", u"A0", u"XFE1", u"A1048577", u"A1:", u"A-1", u"甲1"})
        EXPECT_FALSE(ParseRange(bad).has_value()) << QString::fromUtf16(bad).toStdString();
    EXPECT_EQ(ColumnLetters(28), "AB");
    EXPECT_EQ(ColumnNumber(u"AB"), 28);
    EXPECT_EQ(RangeName({1, 1, 12, 9}, true), "$A$1:$I$12");
}
