// The member page and the member information window in the main window: the labels of
// the counter and the return page, the page left by its buttons and shortcuts, and closing.
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QTimer>

#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "platform/ui/Controls.h"
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
