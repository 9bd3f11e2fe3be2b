#include <QPushButton>

#include "members/MemberSave.h"
#include "platform/ui/FlexGrid.h"
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
}

// Only money the member has is handed back; a debt left by the monthly fee is told instead,
// since it goes with the member's row.
TEST_F(MemberPageTest, TheLeavingQuestionAsksToHandBackOnlyAPositiveBalance) {
    AddMember("000001", "张三", 0);
    Sql("insert into userinfo (userid, username) values ('000002', '李四')");  // money Null
    AddMember("000003", "王五", -30);
    AddMember("000004", "赵六", 0.5);
    MemberPage& page = OpenPage();
    const QString question = "此会员将退出本店，真的要退出本店吗？";
    const QStringList expected{question, question,
                               question + "此会员还欠本店会费30元，退出后此欠款不再记录。",
                               question + "如果是请归还用户已缴的会费0.5元"};
    for (int row = 1; row <= 4; ++row) {
        ClickRow(row);
        ForgetPrompts();
        MsgBoxLog::Get().QueueAnswer(vbNo);
        Click(page.Command14);
        ASSERT_EQ(Prompts().size(), 1u);
        EXPECT_EQ(Prompts()[0], expected[row - 1]) << row;
    }
    EXPECT_EQ(MemberCount(), 4);
}

// The operator hands back the balance the question named: when another program took money
// from the member, or removed the member, since the list was read, the member does not leave;
// the operator is told and the list read again, and the next question names what is stored.
TEST_F(MemberPageTest, AMemberChangedByAnotherProgramDoesNotLeaveOnAStaleBalance) {
    AddMember("000001", "张三", 100);
    AddMember("000002", "李四", 20);
    MemberPage& page = OpenPage();
    Sql("update userinfo set money = 70 where userid = '000001'");  // a sale elsewhere
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command14);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_EQ(Prompts()[0], "此会员将退出本店，真的要退出本店吗？如果是请归还用户已缴的会费100元");
    EXPECT_TRUE(Prompts()[1].contains("其他程序")) << Prompts()[1].toStdString();
    EXPECT_EQ(MemberCount(), 2);
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    EXPECT_EQ(page.LblMoney->Caption(), "￥70.00") << "as the file holds it";

    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command14);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], "此会员将退出本店，真的要退出本店吗？如果是请归还用户已缴的会费70元");
    EXPECT_EQ(MemberCount(), 1);
    EXPECT_EQ(page.TxtUserID->text(), "000002");

    // Removed by another program: told, and the list shows it gone.
    Sql("delete from userinfo where userid = '000002'");
    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command14);
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_TRUE(Prompts()[1].contains("其他程序"));
    EXPECT_EQ(Members().RecordCount(), 0);
    EXPECT_FALSE(page.Command14->isEnabled());
    EXPECT_TRUE(LeavePage());
}

// "已缴会费" shows a Null balance as the zero it counts for, like the account label.
TEST_F(MemberPageTest, TheGridShowsANullBalanceAsZero) {
    AddMember("000001", "张三", 12.5);
    Sql("insert into userinfo (userid, username) values ('000002', '李四')");
    MemberPage& page = OpenPage();
    QAbstractItemModel* grid = page.DataGrid1->model();
    EXPECT_EQ(grid->index(0, 2).data().toString(), "￥12.50");
    EXPECT_EQ(grid->index(1, 2).data().toString(), "￥0.00");
    ClickRow(2);
    EXPECT_EQ(page.DataGrid1->Columns(2).Text(), "￥0.00");
    EXPECT_EQ(page.LblMoney->Caption(), "￥0.00");
    EXPECT_EQ(grid->index(1, 4).data().toString(), "") << "a Null text stays empty";
    EXPECT_EQ(Stored("000002", "money"), "<null>") << "only shown, nothing written";
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

// The name rule never drops money: a save with a member's name emptied is refused, naming
// the member, with every edit kept and the operator kept on the page with that member, by
// the save button, a row change and a page button alike.
TEST_F(MemberPageTest, AnEmptiedNameRefusesTheSaveAndKeepsThePayIn) {
    AddMember("000001", "张三", 1200);
    AddMember("000002", "李四");
    MemberPage& page = OpenPage();
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    SetText(page.TxtTele, "123");
    Clear(page.TxtUserName);
    const QString refusal =
        MemberSave::RefusalMessage({MemberSave::Outcome::EmptyName, 0, 0, "000001"});
    EXPECT_TRUE(refusal.contains("000001"));
    EXPECT_TRUE(refusal.contains("会员姓名不能为空"));

    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    EXPECT_EQ(Prompts(), std::vector<QString>{refusal});
    EXPECT_TRUE(Host().IsShowing(&page));
    Press(page.Command16);
    ClickRow(2);
    EXPECT_EQ(Prompts().size(), 3u);
    EXPECT_EQ(page.TxtUserID->text(), "000001") << "back on the member to mend";
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
    EXPECT_EQ(Stored("000001", "money"), "1200.0");
    EXPECT_EQ(Stored("000001", "username"), "张三");

    Type(page.TxtUserName, "张三丰");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "money"), "1250.0");
    EXPECT_EQ(Stored("000001", "username"), "张三丰");
    EXPECT_EQ(Stored("000001", "telephone"), "123");
}

// The find box moves the grid as a click does: with a pay-in pending on a member whose name
// was emptied, a find (a match or none) is refused like a row change, and the pay-in stays.
TEST_F(MemberPageTest, AFindWithARefusedEditPendingKeepsTheOperatorOnTheMember) {
    AddMember("000001", "张三", 1200);
    AddMember("000002", "李四");
    MemberPage& page = OpenPage();
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    Clear(page.TxtUserName);
    for (const char* text : {"000002", "999"}) {
        ForgetPrompts();
        Find(text);
        ASSERT_EQ(Prompts().size(), 1u) << text;
        EXPECT_TRUE(Prompts()[0].contains("000001"));
        EXPECT_EQ(page.TxtUserID->text(), "000001") << text;
        EXPECT_EQ(page.LblMoney->Caption(), "￥1,250.00");
        EXPECT_TRUE(page.Command10->isEnabled());
    }
    Type(page.TxtUserName, "张三");
    Find("000002");
    EXPECT_EQ(page.TxtUserID->text(), "000002");
    EXPECT_EQ(Stored("000001", "money"), "1250.0");
}

// A member stored without a name is paid into once the operator gives the name the save
// asks for; left untouched, such a member lets the page go.
TEST_F(MemberPageTest, AMemberWithANullNameIsPaidIntoOnceNamed) {
    AddMember("000001", "张三");
    Sql("insert into userinfo (userid, money) values ('000002', 10)");
    MemberPage& page = OpenPage();
    ClickRow(2);
    EXPECT_TRUE(LeavePage()) << "nothing pending, nothing refused";
    OpenPage();
    ClickRow(2);
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("000002"));
    EXPECT_EQ(Stored("000002", "money"), "10.0");
    Type(page.TxtUserName, "王五");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "money"), "60.0");
    EXPECT_EQ(Stored("000002", "username"), "王五");
}

// A new member the operator never began is dropped; one with a pay-in or a telephone but no
// name is refused like any other, and nothing of it is lost.
TEST_F(MemberPageTest, ANewMemberIsDroppedOnlyWhenNothingWasPutIntoIt) {
    AddMember("000001", "张三");
    MemberPage& page = OpenPage();
    Click(page.Command13);
    ForgetPrompts();
    ClickRow(1);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Members().RecordCount(), 1);

    Click(page.Command13);
    TypeKeys(page.MebAddMoney, "30");
    Press(page.Command10);
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("000002"));
    EXPECT_EQ(Members().RecordCount(), 2);
    Type(page.TxtUserName, "赵六");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "money"), "30.0");

    OpenPage();
    Click(page.Command13);
    SetText(page.TxtTele, "555");
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    EXPECT_EQ(Prompts().size(), 1u);
}

// A member who leaves keeps their number: the next member gets one more than any number
// ever used, and neither their history nor their rent due.
TEST_F(MemberPageTest, ANewMemberNeverTakesTheNumberOfAMemberWhoLeft) {
    AddMember("000001", "张三");
    AddMember("000002", "李四", 20);
    AddTitle("010100000001", "英雄");
    Data().Add(ShopData::Rental("010100000001", "0001").By("000002").Money(5));
    Data().Add(ShopData::Sale("010100000001", "0002").By("000002").Money(30));
    MemberPage& page = OpenPage();
    ClickRow(2);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(page.Command14);
    EXPECT_EQ(MemberCount(), 1);

    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000003");
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
    Type(page.TxtUserName, "王五");
    Click(page.Command16);
    EXPECT_EQ(Stored("000003", "username"), "王五");
    EXPECT_EQ(page.LblBorrowCount->Caption(), "0次");
    EXPECT_EQ(page.LblBuyMoney->Caption(), "￥0.00");
    Click(page.Command18);
    EXPECT_EQ(frmUserBorrowLst::instance().MSHFlexGrid1->Rows(), 2) << "headings and total only";
    Click(page.Command17);
    EXPECT_EQ(frmUserSellLst::instance().MSHFlexGrid1->Rows(), 2);
    frmDispUser::Open("000003", false, nullptr);
    EXPECT_EQ(frmDispUser::instance().MSHFlexGrid1->Rows(), 2) << "no open rental, the total";

    // A sale line of a member long gone counts too, and so does a member's number alone.
    Data().Add(ShopData::Sale("010100000001", "0003").By("000041"));
    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000042");
}

// Only six-digit numbers take part in the numbering, and a number the operator types must
// have six digits; a member whose odd number came with the file keeps it.
TEST_F(MemberPageTest, OddNumbersNeitherBlockNewMembersNorCanBeTyped) {
    Sql("insert into userinfo (userid, username, money) values ('ABC', '甲', 10), "
        "('1000000', '乙', 0)");
    MemberPage& page = OpenPage();
    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    Type(page.TxtUserName, "丙");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000001", "username"), "丙");
    OpenPage();
    Click(page.Command13);
    EXPECT_EQ(page.TxtUserID->text(), "000002");
    Type(page.TxtUserName, "丁");

    for (const QString typed : {"ABC", "12345", "1234567", "00'7", "００００１２"}) {
        TypeKeys(page.TxtUserID, typed);
        ForgetPrompts();
        EXPECT_FALSE(LeavePage()) << typed.toStdString();
        ASSERT_EQ(Prompts().size(), 1u);
        EXPECT_EQ(Prompts()[0],
                  MemberSave::RefusalMessage({MemberSave::Outcome::MalformedNumber, 0, 0, typed}));
    }
    TypeKeys(page.TxtUserID, "000007");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000007", "username"), "丁");

    // The member numbered "ABC" is paid into under the number the file gave it.
    OpenPage();
    Find("ABC");
    TypeKeys(page.MebAddMoney, "5");
    Press(page.Command10);
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("ABC", "money"), "15.0");
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

    // Another program gave the number away since the page read the list.
    SetText(page.TxtUserID, "000005");
    Sql("insert into userinfo (userid, username) values ('000005', '他人')");
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    EXPECT_EQ(Prompts()[0],
              MemberSave::RefusalMessage({MemberSave::Outcome::DuplicateNumber, 0, 0, "000005"}));
    SetText(page.TxtUserID, "000007");
    EXPECT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000007", "username"), "张三");
}

// Another program changed the member under the page: the save tells that nothing was saved,
// reads the list again, and the next page button goes through.
TEST_F(MemberPageTest, AMemberChangedByAnotherProgramIsToldAndTheListReadAgain) {
    AddMember("000001", "张三", 1200);
    AddMember("000002", "李四", 10);
    MemberPage& page = OpenPage();
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    Sql("update userinfo set money = money - 100 where userid = '000001'");  // a sale
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0],
              MemberSave::RefusalMessage({MemberSave::Outcome::ChangedElsewhere, 0, 0, ""}));
    EXPECT_FALSE(Members().HasPendingChanges());
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    EXPECT_EQ(page.LblMoney->Caption(), "￥1,100.00") << "as the file holds it";
    EXPECT_EQ(Stored("000001", "money"), "1100.0");
    ForgetPrompts();
    EXPECT_TRUE(LeavePage());
    EXPECT_TRUE(Prompts().empty());

    // Removed under the page while its telephone was being changed.
    OpenPage();
    ClickRow(2);
    SetText(page.TxtTele, "8888");
    Sql("delete from userinfo where userid = '000002'");
    ForgetPrompts();
    Press(page.Command16);
    EXPECT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Members().RecordCount(), 1);
    EXPECT_TRUE(LeavePage());
}

// A date that is none is told and the stored date shows again; a member without a join
// date shows none, not the last member's.
TEST_F(MemberPageTest, TheJoinDateBoxShowsOnlyWhatIsStored) {
    Sql("insert into userinfo (userid, username, JoinDate) values ('000001', '张三', "
        "'2024-3-7'), ('000002', '李四', null)");
    MemberPage& page = OpenPage();
    EXPECT_EQ(page.MaskEdBox1->Text(), "2024-03-07");
    TypeAndLeave(page.MaskEdBox1, "2025-1-2", page.Text3);
    EXPECT_TRUE(Prompts().empty());
    for (const QString typed : {"2024-13-45", "昨天", ""}) {
        ForgetPrompts();
        TypeAndLeave(page.MaskEdBox1, typed, page.Text3);
        ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
        EXPECT_TRUE(Prompts()[0].startsWith("入会时间“" + typed + "”不是正确的日期"));
        EXPECT_EQ(page.MaskEdBox1->Text(), "2025-01-02");
    }
    Click(page.Command16);
    EXPECT_EQ(Stored("000001", "JoinDate"), "2025-01-02");

    ClickRow(2);
    EXPECT_EQ(page.MaskEdBox1->Text(), "");
    ForgetPrompts();
    TypeAndLeave(page.MaskEdBox1, "", page.Text3);
    EXPECT_TRUE(Prompts().empty());
    Click(page.Command16);
    EXPECT_EQ(Stored("000002", "JoinDate"), "<null>");
}
