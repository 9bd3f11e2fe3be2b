#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "platform/ui/FormOf.h"
#include "platform/ui/VbKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

QStringList& Log() {
    static QStringList log;
    return log;
}

// A window that writes every event procedure it runs into the log.
class frmProbe : public FormOf<frmProbe> {
  public:
    frmProbe() {
        setObjectName("frmProbe");
        Text1 = new QLineEdit(this);
        Text1->setObjectName("Text1");
        Text2 = new QLineEdit(this);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Text1);
        layout->addWidget(Text2);
    }
    void Form_Load() override { Log() << "Load"; }
    void Form_Activate() override { Log() << "Activate"; }
    void Form_Deactivate() override { Log() << "Deactivate"; }
    void Form_QueryUnload(int& Cancel, int UnloadMode) override {
        Log() << QString("QueryUnload %1").arg(UnloadMode);
        Cancel = cancelQuery;
    }
    void Form_Unload(int& Cancel) override {
        Log() << "Unload";
        Cancel = cancelUnload;
    }
    void Form_KeyDown(int& KeyCode, int Shift) override {
        Log() << QString("KeyDown %1 %2").arg(KeyCode).arg(Shift);
        if (KeyCode == swallowKeyCode) KeyCode = 0;
        if (KeyCode == vbKeyReturn && whileEnter) whileEnter();
    }
    void Form_KeyPress(int& KeyAscii) override {
        Log() << QString("KeyPress %1").arg(KeyAscii);
        if (KeyAscii == 'x') KeyAscii = 0;
        if (KeyAscii == 'a') KeyAscii = 'A';
    }
    void Form_KeyUp(int& KeyCode, int Shift) override {
        Log() << QString("KeyUp %1 %2").arg(KeyCode).arg(Shift);
    }

    QLineEdit* Text1;
    QLineEdit* Text2;
    int cancelQuery = 0;
    int cancelUnload = 0;
    int swallowKeyCode = -1;
    std::function<void()> whileEnter;  // a search that yields to the event loop
};

class frmOther : public FormOf<frmOther> {
  public:
    frmOther() { setObjectName("frmOther"); }
    void Form_Activate() override { Log() << "Other Activate"; }
    void Form_Deactivate() override { Log() << "Other Deactivate"; }
};

// Records the keys that reach a control after the window has seen them.
class KeyRecorder : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::KeyPress) Log() << "control";
        return false;
    }
};

class FormTest : public ::testing::Test {
  protected:
    void SetUp() override { Log().clear(); }
    void TearDown() override {
        if (frmProbe::isLoaded()) {
            frmProbe::instance().cancelQuery = 0;
            frmProbe::instance().cancelUnload = 0;
            frmProbe::unload();
        }
        frmOther::unload();
        Settle();
    }
};

TEST_F(FormTest, DefaultInstanceLoadsOnceAndAfreshAfterUnload) {
    EXPECT_FALSE(frmProbe::isLoaded());
    frmProbe& first = frmProbe::instance();
    frmProbe::instance();
    EXPECT_TRUE(frmProbe::isLoaded());
    EXPECT_EQ(Log(), QStringList{"Load"});

    QPointer<frmProbe> old(&first);
    EXPECT_TRUE(frmProbe::unload());
    EXPECT_EQ(Log(), (QStringList{"Load", "QueryUnload 1", "Unload"}));
    EXPECT_FALSE(frmProbe::isLoaded());
    EXPECT_TRUE(old->objectName().isEmpty()) << "an unloaded window is no longer found by name";
    Settle();
    EXPECT_TRUE(old.isNull()) << "the unloaded window is deleted by the event loop";

    frmProbe& second = frmProbe::instance();
    EXPECT_EQ(Log().last(), "Load");
    EXPECT_EQ(second.objectName(), "frmProbe");
    EXPECT_TRUE(frmOther::unload()) << "unloading a window that is not loaded does nothing";
    EXPECT_FALSE(frmOther::isLoaded());
}

TEST_F(FormTest, QueryUnloadOrUnloadCancelKeepsTheWindow) {
    frmProbe& form = frmProbe::instance();
    form.cancelQuery = 1;
    EXPECT_FALSE(frmProbe::unload());
    EXPECT_TRUE(frmProbe::isLoaded());
    EXPECT_FALSE(Log().contains("Unload"));

    form.cancelQuery = 0;
    form.cancelUnload = 1;
    EXPECT_FALSE(frmProbe::unload());
    EXPECT_TRUE(frmProbe::isLoaded());
    EXPECT_EQ(&frmProbe::instance(), &form);
    EXPECT_EQ(Log().count("Load"), 1);
}

TEST_F(FormTest, CloseBoxAsksQueryUnloadAndCanBeRefused) {
    frmProbe& form = frmProbe::instance();
    ASSERT_TRUE(ShowActive(&form));
    form.cancelQuery = 1;
    form.close();  // the close box
    EXPECT_TRUE(Log().contains("QueryUnload 0")) << Log().join(",").toStdString();
    EXPECT_TRUE(frmProbe::isLoaded());
    EXPECT_TRUE(form.isVisible());

    form.cancelQuery = 0;
    form.close();  // the close box
    EXPECT_FALSE(frmProbe::isLoaded());
    EXPECT_EQ(Log().last(), "Unload");
}

TEST_F(FormTest, ModalShowReturnsTheResultAndTheCloseBoxMeansCancel) {
    frmProbe& form = frmProbe::instance();
    QTimer::singleShot(0, [] {
        auto* modal = dynamic_cast<frmProbe*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        modal->SetModalResult(vbOK);
        modal->Hide();
    });
    EXPECT_EQ(form.ShowModal(), vbOK);
    EXPECT_TRUE(frmProbe::isLoaded()) << "hiding ends the modal show and keeps the window";
    EXPECT_FALSE(form.isVisible());

    QTimer::singleShot(0, [] {
        auto* modal = dynamic_cast<frmProbe*>(QApplication::activeModalWidget());
        ASSERT_NE(modal, nullptr);
        modal->SetModalResult(vbOK);
        modal->close();  // the close box
    });
    EXPECT_EQ(form.ShowModal(), vbCancel);
    EXPECT_FALSE(frmProbe::isLoaded());
}

TEST_F(FormTest, OwnedWindowStaysAWindowOfItsOwn) {
    frmOther& owner = frmOther::instance();
    frmProbe& owned = frmProbe::instance();
    ASSERT_TRUE(ShowActive(&owner));
    owned.Show(vbModeless, &owner);
    EXPECT_EQ(owned.Owner(), &owner);
    EXPECT_TRUE(owned.isWindow());
    EXPECT_TRUE(owned.isVisible());
}

TEST_F(FormTest, ActivationFollowsTheProgramsWindowsOnly) {
    frmProbe& probe = frmProbe::instance();
    frmOther& other = frmOther::instance();
    ASSERT_TRUE(ShowActive(&probe));
    EXPECT_EQ(Form::ActiveForm(), &probe);
    ASSERT_TRUE(ShowActive(&other));
    EXPECT_EQ(Log(), (QStringList{"Load", "Activate", "Deactivate", "Other Activate"}));

    // A window that is not one of the program's forms (a message box, a dialog of the
    // platform) deactivates nothing.
    QWidget plain;
    ASSERT_TRUE(ShowActive(&plain));
    EXPECT_EQ(Form::ActiveForm(), &other);
    ASSERT_TRUE(ShowActive(&other));
    EXPECT_EQ(Log().count("Other Activate"), 1);

    ASSERT_TRUE(ShowActive(&probe));
    EXPECT_EQ(Log().mid(4), (QStringList{"Other Deactivate", "Activate"}));
}

class FormKeyTest : public FormTest {
  protected:
    void SetUp() override {
        FormTest::SetUp();
        form = &frmProbe::instance();
        form->SetKeyPreview(true);
        form->Text1->installEventFilter(&recorder);
        ASSERT_TRUE(ShowActive(form));
        form->Text1->setFocus();
        Log().clear();
    }
    frmProbe* form = nullptr;
    KeyRecorder recorder;
};

TEST_F(FormKeyTest, WindowSeesKeysBeforeItsControlWithShiftStates) {
    QTest::keyClick(form->Text1, Qt::Key_B, Qt::ControlModifier);
    // (the test also presses and releases Ctrl itself: key code 17)
    EXPECT_EQ(Log(), (QStringList{"KeyDown 17 2", "control", "KeyDown 66 2", "KeyPress 2",
                                  "control", "KeyUp 66 2", "KeyUp 17 0"}));

    Log().clear();
    QTest::keyClick(form->Text1, Qt::Key_F2, Qt::ShiftModifier);
    QTest::keyClick(form->Text1, Qt::Key_F2, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(form->Text1, Qt::Key_F2, Qt::AltModifier);
    EXPECT_EQ(Log().filter("KeyUp 113"),
              (QStringList{"KeyUp 113 1", "KeyUp 113 3", "KeyUp 113 4"}));

    Log().clear();
    QTest::keyClick(form->Text1, Qt::Key_Escape);
    EXPECT_TRUE(Log().contains("KeyPress 27"));
    EXPECT_EQ(Log().count("control"), 1) << "each key reaches the window once";
}

TEST_F(FormKeyTest, WindowCanSwallowOrChangeKeys) {
    QTest::keyClicks(form->Text1, "xa");
    EXPECT_EQ(form->Text1->text(), "A");

    form->swallowKeyCode = vbKeyB;
    QTest::keyClick(form->Text1, Qt::Key_B);
    EXPECT_EQ(form->Text1->text(), "A");
    EXPECT_FALSE(Log().contains("KeyPress 98"));

    form->SetKeyPreview(false);
    Log().clear();
    QTest::keyClick(form->Text1, Qt::Key_C);
    EXPECT_EQ(Log(), QStringList{"control"});
    EXPECT_EQ(form->Text1->text(), "Ac");
}

TEST_F(FormKeyTest, KeysPressedWhileAHandlerYieldsReachTheWindow) {
    // Enter starts a search that lets the event loop run; Esc typed meanwhile must reach
    // Form_KeyPress, or the search could not be stopped.
    form->whileEnter = [this] {
        QCoreApplication::postEvent(
            form->Text1, new QKeyEvent(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier));
        QCoreApplication::processEvents();
        Log() << "search ends";
    };
    QTest::keyClick(form->Text1, Qt::Key_Return);
    const qsizetype esc = Log().indexOf("KeyPress 27");
    ASSERT_GE(esc, 0) << Log().join(",").toStdString();
    EXPECT_LT(esc, Log().indexOf("search ends"));
}

}  // namespace
