#include <QPushButton>

#include "tests/members/MembersFixture.h"

class MemberAccountTest : public MembersFixture {
  protected:
    MemberPage& PageWithBalance(double money) {
        AddMember("000001", "张三", money);
        return OpenPage();
    }
    double Balance() { return Members()["money"].ToDouble(); }
};

TEST_F(MemberAccountTest, PayInAndRefundChangeTheBalanceOnTheRecordset) {
    MemberPage& page = PageWithBalance(1200);
    TypeAmount("50");
    Click(page.Command10);
    EXPECT_EQ(Balance(), 1250);
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
    EXPECT_EQ(page.MebAddMoney->Text(), "");
    EXPECT_EQ(Stored("000001", "money"), "1200.0");  // written at the next save

    TypeAmount("200");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(page.Command11);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], "真的要退还会费吗？");
    EXPECT_EQ(Balance(), 1050);
    EXPECT_EQ(page.MebAddMoney->Text(), "");

    TypeAmount("100");
    MsgBoxLog::Get().QueueAnswer(vbNo);
    Click(page.Command11);
    EXPECT_EQ(Balance(), 1050);
    EXPECT_EQ(page.MebAddMoney->Text(), "");

    TypeAmount("1050");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(page.Command11);
    EXPECT_EQ(Balance(), 0);
    Click(page.Command16);
    EXPECT_EQ(Stored("000001", "money"), "0.0");
}

TEST_F(MemberAccountTest, ARefundBeyondTheBalanceRefundsItAll) {
    MemberPage& page = PageWithBalance(100);
    TypeAmount("300");
    Click(page.Command11);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], "此用户没有缴纳这么多的会费，所以不能退还这个钱数，将退还用户全部会费");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_EQ(Balance(), 0);
    EXPECT_EQ(page.MebAddMoney->Text(), "");
}

TEST_F(MemberAccountTest, AnEmptyOrNegativeAmountChangesNothing) {
    MemberPage& page = PageWithBalance(100);
    Click(page.Command11);
    Click(page.Command10);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Prompts()[0], "没有添写退还会费的金额！");
    EXPECT_EQ(Prompts()[1], "没有添写所缴会费！");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");

    ForgetPrompts();
    TypeAmount("-50");
    EXPECT_EQ(page.MebAddMoney->Text(), "-50");
    Click(page.Command10);
    Click(page.Command11);
    EXPECT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Balance(), 100);
    EXPECT_FALSE(Members().HasPendingChanges());

    // After a pay-in the box is empty: a second press is told, not paid twice.
    TypeAmount("25");
    Click(page.Command10);
    ForgetPrompts();
    Click(page.Command10);
    EXPECT_EQ(Prompts(), std::vector<QString>{"没有添写所缴会费！"});
    EXPECT_EQ(Balance(), 125);
}

TEST_F(MemberAccountTest, RefundAllAsksAndLeavesTheAmountBox) {
    MemberPage& page = PageWithBalance(80);
    TypeAmount("5");
    MsgBoxLog::Get().QueueAnswer(vbNo);
    Click(page.Command12);
    EXPECT_EQ(Balance(), 80);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(page.Command12);
    EXPECT_EQ(Balance(), 0);
    EXPECT_EQ(page.MebAddMoney->Text(), "5");
}

TEST_F(MemberAccountTest, TheAmountBoxShowsTheAmountTheButtonsWillUse) {
    MemberPage& page = PageWithBalance(0);
    const std::pair<const char*, const char*> cases[] = {
        {"12.346", "12.35"}, {"1234", "1234"},  {"5.50", "5.5"}, {"abc", "0"},
        {"", "0"},           {"1,200", "1200"}, {"￥3.00", "3"}};
    for (const auto& [typed, shown] : cases) {
        TypeAmount(typed);
        EXPECT_EQ(page.MebAddMoney->Text(), shown) << typed;
    }
}
