// The program's dialogs and windows over the main window, driven with the keyboard as an
// operator does: each opens centred over its owner as the owner's dialog (the window system
// keeps it in front of its owner), the cursor waits in the box typed first, a real Enter
// presses the confirm or pay button once however fast it comes twice, and a real Esc
// cancels, or closes a window that has nothing to cancel.
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QWindow>

#include "catalogue/CataloguePage.h"
#include "catalogue/frmFind.h"
#include "catalogue/frmSelPrint.h"
#include "counter/CounterPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/PictureButton.h"
#include "reports/StatisticsPage.h"
#include "reports/frmReport.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/MainWindowTest.h"

namespace {
const QString kHero = "030100000001";  // 英雄: three copies, 2 a day, sold at 30

void Click(QWidget* w) {
    QTest::mouseClick(w, Qt::LeftButton);
    Settle();
}

// The key the operator presses, where the keyboard is: the control with the focus, or the
// active window itself when none of its controls takes the focus. (Only the events a key
// posts run after it: a window it unloaded stays until its event loop deletes it, as in the
// program.)
void Press(Qt::Key key) {
    QWidget* focus = QApplication::focusWidget();
    if (!focus) focus = QApplication::activeWindow();
    ASSERT_NE(focus, nullptr) << "no window has the keyboard";
    QTest::keyClick(focus, key);
    QCoreApplication::processEvents();
}

std::string FocusName() {
    QWidget* focus = QApplication::focusWidget();
    return focus ? (focus->window()->objectName() + "." + focus->objectName()).toStdString()
                 : std::string("none");
}

// The window is its owner's dialog, centred over it (to a pixel of rounding either way).
void ExpectOver(QWidget& window, QWidget& owner) {
    EXPECT_EQ(window.parentWidget(), &owner) << window.objectName().toStdString();
    EXPECT_TRUE(window.isWindow());
    EXPECT_EQ(window.windowType(), Qt::Dialog);
    ASSERT_NE(window.windowHandle(), nullptr);
    EXPECT_EQ(window.windowHandle()->transientParent(), owner.windowHandle());
    const QPoint off = window.frameGeometry().center() - owner.frameGeometry().center();
    EXPECT_LE(off.manhattanLength(), 2)
        << window.objectName().toStdString() << " off the centre by " << off.x() << "," << off.y();
}

// The window is the active one, its focus where activation put it.
bool Active(QWidget& window) {
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; });
}

class DialogKeysTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Data().Add(ShopData::Title(kHero, "英雄")
                       .Id("A1")
                       .Copies(3)
                       .Prices(20, 2, 30)
                       .RentPer("每天")
                       .Set("memberborrowprice", 2)
                       .Set("membersellprice", 30));
        Data().Add(ShopData::Member("000001", "张三").Money(100));
        Sql("update ForeGift set foregifttype = 1, money = 10, membermoney = 10");
        frmMain& main = LoadMainWindow();
        main.EnableCatalogueEntry();
        main.ResetBasketPanels();
        EXPECT_TRUE(ShowActive(&main));
    }
    void TearDown() override {
        frmDispUser::unload();
        frmUserBorrowLst::unload();
        frmReport::unload();
        frmFind::unload();
        frmSelPrint::unload();
        MainWindowTest::TearDown();
    }

    frmMain& Main() { return frmMain::instance(); }
    CounterPage& Counter() { return *Main().Counter; }
    // A page button, the main window clicked first.
    void Button(int index) {
        ASSERT_TRUE(ShowActive(&Main()));
        Click(Main().Image3[index]);
    }

    // The counter's check-out dialog for its title, opened with its button.
    template <class Dialog>
    Dialog& OpenCheckOut(int button) {
        Button(button);
        Click(button == 0 ? Counter().CmdBorrow : Counter().Command15);
        Dialog& d = Dialog::instance();
        EXPECT_TRUE(Active(d));
        return d;
    }

    // A rental line of member 000001, one copy out since 2026-12-01 10:00 with a deposit of
    // 10, its rent unpaid: 7 days at 2 by the test's clock.
    void AddRentalOut() {
        Data().Add(ShopData::Rental(kHero, "0001")
                       .Set("isnotpaylst", "&1#")
                       .Set("CredenceType", "现金")
                       .Set("foregift", 10));
        Sql("update cdinfo set station = '借出部分', restcount = 2 where cdid = '" + kHero + "'");
    }

    frmControlBack& OpenReturnDialog() {
        Button(1);
        Click(Main().Returns()->Command5);
        frmControlBack& back = frmControlBack::instance();
        EXPECT_TRUE(Active(back));
        return back;
    }
};
}  // namespace

TEST_F(DialogKeysTest, RentalCheckOutEscLeavesItAndEnterTwiceConfirmsOnce) {
    frmControlBorrow& d = OpenCheckOut<frmControlBorrow>(0);
    ExpectOver(d, Main());
    EXPECT_EQ(d.DefaultButton(), d.Command1);
    EXPECT_EQ(d.CancelButton(), d.Command2);
    EXPECT_EQ(QApplication::focusWidget(), d.Option4) << "no basket open: the customer's kind";

    // The main window used while the dialog is open: the dialog stays its dialog.
    Click(Counter().TxtFind);
    EXPECT_TRUE(d.isVisible());
    ASSERT_TRUE(ShowActive(&d));
    d.TxtName->setFocus();
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmControlBorrow::isLoaded() && frmControlBorrow::instance().isVisible());
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 0);

    frmControlBorrow& again = OpenCheckOut<frmControlBorrow>(0);
    ExpectOver(again, Main());
    QPointer<QWidget> typing = again.TxtName;
    again.TxtName->setFocus();
    Press(Qt::Key_Return);
    // The second press comes before the confirmation has been seen through: it finds the
    // dialog gone and presses nothing.
    ASSERT_TRUE(typing);
    QTest::keyClick(typing, Qt::Key_Return);
    Settle();
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select group_concat(borrowcount || ' ' || borrowlst) from borrowinfo"),
              "3 &1#&2#&3#");
    EXPECT_EQ(Counter().LvwReturn->ListItems().Count(), 1);
    EXPECT_EQ(Counter().LblNotBackCount->Caption(), "3");
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(DialogKeysTest, DepositSettlementWaitsInTheAmountPaidEscCancelsEnterPaysOnce) {
    frmControlBorrow& d = OpenCheckOut<frmControlBorrow>(0);
    Click(d.Command1);
    ASSERT_TRUE(gBorrowBasket.Open);
    ASSERT_EQ(Counter().TxtCredence->text(), "￥30.00");

    bool seen = false;
    WhenShown<frmUseTaxPay>([&](frmUseTaxPay& pay) {
        ASSERT_TRUE(Active(pay));
        seen = true;
        ExpectOver(pay, Main());
        EXPECT_EQ(pay.DefaultButton(), pay.Command1);
        EXPECT_EQ(pay.CancelButton(), pay.Command3);
        EXPECT_EQ(QApplication::focusWidget(), pay.TxtCatchFact) << "实付款";
        Press(Qt::Key_Escape);
    });
    const QString line =
        "select group_concat(borrowlst || ' ' || CredenceType || ' ' || foregift) "
        "from borrowinfo";
    const QString before = Query1(line);
    Click(Counter().CmdTax);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(gBorrowBasket.Open) << "Esc cancelled: the basket stays open";
    EXPECT_EQ(Query1(line), before);

    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        ASSERT_TRUE(Active(pay));
        QPointer<QWidget> box = QApplication::focusWidget();
        ASSERT_EQ(box, pay.TxtCatchFact);
        Press(Qt::Key_Return);  // nothing paid yet: the pay button waits, disabled
        EXPECT_TRUE(pay.isVisible());
        QTest::keyClicks(box, "50");
        EXPECT_EQ(pay.TxtCatchRest->text(), "￥20.00");
        QTest::keyClick(box, Qt::Key_Return);
        if (box) QTest::keyClick(box, Qt::Key_Return);
    });
    Click(Counter().CmdTax);
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select group_concat(CredenceType || ' ' || foregift) from borrowinfo"),
              "现金 30.0");
    EXPECT_TRUE(Prompts().empty());
}

// A member pays from the stored money: the pay button has the cursor, and two quick Enters
// take the money once. A walk-in customer's cash: the cursor in the cash paid.
TEST_F(DialogKeysTest, SalePaymentTakesEnterOnceAndEscCancels) {
    frmControlSell& d = OpenCheckOut<frmControlSell>(6);
    ExpectOver(d, Main());
    EXPECT_EQ(d.DefaultButton(), d.Command1);
    EXPECT_EQ(d.CancelButton(), d.Command2);
    QTest::mouseClick(d.Option3, Qt::LeftButton, Qt::NoModifier,
                      QPoint(8, d.Option3->height() / 2));
    Type(d.TxtName, "000001");
    d.TxtRemark->setFocus();
    Press(Qt::Key_Return);
    ASSERT_TRUE(gSellBasket.Open);
    ASSERT_EQ(Counter().LblSellMoney->Caption(), "￥90.00");

    WhenShown<frmSellPay>([](frmSellPay& pay) {
        ASSERT_TRUE(Active(pay));
        EXPECT_EQ(QApplication::focusWidget(), pay.Command1) << "nothing to type: the pay button";
        Press(Qt::Key_Escape);
    });
    Click(Counter().CmdSellTax);
    EXPECT_TRUE(gSellBasket.Open);
    EXPECT_EQ(Query1("select money from userinfo"), "100.0");

    WhenShown<frmSellPay>([this](frmSellPay& pay) {
        ASSERT_TRUE(Active(pay));
        ExpectOver(pay, Main());
        QPointer<QWidget> button = QApplication::focusWidget();
        EXPECT_EQ(button, pay.Command1) << FocusName();
        Press(Qt::Key_Return);
        if (button) QTest::keyClick(button, Qt::Key_Return);
    });
    Click(Counter().CmdSellTax);
    EXPECT_FALSE(gSellBasket.Open) << (Prompts().empty() ? "" : Prompts().back().toStdString());
    EXPECT_EQ(Query1("select money from userinfo"), "10.0") << "90 taken once";

    // A walk-in customer pays cash.
    Data().Add(ShopData::Title("030100000002", "卧虎藏龙").Id("B2").Prices(20, 2, 25));
    Counter().SetDispSourse("");
    frmControlSell& walkIn = OpenCheckOut<frmControlSell>(6);
    ASSERT_TRUE(walkIn.Option4->isChecked());
    walkIn.TxtRemark->setFocus();
    Press(Qt::Key_Return);
    ASSERT_TRUE(gSellBasket.Open);
    WhenShown<frmSellPay>([](frmSellPay& pay) {
        ASSERT_TRUE(Active(pay));
        ASSERT_EQ(QApplication::focusWidget(), pay.TxtCatchFact) << "实付款";
        QTest::keyClicks(pay.TxtCatchFact, "100");
        Press(Qt::Key_Return);
    });
    Click(Counter().CmdSellTax);
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Count("select count(*) from sellinfo where money > 0"), 2);
}

// The return dialog over the main window, its payment over the return dialog.
TEST_F(DialogKeysTest, ReturnDialogAndItsPaymentTakeEnterAndEsc) {
    AddRentalOut();
    frmControlBack& back = OpenReturnDialog();
    ExpectOver(back, Main());
    EXPECT_EQ(back.DefaultButton(), back.Command3);
    EXPECT_EQ(back.CancelButton(), back.Command2);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmControlBack::isLoaded()) << "稍后再还";
    EXPECT_EQ(Count("select count(*) from returninfo"), 0);

    frmControlBack& again = OpenReturnDialog();
    bool cancelled = false;
    WhenShown<frmPayMoney>([&](frmPayMoney& pay) {
        ASSERT_TRUE(Active(pay));
        ExpectOver(pay, again);
        EXPECT_EQ(pay.DefaultButton(), pay.Command1);
        EXPECT_EQ(pay.CancelButton(), pay.Command3);
        EXPECT_EQ(QApplication::focusWidget(), pay.Command1)
            << "the stored money covers the rent: nothing to type; " << FocusName();
        Press(Qt::Key_Escape);
        cancelled = true;
    });
    again.MskPlanBackSum->setFocus();
    Press(Qt::Key_Return);
    ASSERT_TRUE(cancelled);
    ASSERT_TRUE(frmControlBack::isLoaded()) << "the payment cancelled, the return waits";
    EXPECT_EQ(Count("select count(*) from returninfo"), 0);

    ASSERT_TRUE(ShowActive(&again));
    WhenShown<frmPayMoney>([](frmPayMoney& pay) {
        ASSERT_TRUE(Active(pay));
        QPointer<QWidget> button = QApplication::focusWidget();
        Press(Qt::Key_Return);
        if (button) QTest::keyClick(button, Qt::Key_Return);
    });
    again.TxtRemark->setFocus();
    Press(Qt::Key_Return);
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(Query1("select money from userinfo"), "96.0") << "rent 14 less deposit 10, once";
    EXPECT_TRUE(Prompts().empty());
}

// Windows with nothing to confirm close on Esc as with their close box.
TEST_F(DialogKeysTest, InformationHistoryReportAndFindWindowsCloseOnEsc) {
    // The customer of the basket at the counter, beside the main window.
    frmControlBorrow& d = OpenCheckOut<frmControlBorrow>(0);
    Click(d.Command1);
    Click(Counter().LblBorrowUserName);
    frmDispUser& info = frmDispUser::instance();
    ASSERT_TRUE(Active(info));
    ExpectOver(info, Main());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmDispUser::isLoaded());

    Button(5);
    Click(Main().Members()->Command18);
    frmUserBorrowLst& history = frmUserBorrowLst::instance();
    ASSERT_TRUE(Active(history));
    ExpectOver(history, Main());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmUserBorrowLst::isLoaded());

    Button(3);
    Click(Main().Statistics()->LblReport[1]);
    frmReport& report = frmReport::instance();
    ASSERT_TRUE(Active(report));
    ExpectOver(report, Main());
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmReport::isLoaded());
    EXPECT_TRUE(Active(Main())) << "closing a report window shows the main window";

    Button(2);
    Click(Main().Catalogue()->Command9);
    frmFind& find = frmFind::instance();
    ASSERT_TRUE(Active(find));
    ExpectOver(find, Main());
    EXPECT_EQ(QApplication::focusWidget(), find.Text1);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmFind::isLoaded());

    Click(Main().Catalogue()->CmdPrintStore);
    frmSelPrint& print = frmSelPrint::instance();
    ASSERT_TRUE(Active(print));
    ExpectOver(print, Main());
    EXPECT_EQ(print.DefaultButton(), print.Command1);
    Press(Qt::Key_Escape);
    EXPECT_FALSE(frmSelPrint::isLoaded());
    EXPECT_TRUE(Prompts().empty());
}

// From the return dialog the customer's information is the return dialog's own, modal.
TEST_F(DialogKeysTest, TheRenterShownFromTheReturnDialogIsItsDialog) {
    AddRentalOut();
    frmControlBack& back = OpenReturnDialog();
    bool seen = false;
    WhenShown<frmDispUser>([&](frmDispUser& info) {
        ASSERT_TRUE(Active(info));
        seen = true;
        ExpectOver(info, back);
        Press(Qt::Key_Escape);
    });
    Click(back.LblBackName);
    EXPECT_TRUE(seen);
    EXPECT_FALSE(frmDispUser::isLoaded());
    EXPECT_TRUE(back.isVisible()) << "Esc closed the information, not the return";
}
