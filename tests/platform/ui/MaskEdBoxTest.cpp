#include <gtest/gtest.h>

#include <QLineEdit>
#include <QVBoxLayout>

#include "platform/ui/ControlEvents.h"
#include "platform/ui/MaskEdBox.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

class MaskEdBoxTest : public ::testing::Test {
  protected:
    void SetUp() override {
        auto* layout = new QVBoxLayout(&window);
        box = new MaskEdBox(&window);
        other = new QLineEdit(&window);
        layout->addWidget(box);
        layout->addWidget(other);
        ASSERT_TRUE(ShowActive(&window));
        other->setFocus();
    }
    QWidget window;
    MaskEdBox* box = nullptr;
    QLineEdit* other = nullptr;
};

TEST_F(MaskEdBoxTest, ShowsTheFormatUnlessFocusedAndReadsBackTheTypedText) {
    box->SetFormat("￥#,##0.00");
    box->SetText("1234.5");
    EXPECT_EQ(box->text(), "￥1,234.50");
    EXPECT_EQ(box->Text(), "1234.5");
    EXPECT_EQ(box->FormattedText(), "￥1,234.50");

    box->setFocus();
    EXPECT_EQ(box->text(), "1234.5");
    box->selectAll();
    QTest::keyClicks(box, "88.8");
    EXPECT_EQ(box->Text(), "88.8");
    other->setFocus();
    EXPECT_EQ(box->text(), "￥88.80");
    EXPECT_EQ(box->Text(), "88.8");

    // A text set as the format shows it (as the windows load their amounts) reads back as set.
    box->SetText("￥1,200.00");
    EXPECT_EQ(box->text(), "￥1,200.00");
    EXPECT_EQ(box->Text(), "￥1,200.00");
}

TEST_F(MaskEdBoxTest, PercentSectionsDatesAndTextsThatAreNoNumber) {
    box->SetFormat("##%");
    box->SetText("0.8");
    EXPECT_EQ(box->text(), "80%");
    box->SetText("80%");
    EXPECT_EQ(box->text(), "80%");
    box->SetText("%");  // a zero rate written with "##%"
    EXPECT_EQ(box->text(), "%");

    box->SetFormat("￥#,##0.00;($#,##0.00)");
    box->SetText("-5");
    EXPECT_EQ(box->text(), "($5.00)");
    box->SetText("abc");
    EXPECT_EQ(box->text(), "abc");
    box->SetText("");
    EXPECT_EQ(box->text(), "");

    box->SetFormat("yyyy-mm-dd");
    box->SetText("2004-3-7");
    EXPECT_EQ(box->text(), "2004-03-07");
    EXPECT_EQ(box->Text(), "2004-3-7");
}

// A money box keeps what was typed, and shows it formatted only when it is an amount: "5O"
// or "50%" never looks like an amount it is not, "５０" is shown as the 50 it is.
TEST_F(MaskEdBoxTest, AMoneyBoxShowsOnlyAmountsAsAmounts) {
    box->SetFormat("￥#,##0.00");
    for (const char* typed : {"5O", "50%", "1200%", "abc"}) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, typed);
        other->setFocus();
        EXPECT_EQ(box->text(), QString::fromUtf8(typed)) << typed;
        EXPECT_EQ(box->Text(), QString::fromUtf8(typed)) << typed;
    }
    box->setFocus();
    box->selectAll();
    for (const QChar ch : QStringLiteral("５０"))
        QTest::sendKeyEvent(QTest::Click, box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    other->setFocus();
    EXPECT_EQ(box->text(), "￥50.00");
    EXPECT_EQ(box->Text(), "５０");
}

TEST_F(MaskEdBoxTest, ChangeAndLostFocusAsTheWindowsUseThem) {
    box->SetFormat("￥#,##0.00");
    int changes = 0;
    QObject::connect(box, &MaskEdBox::Change, [&] { ++changes; });
    box->SetText("5");
    box->SetText("5");
    EXPECT_EQ(changes, 1);

    // The window's LostFocus rewrites the typed amount; the box then shows it formatted.
    OnLostFocus(box, &window,
                [this] { box->SetText(QString::number(box->Text().toDouble() * 2)); });
    box->setFocus();
    box->selectAll();
    QTest::keyClicks(box, "3.5");
    EXPECT_EQ(changes, 1 + 3);
    other->setFocus();
    EXPECT_EQ(box->Text(), "7");
    EXPECT_EQ(box->text(), "￥7.00");
}

TEST_F(MaskEdBoxTest, InputMaskKeepsLiteralsAndPrompts) {
    box->SetMask("####-##-##");
    EXPECT_EQ(box->Text(), "____-__-__");
    EXPECT_EQ(box->ClipText(), "");
    box->setFocus();
    box->home(false);
    QTest::keyClicks(box, "20040307");
    EXPECT_EQ(box->Text(), "2004-03-07");
    EXPECT_EQ(box->ClipText(), "20040307");
    box->SetText("2024-12-01");
    EXPECT_EQ(box->Text(), "2024-12-01");
}

TEST(MaskEdBoxAloneTest, TypingIntoABoxOfAWindowNeverActivatedKeepsTheTypedText) {
    MaskEdBox box;
    box.SetFormat("￥#,##0.00");
    QTest::keyClicks(&box, "12.5");
    EXPECT_EQ(box.Text(), "12.5");
    EXPECT_EQ(box.text(), "12.5");
}

}  // namespace
