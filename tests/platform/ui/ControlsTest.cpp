#include <gtest/gtest.h>

#include <QAction>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QVBoxLayout>

#include "platform/ui/ControlEvents.h"
#include "platform/ui/Fonts.h"
#include "platform/ui/Label.h"
#include "platform/ui/PictureButton.h"
#include "platform/ui/PopupMenu.h"
#include "platform/ui/SaveFileDialog.h"
#include "platform/ui/SendKeys.h"
#include "platform/ui/Twips.h"
#include "platform/ui/VbKeys.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

// A window with three text boxes, the middle one hidden, each logging its focus events.
class FocusWindow : public QWidget {
  public:
    FocusWindow() {
        auto* layout = new QVBoxLayout(this);
        for (QLineEdit** box : {&A, &B, &C}) {
            *box = new QLineEdit(this);
            layout->addWidget(*box);
        }
        A->setObjectName("A");
        B->setObjectName("B");
        C->setObjectName("C");
        for (QLineEdit* box : {A, B, C}) {
            const QString name = box->objectName();
            OnGotFocus(box, this, [this, name] { log << "Got " + name; });
            OnLostFocus(box, this, [this, name] { log << "Lost " + name; });
        }
    }
    QLineEdit* A;
    QLineEdit* B;
    QLineEdit* C;
    QStringList log;
};

TEST(ControlEventsTest, FocusMovesBetweenControlsNotBetweenWindows) {
    FocusWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.A->setFocus();
    w.C->setFocus();
    EXPECT_EQ(w.log, (QStringList{"Got A", "Lost A", "Got C"}));

    // Another window in front and back again: C keeps its focus throughout.
    QWidget other;
    ASSERT_TRUE(ShowActive(&other));
    ASSERT_TRUE(ShowActive(&w));
    EXPECT_EQ(w.log.size(), 3) << w.log.join(",").toStdString();
    EXPECT_EQ(QApplication::focusWidget(), w.C);
}

TEST(ControlEventsTest, LostFocusHandlerCanKeepTheFocus) {
    FocusWindow w;
    OnLostFocus(w.A, &w, [&w] { w.A->setFocus(); });  // a check that refuses the typed value
    ASSERT_TRUE(ShowActive(&w));
    w.A->setFocus();
    w.log.clear();
    w.C->setFocus();
    EXPECT_EQ(QApplication::focusWidget(), w.A);
    EXPECT_EQ(w.log, (QStringList{"Lost A", "Got A"})) << "C never had the focus";
}

TEST(ControlEventsTest, SendKeysTabMovesOnWhenTheLoopRunsPassingHiddenControls) {
    FocusWindow w;
    ASSERT_TRUE(ShowActive(&w));
    w.B->hide();
    w.A->setFocus();
    SendKeysTab();
    EXPECT_EQ(QApplication::focusWidget(), w.A) << "the key is queued, not sent at once";
    QCoreApplication::processEvents();
    EXPECT_EQ(QApplication::focusWidget(), w.C);
}

TEST(ControlEventsTest, ControlKeysCanBeSwallowed) {
    FocusWindow w;
    int lastKeyCode = 0;
    OnKeyDown(w.A, &w, [&](int& KeyCode, int Shift) {
        lastKeyCode = KeyCode;
        if (KeyCode == vbKeyReturn && Shift == 0) KeyCode = 0;
    });
    OnKeyPress(w.A, &w, [](int& KeyAscii) {
        if (KeyAscii >= 'a' && KeyAscii <= 'z') KeyAscii -= 32;  // typed upper case
    });
    ASSERT_TRUE(ShowActive(&w));
    w.A->setFocus();
    QTest::keyClicks(w.A, "ab1");
    QTest::keyClick(w.A, Qt::Key_Return);
    EXPECT_EQ(w.A->text(), "AB1");
    EXPECT_EQ(lastKeyCode, vbKeyReturn);
}

TEST(LabelTest, CaptionChangeRaisesChangeOnlyWhenItDiffers) {
    Label label("0");
    int changes = 0;
    QObject::connect(&label, &Label::Change, [&] { ++changes; });
    label.SetCaption("0");
    EXPECT_EQ(changes, 0);
    label.SetCaption("￥12.00");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(label.Caption(), "￥12.00");
}

TEST(PictureButtonTest, MouseEventsWithTwipPositionsAndPressedLook) {
    QWidget parent;
    auto* button = new PictureButton(&parent);
    button->setGeometry(10, 4, 60, 40);
    ASSERT_TRUE(ShowActive(&parent));
    QStringList log;
    QObject::connect(button, &PictureButton::MouseDown, [&](int b, int s, double x, double y) {
        log << QString("Down %1 %2 %3 %4").arg(b).arg(s).arg(x).arg(y);
    });
    QObject::connect(button, &PictureButton::MouseUp,
                     [&](int b, int, double, double) { log << QString("Up %1").arg(b); });
    QObject::connect(button, &PictureButton::Click, [&] { log << "Click"; });
    QObject::connect(button, &PictureButton::MouseMove, [&](int b, int, double x, double) {
        log << QString("Move %1 %2").arg(b).arg(x);
    });

    QTest::mouseClick(button, Qt::LeftButton, Qt::ShiftModifier, QPoint(2, 3));
    EXPECT_EQ(log, (QStringList{"Down 1 1 30 45", "Up 1", "Click"}));

    // Released outside the picture: mouse-up still comes, the click does not.
    log.clear();
    QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, QPoint(200, 200));
    EXPECT_EQ(log, (QStringList{"Down 1 0 75 75", "Up 1"}));

    log.clear();
    MoveMouse(button, QPoint(4, 4));
    EXPECT_EQ(log, QStringList{"Move 0 60"}) << "moves are seen without a button pressed";

    EXPECT_EQ(button->TopTwips(), 60);
    button->MoveByTwips(15, 30);
    EXPECT_EQ(button->pos(), QPoint(11, 6));
    EXPECT_EQ(button->TopTwips(), 90);
}

TEST(PopupMenuTest, ChosenItemRunsItsHandlerBeforeReturning) {
    QMenu menu;
    QAction* all = menu.addAction("全部选中");
    menu.addAction("全部取消");
    int ran = 0;
    QObject::connect(all, &QAction::triggered, [&] { ++ran; });
    SetPopupMenuResponder([all](QMenu*) { return all; });
    EXPECT_EQ(PopupMenu(&menu), all);
    EXPECT_EQ(ran, 1);
    SetPopupMenuResponder([](QMenu*) { return nullptr; });
    EXPECT_EQ(PopupMenu(&menu), nullptr);
    EXPECT_EQ(ran, 1);
    ClearPopupMenuResponder();
}

TEST(SaveFileDialogTest, ResponderAnswersAndFiltersConvert) {
    SetSaveFileResponder([](const SaveFileCall& call) {
        return call.filter == "Excel (*.xlsx)|*.xlsx" ? QString("/tmp/out.xlsx") : QString();
    });
    EXPECT_EQ(GetSaveFileName(nullptr, "导出", "Excel (*.xlsx)|*.xlsx"), "/tmp/out.xlsx");
    EXPECT_EQ(GetSaveFileName(nullptr, "导出", "Other|*.x"), "");
    ClearSaveFileResponder();
    EXPECT_EQ(QtFileFilter("Excel (*.xlsx)|*.xlsx|All|*.*"), "Excel (*.xlsx);;All (*.*)");
    EXPECT_EQ(QtFileFilter("Excel (*.xlsx)"), "Excel (*.xlsx)");
}

TEST(TwipsTest, FifteenTwipsAPixel) {
    EXPECT_EQ(TwipsToPixels(15), 1);
    EXPECT_EQ(TwipsToPixels(1300), 87);
    EXPECT_EQ(TwipsToPixels(0), 0);
    EXPECT_EQ(PixelsToTwips(4), 60);
    QWidget w;
    MoveTwips(&w, 400, 240, 4875, 435);
    EXPECT_EQ(w.geometry(), QRect(27, 16, 325, 29));
    SetWidthTwips(&w, 7100);
    EXPECT_EQ(WidthTwips(&w), 7095);
}

TEST(FontsTest, ChineseRendersWithTheCjkFamilies) {
    const QFont saved = QApplication::font();
    ApplyCjkFonts();
    EXPECT_EQ(QApplication::font().families().value(0), "WenQuanYi Micro Hei");
    EXPECT_TRUE(QFontMetrics(QApplication::font()).inFontUcs4(U'租'))
        << "a CJK font must be installed";
    const QFont title = CjkFont("隶书", 15.75, true);
    EXPECT_EQ(title.families().value(0), "隶书");
    EXPECT_TRUE(title.bold());
    EXPECT_TRUE(QFontMetrics(title).inFontUcs4(U'租'))
        << "a missing family falls back to the CJK list";
    QApplication::setFont(saved);
}

}  // namespace
