#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>

#include "platform/ui/MaskEdBox.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/VbKeys.h"
#include "platform/ui/frmMenu.h"
#include "tests/returns/ReturnsTest.h"

namespace {
const QString kHero = "030100000001";   // 英雄, per day
const QString kTiger = "030100000002";  // 卧虎藏龙, "每次"
const QString kLines = "030100000003";  // 十面埋伏, per day
const char* const kTwoAndAHalfDaysAgo = "2026-12-05 22:00:00";
}  // namespace

class ReturnDialogTest : public ReturnsTest {
  protected:
    void SetUp() override {
        ReturnsTest::SetUp();
        AddTitle(kHero, "英雄", 2, 1);
        AddTitle(kTiger, "卧虎藏龙", 5, 4, "每次");
        AddTitle(kLines, "十面埋伏", 3, 3);
    }
    // A walk-in customer with two titles: three copies per day and one copy "每次".
    void AddWalkInWithTwoTitles() {
        AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#&3#", 30));
        AddLine(Line(kTiger, "0001", "李四", kTwoAndAHalfDaysAgo, "&2#", 10));
    }
    static QStringList Row(frmControlBack& d, int row) {
        ListItem* item = d.LvwBack->ListItems().Item(row);
        QStringList cells{item->Text()};
        for (const char* key : {"ID", "MovieName", "Station", "IsPay", "BorrowCount", "InCount",
                                "OutCount", "OutDayCount"})
            cells << item->SubItem(key);
        return cells;
    }
    // 归还数量, 未还光盘数量, 已付租金的光盘数量, 未付租金的光盘数量, 已还光盘数量.
    static QStringList Counts(frmControlBack& d) {
        return {d.LblBackCountSum->Caption(), d.LblNotReturnCount->Caption(),
                d.LblIsPayBackCount->Caption(), d.LblIsNotPayBackCount->Caption(),
                d.LblReturnCount->Caption()};
    }
    static void Command4OnRow(frmControlBack& d, int row) {
        ShowRow(d, row);
        d.Command4->click();
    }
    static QString Rent(frmControlBack& d) { return d.LblPlanBackSum->Caption(); }
    static QString Deposit(frmControlBack& d) { return d.LblCrePlanBackSum->Caption(); }
};

TEST_F(ReturnDialogTest, OpeningListsEveryOpenLineOfTheCustomerWithItsRentAndDeposit) {
    AddWalkInWithTwoTitles();
    AddLine(Line(kLines, "0002", "王五", kTwoAndAHalfDaysAgo, "&1#", 7));  // someone else's
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(d.windowTitle(), "归还登记");
    EXPECT_EQ(d.LblBackName->Caption(), "李四");
    ASSERT_EQ(d.LvwBack->ListItems().Count(), 2);
    EXPECT_EQ(Row(d, 1), QStringList({"0301000000010001", kHero, "英雄", "", "未付租金", "3", "0",
                                      "3", "2天"}))
        << "two and a half days count 2";
    EXPECT_EQ(Row(d, 2), QStringList({"0301000000020001", kTiger, "卧虎藏龙", "", "未付租金", "1",
                                      "0", "1", "2天"}));
    EXPECT_EQ(Rent(d), "￥17.00") << "3 copies x 2 days x 2, and 5 once for the 每次 copy";
    EXPECT_EQ(d.MskPlanBackSum->Text(), "￥17.00");
    EXPECT_EQ(Deposit(d), "￥40.00");
    EXPECT_EQ(Counts(d), QStringList({"4", "4", "0", "4", "0"}));
    EXPECT_EQ(d.LblCDID->Caption(), kHero);
    EXPECT_EQ(d.LblMovieName->Caption(), "英雄");
    EXPECT_EQ(d.LblDayCount->Caption(), "2天");
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘✓", "第3张盘✓"}));
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
}

// The rental key shows its 16 digits whole: the column is wider than the text and the
// cell's margins, which is where Qt cuts a text short with "…".
TEST_F(ReturnDialogTest, TheRentalKeyColumnShowsTheWholeKey) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    ShowActive(&d);
    ListItem* item = d.LvwBack->ListItems().Item(1);
    ASSERT_EQ(item->Text().size(), 16);
    const int margins =
        2 * (d.LvwBack->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, d.LvwBack) + 1);
    EXPECT_GE(d.LvwBack->columnWidth(0),
              d.LvwBack->fontMetrics().horizontalAdvance(item->Text()) + margins);
}

TEST_F(ReturnDialogTest, AMemberPaysTheMemberRent) {
    AddMember("000001", 0);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#&2#&3#"));
    AddLine(Line(kTiger, "0002", "000001", "2026-12-08 09:00:00", "&1#&3#"));
    frmControlBack& d = OpenDialog("000001");
    EXPECT_EQ(Rent(d), "￥14.00") << "3 x 2 days x 1, and 2 x 4";
}

TEST_F(ReturnDialogTest, CopiesBackEarlierPayUpToTheirReturnAndRentReceivedIsNotTakenOffAgain) {
    // Three unpaid copies rented five days ago; copy 1 came back two days after.
    AddLine(Line(kHero, "0001", "李四", "2026-12-03 10:00:00", "&1#&2#&3#").Money(7, 0));
    AddReturn(kHero + "0001", "0001", "2026-12-05 10:00:00", "&1#");
    // Copies 12 and 112, 112 unpaid; copy 12 came back: "&112#" does not make it unpaid.
    AddTitle("030100000009", "阿甘正传", 1, 1);
    Sql("update cdinfo set count = 120 where cdid = '030100000009'");
    AddLine(Line("030100000009", "0002", "李四", "2026-12-07 10:00:00", "&12#&112#")
                .Set("isnotpaylst", "&112#"));
    AddReturn("0301000000090002", "0003", "2026-12-08 10:00:00", "&12#");
    // A line whose rent was all paid before: its unpaid list is a blank.
    AddLine(Line(kTiger, "0004", "李四", "2026-12-08 09:00:00", "&3#").Set("isnotpaylst", " "));
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(Row(d, 3).mid(4, 1), QStringList({"已付租金"}));
    Command4OnRow(d, 3);
    EXPECT_EQ(Row(d, 1).mid(4), QStringList({"未付租金", "3", "1", "2", "5天"}));
    EXPECT_EQ(Row(d, 2).mid(4), QStringList({"付部分租金", "2", "1", "1", "1天"}));
    // copy 1: 2 days x 2; copies 2 and 3: 5 days x 2 each; copy 112: 1 day x 1. Copy 12
    // was paid, so its return adds nothing; the 7 received before is not taken off again.
    EXPECT_EQ(Rent(d), "￥25.00");
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓", "第3张盘✓"}));
    EXPECT_EQ(Counts(d), QStringList({"3", "3", "0", "3", "2"}));
}

TEST_F(ReturnDialogTest, UnticksTurnTheLineSwitchesOffAndTheTotalsFollowTheSwitches) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    Tick(d, 1, false);
    EXPECT_FALSE(d.Check1->isChecked());
    EXPECT_FALSE(d.Check2->isChecked());
    EXPECT_EQ(Rent(d), "￥5.00") << "the line's rent is held back with its switch";
    EXPECT_EQ(Deposit(d), "￥10.00");
    EXPECT_EQ(Counts(d), QStringList({"3", "3", "2", "1", "0"}));
    EXPECT_TRUE(Prompts().empty()) << "the switches follow the copies without a question";

    // The operator takes the rent of the two copies coming back.
    Click(d.Check1);
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Rent(d), "￥13.00");
    EXPECT_EQ(Counts(d), QStringList({"3", "3", "0", "3", "0"}));
    Click(d.Check1);
    Click(d.Check1);
    EXPECT_EQ(Rent(d), "￥13.00") << "off and on again leaves the total as it was";

    // Ticking the last unticked copy turns both switches on: the rent and the deposit of
    // the line count once, not twice.
    Tick(d, 1, true);
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
    EXPECT_EQ(Rent(d), "￥17.00");
    EXPECT_EQ(Deposit(d), "￥40.00");
    Tick(d, 2, false);
    Click(d.Check2);  // give the deposit back although a copy stays out
    EXPECT_EQ(Prompts().back(), "还有光盘没有归还，真的要退还押金吗？");
    EXPECT_EQ(Deposit(d), "￥10.00") << "answered No: nothing changes";
    EXPECT_FALSE(d.Check2->isChecked());
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check2);
    EXPECT_EQ(Deposit(d), "￥40.00");
    Tick(d, 2, true);
    EXPECT_EQ(Deposit(d), "￥40.00");
    EXPECT_EQ(Rent(d), "￥17.00");
}

TEST_F(ReturnDialogTest, TurningASwitchOffWithEveryCopyBackAsksFirst) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    Click(d.Check1);
    EXPECT_EQ(MsgBoxLog::Get().Calls().back().title, "支付租金");
    EXPECT_EQ(Prompts().back(), "光盘已全部归还，真的不付租金吗？");
    EXPECT_TRUE(d.Check1->isChecked()) << "No keeps the rent";
    EXPECT_EQ(Rent(d), "￥17.00");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check1);
    EXPECT_FALSE(d.Check1->isChecked());
    EXPECT_EQ(Rent(d), "￥5.00");
    EXPECT_TRUE(d.Check2->isChecked()) << "the other switch is left alone";

    Click(d.Check2);
    EXPECT_EQ(Prompts().back(), "光盘已全部归还，真的不退还押金吗？");
    EXPECT_EQ(MsgBoxLog::Get().Calls().back().title, "退还押金");
    EXPECT_TRUE(d.Check2->isChecked());
    EXPECT_EQ(Deposit(d), "￥40.00");
}

TEST_F(ReturnDialogTest, EachLineKeepsTheOperatorsTicksWhileOtherLinesAreShown) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    Tick(d, 2, false);
    ShowRow(d, 2);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓"}));
    EXPECT_TRUE(d.Check1->isChecked());
    ShowRow(d, 1);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘", "第3张盘✓"}));
    EXPECT_FALSE(d.Check1->isChecked());
    EXPECT_EQ(d.Lines().Line(0).TickedCopies(), std::vector<int>({1, 3}));
}

TEST_F(ReturnDialogTest, TheRightButtonMenuTicksOrUnticksEveryCopyAsTheOperatorWould) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    SetPopupMenuResponder([](QMenu*) { return frmMenu::instance().mnuClearAll; });
    d.ListView1_MouseDown(vbRightButton, 0, 0, 0);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘", "第2张盘", "第3张盘"}));
    EXPECT_FALSE(d.Check1->isChecked());
    EXPECT_EQ(Rent(d), "￥5.00");
    EXPECT_EQ(Counts(d), QStringList({"1", "1", "0", "1", "0"}));
    SetPopupMenuResponder([](QMenu*) { return nullptr; });
    d.ListView1_MouseDown(vbRightButton, 0, 0, 0);
    EXPECT_EQ(Counts(d), QStringList({"1", "1", "0", "1", "0"})) << "closed without a choice";
    d.ListView1_MouseDown(vbLeftButton, 0, 0, 0);
    SetPopupMenuResponder([](QMenu*) { return frmMenu::instance().mnuSelAll; });
    d.ListView1_MouseDown(vbRightButton, 0, 0, 0);
    ClearPopupMenuResponder();
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘✓", "第3张盘✓"}));
    EXPECT_TRUE(d.Check1->isChecked());
    EXPECT_TRUE(d.Check2->isChecked());
    EXPECT_EQ(Rent(d), "￥17.00");
    EXPECT_EQ(Deposit(d), "￥40.00");
}

TEST_F(ReturnDialogTest, PledgesAreWholeItemsListedOnceAndFollowTheDepositSwitch) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#", 0, "身份证复印件"));
    AddLine(Line(kTiger, "0001", "李四", kTwoAndAHalfDaysAgo, "&2#", 0, "身份证复印件"));
    AddLine(Line(kLines, "0002", "李四", kTwoAndAHalfDaysAgo, "&1#", 0, "身份证"));
    AddLine(Line(kHero, "0003", "李四", kTwoAndAHalfDaysAgo, "&2#", 0, "学生证")
                .Set("IsReturnGuaranty", 1));
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(d.lblCre->text(), "身份证复印件,身份证") << "a given-back pledge is not listed";
    ShowRow(d, 4);
    ASSERT_EQ(d.LblCDID->Caption(), kLines);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check2);
    EXPECT_EQ(d.lblCre->text(), "身份证复印件");
    Click(d.Check2);
    EXPECT_EQ(d.lblCre->text(), "身份证复印件,身份证");
    ShowRow(d, 1);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check2);
    EXPECT_EQ(d.lblCre->text(), "身份证复印件,身份证") << "the other line still gives it back";
    for (int i = 0; i < 3; ++i) d.Command4_Click();  // 不还这张: the first line leaves
    ASSERT_EQ(d.LvwBack->ListItems().Count(), 1);
    EXPECT_EQ(d.lblCre->text(), "身份证");
}

TEST_F(ReturnDialogTest, LeavingLinesOutTakesThemOffTheTotalsAndTheLastLeavesNothingToAct) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    d.Command4->click();
    ASSERT_EQ(d.LvwBack->ListItems().Count(), 1);
    EXPECT_EQ(d.LblCDID->Caption(), kTiger) << "the first remaining line is shown";
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓"}));
    EXPECT_EQ(Rent(d), "￥5.00");
    EXPECT_EQ(Deposit(d), "￥10.00");
    EXPECT_EQ(Counts(d), QStringList({"1", "1", "0", "1", "0"}));
    d.Command4->click();
    EXPECT_EQ(d.LvwBack->ListItems().Count(), 0);
    EXPECT_TRUE(Items(d.ListView1).isEmpty());
    EXPECT_EQ(Rent(d), "￥0.00");
    EXPECT_FALSE(d.Command4->isEnabled());
    EXPECT_FALSE(d.Check1->isEnabled());
    d.Command4_Click();  // no line selected: nothing happens
    d.Check1_Click();
    d.Check2_Click();
    EXPECT_EQ(Rent(d), "￥0.00");
}

TEST_F(ReturnDialogTest, ClosingLaterWritesNothingAndNamesWithQuotesAreShownAsTyped) {
    AddLine(Line(kHero, "0001", "O'Brien", kTwoAndAHalfDaysAgo, "&1#&2#", 0, "张'三的证"));
    const QStringList before = Dump();
    OpenPage();
    frmControlBack::instance().OpenFor("O'Brien");
    frmControlBack& d = frmControlBack::instance();
    EXPECT_EQ(d.LblBackName->Caption(), "O'Brien");
    EXPECT_EQ(d.lblCre->text(), "张'三的证");
    Tick(d, 1, false);
    Click(d.Check1);
    d.TxtRemark->setText("坏了一张'");
    d.Command2->click();
    Settle();
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Dump(), before);
}

TEST_F(ReturnDialogTest, TheCustomerNameOpensTheMemberWindowModal) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    d.LblBackName_Click();
    EXPECT_EQ(Host().MemberInfoShown(), QStringList({"李四 modal"}));
}

TEST_F(ReturnDialogTest, ARentalDatedAfterTheClockCountsOneDayAndItsRentIsTakenAsShown) {
    // The clock was set back: the rental and a return of one copy lie in the future.
    AddLine(Line(kHero, "0001", "李四", "2026-12-10 18:00:00", "&1#&2#&3#"));
    AddReturn(kHero + "0001", "0001", "2026-12-09 09:00:00", "&3#");
    ReturnPage& page = OpenPage();
    EXPECT_EQ(Caption(page.LblTheoryMoney), "￥6.00") << "a day for the copy back, two out";
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(Row(d, 1).mid(5), QStringList({"3", "1", "2", "1天"}));
    EXPECT_EQ(d.LblDayCount->Caption(), "1天");
    EXPECT_EQ(Rent(d), "￥6.00") << "copy 3 up to its return and copies 1 and 2, a day each";
    EXPECT_EQ(d.MskPlanBackSum->Text(), "￥6.00");
    Tick(d, 1, false);
    EXPECT_EQ(Rent(d), "￥0.00") << "the rent switch went off with the copy";
    Click(d.Check1);
    EXPECT_EQ(Rent(d), "￥4.00");
    SettleAndPay(d);
    EXPECT_TRUE(Prompts().empty()) << "the amount it filled in itself is taken";
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Query1("select [money] from borrowinfo"), "4.0");
}

TEST_F(ReturnDialogTest, APressOnALineReleasedOffItShowsThatLineAndItsTicksGoToIt) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    ASSERT_TRUE(ShowActive(&d));
    Settle();
    QWidget* rows = d.LvwBack->viewport();
    const QPoint second = d.LvwBack->visualItemRect(d.LvwBack->ListItems().Item(2)).center();
    const QPoint off(second.x(), rows->height() + 40);
    QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, second);
    QTest::mouseMove(rows, off);
    QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, off);
    Settle();
    ASSERT_EQ(d.LvwBack->SelectedItem(), d.LvwBack->ListItems().Item(2));
    EXPECT_EQ(d.LblCDID->Caption(), kTiger);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓"})) << "the copies of the current line";

    ListItem* copy = d.ListView1->ListItems().Item(1);
    QTest::mouseClick(d.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier,
                      CheckBoxCentre(d.ListView1, copy));
    Settle();
    EXPECT_FALSE(copy->Checked());
    EXPECT_TRUE(d.Lines().Line(1).TickedCopies().empty()) << "the tick went to the line shown";
    EXPECT_EQ(d.Lines().Line(0).TickedCopies(), std::vector<int>({1, 2, 3}));
    EXPECT_EQ(Rent(d), "￥12.00") << "the 每次 copy's rent is held back with its switch";
    EXPECT_FALSE(d.Check1->isChecked());

    // The keyboard moves the current line too.
    d.LvwBack->setFocus();
    QTest::keyClick(d.LvwBack, Qt::Key_Up);
    Settle();
    EXPECT_EQ(d.LblCDID->Caption(), kHero);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘✓", "第3张盘✓"}));
    EXPECT_TRUE(d.Check1->isChecked());
}

// The operator presses on one line and lets go over another: no click, but the line under the
// pointer became current while the button was held. The panel follows it both ways, and a
// tick goes into the line whose copies are shown, never the one pressed first.
TEST_F(ReturnDialogTest, APressOnOneLineReleasedOnAnotherShowsTheLineItEndsOn) {
    AddWalkInWithTwoTitles();
    frmControlBack& d = OpenDialog("李四");
    ASSERT_TRUE(ShowActive(&d));
    Settle();
    QWidget* rows = d.LvwBack->viewport();
    const auto centre = [&](int row) {
        return d.LvwBack->visualItemRect(d.LvwBack->ListItems().Item(row)).center();
    };
    const auto dragFromTo = [&](int from, int to) {
        QTest::mousePress(rows, Qt::LeftButton, Qt::NoModifier, centre(from));
        QTest::mouseMove(rows, centre(to));
        QTest::mouseRelease(rows, Qt::LeftButton, Qt::NoModifier, centre(to));
        Settle();
    };

    dragFromTo(1, 2);
    ASSERT_EQ(d.LvwBack->SelectedItem(), d.LvwBack->ListItems().Item(2));
    EXPECT_EQ(d.LblCDID->Caption(), kTiger);
    EXPECT_EQ(d.LblMovieName->Caption(), "卧虎藏龙");
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓"}));

    dragFromTo(2, 1);
    ASSERT_EQ(d.LvwBack->SelectedItem(), d.LvwBack->ListItems().Item(1));
    EXPECT_EQ(d.LblCDID->Caption(), kHero);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘✓", "第3张盘✓"}));

    // Copy 3 of the line shown is unticked: 英雄 keeps it, 卧虎藏龙 keeps its copy.
    ListItem* third = d.ListView1->ListItems().Item(3);
    QTest::mouseClick(d.ListView1->viewport(), Qt::LeftButton, Qt::NoModifier,
                      CheckBoxCentre(d.ListView1, third));
    Settle();
    EXPECT_FALSE(third->Checked());
    EXPECT_EQ(d.Lines().Line(0).TickedCopies(), std::vector<int>({1, 2}));
    EXPECT_EQ(d.Lines().Line(1).TickedCopies(), std::vector<int>({2}));
    EXPECT_FALSE(d.Check1->isChecked());
    EXPECT_EQ(Rent(d), "￥5.00") << "英雄's rent held back with its switch, 卧虎藏龙's 5 stays";

    dragFromTo(1, 2);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第2张盘✓"})) << "its own tick, untouched";
    dragFromTo(2, 1);
    EXPECT_EQ(Items(d.ListView1), QStringList({"第1张盘✓", "第2张盘✓", "第3张盘"}));
}
