// The member page and the member information window in the main window: the labels of
// the counter and the return page, the page left by its buttons and shortcuts, and closing.
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/text/TypedAmount.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FlexGrid.h"
#include "returns/ReturnPage.h"
#include "tests/shell/MainWindowTest.h"

namespace {
void ClickLabel(QWidget* label) {
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
}
}  // namespace

class MembersInTheFrameTest : public MainWindowTest {
  protected:
    void TearDown() override {
        if (frmDispUser::isLoaded()) delete &frmDispUser::instance();
        if (frmUserBorrowLst::isLoaded()) delete &frmUserBorrowLst::instance();
        if (frmUserSellLst::isLoaded()) delete &frmUserSellLst::instance();
        MainWindowTest::TearDown();
    }

    frmMain& Start() {
        Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 1200)");
        frmMain& main = LoadMainWindow();
        EXPECT_TRUE(ShowActive(&main));
        return main;
    }
};

TEST_F(MembersInTheFrameTest, TheCountersCustomerOpensTheWindowBesideTheCounter) {
    frmMain& main = Start();
    main.Counter->LblBorrowUserName->SetCaption("000001");
    ClickLabel(main.Counter->LblBorrowUserName);
    Settle();
    ASSERT_TRUE(frmDispUser::isLoaded());
    frmDispUser& w = frmDispUser::instance();
    EXPECT_TRUE(w.isVisible());
    EXPECT_FALSE(w.IsShownModal());
    EXPECT_EQ(w.LblUserName->Caption(), "张三");
}

TEST_F(MembersInTheFrameTest, TheRentersLabelOpensTheWindowModallyAndStopsTheHint) {
    frmMain& main = Start();
    main.Image3_Click(1);
    Settle();
    EXPECT_TRUE(main.Timer1->isActive());
    main.Returns()->LblUserName->SetCaption("20261208001");
    bool modal = false;
    QString type;
    QTimer::singleShot(0, [&] {
        frmDispUser& w = frmDispUser::instance();
        modal = w.IsShownModal();
        type = w.LblUserType->Caption();
        w.Unload();
    });
    ClickLabel(main.Returns()->LblUserName);
    Settle();
    EXPECT_TRUE(modal);
    EXPECT_EQ(type, "零租用户");
    EXPECT_FALSE(main.Timer1->isActive());
}

TEST_F(MembersInTheFrameTest, EveryWayOffTheMemberPageSavesItFirst) {
    frmMain& main = Start();
    main.Image3_Click(5);
    Settle();
    MemberPage& page = *main.Members();
    page.MebAddMoney->SetText("50");
    page.Command10->click();
    Settle();
    int key = vbKeyB;
    main.Form_KeyUp(key, vbCtrlMask);  // Ctrl+B: the rental page
    Settle();
    EXPECT_EQ(Query1("select money from userinfo"), "1250.0");

    main.Image3_Click(5);
    page.TxtTele->setText("999");
    main.Image3_Click(5);  // pressed again: saved before the members are read afresh
    Settle();
    EXPECT_EQ(Query1("select telephone from userinfo"), "999");
    EXPECT_EQ(page.TxtTele->text(), "999");

    page.TxtUserID->setText("");
    main.Image3_Click(2);
    Settle();
    EXPECT_TRUE(main.IsShowing(&page));  // refused: the operator stays with the edit
    EXPECT_EQ(Prompts().back(), "会员编号不能为空，请填写会员编号后再保存。");
}

namespace {
void PressPageButton(frmMain& main, int index) {
    QTest::mouseClick(main.Image3[index], Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    Settle();
}
void TypeInto(QLineEdit* box, const QString& text) {
    Clear(box);
    Type(box, text);
}
}  // namespace

// Money handed over at the member page is stored or stays pending with the operator told:
// never dropped by an emptied name, never stuck behind a row another program changed.
TEST_F(MembersInTheFrameTest, APayInSurvivesAnEmptiedNameAndTheFrameIsLeftAfterAStaleRow) {
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    TypeInto(page.MebAddMoney, "50");
    QTest::mouseClick(page.Command10, Qt::LeftButton);
    Clear(page.TxtUserName);
    ForgetPrompts();
    PressPageButton(main, 0);
    EXPECT_TRUE(main.IsShowing(&page));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("000001"));
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
    Type(page.TxtUserName, "张三");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select money from userinfo"), "1250.0");

    PressPageButton(main, 5);
    TypeInto(page.MebAddMoney, "5O");
    QTest::mouseClick(page.Command10, Qt::LeftButton);
    EXPECT_EQ(page.MebAddMoney->Text(), "5O");
    TypeInto(page.MebAddMoney, "10");
    QTest::mouseClick(page.Command10, Qt::LeftButton);
    Sql("update userinfo set money = money - 30");  // another program's sale
    ForgetPrompts();
    PressPageButton(main, 0);
    EXPECT_TRUE(main.IsShowing(&page));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("其他程序"));
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,220.00");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select money from userinfo"), "1220.0");
}

namespace {
// The operator clicks a member's name in the grid.
void ClickMember(MemberPage& page, const QString& number) {
    DataGrid* grid = page.DataGrid1;
    int row = 0;
    while (row < grid->model()->rowCount() &&
           grid->model()->index(row, 0).data().toString() != number)
        ++row;
    ASSERT_LT(row, grid->model()->rowCount()) << number.toStdString();
    const QRect cell = grid->visualRect(grid->model()->index(row, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    Settle();
    ASSERT_EQ(page.TxtUserID->text(), number);
}
void PressButton(QPushButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
}
}  // namespace

// A member stored without a name (and without money) is paid into: the page names the member
// to mend and keeps the 50 pending until the operator gives the name; the balance shows as
// ￥0.00 until then.
TEST_F(MembersInTheFrameTest, AMemberWithANullNameAndNullMoneyIsPaidInto) {
    Sql("insert into userinfo (userid) values ('000002')");
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    ClickMember(page, "000002");
    EXPECT_EQ(page.LblMoney->Caption(), "￥0.00");
    EXPECT_EQ(page.DataGrid1->Columns(2).Text(), "￥0.00");
    TypeInto(page.MebAddMoney, "50");
    PressButton(page.Command10);
    EXPECT_EQ(page.LblMoney->Caption(), "￥50.00");
    ForgetPrompts();
    PressPageButton(main, 0);
    EXPECT_TRUE(main.IsShowing(&page));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("000002"));
    EXPECT_TRUE(Prompts()[0].contains("会员姓名不能为空"));
    EXPECT_EQ(Query1("select money from userinfo where userid = '000002'"), "<null>");
    Type(page.TxtUserName, "王五");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select money || username from userinfo where userid = '000002'"), "50.0王五");
}

// Closing the program with a pay-in pending on a member whose name was emptied asks before
// the money is lost; No keeps the operator with it.
TEST_F(MembersInTheFrameTest, ClosingWithAPayInAndAnEmptiedNameAsksFirst) {
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    TypeInto(page.MebAddMoney, "50");
    PressButton(page.Command10);
    Clear(page.TxtUserName);
    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbNo);
    EXPECT_FALSE(frmMain::unload());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("000001"));
    EXPECT_TRUE(Prompts()[0].contains("仍然要退出吗"));
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
    Type(page.TxtUserName, "张三");
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select money from userinfo"), "1250.0");
}

// Texts that are no amount, typed key by key, then every account button clicked: refused with
// the message of every money box, the box keeping the text, the balance untouched; "全部退还"
// reads no amount and only asks. Full-width digits are the digits they are.
TEST_F(MembersInTheFrameTest, EveryAccountButtonRefusesATextThatIsNoAmount) {
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    for (const QString typed : {"5O", "50%", "abc"}) {
        for (QPushButton* button : {page.Command10, page.Command11}) {
            TypeInto(page.MebAddMoney, typed);
            ForgetPrompts();
            PressButton(button);
            ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
            EXPECT_EQ(Prompts()[0], AmountRefusal("退还或存入金额", typed));
            EXPECT_EQ(page.MebAddMoney->Text(), typed);
            EXPECT_EQ(page.LblMoney->Caption(), "￥1,200.00");
        }
        ForgetPrompts();
        MsgBoxLog::Get().QueueAnswer(vbNo);
        PressButton(page.Command12);
        EXPECT_EQ(Prompts(), std::vector<QString>{"真的要退还会费吗？"});
        EXPECT_EQ(page.MebAddMoney->Text(), typed);
    }
    EXPECT_FALSE(page.adoUser->HasPendingChanges());

    TypeInto(page.MebAddMoney, "５０");
    PressButton(page.Command10);
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
    TypeInto(page.MebAddMoney, "２０．５");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    PressButton(page.Command11);
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,229.50");
    PressPageButton(main, 0);
    EXPECT_EQ(Query1("select money from userinfo"), "1229.5");
    PressPageButton(main, 5);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    PressButton(page.Command12);
    PressPageButton(main, 0);
    EXPECT_EQ(Query1("select money from userinfo"), "0.0");
}

// A debt left by the monthly fee is never written off by a refund, of a part or of all.
TEST_F(MembersInTheFrameTest, NoRefundWritesOffADebt) {
    Sql("insert into userinfo (userid, username, money) values ('000002', '李四', -30)");
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    ClickMember(page, "000002");
    EXPECT_EQ(page.LblMoney->Caption(), "-￥30.00");
    const QString nothing = "此会员没有可以退还的会费（已存入金额为-￥30.00），不能退还。";
    TypeInto(page.MebAddMoney, "10");
    ForgetPrompts();
    PressButton(page.Command11);
    EXPECT_EQ(Prompts(), std::vector<QString>{nothing});
    ForgetPrompts();
    PressButton(page.Command12);
    EXPECT_EQ(Prompts(), std::vector<QString>{nothing});
    EXPECT_EQ(page.LblMoney->Caption(), "-￥30.00");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select money from userinfo where userid = '000002'"), "-30.0");
}

// The member holding the highest number leaves; the next member gets a number of their own,
// and none of the old member's rentals, purchases or open rental in any window.
TEST_F(MembersInTheFrameTest, ANewMemberInheritsNothingOfAMemberWhoLeft) {
    Sql("insert into userinfo (userid, username, money) values ('000002', '李四', 20);"
        "insert into cdinfo (cdid, name, count, borrowprice, borrowpricetype, station) values "
        "('010100000001', '英雄', 2, 3, '每天', '借出部分');"
        "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, "
        "isnotpaylst, CredenceType, money) values ('0101000000010001', '000002', "
        "'2026-12-07 10:00:00', 1, '&1#', '&1#', '现金', 5);"
        "insert into sellinfo (sellid, name, selldate, sellcount, selllst, money) values "
        "('0101000000010002', '000002', '2026-12-07 11:00:00', 1, '&2#', 30)");
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    ClickMember(page, "000002");
    EXPECT_EQ(page.LblBorrowCount->Caption(), "1次");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    PressButton(page.Command14);
    EXPECT_EQ(Query1("select count(*) from userinfo"), "1");

    PressButton(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000003");
    Type(page.TxtUserName, "王五");
    PressButton(page.Command16);
    EXPECT_EQ(Query1("select username from userinfo where userid = '000003'"), "王五");
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
    EXPECT_EQ(page.LblAllMoney->Caption(), "￥0.00");
    EXPECT_EQ(page.LblBuyCount->Caption(), "0次");
    EXPECT_EQ(page.LblBuyMoney->Caption(), "￥0.00");
    PressButton(page.Command18);
    ASSERT_TRUE(frmUserBorrowLst::isLoaded());
    EXPECT_EQ(frmUserBorrowLst::instance().MSHFlexGrid1->Rows(), 2) << "headings and total";
    PressButton(page.Command17);
    ASSERT_TRUE(frmUserSellLst::isLoaded());
    EXPECT_EQ(frmUserSellLst::instance().MSHFlexGrid1->Rows(), 2);

    PressPageButton(main, 0);
    main.Counter->LblBorrowUserName->SetCaption("000003");
    ClickLabel(main.Counter->LblBorrowUserName);
    Settle();
    ASSERT_TRUE(frmDispUser::isLoaded());
    frmDispUser& info = frmDispUser::instance();
    EXPECT_EQ(info.LblUserName->Caption(), "王五");
    EXPECT_EQ(info.LblBorrowCount->Caption(), "0次");
    EXPECT_EQ(info.MSHFlexGrid1->Rows(), 2) << "no open rental, the total";
}

// Odd numbers in the file ("ABC", seven digits) neither block new members nor can be typed.
TEST_F(MembersInTheFrameTest, OddNumbersInTheFileLeaveNewMembersTheirNumbers) {
    Sql("delete from userinfo;"
        "insert into userinfo (userid, username) values ('ABC', '甲'), ('1000000', '乙')");
    frmMain& main = LoadMainWindow();
    ASSERT_TRUE(ShowActive(&main));
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    PressButton(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    Type(page.TxtUserName, "丙");
    PressButton(page.Command13);
    EXPECT_EQ(Query1("select username from userinfo where userid = '000001'"), "丙");
    EXPECT_EQ(page.TxtUserID->text(), "000002");
    Type(page.TxtUserName, "丁");
    TypeInto(page.TxtUserID, "ABC");
    ForgetPrompts();
    PressPageButton(main, 0);
    EXPECT_TRUE(main.IsShowing(&page));
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("不是六位数字"));
    TypeInto(page.TxtUserID, "000002");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select group_concat(userid, ',') from (select userid from userinfo "
                     "order by userid)"),
              "000001,000002,1000000,ABC");
}

// A join date that is none is told and the box shows the stored date again; nothing written.
TEST_F(MembersInTheFrameTest, AnInvalidJoinDateIsToldAndTheStoredDateShown) {
    frmMain& main = Start();
    Sql("update userinfo set JoinDate = '2024-03-07'");
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    EXPECT_EQ(page.MaskEdBox1->Text(), "2024-03-07");
    TypeInto(page.MaskEdBox1, "2024-13-45");
    ForgetPrompts();
    QTest::mouseClick(page.Text3, Qt::LeftButton);
    Settle();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].startsWith("入会时间“2024-13-45”不是正确的日期"));
    EXPECT_EQ(page.MaskEdBox1->Text(), "2024-03-07");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
    EXPECT_EQ(Query1("select JoinDate from userinfo"), "2024-03-07");
}

// The balance handed back is the one the question named: taken down by another program
// meanwhile, the member stays, the operator is told, and the page is left as usual.
TEST_F(MembersInTheFrameTest, AMemberDoesNotLeaveOnABalanceAnotherProgramChanged) {
    frmMain& main = Start();
    PressPageButton(main, 5);
    MemberPage& page = *main.Members();
    Sql("update userinfo set money = 1170");  // another counter's sale from the stored money
    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    PressButton(page.Command14);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_TRUE(Prompts()[0].endsWith("如果是请归还用户已缴的会费1200元"));
    EXPECT_TRUE(Prompts()[1].contains("其他程序"));
    EXPECT_EQ(Query1("select count(*) from userinfo"), "1");
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,170.00");
    PressPageButton(main, 0);
    EXPECT_FALSE(main.IsShowing(&page));
}
