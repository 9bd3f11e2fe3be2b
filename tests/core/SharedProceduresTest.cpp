#include <QLineEdit>

#include "tests/core/CoreTest.h"

TEST(GetPYChar, FirstLevelCharactersGiveTheirInitial) {
    EXPECT_EQ(GetPYChar("啊"), "A");  // B0A1, first of the table
    EXPECT_EQ(GetPYChar("座"), "Z");  // D7F9, last of the table
    EXPECT_EQ(GetPYChar("学"), "X");  // D1A7
    EXPECT_EQ(GetPYChar("压"), "Y");  // D1B9, first of Y
    EXPECT_EQ(GetPYChar("中"), "Z");
    EXPECT_EQ(GetPYChar("国"), "G");
}

TEST(GetPYChar, OtherCharactersGiveTheirCodeOrThemselves) {
    EXPECT_EQ(GetPYChar("，"), "A3AC");
    EXPECT_EQ(GetPYChar("a"), "a");
    EXPECT_EQ(GetPYChar("7"), "7");
    EXPECT_EQ(GetPYChar(""), "");
    EXPECT_EQ(GetPYChar("😀"), "😀");  // no GB2312 code: kept as it is
}

TEST(DecToBase, WritesDigitsMostSignificantFirst) {
    int n = 0;
    EXPECT_EQ(DecToBase(n, 16), "0");
    n = 255;
    EXPECT_EQ(DecToBase(n, 16), "FF");
    EXPECT_EQ(n, 0);
    n = 10;
    EXPECT_EQ(DecToBase(n, 16), "A");
    n = 35;
    EXPECT_EQ(DecToBase(n, 36), "Z");
    n = 5;
    EXPECT_EQ(DecToBase(n, 2), "101");
}

TEST(IntDivMod, ZeroDivisorIsReportedAndLeavesResults) {
    MsgBoxLog::Get().Reset();
    int q = 7, r = 8;
    IntDivMod(5, 0, q, r);
    EXPECT_EQ(q, 7);
    EXPECT_EQ(r, 8);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "非法除数");
    IntDivMod(17, 5, q, r);
    EXPECT_EQ(q, 3);
    EXPECT_EQ(r, 2);
}

TEST(NullToStr, NullIsEmpty) {
    EXPECT_EQ(NullToStr(Null), "");
    EXPECT_EQ(NullToStr(Value(12.5)), "12.5");
    EXPECT_EQ(NullToStr(Value("x")), "x");
}

TEST(SelectAllText, SelectsTheWholeText) {
    QLineEdit box("￥12.00");
    SelectAllText(&box);
    EXPECT_EQ(box.selectedText(), "￥12.00");
    SelectAllText(nullptr);
}

using SharedProceduresTest = CoreTest;

TEST_F(SharedProceduresTest, IsUserExistAsksTheMemberTable) {
    Sql("insert into userinfo (userid, username) values ('000001', '张三')");
    EXPECT_TRUE(IsUserExist("000001"));
    EXPECT_FALSE(IsUserExist("000002"));
    EXPECT_FALSE(IsUserExist(""));
    EXPECT_FALSE(IsUserExist("x' or '1'='1"));
    Sql("insert into userinfo (userid, username) values ('', '无号')");
    EXPECT_TRUE(IsUserExist(""));
}

TEST_F(SharedProceduresTest, GetBuyMoneyOfTitles) {
    Sql("insert into cdinfo (cdid, name, buymoney, price) values ('010100000001', 'a', 25.5, 9);"
        "insert into cdinfo (cdid, name, price) values ('010100000002', 'b', 18);"
        "insert into cdinfo (cdid, name) values ('010100000003', 'c')");
    EXPECT_DOUBLE_EQ(GetBuyMoney("010100000001").ToDouble(), 25.5);
    // No buymoney: what the copy cost, its price; neither: 0.
    EXPECT_DOUBLE_EQ(GetBuyMoney("010100000002").ToDouble(), 18);
    EXPECT_EQ(GetBuyMoney("010100000003").ToDouble(), 0);
    EXPECT_EQ(GetBuyMoney("nothing").ToDouble(), 0);
}

TEST_F(SharedProceduresTest, GetNewIdCountsTodaysNamesPerKind) {
    SetToday(2024, 5, 6);
    Sql("insert into sellinfo (sellid, name) values ('0101000000010001', '20240506001');"
        "insert into sellinfo (sellid, name) values ('0101000000020001', '20240506002');"
        "insert into borrowinfo (borrowid, name) values ('0101000000010001', '20240506005');"
        "insert into borrowinfo (borrowid, name) values ('0101000000010002', '20240505009')");
    EXPECT_EQ(GetNewID("sell"), "20240506003");
    EXPECT_EQ(GetNewID("borrow"), "20240506006");
    SetToday(2024, 5, 7);
    EXPECT_EQ(GetNewID("borrow"), "20240507001");
}

TEST_F(SharedProceduresTest, GetNewIdSkipsTypedNamesThatAreNotNumbered) {
    SetToday(2024, 5, 6);
    Sql("insert into borrowinfo (borrowid, name) values ('0101000000010001', '20240506004');"
        "insert into borrowinfo (borrowid, name) values ('0101000000010002', '20240506abc');"
        "insert into borrowinfo (borrowid, name) values ('0101000000010003', '2024050612')");
    EXPECT_EQ(GetNewID("borrow"), "20240506005");
}

TEST_F(SharedProceduresTest, GetNewIdProposesNothingWhenTheDayIsFull) {
    SetToday(2024, 5, 6);
    Sql("insert into borrowinfo (borrowid, name) values ('0101000000010001', '20240506999')");
    EXPECT_EQ(GetNewID("borrow"), "");
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_EQ(GetNewID("sell"), "20240506001");
}
