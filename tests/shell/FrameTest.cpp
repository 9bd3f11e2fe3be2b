#include <QAbstractItemView>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>

#include "catalogue/CataloguePage.h"
#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "platform/ui/Controls.h"
#include "reports/StatisticsPage.h"
#include "returns/ReturnPage.h"
#include "shell/Startup.h"
#include "tests/shell/MainWindowTest.h"

namespace {
class FrameTest : public MainWindowTest {
  protected:
    frmMain& Shown() {
        frmMain& main = LoadMainWindow();
        EXPECT_TRUE(ShowActive(&main));
        Settle();
        return main;
    }
    // A key released in the search box with the window's key preview in between.
    static void Release(frmMain& main, Qt::Key key, Qt::KeyboardModifiers modifiers) {
        QTest::keyClick(main.Counter->TxtFind, key, modifiers);
        Settle();
    }
    static int Page(frmMain& main) { return main.SSTab1->currentIndex(); }
};
}  // namespace

TEST_F(FrameTest, LoadShowsTheRentalCounterWithoutTabs) {
    frmMain& main = Shown();
    EXPECT_EQ(main.windowTitle(), "Vadrin光盘出租出售");
    EXPECT_EQ(Page(main), frmMain::kCounter);
    EXPECT_EQ(main.CounterMode, 1);
    EXPECT_EQ(main.Label42->Caption(), "出租服务");
    EXPECT_FALSE(main.SSTab1->tabBar()->isVisible());
    EXPECT_TRUE(main.Counter->Frame13->isVisible());
    EXPECT_FALSE(main.Counter->Frame14->isVisible());
    EXPECT_EQ(main.Returns()->CboSelTime->currentText(), "全部未还光盘");
    for (QComboBox* c : {main.Counter->CboDegree, main.Counter->CboStation})
        EXPECT_EQ(c->currentText(), "全部");
}

TEST_F(FrameTest, EmptyCatalogueShowsZerosTodayAndNoClassification) {
    frmMain& main = LoadMainWindow();
    CataloguePage* c = main.Catalogue();
    for (MaskEdBox* m : {c->MebBorrowPrice, c->MebSellPrice, c->MebMemberBorrowPrice,
                         c->MebMemberSellPrice, c->MebCount, c->MebPrice})
        EXPECT_EQ(m->Text(), "0") << m->objectName().toStdString();
    EXPECT_EQ(c->MebDate->Text(), "2026-12-08");
    EXPECT_EQ(c->CboType->currentIndex(), -1);
    EXPECT_EQ(c->CboMovieType->currentIndex(), -1);
}

TEST_F(FrameTest, EachPageButtonShowsItsPageCaptionAndLayout) {
    frmMain& main = Shown();
    struct Expect {
        int button, page;
        const char* caption;
    };
    const Expect expected[] = {{0, 4, "出租服务"}, {1, 3, "归还服务"}, {2, 2, "光盘管理"},
                               {3, 1, "数据统计"}, {4, 0, "系统维护"}, {5, 5, "会员管理"},
                               {6, 4, "出售服务"}};
    for (const Expect& e : expected) {
        main.Image3_Click(e.button);
        Settle();
        EXPECT_EQ(Page(main), e.page) << "button " << e.button;
        EXPECT_EQ(main.Label42->Caption(), e.caption);
    }
    // The last was the sale button: the sale layout shows.
    CounterPage* c = main.Counter;
    EXPECT_EQ(main.CounterMode, 2);
    EXPECT_FALSE(c->Frame13->isVisible());
    EXPECT_TRUE(c->Frame14->isVisible());
    EXPECT_FALSE(c->CmdBorrow->isVisible());
    EXPECT_TRUE(c->Command15->isVisible());
    EXPECT_FALSE(c->CboStation->isVisible());
    EXPECT_FALSE(c->Label17->isVisible());
    EXPECT_TRUE(c->Label58->isVisible());
    EXPECT_TRUE(c->dgDispCDInfo->isColumnHidden(4));
    EXPECT_TRUE(c->dgDispCDInfo->isColumnHidden(5));
    EXPECT_FALSE(c->dgDispCDInfo->isColumnHidden(6));
    EXPECT_FALSE(c->dgDispCDInfo->isColumnHidden(7));

    main.Image3_Click(0);
    Settle();
    EXPECT_EQ(main.CounterMode, 1);
    EXPECT_TRUE(c->Frame13->isVisible());
    EXPECT_TRUE(c->CboStation->isVisible());
    EXPECT_FALSE(c->dgDispCDInfo->isColumnHidden(4));
    EXPECT_TRUE(c->dgDispCDInfo->isColumnHidden(7));
    EXPECT_TRUE(c->TxtFind->hasFocus());
}

TEST_F(FrameTest, CtrlShortcutsNeedCtrlAlone) {
    frmMain& main = Shown();
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_R, frmMain::kReturns},    {Qt::Key_U, frmMain::kCatalogue},
        {Qt::Key_S, frmMain::kStatistics}, {Qt::Key_E, frmMain::kSettings},
        {Qt::Key_D, frmMain::kMembers},    {Qt::Key_B, frmMain::kCounter}};
    for (const auto& [key, page] : keys) {
        Release(main, key, Qt::ControlModifier);
        EXPECT_EQ(Page(main), page) << "key " << key;
    }
    Release(main, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(main.CounterMode, 2);
    Release(main, Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Page(main), frmMain::kCounter);
    Release(main, Qt::Key_R, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(Page(main), frmMain::kCounter);
    Release(main, Qt::Key_B, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(main.CounterMode, 2);  // Ctrl+Shift+B does nothing
}

TEST_F(FrameTest, FunctionKeysWorkWithAnyModifierInTheirOwnOrder) {
    frmMain& main = Shown();
    const std::pair<Qt::Key, int> keys[] = {
        {Qt::Key_F3, frmMain::kReturns},  {Qt::Key_F4, frmMain::kCatalogue},
        {Qt::Key_F5, frmMain::kMembers},  {Qt::Key_F6, frmMain::kStatistics},
        {Qt::Key_F7, frmMain::kSettings}, {Qt::Key_F8, frmMain::kCounter}};
    for (const auto& [key, page] : keys) {
        Release(main, key, Qt::NoModifier);
        EXPECT_EQ(Page(main), page) << "key " << key;
    }
    EXPECT_EQ(main.CounterMode, 2);
    for (Qt::KeyboardModifiers m :
         {Qt::KeyboardModifiers(Qt::ShiftModifier), Qt::KeyboardModifiers(Qt::ControlModifier),
          Qt::KeyboardModifiers(Qt::AltModifier)}) {
        main.Image3_Click(6);
        Release(main, Qt::Key_F2, m);
        EXPECT_EQ(main.CounterMode, 1);
        EXPECT_EQ(main.Label42->Caption(), "出租服务");
    }
}

TEST_F(FrameTest, AmountShortcutsFocusOnlyEnabledBoxes) {
    frmMain& main = Shown();
    main.ResetBasketPanels();
    ASSERT_FALSE(main.Counter->TxtCredence->isEnabled());
    Release(main, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(main.Counter->TxtFind->hasFocus());
    Release(main, Qt::Key_F9, Qt::NoModifier);
    EXPECT_TRUE(main.Counter->TxtFind->hasFocus());
    main.Counter->TxtCredence->setEnabled(true);
    Release(main, Qt::Key_O, Qt::ControlModifier);
    EXPECT_TRUE(main.Counter->TxtCredence->hasFocus());

    main.Image3_Click(6);
    Settle();
    main.Counter->MskFactSellMoney->setEnabled(true);
    QTest::keyClick(main.Counter->TxtFind, Qt::Key_F10);
    Settle();
    EXPECT_TRUE(main.Counter->MskFactSellMoney->hasFocus());
}

TEST_F(FrameTest, EscapeSetsSearchCancelUntilASearchClearsIt) {
    frmMain& main = Shown();
    EXPECT_FALSE(main.SearchCancel);
    QTest::keyClick(main.Counter->TxtFind, Qt::Key_Escape);
    EXPECT_TRUE(main.SearchCancel);
    QTest::keyClick(main.Counter->TxtFind, Qt::Key_A);
    EXPECT_TRUE(main.SearchCancel);
}

TEST_F(FrameTest, PressedLookMovesOnceAndComesBack) {
    frmMain& main = Shown();
    PictureButton* b = main.Image3[2];
    const QPoint rest = b->pos();
    EXPECT_EQ(b->TopTwips(), 60);
    main.Image3_MouseDown(2);
    EXPECT_EQ(b->pos(), rest + QPoint(1, 2));
    main.Image3_MouseDown(2);  // already down: stays
    EXPECT_EQ(b->pos(), rest + QPoint(1, 2));
    main.Image3_MouseUp(2);
    EXPECT_EQ(b->pos(), rest);
    main.Image3_MouseUp(2);  // already up: stays
    EXPECT_EQ(b->pos(), rest);

    // Pressed with the mouse and released outside the button: it still comes back.
    QTest::mousePress(b, Qt::LeftButton, Qt::NoModifier, QPoint(10, 10));
    EXPECT_EQ(b->pos(), rest + QPoint(1, 2));
    QTest::mouseRelease(b, Qt::LeftButton, Qt::NoModifier, QPoint(400, 300));
    EXPECT_EQ(b->pos(), rest);
}

TEST_F(FrameTest, HintBlinksOnlyWhileTheReturnPageShows) {
    frmMain& main = Shown();
    main.Image3_Click(4);
    EXPECT_FALSE(main.Timer1->isActive());
    main.Image3_Click(1);
    EXPECT_TRUE(main.Timer1->isActive());
    EXPECT_EQ(main.Timer1->interval(), 200);
    const bool before = main.Returns()->Label68Red();
    main.Timer1_Timer();
    EXPECT_NE(main.Returns()->Label68Red(), before);
    main.Timer1_Timer();
    EXPECT_EQ(main.Returns()->Label68Red(), before);
    for (int button : {0, 2, 3, 4, 5, 6}) {
        main.Image3_Click(1);
        main.Image3_Click(button);
        EXPECT_FALSE(main.Timer1->isActive()) << "button " << button;
    }
}

TEST_F(FrameTest, ActivationFollowsTheWindowAndFocusesTheSearchBox) {
    frmMain& main = Shown();
    EXPECT_TRUE(main.IsActive);
    main.Image3_Click(1);
    main.Form_Deactivate();
    EXPECT_FALSE(main.IsActive);
    main.Counter->TxtCredence->setEnabled(true);
    main.Counter->TxtCredence->setFocus();
    main.Form_Activate();
    EXPECT_TRUE(main.IsActive);
    EXPECT_TRUE(main.Returns()->TxtFindBack->hasFocus());
}

TEST_F(FrameTest, PointerOverABackgroundTakesTheLinkUnderlinesOff) {
    frmMain& main = Shown();
    for (Label* l : main.Statistics()->LblReport) {
        QFont f = l->font();
        f.setUnderline(true);
        l->setFont(f);
    }
    main.Image1_MouseMove();
    for (int i = 0; i <= 5; ++i) EXPECT_FALSE(main.Statistics()->IsUnderlined(i));
    EXPECT_TRUE(main.Statistics()->IsUnderlined(6));
}

TEST_F(FrameTest, MembersButtonOpensTheMemberListAfreshEachTime) {
    Sql("insert into userinfo (userid, username, telephone, address, money) "
        "values ('000001', '张三', '123', '北京', 10)");
    frmMain& main = Shown();
    main.Image3_Click(5);
    Recordset* first = main.Members()->adoUser.get();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->RecordCount(), 1);
    EXPECT_EQ(main.Members()->TxtUserName->text(), "张三");
    Sql("insert into userinfo (userid, username) values ('000002', '李四')");
    main.Image3_Click(5);
    EXPECT_EQ(main.Members()->adoUser->RecordCount(), 2);
    EXPECT_TRUE(main.Members()->Text3->hasFocus());
}

namespace {
// What the operator types into, picks from or presses: the program's own controls, each named
// (not the parts Qt builds them of).
bool IsControl(const QWidget* w) {
    if (w->objectName().isEmpty()) return false;
    return qobject_cast<const QAbstractButton*>(w) || qobject_cast<const QLineEdit*>(w) ||
           qobject_cast<const QComboBox*>(w) || qobject_cast<const QAbstractItemView*>(w) ||
           qobject_cast<const QPlainTextEdit*>(w);
}

// The controls of the page shown that are not wholly on the window: outside it, or cut by
// the frame they stand in.
QStringList ControlsOffTheWindow(frmMain& main) {
    QStringList off;
    for (QWidget* w : main.SSTab1->currentWidget()->findChildren<QWidget*>()) {
        if (!IsControl(w) || !w->isVisible()) continue;
        const QRect onWindow(w->mapTo(&main, QPoint(0, 0)), w->size());
        if (!main.rect().contains(onWindow) || w->visibleRegion().boundingRect() != w->rect())
            off << QString("%1 %2x%3+%4+%5")
                       .arg(w->objectName())
                       .arg(onWindow.width())
                       .arg(onWindow.height())
                       .arg(onWindow.x())
                       .arg(onWindow.y());
    }
    return off;
}
}  // namespace

// The test screen is a 1366 x 768 laptop's less its 40-pixel panel: the window, too large
// for it at its opening size, fills it, and every control of every page, the baskets' boxes
// and buttons at the foot of the counter included, is on it.
TEST_F(FrameTest, OnALaptopScreenTheWindowFillsTheWorkAreaWithEveryControlOnIt) {
    frmMain& main = Shown();
    const QRect area = main.screen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(1366, 728));
    EXPECT_TRUE(main.isMaximized());
    EXPECT_TRUE(area.contains(main.frameGeometry()))
        << main.frameGeometry().height() << " high on " << area.height();
    for (int button = 0; button < frmMain::kPageButtons; ++button) {
        main.Image3_Click(button);
        Settle();
        EXPECT_EQ(ControlsOffTheWindow(main), QStringList()) << "page button " << button;
    }
    CounterPage* c = main.Counter;
    for (QWidget* w :
         std::initializer_list<QWidget*>{c->lvwSell, c->MskFactSellMoney, c->CmdSellEdit,
                                         c->CmdDelSellCD, c->CmdSellTax, c->Command15})
        EXPECT_TRUE(w->isVisible()) << "counted above, in the sale layout";
    main.Image3_Click(0);
    Settle();
    for (QWidget* w : std::initializer_list<QWidget*>{
             c->LvwReturn, c->TxtCredence, c->CmdBorrowEdit, c->CmdDel, c->CmdTax, c->CmdBorrow})
        EXPECT_TRUE(w->isVisible()) << "counted above, in the rental layout";

    // Restored, it keeps a size that fits the work area.
    main.showNormal();
    Settle();
    EXPECT_LE(main.frameGeometry().height(), area.height());
    EXPECT_LE(main.frameGeometry().width(), area.width());
}

using StartupWindowTest = MainWindowTest;

TEST_F(StartupWindowTest, AfterMainTheBasketPanelsAreEmptyAndDisabled) {
    gConn.Close();
    SetToday(2026, 12, 20);
    Main();
    ASSERT_TRUE(frmMain::isLoaded());
    CounterPage* c = frmMain::instance().Counter;
    EXPECT_EQ(c->LblNotBackCount->Caption(), "0");
    EXPECT_EQ(c->LblMoneyBorrowCreSum->Caption(), "0");
    EXPECT_EQ(c->TxtCredence->text(), "");
    // The sale panel shows what the closing of a sale leaves, its amount box empty.
    EXPECT_EQ(c->LblSellCount->Caption(), "0");
    EXPECT_EQ(c->LblSellMoney->Caption(), "0");
    EXPECT_EQ(c->MskFactSellMoney->Text(), "");
    for (QWidget* w : std::initializer_list<QWidget*>{
             c->TxtCredence, c->CmdTax, c->CmdDel, c->CmdBorrowEdit, c->CmdSellTax, c->CmdDelSellCD,
             c->CmdSellEdit, c->MskFactSellMoney})
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    CataloguePage* cat = frmMain::instance().Catalogue();
    for (QWidget* w : cat->EntryControls()) EXPECT_TRUE(w->isEnabled());
    EXPECT_TRUE(frmMain::instance().isVisible());
}

// Start-up paints the background of the page shown only; another page is painted when it
// is shown, to its size, and again after the window changed size.
TEST_F(FrameTest, OnlyThePagesShownHaveTheirBackgroundPainted) {
    frmMain& main = Shown();
    const auto painted = [&](int page) {
        return main.Image1[page] && !main.Image1[page]->pixmap().isNull() &&
               main.Image1[page]->pixmap().size() == main.SSTab1->widget(page)->size();
    };
    EXPECT_TRUE(painted(frmMain::kCounter));
    EXPECT_FALSE(painted(frmMain::kSettings));
    main.Image3_Click(4);
    EXPECT_TRUE(painted(frmMain::kSettings));
    main.resize(main.width() + 40, main.height() + 30);
    Settle();
    EXPECT_TRUE(painted(frmMain::kSettings));
    main.Image3_Click(0);
    EXPECT_TRUE(painted(frmMain::kCounter));
}

// The catalogue is read when it is first needed: showing its page, or a window asking the
// main window for it.
TEST_F(FrameTest, TheCatalogueIsReadWhenFirstNeeded) {
    Data().Add(ShopData::Title("030100000001", "英雄"));
    frmMain& main = Shown();
    EXPECT_EQ(main.Catalogue()->adoCDInfo, nullptr);
    ASSERT_NE(main.adoCDInfo(), nullptr);
    EXPECT_EQ(main.adoCDInfo()->RecordCount(), 1);
    EXPECT_EQ(main.Catalogue()->TxtName->text(), "英雄");
}
