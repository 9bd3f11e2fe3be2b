// An owned window opens centred over its owner as the owner's dialog, and Enter and Esc press
// its default and cancel buttons from wherever the keyboard is, the way the operator meets
// them: real keys into a text box, a masked box, a list with check boxes, a button.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>

#include "platform/ui/FormOf.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

class frmOwner : public FormOf<frmOwner> {
  public:
    frmOwner() { setObjectName("frmOwner"); }
};

// A payment window: the amount, a list of copies, a note, and its three buttons.
class frmPayProbe : public FormOf<frmPayProbe> {
  public:
    frmPayProbe() {
        setObjectName("frmPayProbe");
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Amount = new MaskEdBox);
        layout->addWidget(Copies = new ListView);
        layout->addWidget(Note = new QPlainTextEdit);
        layout->addWidget(Pay = new QPushButton("付款(&P)"));
        layout->addWidget(Other = new QPushButton("别的(&O)"));
        layout->addWidget(Cancel = new QPushButton("取消(&C)"));
        Copies->SetCheckboxes(true);
        Copies->ColumnHeaders().Add("Copy", "光盘");
        Copies->ListItems().Add(0, QString(), "第1张盘");
        connect(Pay, &QPushButton::clicked, this, [this] { ++paid; });
        connect(Other, &QPushButton::clicked, this, [this] { ++others; });
        connect(Cancel, &QPushButton::clicked, this, [this] {
            ++cancelled;
            Unload();
        });
        SetDefaultButton(Pay);
        SetCancelButton(Cancel);
    }
    void Form_QueryUnload(int&, int UnloadMode) override { closedBy = UnloadMode; }

    MaskEdBox* Amount;
    ListView* Copies;
    QPlainTextEdit* Note;
    QPushButton* Pay;
    QPushButton* Other;
    QPushButton* Cancel;
    int paid = 0;
    int others = 0;
    int cancelled = 0;
    // Kept past the window: an unloaded window may be deleted by the next turn of the loop.
    static inline int closedBy = -1;
};

class FormButtonsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        owner().setGeometry(200, 100, 900, 560);
        ASSERT_TRUE(ShowActive(&owner()));
    }
    void TearDown() override {
        frmPayProbe::unload();
        frmOwner::unload();
        Settle();
    }
    static frmOwner& owner() { return frmOwner::instance(); }

    // The window shown over the owner, active.
    static frmPayProbe& Opened() {
        frmPayProbe& pay = frmPayProbe::instance();
        pay.Show(vbModeless, &owner());
        EXPECT_TRUE(QTest::qWaitForWindowActive(&pay));
        return pay;
    }
    static void Key(QWidget* w, Qt::Key key) {
        QTest::keyClick(w, key);
        QCoreApplication::processEvents();
    }
};
}  // namespace

TEST_F(FormButtonsTest, AnOwnedWindowOpensCentredOverItsOwnerAsItsDialog) {
    frmPayProbe& pay = frmPayProbe::instance();
    pay.resize(300, 200);
    pay.Show(vbModeless, &owner());
    ASSERT_TRUE(QTest::qWaitForWindowActive(&pay));
    EXPECT_EQ(pay.windowType(), Qt::Dialog);
    EXPECT_EQ(pay.windowHandle()->transientParent(), owner().windowHandle())
        << "the window system keeps it in front of its owner";
    // (A pixel of rounding either way.)
    EXPECT_LE((pay.frameGeometry().center() - owner().frameGeometry().center()).manhattanLength(),
              2);

    // Hidden, the owner moved, shown again: over the owner where it is now.
    pay.Hide();
    owner().move(40, 60);
    Settle();
    pay.Show(vbModeless, &owner());
    EXPECT_LE((pay.frameGeometry().center() - owner().frameGeometry().center()).manhattanLength(),
              2);
    // Shown again while shown, it stays where it is (the operator may have moved it).
    pay.move(pay.pos() + QPoint(30, 0));
    const QPoint moved = pay.pos();
    pay.Show(vbModeless, &owner());
    EXPECT_EQ(pay.pos(), moved);

    // Over an owner near the screen's edge it stays on the screen.
    pay.Hide();
    const QRect area = owner().screen()->availableGeometry();
    owner().setGeometry(area.right() - 200, area.bottom() - 150, 180, 120);
    Settle();
    pay.Show(vbModeless, &owner());
    EXPECT_TRUE(area.contains(pay.frameGeometry()));
}

TEST_F(FormButtonsTest, EnterPressesTheDefaultButtonFromBoxesAndListsOnceWhenEnabled) {
    frmPayProbe& pay = Opened();
    pay.Amount->setFocus();
    QTest::keyClicks(pay.Amount, "50");
    Key(pay.Amount, Qt::Key_Return);
    EXPECT_EQ(pay.paid, 1) << "the masked box passes Enter on";
    EXPECT_EQ(pay.Amount->Text(), "50");

    Key(pay.Copies, Qt::Key_Enter);  // the keypad's Enter
    EXPECT_EQ(pay.paid, 2) << "the list passes Enter on";

    pay.Note->setFocus();
    Key(pay.Note, Qt::Key_Return);
    EXPECT_EQ(pay.paid, 2) << "a box of several lines keeps Enter for a new line";

    // While the pay button waits, disabled, Enter presses nothing, and no other button.
    pay.Pay->setEnabled(false);
    Key(pay.Amount, Qt::Key_Return);
    EXPECT_EQ(pay.paid, 2);
    EXPECT_EQ(pay.others + pay.cancelled, 0);
    pay.Pay->setEnabled(true);

    // A held key presses once: its repeats press nothing.
    QTest::keyPress(pay.Amount, Qt::Key_Return);
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
    QApplication::sendEvent(pay.Amount, &repeat);
    QTest::keyRelease(pay.Amount, Qt::Key_Return);
    EXPECT_EQ(pay.paid, 3);

    // With the keyboard on a button, Enter presses that button.
    pay.Other->setFocus();
    Key(pay.Other, Qt::Key_Return);
    EXPECT_EQ(pay.others, 1);
    EXPECT_EQ(pay.paid, 3);

    // Shift+Enter is no Enter of the window's.
    QTest::keyClick(pay.Amount, Qt::Key_Return, Qt::ShiftModifier);
    EXPECT_EQ(pay.paid, 3);
}

TEST_F(FormButtonsTest, EscPressesTheCancelButtonAndAKeyAfterItPressesNothing) {
    frmPayProbe& pay = Opened();
    pay.Copies->setFocus();
    QPointer<QWidget> list = pay.Copies;
    Key(list, Qt::Key_Escape);
    EXPECT_EQ(pay.cancelled, 1);
    EXPECT_FALSE(frmPayProbe::isLoaded());
    // The window unloaded, not yet deleted: a second Esc and an Enter that come after it
    // find it gone.
    ASSERT_TRUE(list);
    Key(list, Qt::Key_Escape);
    Key(list, Qt::Key_Return);
    EXPECT_EQ(pay.cancelled, 1);
    EXPECT_EQ(pay.paid, 0);
}

TEST_F(FormButtonsTest, EscClosesAnOwnedWindowWithoutCancelButtonAsItsCloseBox) {
    frmPayProbe& pay = Opened();
    pay.Amount->setFocus();
    pay.SetCancelButton(nullptr);
    pay.SetDefaultButton(nullptr);
    frmPayProbe::closedBy = -1;
    EXPECT_FALSE(pay.Pay->isDefault());
    Key(pay.Amount, Qt::Key_Return);
    EXPECT_EQ(pay.paid, 0) << "no default button: Enter presses nothing";
    Key(pay.Amount, Qt::Key_Escape);
    EXPECT_FALSE(frmPayProbe::isLoaded());
    EXPECT_EQ(frmPayProbe::closedBy, vbFormControlMenu);

    // A window of its own (the main window) keeps Esc for its controls.
    frmOwner& alone = owner();
    auto* box = new QLineEdit(&alone);
    box->show();
    ASSERT_TRUE(ShowActive(&alone));
    box->setFocus();
    Key(box, Qt::Key_Escape);
    EXPECT_TRUE(frmOwner::isLoaded());
    EXPECT_TRUE(alone.isVisible());
}

TEST_F(FormButtonsTest, ModalWindowOpensOverItsOwnerAndEscGivesCancel) {
    int result = -1;
    QPoint off;
    QTimer::singleShot(0, [&] {
        auto* pay = dynamic_cast<frmPayProbe*>(QApplication::activeModalWidget());
        ASSERT_NE(pay, nullptr);
        off = pay->frameGeometry().center() - owner().frameGeometry().center();
        pay->SetCancelButton(nullptr);
        QTest::keyClick(pay, Qt::Key_Escape);
    });
    frmPayProbe& pay = frmPayProbe::instance();
    pay.resize(320, 240);
    result = pay.ShowModal(&owner());
    EXPECT_EQ(result, vbCancel);
    EXPECT_LE(off.manhattanLength(), 2);
}
