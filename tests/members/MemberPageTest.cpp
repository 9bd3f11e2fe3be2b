#include <QPushButton>

#include "members/MemberSave.h"
#include "tests/members/MembersFixture.h"

class MemberPageTest : public MembersFixture {};

TEST_F(MemberPageTest, NewMembersAreNumberedFromTheLargestNumber) {
    MemberPage& page = OpenPage();
    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    SetText(page.TxtUserName, "张三");
    Click(page.Command16);
    EXPECT_EQ(Stored("000001", "username"), "张三");
    EXPECT_EQ(Stored("000001", "JoinDate"), "2026-12-08");

    Sql("insert into userinfo (userid, username) values ('000009', '李四')");
    OpenPage();
    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000010");

    // Six digits used up: told, and no row added.
    Sql("insert into userinfo (userid, username) values ('999999', '王五')");
    Click(page.Command16);
    OpenPage();
    const int rows = Members().RecordCount();
    ForgetPrompts();
    Click(page.Command13);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("999999"));
    EXPECT_EQ(Members().RecordCount(), rows);
    EXPECT_FALSE(Members().HasPendingChanges());
}

TEST_F(MemberPageTest, ANewMemberStartsWithZeroesAndTodayAndIsNotSavedWhileAdded) {
    AddMember("000001", "张三", 80);
    Data().Add(ShopData::Rental("010100000001", "0001").Money(5));
    MemberPage& page = OpenPage();
    EXPECT_EQ(page.LblBorrowCount->Caption(), "1次");
    Click(page.Command13);
    EXPECT_FALSE(page.IsAddingUser);
    EXPECT_EQ(page.LblMoney->Caption(), "0");
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
    EXPECT_EQ(page.LblBuyCount->Caption(), "0次");
    EXPECT_EQ(page.LblAllMoney->Caption(), "￥0.00");
    EXPECT_EQ(page.LblBuyMoney->Caption(), "￥0.00");
    EXPECT_EQ(page.MaskEdBox1->Text(), "2026-12-08");
    EXPECT_EQ(MemberCount(), 1);  // the row change of the adding saved nothing
    EXPECT_EQ(QApplication::focusWidget(), page.TxtUserName);
}

TEST_F(MemberPageTest, SavingWithTheCurrentNameEmptyDropsEveryPendingEdit) {
    AddMember("000001", "张三");
    MemberPage& page = OpenPage();
    SetText(page.TxtTele, "123");
    SetText(page.TxtUserName, "");
    Click(page.Command16);
    EXPECT_FALSE(Members().HasPendingChanges());
    EXPECT_EQ(page.TxtUserName->text(), "张三");
    EXPECT_EQ(Stored("000001", "telephone"), "<null>");
}

// A row change writes row by row: a nameless new member is never inserted, an emptied
// name keeps the stored one, every other edit is written.
TEST_F(MemberPageTest, ARowChangeSavesEachPendingRowUnderTheNameRule) {
    AddMember("000001", "张三");
    AddMember("000002", "李四");
    MemberPage& page = OpenPage();
    Click(page.Command13);
    ClickRow(1);
    EXPECT_EQ(MemberCount(), 2);
    EXPECT_EQ(Members().RecordCount(), 2);

    SetText(page.TxtUserName, "");
    SetText(page.TxtTele, "555");
    ClickRow(2);
    EXPECT_EQ(Stored("000001", "username"), "张三");
    EXPECT_EQ(Stored("000001", "telephone"), "<null>");
    SetText(page.TxtAddress, "北京'路%");
    ClickRow(1);
    EXPECT_EQ(Stored("000002", "address"), "北京'路%");
    EXPECT_FALSE(Members().HasPendingChanges());
}

TEST_F(MemberPageTest, FindStopsAtTheFirstNumberContainingTheText) {
    for (const char* id : {"000003", "000120", "000012", "000212"}) AddMember(id, "会员");
    MemberPage& page = OpenPage();
    ClickRow(3);
    Find("");
    EXPECT_EQ(Members().AbsolutePosition(), 1);
    Find("12");
    EXPECT_EQ(page.TxtUserID->text(), "000120");
    Find("999");
    EXPECT_TRUE(Members().AtEOF());
    EXPECT_FALSE(page.Command16->isEnabled());
    EXPECT_TRUE(page.Command13->isEnabled());
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
}

TEST_F(MemberPageTest, AMemberLeavesOnYesAndTheNextBecomesCurrent) {
    AddMember("000001", "张三", 12.5);
    AddMember("000002", "李四");
    Sql("insert into userinfo (userid, username) values ('000003', '王五')");  // money Null
    Data().Add(ShopData::Rental("010100000001", "0001"));
    MemberPage& page = OpenPage();
    MsgBoxLog::Get().QueueAnswer(vbNo);
    Click(page.Command14);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], "此会员将退出本店，真的要退出本店吗？如果是请归还用户已缴的会费12.5元");
    EXPECT_EQ(MemberCount(), 3);

    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(page.Command14);
    EXPECT_EQ(MemberCount(), 2);
    EXPECT_EQ(page.TxtUserID->text(), "000002");
    EXPECT_EQ(Count("select count(*) from borrowinfo where name='000001'"), 1);

    ClickRow(2);
    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbNo);
    Click(page.Command14);
    EXPECT_TRUE(Prompts()[0].endsWith("会费0元"));
}

TEST_F(MemberPageTest, TheAccountPanelCountsTheMembersLinesAndLocksWithoutAMember) {
    MemberPage& page = OpenPage();
    for (QWidget* w :
         std::initializer_list<QWidget*>{page.TxtUserID, page.MebAddMoney, page.Command10,
                                         page.Command18, page.Command14, page.CmdPrint})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(page.Command13->isEnabled());
    EXPECT_EQ(page.LblAllMoney->Caption(), "￥0.00");

    AddMember("000001", "张三");
    AddMember("000002", "李四");
    Data().Add(ShopData::Rental("010100000001", "0001").Money(5));
    Data().Add(ShopData::Rental("010100000002", "0002").Money(7));
    Data().Add(ShopData::Rental("010100000003", "0003"));
    Data().Add(ShopData::Sale("010100000001", "0001").Money(30));
    Data().Add(ShopData::Sale("010100000001", "0002").By("000002").Money(9));
    OpenPage();
    EXPECT_TRUE(page.CmdPrint->isEnabled());
    EXPECT_EQ(page.LblBorrowCount->Caption(), "3次");
    EXPECT_EQ(page.LblAllMoney->Caption(), "￥12.00");
    EXPECT_EQ(page.LblBuyCount->Caption(), "1次");
    EXPECT_EQ(page.LblBuyMoney->Caption(), "￥30.00");
    ClickRow(2);
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
    EXPECT_EQ(page.LblBuyMoney->Caption(), "￥9.00");
}

TEST_F(MemberPageTest, TheJoinDateBoxWritesADateAndIgnoresAnythingElse) {
    Sql("insert into userinfo (userid, username, JoinDate) values ('000001', '张三', "
        "'2024-3-7')");
    MemberPage& page = OpenPage();
    EXPECT_EQ(page.MaskEdBox1->Text(), "2024-03-07");
    TypeAndLeave(page.MaskEdBox1, "2025-1-2", page.Text3);
    TypeAndLeave(page.MaskEdBox1, "昨天", page.Text3);
    Click(page.Command16);
    EXPECT_EQ(Stored("000001", "JoinDate"), "2025-01-02");
}

// Leaving the page writes what the page holds: money already handed over is never lost,
// and a stale row can never overwrite what another page wrote later.
TEST_F(MemberPageTest, LeavingThePageSavesAPayInAndAnEdit) {
    AddMember("000001", "张三", 1200);
    MemberPage& page = OpenPage();
    TypeAmount("50");
    Click(page.Command10);
    SetText(page.TxtAddress, "上海");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "1250.0");
    EXPECT_EQ(Stored("000001", "address"), "上海");

    Sql("update userinfo set money = money - 30 where userid = '000001'");  // a sale
    OpenPage();
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,220.00");
    TypeAmount("5");
    Click(page.Command10);
    OpenPage();  // the button pressed again
    EXPECT_EQ(Stored("000001", "money"), "1225.0");
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,225.00");
}

TEST_F(MemberPageTest, ANumberTakenByAnotherMemberIsRefusedAndTheEditStays) {
    AddMember("000001", "张三");
    AddMember("000002", "李四");
    MemberPage& page = OpenPage();
    SetText(page.TxtUserID, "000002");
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0],
              MemberSave::RefusalMessage({MemberSave::Outcome::DuplicateNumber, 0, 0, "000002"}));
    EXPECT_TRUE(Host().IsShowing(&page));
    EXPECT_TRUE(Members().HasPendingChanges());
    EXPECT_EQ(Count("select count(*) from userinfo where userid='000001'"), 1);

    SetText(page.TxtUserID, "00'7");
    EXPECT_TRUE(LeavePage());
    EXPECT_EQ(Stored("00''7", "username"), "张三");
}

TEST_F(MemberPageTest, ClosingWritesTheEditAndDropsARowWithoutANumber) {
    AddMember("000001", "张三");
    MemberPage& page = OpenPage();
    SetText(page.TxtTele, "8888");
    EXPECT_TRUE(page.SaveBeforeClosing());
    EXPECT_EQ(Stored("000001", "telephone"), "8888");

    Click(page.Command13);
    SetText(page.TxtUserName, "王五");
    SetText(page.TxtUserID, "");
    EXPECT_TRUE(page.SaveBeforeClosing());
    EXPECT_EQ(MemberCount(), 1);
}
