// The member page on rows another SQLite client wrote: member numbers and names the page
// never writes itself, lines added while the page is open. The operator is never shown
// another member's figures, never kept on the page by an edit that changed nothing, and a
// number the file holds is never a duplicate of itself.
#include <QPushButton>

#include "members/MemberSave.h"
#include "tests/members/MembersFixture.h"

namespace {
const char* const kTitle = "010100000001";
}

class MemberStoredRowsTest : public MembersFixture {
  protected:
    // A real click of the mouse on a member's cell (row by position, from 1).
    void ClickCell(int position, int column = 1) {
        DataGrid* grid = Page().DataGrid1;
        const QModelIndex cell = grid->model()->index(position - 1, column);
        grid->scrollTo(cell);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier,
                          grid->visualRect(cell).center());
        Settle();
    }
    // The operator types the number into the find box key by key and presses Enter.
    void FindByKeys(const QString& number) {
        MemberPage& page = Page();
        Clear(page.Text3);
        QTest::keyClicks(page.Text3, number);
        QTest::keyClick(page.Text3, Qt::Key_Return);
        Settle();
    }
    QStringList Panel() {
        MemberPage& page = Page();
        return {page.TxtUserID->text(),      page.LblBorrowCount->Caption(),
                page.LblAllMoney->Caption(), page.LblBuyCount->Caption(),
                page.LblBuyMoney->Caption(), page.LblMoney->Caption()};
    }
    void Rentals(const QString& member, int lines, double rent) {
        for (int i = 0; i < lines; ++i)
            Data().Add(ShopData::Rental(kTitle, No()).By(member).Money(rent));
    }
    void Sales(const QString& member, int lines, double money) {
        for (int i = 0; i < lines; ++i)
            Data().Add(ShopData::Sale(kTitle, No()).By(member).Money(money));
    }
    QString No() { return QString("%1").arg(++no_, 4, 10, QChar('0')); }

  private:
    int no_ = 0;
};

// A find moves the member as a click on the row does, and the panel tells the member found:
// from a member clicked, from another found, and with lines another program added meanwhile.
TEST_F(MemberStoredRowsTest, AFindShowsTheFiguresOfTheMemberFoundAsAClickDoes) {
    AddMember("000005", "张三", 20);
    AddMember("000010", "李四", 300);
    AddMember("000012", "王五");
    Rentals("000005", 3, 4.5);
    Sales("000005", 1, 30);
    Rentals("000010", 2, 7.25);
    Sales("000010", 3, 12);
    MemberPage& page = OpenPage();

    ClickCell(2);
    const QStringList clicked = Panel();
    EXPECT_EQ(clicked, (QStringList{"000010", "2次", "￥14.50", "3次", "￥36.00", "￥300.00"}));
    ClickCell(1);
    const QStringList first = Panel();
    EXPECT_EQ(first, (QStringList{"000005", "3次", "￥13.50", "1次", "￥30.00", "￥20.00"}));

    FindByKeys("000010");
    EXPECT_EQ(Panel(), clicked);
    FindByKeys("5");
    EXPECT_EQ(Panel(), first);
    FindByKeys("12");
    EXPECT_EQ(Panel(), (QStringList{"000012", "0次", "￥0.00", "0次", "￥0.00", "￥0.00"}));
    EXPECT_TRUE(page.Command10->isEnabled());

    // Lines written by another program while the page is open are read at the next find.
    Rentals("000010", 1, 5);
    FindByKeys("000010");
    EXPECT_EQ(Panel()[1], "3次");
    EXPECT_EQ(Panel()[2], "￥19.50");

    // A member found after a find that matched none.
    FindByKeys("777");
    EXPECT_EQ(Panel()[1], "0次");
    FindByKeys("000005");
    EXPECT_EQ(Panel(), first);
}

// A number kept as the file holds it is the member's own: a member whose number carries a
// blank beside one without is paid into, edited and left like any other.
TEST_F(MemberStoredRowsTest, ANumberWithATrailingBlankIsNoDuplicateOfItsNeighbour) {
    Sql("insert into userinfo (userid, username, money) values ('000001', '张三', 100), "
        "('000001 ', '李四', 10)");
    MemberPage& page = OpenPage();
    ASSERT_EQ(page.TxtUserID->text(), "000001");
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    ForgetPrompts();
    ASSERT_TRUE(LeavePage());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Stored("000001", "money"), "150.0");

    OpenPage();
    ClickCell(2);
    ASSERT_EQ(page.TxtUserID->text(), "000001 ");
    TypeKeys(page.TxtTele, "8888");
    TypeKeys(page.MebAddMoney, "5");
    Press(page.Command10);
    Press(page.Command16);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Stored("000001 ", "money"), "15.0");
    EXPECT_EQ(Stored("000001 ", "telephone"), "8888");
    EXPECT_EQ(Stored("000001", "money"), "150.0");

    // Made equal to its neighbour, the number is a duplicate, and the edit stays.
    TypeKeys(page.TxtUserID, "000001");
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    EXPECT_EQ(Prompts(), std::vector<QString>{MemberSave::RefusalMessage(
                             {MemberSave::Outcome::DuplicateNumber, 0, 0, "000001"})});
    TypeKeys(page.TxtUserID, "000002");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "username"), "李四");
    EXPECT_EQ(Count("select count(*) from userinfo"), 2);
}

// A member with a Null name in the file: what the operator undid is no edit, so nothing
// asks for a name and every way off the page is open; a real edit still asks for one.
TEST_F(MemberStoredRowsTest, AnEditUndoneLeavesNothingToSaveAndNoNameToInvent) {
    AddMember("000001", "张三");
    Sql("insert into userinfo (userid, JoinDate) values ('000002', '2024-3-7')");
    MemberPage& page = OpenPage();
    ClickCell(2);
    Type(page.TxtTele, "1");
    QTest::keyClick(page.TxtTele, Qt::Key_Backspace);
    Settle();
    ForgetPrompts();
    EXPECT_TRUE(LeavePage());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Stored("000002", "telephone"), "<null>");

    // The join date box entered and left, a pay-in refunded, the telephone box undone again:
    // while another program changes the member's address.
    OpenPage();
    ClickCell(2);
    Leave(page.MaskEdBox1, page.Text3);
    EXPECT_EQ(page.MaskEdBox1->Text(), "2024-03-07");
    TypeKeys(page.MebAddMoney, "50");
    Press(page.Command10);
    EXPECT_EQ(page.LblMoney->Caption(), "￥50.00");
    TypeKeys(page.MebAddMoney, "50");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command11);
    EXPECT_EQ(page.LblMoney->Caption(), "￥0.00");
    Type(page.TxtTele, "9");
    QTest::keyClick(page.TxtTele, Qt::Key_Backspace);
    Sql("update userinfo set address = '北京' where userid = '000002'");
    ForgetPrompts();
    Press(page.Command16);
    ClickCell(1);
    EXPECT_TRUE(Prompts().empty()) << "neither refused nor stale";
    EXPECT_EQ(page.TxtUserID->text(), "000001");
    EXPECT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "JoinDate"), "2024-3-7");
    EXPECT_EQ(Stored("000002", "money"), "<null>");
    EXPECT_EQ(Stored("000002", "address"), "北京");

    // A telephone typed and left is an edit: the name is asked for, and the edit kept.
    OpenPage();
    ClickCell(2);
    Type(page.TxtTele, "1");
    ForgetPrompts();
    EXPECT_FALSE(LeavePage());
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0],
              MemberSave::RefusalMessage({MemberSave::Outcome::EmptyName, 0, 0, "000002"}));
    QTest::keyClick(page.TxtTele, Qt::Key_Backspace);
    Settle();
    EXPECT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "telephone"), "<null>");

    // Another date is an edit, and so is the stored date typed back after it.
    OpenPage();
    ClickCell(2);
    TypeAndLeave(page.MaskEdBox1, "2024-3-8", page.Text3);
    TypeAndLeave(page.MaskEdBox1, "2024-03-07", page.Text3);
    Type(page.TxtUserName, "赵六");
    ASSERT_TRUE(LeavePage());
    EXPECT_EQ(Stored("000002", "JoinDate"), "2024-3-7");
    EXPECT_EQ(Stored("000002", "username"), "赵六");
}

// 999999 typed by hand for a member, or the name of a walk-in's sale written by another
// program, leaves new members the numbers never used, lowest first.
TEST_F(MemberStoredRowsTest, AMemberOrASaleNumbered999999LeavesTheUnusedNumbers) {
    AddMember("000001", "张三");
    AddMember("000002", "李四");
    MemberPage& page = OpenPage();
    Press(page.Command13);
    ASSERT_EQ(page.TxtUserID->text(), "000003");
    TypeKeys(page.TxtUserID, "999999");
    Type(page.TxtUserName, "王五");
    Press(page.Command16);
    EXPECT_EQ(Stored("999999", "username"), "王五");

    ForgetPrompts();
    Press(page.Command13);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(page.TxtUserID->text(), "000003");
    Type(page.TxtUserName, "赵六");
    Press(page.Command16);
    EXPECT_EQ(Stored("000003", "username"), "赵六");

    // The member numbered 999999 leaves; a walk-in's sale under that name, and a rental of
    // a member long gone, are written meanwhile.
    ClickCell(3);
    ASSERT_EQ(page.TxtUserID->text(), "999999");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Press(page.Command14);
    ASSERT_EQ(Count("select count(*) from userinfo where userid = '999999'"), 0);
    Sales("999999", 1, 20);
    Rentals("000004", 1, 3);
    ForgetPrompts();
    Press(page.Command13);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(page.TxtUserID->text(), "000005");
    EXPECT_EQ(Panel()[1], "0次");
}
