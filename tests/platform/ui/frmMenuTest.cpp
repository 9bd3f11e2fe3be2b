#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <memory>

#include "platform/ui/ListView.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/frmMenu.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {
// A list of copies with check boxes, as the check-out and return dialogs hold them, and
// the operator's choice in the pop-up menu given by the item's caption.
class frmMenuTest : public ::testing::Test {
  protected:
    void SetUp() override {
        lvw = std::make_unique<ListView>();
        lvw->SetCheckboxes(true);
        lvw->ColumnHeaders().Add("Copy", "光盘", 1600);
        QObject::connect(lvw.get(), &ListView::ItemCheck, [this](ListItem*) { ++itemChecks; });
    }
    void TearDown() override {
        ClearPopupMenuResponder();
        frmMenu::unload();
        Settle();
    }
    void AddCopies(int n) {
        for (int i = 1; i <= n; ++i) lvw->ListItems().Add(0, "", QString("第%1张盘").arg(i));
    }
    // The operator will pick the item with this caption (or close the menu: empty).
    void WillChoose(const QString& caption) {
        SetPopupMenuResponder([this, caption](QMenu* menu) -> QAction* {
            shownMenus << menu->objectName();
            for (QAction* a : menu->actions())
                if (a->text() == caption) return a;
            return nullptr;
        });
    }
    int Ticked() const {
        int n = 0;
        for (int i = 1; i <= lvw->ListItems().Count(); ++i) n += lvw->ListItems()(i)->Checked();
        return n;
    }

    std::unique_ptr<ListView> lvw;
    int itemChecks = 0;
    QStringList shownMenus;
};
}  // namespace

TEST_F(frmMenuTest, TheMenuHoldsItsTwoItemsInOrderAndIsNeverShown) {
    frmMenu& m = frmMenu::instance();
    ASSERT_EQ(m.a->actions().size(), 2);
    EXPECT_EQ(m.a->actions()[0], m.mnuSelAll);
    EXPECT_EQ(m.mnuSelAll->text(), "全部选中");
    EXPECT_EQ(m.mnuClearAll->text(), "全部取消");
    EXPECT_FALSE(m.isVisible());
}

TEST_F(frmMenuTest, SelectAllThenClearAllOnFiveCopies) {
    AddCopies(5);
    lvw->ListItems()(2)->SetChecked(true);
    WillChoose("全部选中");
    frmMenu::PopUpOver(lvw.get());
    EXPECT_EQ(Ticked(), 5);
    EXPECT_EQ(frmMenu::instance().MnuID, 0);
    EXPECT_EQ(frmMenu::instance().LvwSel, lvw.get());

    WillChoose("全部取消");
    frmMenu::PopUpOver(lvw.get());
    EXPECT_EQ(Ticked(), 0);
    EXPECT_EQ(frmMenu::instance().MnuID, 1);
    EXPECT_EQ(itemChecks, 0) << "ticks from code raise no ItemCheck";
}

TEST_F(frmMenuTest, OnAnEmptyListTheItemsOnlySetMnuID) {
    WillChoose("全部取消");
    frmMenu::PopUpOver(lvw.get());
    EXPECT_EQ(frmMenu::instance().MnuID, 1);
    WillChoose("全部选中");
    frmMenu::PopUpOver(lvw.get());
    EXPECT_EQ(frmMenu::instance().MnuID, 0);
    EXPECT_EQ(lvw->ListItems().Count(), 0);
}

TEST_F(frmMenuTest, ClosingTheMenuWithoutAChoiceKeepsTheBoxesAndMnuID) {
    AddCopies(3);
    WillChoose("全部取消");
    frmMenu::PopUpOver(lvw.get());
    WillChoose("");
    frmMenu::PopUpOver(lvw.get());
    EXPECT_EQ(Ticked(), 0);
    EXPECT_EQ(frmMenu::instance().MnuID, 1);
}

// The list's window went away while the menu still pointed at it: a later choice touches
// nothing that is gone.
TEST_F(frmMenuTest, AListThatIsGoneIsNotTouched) {
    AddCopies(2);
    WillChoose("全部选中");
    frmMenu::PopUpOver(lvw.get());
    lvw.reset();
    EXPECT_TRUE(frmMenu::instance().LvwSel.isNull());
    frmMenu::instance().mnuClearAll->trigger();
    EXPECT_EQ(frmMenu::instance().MnuID, 1);
}

TEST_F(frmMenuTest, RightButtonReleasedOverTheListPopsTheMenuUp) {
    AddCopies(5);
    frmMenu::AttachTo(lvw.get());
    lvw->resize(200, 200);
    lvw->show();
    WillChoose("全部选中");
    QTest::mouseClick(lvw->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_TRUE(shownMenus.isEmpty()) << "the left button does not pop it up";
    QTest::mouseClick(lvw->viewport(), Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(shownMenus, QStringList{"a"});
    EXPECT_EQ(Ticked(), 5);
}
