#include <QPushButton>

#include "platform/text/TypedAmount.h"
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

// Leaving the box shows an amount as the buttons will use it; any other text stays as
// typed, for the button to refuse: the box never turns it into an amount.
TEST_F(MemberAccountTest, TheAmountBoxShowsTheAmountTheButtonsWillUseAndKeepsTheRest) {
    MemberPage& page = PageWithBalance(0);
    const std::pair<const char*, const char*> cases[] = {
        {"12.346", "12.35"}, {"1234", "1234"}, {"5.50", "5.5"}, {"1,200", "1200"},
        {"￥3.00", "3"},     {"５０", "50"},   {"abc", "abc"},  {"5O", "5O"},
        {"50%", "50%"},      {"", ""},         {"-50", "-50"},  {"１２．５", "12.5"}};
    for (const auto& [typed, shown] : cases) {
        TypeAmount(typed);
        EXPECT_EQ(page.MebAddMoney->Text(), shown) << typed;
    }
}

// Typed key by key and the buttons clicked with the mouse, as at the counter: a text that is
// no amount is refused by both amount buttons with the message of every money box, and
// changes nothing; "全部退还" does not read the box and leaves it as typed.
TEST_F(MemberAccountTest, EveryAccountButtonRefusesATextThatIsNoAmount) {
    MemberPage& page = PageWithBalance(100);
    for (const QString typed : {"5O", "５Ｏ", "50%", "abc", "1200%"}) {
        for (QPushButton* button : {page.Command10, page.Command11}) {
            ForgetPrompts();
            TypeKeys(page.MebAddMoney, typed);
            Press(button);
            ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
            EXPECT_EQ(Prompts()[0], AmountRefusal("退还或存入金额", typed)) << typed.toStdString();
            EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
            EXPECT_EQ(page.MebAddMoney->Text(), typed) << "the box keeps what was typed";
            EXPECT_EQ(Balance(), 100) << typed.toStdString();
            EXPECT_FALSE(Members().HasPendingChanges()) << typed.toStdString();
        }
        ForgetPrompts();
        MsgBoxLog::Get().QueueAnswer(vbNo);
        Press(page.Command12);
        EXPECT_EQ(Prompts(), std::vector<QString>{"真的要退还会费吗？"});
        EXPECT_EQ(page.MebAddMoney->Text(), typed);
        EXPECT_EQ(Balance(), 100);
    }

    // Full-width digits are the digits they are.
    ForgetPrompts();
    TypeKeys(page.MebAddMoney, "５０");
    Press(page.Command10);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Balance(), 150);
    TypeKeys(page.MebAddMoney, "２０．５");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command11);
    EXPECT_EQ(Balance(), 129.5);
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "129.5");
}

// The monthly fee takes a balance below 0; a refund never raises it: nothing to refund is
// told, and nothing changes, whether a part or all is asked for.
TEST_F(MemberAccountTest, ARefundOfANegativeBalanceIsToldAndChangesNothing) {
    MemberPage& page = PageWithBalance(-30);
    EXPECT_EQ(page.LblMoney->Caption(), "-￥30.00");
    for (const char* amount : {"10", "30", "500"}) {
        ForgetPrompts();
        TypeKeys(page.MebAddMoney, amount);
        Press(page.Command11);
        ASSERT_EQ(Prompts().size(), 1u) << amount;
        EXPECT_EQ(Prompts()[0], "此会员没有可以退还的会费（已存入金额为-￥30.00），不能退还。");
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
        EXPECT_EQ(Balance(), -30) << amount;
    }
    ForgetPrompts();
    Press(page.Command12);
    ASSERT_EQ(Prompts().size(), 1u) << "no question: there is nothing to refund";
    EXPECT_TRUE(Prompts()[0].startsWith("此会员没有可以退还的会费"));
    EXPECT_EQ(Balance(), -30);
    EXPECT_FALSE(Members().HasPendingChanges());
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "-30.0");

    // A pay-in still lifts it, and a refund then takes back no more than is stored.
    OpenPage();
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    EXPECT_EQ(Balance(), 20);
    TypeKeys(page.MebAddMoney, "80");
    Press(page.Command11);
    EXPECT_EQ(Prompts().back(),
              "此用户没有缴纳这么多的会费，所以不能退还这个钱数，将退还用户全部会费");
    EXPECT_EQ(Balance(), 0);
    ForgetPrompts();
    Press(page.Command12);
    EXPECT_TRUE(Prompts()[0].startsWith("此会员没有可以退还的会费")) << "a balance of 0 neither";
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "0.0");
}

// A member whose money was never set shows 0, as every Null amount, and is paid into.
TEST_F(MemberAccountTest, ANullBalanceShowsZero) {
    Sql("insert into userinfo (userid, username) values ('000001', '张三')");
    MemberPage& page = OpenPage();
    EXPECT_EQ(Stored("000001", "money"), "<null>");
    EXPECT_EQ(page.LblMoney->Caption(), "￥0.00");
    TypeKeys(page.MebAddMoney, "5");
    Press(page.Command10);
    EXPECT_EQ(page.LblMoney->Caption(), "￥5.00");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "5.0");
}
