// What a basket holds stays what it was confirmed at, through the panels and their dialogs
// with the mouse and the keys: a line edited (unchanged, a copy dropped, a copy added) after
// the catalogue, the member percentage or the deposit rule changed; a basket keeping the
// terms it opened with; a member leaving with a basket open; what the operator typed in the
// amount boxes kept through dialogs left without confirming; and every settlement checking
// the file as another program left it between the dialog's reading and the confirmation.
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "platform/ui/MaskEdBox.h"
#include "tests/counter/BasketPageFixture.h"
#include "tests/support/ListClicks.h"

namespace {
const QString A = "030100000001";  // 3 copies, sold at 30, bought at 15
const QString B = "030100000002";  // 5 copies, sold at 100
const QString C = "051200000001";  // 2 copies, sold at 30, to members at 27
const QString D = "051200000002";  // 2 copies, sold at 10, to members at 9

class BasketTermsTest : public BasketPageFixture {
  protected:
    void SetUp() override {
        BasketPageFixture::SetUp();
        AddTitle(A, "英雄", 3, 30, 15);
        AddTitle(B, "卧虎藏龙", 5, 100);
        AddTitle(C, "星球大战", 2, 30, QVariant(), 27);
        AddTitle(D, "大话西游", 2, 10, QVariant(), 9);
        SetDeposit(1, 20, 10);
    }

    // A check box or an option button takes a click on its box.
    static void ClickBox(QAbstractButton* box) {
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, QPoint(8, box->height() / 2));
    }
    static void Press(QPushButton* button) {
        QTest::mouseClick(button, Qt::LeftButton);
        Settle();
    }
    // The check-out of the title with the copies ticked, confirmed with Enter.
    void RentOut(const QString& cdid, std::initializer_list<int> copies,
                 const QString& member = QString()) {
        frmControlBorrow& d = OpenRental(cdid);
        if (!member.isEmpty()) {
            d.Option3->click();
            d.TxtName->setText(member);
        }
        TickOnly(d.ListView1, copies);
        Press(d.Command1);
    }
    void Sell(const QString& cdid, std::initializer_list<int> copies,
              const QString& member = QString()) {
        frmControlSell& d = OpenSale(cdid);
        if (!member.isEmpty()) {
            d.Option3->click();
            d.TxtName->setText(member);
        }
        TickOnly(d.ListView1, copies);
        Press(d.Command1);
    }
    // "编辑此光盘" on a row of the basket, the copies ticked (none given: as the line holds
    // them), then confirmed or left.
    CheckOutForm& EditRow(ListView* list, QPushButton* edit, int row) {
        ClickRow(list, row);
        Press(edit);
        if (list == page_->LvwReturn) return frmControlBorrow::instance();
        return frmControlSell::instance();
    }
    void EditRental(int row, std::initializer_list<int> copies = {}) {
        CheckOutForm& d = EditRow(page_->LvwReturn, page_->CmdBorrowEdit, row);
        if (copies.size() > 0) TickOnly(d.ListView1, copies);
        Press(d.Command1);
    }
    void EditSale(int row, std::initializer_list<int> copies = {}) {
        CheckOutForm& d = EditRow(page_->lvwSell, page_->CmdSellEdit, row);
        if (copies.size() > 0) TickOnly(d.ListView1, copies);
        Press(d.Command1);
    }

    QString RentalPanel() {
        return page_->LblNotBackCount->Caption() + "/" + page_->LblMoneyBorrowCreSum->Caption() +
               "/" + page_->TxtCredence->text();
    }
    QString SalePanel() {
        return page_->LblSellCount->Caption() + "/" + page_->LblSellMoney->Caption() + "/" +
               page_->MskFactSellMoney->Text();
    }
    // What the basket's lines hold, in the order written.
    QString Held(const char* column, const char* table) {
        return Query1(QString("select group_concat(printf('%.2f',%1), ' ') from (select %1 "
                              "from %2 order by rowid)")
                          .arg(column, table));
    }
    void SettleRental(const QString& paid, bool waive = false) {
        WhenShown<frmUseTaxPay>([paid, waive](frmUseTaxPay& pay) {
            if (waive) ClickBox(pay.Check1);
            pay.TxtCatchFact->SetText(paid);
            QTest::mouseClick(pay.Command1, Qt::LeftButton);
        });
        Press(page_->CmdTax);
    }
    void SettleSale(bool storedMoney) {
        WhenShown<frmSellPay>([storedMoney](frmSellPay& pay) {
            if (!storedMoney) ClickBox(pay.Option1_1);
            pay.TxtCatchFact->SetText("9999");
            QTest::mouseClick(pay.Command1, Qt::LeftButton);
        });
        Press(page_->CmdSellTax);
    }
    void TypeAmount(QLineEdit* box, const QString& text) {
        Clear(box);
        Type(box, text);
        Leave(box, page_->lvwSell);
    }
    QString LastPrompt() {
        const auto& calls = MsgBoxLog::Get().Calls();
        return calls.empty() ? QString() : calls.back().prompt;
    }
};
}  // namespace

// A sale line keeps what it was confirmed at: after the title's price, or the member
// percentage, changed, an edit confirmed unchanged changes no figure; a copy added costs the
// price of the moment; the settlement writes what the lines were confirmed at.
TEST_F(BasketTermsTest, ASaleLineEditedAfterAPriceChangeKeepsWhatItWasConfirmedAt) {
    CounterPage& page = Start(6);
    Sell(A, {1});
    Sell(B, {1});
    ASSERT_EQ(SalePanel(), "2/￥130.00/￥130.00");
    Sql("update cdinfo set sellprice = 100, membersellprice = 90 where cdid = '" + A + "'");
    EditSale(1);
    EXPECT_EQ(SalePanel(), "2/￥130.00/￥130.00") << "confirmed unchanged";
    EditSale(1, {1, 2});  // a second copy of 英雄, at today's 100
    EXPECT_EQ(SalePanel(), "3/￥230.00/￥230.00");
    EditSale(1, {1});  // dropped again: the line holds 130 over two copies, 65 each
    EXPECT_EQ(SalePanel(), "2/￥165.00/￥165.00");
    SettleSale(false);
    ASSERT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Held("money", "sellinfo"), "65.00 100.00");

    // A member's sale of 27 + 9; the settings page sets the member percentage to 50%.
    Sell(C, {1}, "000001");
    Sell(D, {1});
    ASSERT_EQ(SalePanel(), "2/￥36.00/￥36.00");
    Sql("update cdinfo set membersellprice = round(sellprice * 0.5, 2)");
    EditSale(1);
    EditSale(2);
    EXPECT_EQ(SalePanel(), "2/￥36.00/￥36.00");
    EditSale(2, {1, 2});  // the copy added at the member's price of the moment, 5
    EXPECT_EQ(SalePanel(), "3/￥41.00/￥41.00");
    SettleSale(true);  // from the stored money 50
    ASSERT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Query1("select printf('%.2f', money) from userinfo where userid = '000001'"), "9.00");
    EXPECT_EQ(Held("money", "sellinfo"), "65.00 100.00 27.00 14.00");
    EXPECT_EQ(page.lvwSell->ListItems().Count(), 0);
}

// A rental line keeps its deposit through edits after the deposit amount, the rule or a
// title's purchase price changed; a copy added asks what the basket's terms ask.
TEST_F(BasketTermsTest, ARentalLineEditedAfterTheDepositChangedKeepsItsDeposit) {
    Start();
    RentOut(B, {1, 2, 3, 4, 5});
    ASSERT_EQ(RentalPanel(), "5/￥100.00/￥100.00");
    SetDeposit(1, 50, 30);  // the walk-in deposit raised to 50
    EditRental(1);
    EXPECT_EQ(RentalPanel(), "5/￥100.00/￥100.00") << "confirmed unchanged";
    EditRental(1, {1, 2, 3});
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    SetDeposit(2, 70, 70);  // and the rule switched to one sum
    EditRental(1, {1, 2});
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00") << "three copies at 60.00, one dropped";
    EditRental(1, {1, 2, 4});
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00") << "the copy added asks the basket's 20";
    SettleRental("60");
    ASSERT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Held("foregift", "borrowinfo"), "60.00");

    // Rule 0: each copy asks what its title cost; the purchase price then changes.
    SetDeposit(0, 0, 0);
    RentOut(A, {1, 2});
    ASSERT_EQ(RentalPanel(), "2/￥30.00/￥30.00");
    Sql("update cdinfo set buymoney = 40 where cdid = '" + A + "'");
    EditRental(1);
    EXPECT_EQ(RentalPanel(), "2/￥30.00/￥30.00");
    EditRental(1, {1, 2, 3});
    EXPECT_EQ(RentalPanel(), "3/￥70.00/￥70.00") << "15 + 15 kept, the copy added at 40";
    SettleRental("70");

    // Rule 2: the basket's one sum stays whatever copies its lines come to hold.
    SetDeposit(2, 50, 50);
    RentOut(C, {1});
    SetDeposit(2, 80, 80);
    EditRental(1, {1, 2});
    EXPECT_EQ(RentalPanel(), "2/￥50.00/￥50.00");
}

// A basket keeps the rule and the amounts it was opened with for every line confirmed into
// it later; only the next basket follows the settings.
TEST_F(BasketTermsTest, ABasketKeepsTheDepositTermsItWasOpenedWith) {
    CounterPage& page = Start();
    RentOut(A, {1});
    ASSERT_EQ(RentalPanel(), "1/￥20.00/￥20.00");
    SetDeposit(2, 50, 50);  // 固定 50.00
    RentOut(B, {1});
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00") << "still 20 a copy";
    ClickRow(page.LvwReturn, 1);
    Press(page.CmdDel);
    EXPECT_EQ(RentalPanel(), "1/￥20.00/￥20.00");
    SetDeposit(1, 50, 30);  // rule 1's amount raised with the basket open
    RentOut(C, {1});
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00") << "the next title still asked 20 a copy";
    SettleRental("40");
    ASSERT_FALSE(gBorrowBasket.Open);

    RentOut(D, {1});
    EXPECT_EQ(RentalPanel(), "1/￥50.00/￥50.00") << "the next basket follows the settings";
}

// A member who leaves while the basket is open is settled as a walk-in: the dialog offers
// no waiver and no stored money, and a dialog that offered them while the member was there
// is refused at the confirmation, in words, with nothing written.
TEST_F(BasketTermsTest, AMemberWhoLeftWithABasketOpenIsSettledAsAWalkIn) {
    CounterPage& page = Start();
    RentOut(A, {1, 2}, "000001");  // the member's 10 a copy
    ASSERT_EQ(RentalPanel(), "2/￥20.00/￥20.00");
    WhenShown<frmUseTaxPay>([this](frmUseTaxPay& pay) {
        EXPECT_TRUE(pay.Check1->isEnabled());
        ClickBox(pay.Check1);
        Sql("delete from userinfo where userid = '000001'");  // the member page, meanwhile
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdTax);
    EXPECT_EQ(LastPrompt(),
              "000001 已经不是会员了（会员资料已被删除），不能免收押金，没有结算。"
              "请按零租用户收押金结算。");
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select count(*) from openbasket"), "1") << "still open";
    EXPECT_EQ(Held("foregift", "borrowinfo"), "20.00") << "no deposit waived";
    bool waiverOffered = true;
    WhenShown<frmUseTaxPay>([&waiverOffered](frmUseTaxPay& pay) {
        waiverOffered = pay.Check1->isEnabled();
        pay.TxtCatchFact->SetText("20");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdTax);
    EXPECT_FALSE(waiverOffered);
    ASSERT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Held("foregift", "borrowinfo"), "20.00");

    // A sale: the member leaves while the payment dialog shows the stored money.
    host_->Activate(page_, 6);
    Settle();
    Sell(C, {1}, "000002");
    WhenShown<frmSellPay>([this](frmSellPay& pay) {
        EXPECT_TRUE(pay.Option1_0->isChecked());
        Sql("delete from userinfo where userid = '000002'");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdSellTax);
    EXPECT_EQ(
        LastPrompt(),
        "000002 已经不是会员了（会员资料已被删除），不能用会费支付，没有结算。请用现金结算。");
    EXPECT_TRUE(gSellBasket.Open);
    EXPECT_EQ(Held("money", "sellinfo"), "27.00");
    bool storedMoneyOffered = true;
    WhenShown<frmSellPay>([&storedMoneyOffered](frmSellPay& pay) {
        storedMoneyOffered = pay.Option1_0->isEnabled();
        pay.TxtCatchFact->SetText("27");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdSellTax);
    EXPECT_FALSE(storedMoneyOffered);
    EXPECT_FALSE(gSellBasket.Open);
}

// What the operator typed in the amount boxes stays through an edit or a check-out left
// without confirming; a change of the basket's lines replaces it.
TEST_F(BasketTermsTest, WhatTheOperatorTypedStaysThroughDialogsLeftWithoutConfirming) {
    CounterPage& page = Start(6);
    Sell(A, {1});
    Sell(B, {1});
    TypeAmount(page.MskFactSellMoney, "100");
    ASSERT_EQ(SalePanel(), "2/￥130.00/100");
    CheckOutForm& edit = EditRow(page.lvwSell, page.CmdSellEdit, 1);
    Press(edit.Command2);
    EXPECT_EQ(SalePanel(), "2/￥130.00/100") << "edit cancelled";
    OpenSale(C);
    QTest::keyClick(&frmControlSell::instance(), Qt::Key_Escape);
    Settle();
    EXPECT_EQ(SalePanel(), "2/￥130.00/100") << "check-out left with Esc";
    EditRow(page.lvwSell, page.CmdSellEdit, 2).close();
    Settle();
    EXPECT_EQ(SalePanel(), "2/￥130.00/100") << "edit closed with the close box";
    Sell(C, {1});
    EXPECT_EQ(SalePanel(), "3/￥160.00/￥160.00") << "a line added offers the new total";

    host_->Activate(page_, 0);
    Settle();
    RentOut(A, {1, 2});
    TypeAmount(page.TxtCredence, "30");
    ASSERT_EQ(RentalPanel(), "2/￥40.00/￥30.00");
    Press(EditRow(page.LvwReturn, page.CmdBorrowEdit, 1).Command2);
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥30.00") << "edit cancelled";
    OpenRental(B);
    Press(frmControlBorrow::instance().Command2);
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥30.00") << "check-out cancelled";
}

// Every settlement reads again, in its transaction, what it writes on; another program's
// change between the dialog's reading and the confirmation is told and nothing is written.
TEST_F(BasketTermsTest, ASettlementChecksTheFileAsAnotherProgramLeftIt) {
    Sql("update userinfo set money = 100 where userid = '000001'");
    CounterPage& page = Start(6);
    Sell(C, {1}, "000001");
    QString shown;
    WhenShown<frmSellPay>([this, &shown](frmSellPay& pay) {
        shown = pay.TxtCurrentTax->text();
        Sql("update userinfo set money = 10 where userid = '000001'");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdSellTax);
    EXPECT_EQ(shown, "￥100.00");
    EXPECT_EQ(LastPrompt(),
              "会员 000001 的会费刚在别处被改动过（现在是 ￥10.00），没有结算。请重新结算。");
    EXPECT_TRUE(gSellBasket.Open);
    EXPECT_EQ(Query1("select money from userinfo where userid = '000001'"), "10.0");
    EXPECT_EQ(Held("money", "sellinfo"), "27.00");
    SettleSale(true);  // shown 10 now: 17 short, paid in cash
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Query1("select money from userinfo where userid = '000001'"), "0.0");

    // A rental: one of its lines deleted from outside while the dialog is open.
    host_->Activate(page_, 0);
    Settle();
    RentOut(A, {1});
    RentOut(B, {1});
    ASSERT_EQ(RentalPanel(), "2/￥40.00/￥40.00");
    WhenShown<frmUseTaxPay>([this](frmUseTaxPay& pay) {
        Sql("delete from borrowinfo where borrowid = '" + B + gBorrowBasket.No + "'");
        pay.TxtCatchFact->SetText("40");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdTax);
    EXPECT_EQ(LastPrompt(),
              "这一单出租的光盘刚在别处被改动过（现在共 1 张，合计 ￥20.00），没有结算。"
              "请核对后重新结算。");
    EXPECT_EQ(RentalPanel(), "1/￥20.00/￥20.00") << "the panel shows the basket as it stands";
    EXPECT_EQ(Held("foregift", "borrowinfo"), "20.00");

    // Its number taken meanwhile by another customer's rental: that rental is never written.
    const QString no = gBorrowBasket.No;
    WhenShown<frmUseTaxPay>([this, no](frmUseTaxPay& pay) {
        Sql("delete from borrowinfo; insert into borrowinfo (borrowid, name, borrowdate, "
            "borrowcount, borrowlst, isnotpaylst, CredenceType, foregift) values ('" +
            B + no + "', '别人', '2026-12-08 10:00:00', 1, '&2#', '&2#', '现金', 33)");
        pay.TxtCatchFact->SetText("20");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Press(page.CmdTax);
    EXPECT_TRUE(LastPrompt().contains("已经被别的顾客的出租记录占用"))
        << LastPrompt().toStdString();
    EXPECT_EQ(Query1("select name || ' ' || foregift from borrowinfo"), "别人 33.0");
}
