#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/ui/ControlEvents.h"
#include "platform/ui/FormOf.h"
#include "platform/ui/SendKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

// A window laid out as the main window is: pages on a tab widget whose tab bar is hidden,
// the first page holding boxes that log their focus events, a hidden and a disabled
// control between them.
class frmPages : public FormOf<frmPages> {
  public:
    frmPages() {
        setObjectName("frmPages");
        auto* layout = new QVBoxLayout(this);
        Tabs = new QTabWidget(this);
        layout->addWidget(Tabs);
        auto* first = new QWidget;
        auto* rows = new QVBoxLayout(first);
        First = Box("First", rows);
        Hidden = Box("Hidden", rows);
        Disabled = new QPushButton("Disabled");
        rows->addWidget(Disabled);
        Last = Box("Last", rows);
        auto* second = new QWidget;
        OtherPage = Box("OtherPage", new QVBoxLayout(second));
        Tabs->addTab(first, "first");
        Tabs->addTab(second, "second");
        Tabs->tabBar()->hide();
        Hidden->hide();
        Disabled->setEnabled(false);
    }

    QLineEdit* Box(const QString& name, QVBoxLayout* into) {
        auto* box = new QLineEdit;
        box->setObjectName(name);
        into->addWidget(box);
        OnGotFocus(box, this, [this, name] { log << "Got " + name; });
        OnLostFocus(box, this, [this, name] { log << "Lost " + name; });
        return box;
    }

    QTabWidget* Tabs;
    QLineEdit* First;
    QLineEdit* Hidden;
    QPushButton* Disabled;
    QLineEdit* Last;
    QLineEdit* OtherPage;
    QStringList log;
};

class TabOrderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        w = &frmPages::instance();
        ASSERT_TRUE(ShowActive(w));
    }
    void TearDown() override {
        frmPages::unload();
        Settle();
    }

    // Puts the focus into a box and forgets the focus events so far.
    void FocusOn(QWidget* box) {
        box->setFocus();
        Settle();
        w->log.clear();
    }

    frmPages* w = nullptr;
};

TEST_F(TabOrderTest, TabLeavesTheLastControlOfAPageForItsFirst) {
    FocusOn(w->Last);
    QTest::keyClick(w->Last, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->First) << "not the hidden tab bar, not another page";
    EXPECT_EQ(w->log, (QStringList{"Lost Last", "Got First"}));

    QTest::keyClick(w->First, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), w->Last) << "hidden and disabled controls passed over";
}

TEST_F(TabOrderTest, ShiftTabGoesBackAndWrapsRoundTheOtherWay) {
    FocusOn(w->First);
    QTest::keyClick(w->First, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), w->Last);
    EXPECT_EQ(w->log, (QStringList{"Lost First", "Got Last"}));
    QTest::keyClick(w->Last, Qt::Key_Backtab);
    EXPECT_EQ(QApplication::focusWidget(), w->First);
}

TEST_F(TabOrderTest, SendKeysTabFollowsTheSameRule) {
    FocusOn(w->Last);
    SendKeysTab();
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w->First);
    EXPECT_EQ(w->log, (QStringList{"Lost Last", "Got First"}));
}

}  // namespace
