// The counter's money boxes read what the operator typed as every money box does: an amount
// or nothing. A percent sign or a letter is no amount; full-width digits are digits.
#include <QLineEdit>
#include <QPushButton>

#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "platform/text/TypedAmount.h"
#include "tests/counter/BasketPageFixture.h"
#include "tests/support/DatabaseDump.h"

namespace {
const QString A = "030100000001";  // 3 copies, sold at 100

class AmountBoxesTest : public BasketPageFixture {
  protected:
    void SetUp() override {
        BasketPageFixture::SetUp();
        AddTitle(A, "英雄", 3, 100);
        SetDeposit(1, 20, 10);
    }
    // The operator types into a box key by key, then clicks the button with the mouse.
    static void TypeThenPress(QLineEdit* box, const QString& text, QPushButton* button) {
        Clear(box);
        Type(box, text);
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
};
}  // namespace

TEST_F(AmountBoxesTest, TheAmountReceivedOfASaleIsAnAmountOrRefused) {
    CounterPage& page = Start(6);
    frmControlSell& d = OpenSale(A);
    d.Command1->click();
    Settle();
    ASSERT_EQ(page.MskFactSellMoney->Text(), "￥300.00");
    const QStringList before = DatabaseDump(DbPath());
    for (const QString typed : {"80%", "30000%", "5O", "abc", "３Ｏ０"}) {
        ForgetPrompts();
        bool asked = false;
        QTimer::singleShot(0, [&asked] {
            if (auto* pay = dynamic_cast<frmSellPay*>(QApplication::activeModalWidget())) {
                asked = true;
                pay->Command3->click();
            }
        });
        TypeThenPress(page.MskFactSellMoney, typed, page.CmdSellTax);
        ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
        EXPECT_EQ(Prompts()[0], AmountRefusal("实收金额", typed, AmountSign::MayBeNegative));
        EXPECT_FALSE(asked) << typed.toStdString();
        EXPECT_EQ(page.MskFactSellMoney->Text(), typed) << "the box keeps what was typed";
        EXPECT_EQ(DatabaseDump(DbPath()), before) << typed.toStdString();
    }

    // "３００" is 300, paid in cash.
    QString due;
    WhenShown<frmSellPay>([&due](frmSellPay& pay) {
        due = pay.TxtCatchSum->text();
        pay.TxtCatchFact->SetText("３００");
        pay.Command1->click();
    });
    TypeThenPress(page.MskFactSellMoney, "３００", page.CmdSellTax);
    EXPECT_EQ(due, "￥300.00");
    EXPECT_EQ(Query1("select printf('%g', total([money])) from sellinfo"), "300");
}

TEST_F(AmountBoxesTest, TheDepositReceivedIsAnAmountOrAPledgeNeverAFraction) {
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(A);
    CheckOnly(d.ListView1, {1, 2});
    d.Command1->click();
    Settle();
    ASSERT_EQ(page.TxtCredence->text(), "￥40.00");
    // Leaving the box shows an amount as money; a text stays as typed, as a pledge does.
    Clear(page.TxtCredence);
    Type(page.TxtCredence, "４０");
    page.CmdTax->setFocus();
    Settle();
    EXPECT_EQ(page.TxtCredence->text(), "￥40.00");
    Clear(page.TxtCredence);
    Type(page.TxtCredence, "4000%");
    page.CmdTax->setFocus();
    Settle();
    EXPECT_EQ(page.TxtCredence->text(), "4000%") << "never ￥40.00";

    // Paid "40%" against a deposit of 40.00 covers nothing.
    Clear(page.TxtCredence);
    Type(page.TxtCredence, "40");
    bool covered = true;
    WhenShown<frmUseTaxPay>([&covered](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("40%");
        covered = pay.Command1->isEnabled();
        pay.TxtCatchFact->SetText("４０");
        if (pay.Command1->isEnabled()) pay.Command1->click();
    });
    QTest::mouseClick(page.CmdTax, Qt::LeftButton);
    Settle();
    EXPECT_FALSE(covered);
    EXPECT_EQ(Query1("select group_concat(credencetype||printf('%g',foregift)) from borrowinfo"),
              "现金40");
}
