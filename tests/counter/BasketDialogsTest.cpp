// The check-out and settlement dialogs and the basket panels, driven as the operator does.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "platform/ui/PopupMenu.h"
#include "tests/counter/BasketPageFixture.h"
#include "tests/support/DatabaseDump.h"

namespace {
const QString A = "030100000001";  // 3 copies, sold at 100
const QString B = "030100000002";  // 2 copies, sold at 10
const QString C = "051200000001";  // 1 copy, sold at 30, to members at 27

class BasketDialogsTest : public BasketPageFixture {
  protected:
    void SetUp() override {
        BasketPageFixture::SetUp();
        AddTitle(A, "英雄", 3, 100, 15);
        AddTitle(B, "卧虎藏龙", 2, 10);
        AddTitle(C, "星球大战", 1, 30, QVariant(), 27);
        SetDeposit(1, 20, 10);
    }

    // A walk-in rental of copies 1 and 3 of A, then copy 1 of B.
    void RentTwoTitles() {
        frmControlBorrow& d = OpenRental(A);
        CheckOnly(d.ListView1, {1, 3});
        d.Command1->click();
        frmControlBorrow& again = OpenRental(B);
        CheckOnly(again.ListView1, {1});
        again.Command1->click();
        Settle();
    }
    void Select(ListView* list, int row) { list->SetSelectedItem(list->ListItems()(row)); }
};
}  // namespace

TEST_F(BasketDialogsTest, ARentalCheckOutFillsTheBasketPanelAndKeepsTheCustomer) {
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(A);
    ASSERT_TRUE(d.isVisible());
    EXPECT_EQ(Items(d.ListView1), "第1张盘✓,第2张盘✓,第3张盘✓");
    EXPECT_EQ(d.TxtName->text(), "20261208001");
    EXPECT_TRUE(d.Option4->isChecked());
    EXPECT_TRUE(d.Frame2->isEnabled());
    CheckOnly(d.ListView1, {1, 3});
    d.TxtRemark->setText("it's");
    d.Command1->click();
    Settle();
    EXPECT_FALSE(d.isVisible());
    EXPECT_EQ(Rows(page.LvwReturn), "001/" + A + "0001/英雄/2");
    EXPECT_EQ(page.LblNotBackCount->Caption(), "2");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "￥40.00");
    EXPECT_EQ(page.TxtCredence->text(), "￥40.00");
    EXPECT_EQ(page.LblBorrowUserNameTotle->Caption(), "用户姓名：");
    EXPECT_EQ(page.LblBorrowUserName->Caption(), "20261208001");
    EXPECT_TRUE(page.CmdTax->isEnabled() && page.CmdDel->isEnabled() &&
                page.CmdBorrowEdit->isEnabled() && page.TxtCredence->isEnabled());
    EXPECT_EQ(RentalRow(A + "0001"),
              A + "0001|20261208001|2|&1#&3#|&1#&3#|it's|现金|40|2026-12-08 10:00:00");
    // The list follows what the check-out announced: read afresh from its first title.
    EXPECT_EQ(page.LblStation->Caption(), "借出部分");
    EXPECT_EQ(Items(page.ListView1), "第2张盘");

    // The next title goes to the same customer and number; the customer cannot change.
    frmControlBorrow& next = OpenRental(B);
    EXPECT_FALSE(next.Frame2->isEnabled());
    EXPECT_FALSE(next.Frame3->isEnabled());
    EXPECT_EQ(next.TxtName->text(), "20261208001");
    next.Command1->click();
    EXPECT_EQ(Rows(page.LvwReturn), "001/" + A + "0001/英雄/2,002/" + B + "0001/卧虎藏龙/2");
    EXPECT_EQ(page.LblNotBackCount->Caption(), "4");
    EXPECT_EQ(TitleState(B), "全部借出|1|0");
}

TEST_F(BasketDialogsTest, TheMemberLookUpAndTheDialogsRefusals) {
    Start();
    frmControlBorrow& d = OpenRental(A);
    d.Option3->click();
    EXPECT_EQ(d.Label1->text(), "会员编号");
    d.TxtName->setText("000001");
    Leave(d.TxtName, d.TxtRemark);
    EXPECT_EQ(d.Label12->Caption(), "张三");
    EXPECT_EQ(d.Label10->Caption(), "￥50.00");
    d.TxtName->setText("999999");
    Leave(d.TxtName, d.TxtRemark);
    EXPECT_EQ(Prompts().back(), "没有这个会员，请检查会员编号是否输入错误！");
    EXPECT_TRUE(d.Option4->isChecked());
    EXPECT_EQ(d.TxtName->text(), "20261208001");

    ForgetPrompts();
    d.TxtName->clear();
    d.Command1->click();
    EXPECT_EQ(Prompts(), std::vector<QString>{"姓名不能为空"});
    d.TxtName->setText("O'Brien");
    CheckOnly(d.ListView1, {});
    d.Command1->click();
    EXPECT_EQ(Prompts().back(), "没有选择借出的光盘！");
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 0);
}

TEST_F(BasketDialogsTest, AnOpenBasketKeepsItsMemberWhenTheLookUpFails) {
    Start();
    frmControlBorrow& d = OpenRental(A);
    d.Option3->click();
    d.TxtName->setText("000002");
    CheckOnly(d.ListView1, {1});
    d.Command1->click();
    Sql("delete from userinfo where userid='000002'");
    frmControlBorrow& next = OpenRental(B);
    EXPECT_TRUE(next.Option3->isChecked());
    EXPECT_EQ(next.TxtName->text(), "000002");
    next.Command1->click();
    EXPECT_EQ(Query1("select group_concat(distinct name) from borrowinfo"), "000002");
}

TEST_F(BasketDialogsTest, UsedUpRentalNumbersKeepTheDialogOpenAndTheBasketClosed) {
    Sql("with recursive n(i) as (select 1 union all select i+1 from n where i<9999) "
        "insert into borrowinfo (borrowid, name) select '" +
        C + "'||substr('000'||i,-4), 'x' from n");
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(A);
    const QStringList before = DatabaseDump(DbPath());
    d.Command1->click();
    EXPECT_TRUE(Prompts().back().contains("0001 至 9999"));
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(page.LvwReturn->ListItems().Count(), 0);
    EXPECT_FALSE(gBorrowBasket.Open);
}

TEST_F(BasketDialogsTest, ButtonsPressedTwiceActOnce) {
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(C);
    d.Command1->click();
    d.Command1->click();
    EXPECT_EQ(Query1("select borrowcount||borrowlst from borrowinfo"), "1&1#");
    RentTwoTitles();  // into the same basket: A's copies 1 and 3, B's copy 1
    Select(page.LvwReturn, 2);
    page.CmdDel->click();
    page.CmdDel->click();
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 2);
    EXPECT_EQ(page.LvwReturn->ListItems().Count(), 2);

    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("100");
        pay.Command1->click();
        pay.Command1->click();
    });
    page.CmdTax->click();
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(Query1("select group_concat(printf('%g', foregift)) from borrowinfo"), "20,20");
    EXPECT_FALSE(gBorrowBasket.Open);
}

TEST_F(BasketDialogsTest, ALineEditRewritesTheLineAndACancelLeavesItAsItWas) {
    CounterPage& page = Start();
    RentTwoTitles();
    ASSERT_EQ(page.LblNotBackCount->Caption(), "3");
    Current(C);  // the counter shows another title: the edit reads A's own row
    Select(page.LvwReturn, 1);
    page.CmdBorrowEdit->click();
    Settle();
    frmControlBorrow& d = frmControlBorrow::instance();
    EXPECT_EQ(Items(d.ListView1), "第1张✓,第2张,第3张✓");
    EXPECT_EQ(d.LblID->Caption(), "001");
    EXPECT_EQ(page.LblNotBackCount->Caption(), "3");  // nothing leaves the basket meanwhile
    d.Command2->click();
    EXPECT_EQ(page.LblNotBackCount->Caption(), "3");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "￥60.00");

    page.CmdBorrowEdit->click();
    Settle();
    d.close();  // the close box is a cancel too
    Settle();
    EXPECT_EQ(page.LblNotBackCount->Caption(), "3");
    EXPECT_TRUE(frmControlBorrow::isLoaded());

    page.CmdBorrowEdit->click();
    Settle();
    frmControlBorrow& again = frmControlBorrow::instance();
    CheckOnly(again.ListView1, {1, 2, 3});
    again.Command1->click();
    EXPECT_EQ(Query1("select borrowcount||borrowlst||isnotpaylst from borrowinfo where borrowid='" +
                     A + "0001'"),
              "3&1#&2#&3#&1#&2#&3#");
    EXPECT_EQ(TitleState(A), "全部借出|1|0");
    EXPECT_EQ(Rows(page.LvwReturn), "001/" + A + "0001/英雄/3,002/" + B + "0001/卧虎藏龙/1");
    EXPECT_EQ(page.LblNotBackCount->Caption(), "4");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "￥80.00");
}

TEST_F(BasketDialogsTest, RemovingTheLastLineClosesTheBasket) {
    CounterPage& page = Start();
    RentTwoTitles();
    page.TxtCredence->setText("身份证");
    Select(page.LvwReturn, 1);
    page.CmdDel->click();
    EXPECT_EQ(page.LblNotBackCount->Caption(), "1");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "￥20.00");
    EXPECT_EQ(page.TxtCredence->text(), "身份证");  // a pledge typed stays
    EXPECT_EQ(TitleState(A), "未借出|0|0");
    Select(page.LvwReturn, 1);
    page.CmdDel->click();
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(page.LblNotBackCount->Caption(), "0");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "0");
    EXPECT_EQ(page.TxtCredence->text(), "");
    EXPECT_FALSE(page.CmdTax->isEnabled() || page.CmdDel->isEnabled() ||
                 page.CmdBorrowEdit->isEnabled() || page.TxtCredence->isEnabled());
    EXPECT_EQ(page.LvwReturn->ColumnHeaders().Count(), 0);
}

TEST_F(BasketDialogsTest, TheDepositSettlementCoversToTheCentAndItsCloseBoxCancels) {
    CounterPage& page = Start();
    RentTwoTitles();
    QString shown;
    WhenShown<frmUseTaxPay>([&shown](frmUseTaxPay& pay) {
        EXPECT_FALSE(pay.Check1->isEnabled());  // a walk-in basket
        EXPECT_FALSE(pay.Command1->isEnabled());
        pay.TxtCatchFact->SetText("59.99");
        EXPECT_FALSE(pay.Command1->isEnabled());
        EXPECT_EQ(pay.TxtCatchRest->text(), "");
        pay.TxtCatchFact->SetText("80");
        shown = pay.TxtCatchRest->text();
        EXPECT_TRUE(pay.Command1->isEnabled());
        pay.close();
    });
    const QStringList before = DatabaseDump(DbPath());
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(shown, "￥20.00");
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_TRUE(page.CmdTax->isEnabled());

    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("60");
        pay.Command1->click();
    });
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(
        Query1("select group_concat(printf('%g',foregift)||credencetype, ',') from borrowinfo"),
        "40现金,20现金");
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(page.LvwReturn->ListItems().Count(), 0);
    EXPECT_EQ(page.LblNotBackCount->Caption(), "0");
    EXPECT_FALSE(page.CmdTax->isEnabled());
}

TEST_F(BasketDialogsTest, APledgeMustNameSomethingAndAMemberMayBeLetOff) {
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(A);
    d.Option3->click();
    d.TxtName->setText("000001");
    CheckOnly(d.ListView1, {1});
    d.Command1->click();
    for (const QString& blank : {QString("   "), QString("-5")}) {
        page.TxtCredence->setText(blank);
        bool enabled = true;
        WhenShown<frmUseTaxPay>([&enabled](frmUseTaxPay& pay) {
            enabled = pay.Command1->isEnabled();
            pay.Command3->click();
        });
        page.CmdTax->click();
        Settle();
        EXPECT_FALSE(enabled) << blank.toStdString();
    }
    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        EXPECT_TRUE(pay.Check1->isEnabled());
        pay.Check1->click();
        pay.Command1->click();
    });
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(Query1("select credencetype||printf('%g',foregift) from borrowinfo"), "现金0");

    frmControlBorrow& next = OpenRental(B);
    next.Command1->click();
    page.TxtCredence->setText("O'Brien's 身份证");
    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) { pay.Command1->click(); });
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(
        Query1("select credencetype||Guaranty from borrowinfo where borrowid='" + B + "0002'"),
        "证件O'Brien's 身份证");
}

TEST_F(BasketDialogsTest, AMembersSaleIsPricedAndSettledFromTheStoredMoney) {
    CounterPage& page = Start(6);
    Sql("update cdinfo set membersellprice=12.5 where cdid='" + B + "'");
    frmControlSell& d = OpenSale(B);
    EXPECT_EQ(d.MemberPrice, Yuan(12.5));
    d.Option3->click();
    d.TxtName->setText("000001");
    d.Command1->click();
    frmControlSell& next = OpenSale(C);
    next.Command1->click();
    EXPECT_EQ(page.LblSellMoney->Caption(), "￥52.00");  // 2 × 12.50 + 27
    EXPECT_EQ(page.MskFactSellMoney->Text(), "￥52.00");
    EXPECT_EQ(TitleState(B), "未借出|0|2");

    page.MskFactSellMoney->SetText("abc");
    const QStringList before = DatabaseDump(DbPath());
    page.CmdSellTax->click();
    EXPECT_TRUE(Prompts().back().contains("“abc”不是正确的金额"));
    EXPECT_EQ(DatabaseDump(DbPath()), before);

    page.MskFactSellMoney->SetText("52");
    QString rest, remain;
    WhenShown<frmSellPay>([&](frmSellPay& pay) {
        EXPECT_TRUE(pay.Option1_0->isChecked());
        rest = pay.TxtRest->text();
        remain = pay.TxtRemain->Text();
        pay.close();  // the close box: nothing paid
    });
    page.CmdSellTax->click();
    Settle();
    EXPECT_EQ(rest, "-￥2.00");
    EXPECT_EQ(remain, "2");
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_TRUE(gSellBasket.Open);

    WhenShown<frmSellPay>([](frmSellPay& pay) { pay.Command1->click(); });
    page.CmdSellTax->click();
    Settle();
    EXPECT_EQ(Query1("select printf('%g',money) from userinfo where userid='000001'"), "0");
    EXPECT_EQ(Query1("select group_concat(printf('%g',money), ',') from sellinfo order by sellid"),
              "25,27");  // the amount received is what the lines hold
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(page.LblSellCount->Caption(), "0");
    EXPECT_FALSE(page.CmdSellTax->isEnabled());
}

TEST_F(BasketDialogsTest, AWalkInPaysCashToTheCentAndALineOutTakesItsOwnMoney) {
    CounterPage& page = Start(6);
    frmControlSell& d = OpenSale(A);
    // The right button over the copies offers the select menu.
    SetPopupMenuResponder([](QMenu* menu) -> QAction* {
        for (QAction* a : menu->actions())
            if (a->text() == QStringLiteral("全部取消")) return a;
        return nullptr;
    });
    const QPoint inside = d.ListView1->viewport()->rect().center();
    QTest::mouseClick(d.ListView1->viewport(), Qt::RightButton, Qt::NoModifier, inside);
    ClearPopupMenuResponder();
    EXPECT_EQ(Items(d.ListView1), "第1张盘,第2张盘,第3张盘");
    CheckOnly(d.ListView1, {1});
    d.Command1->click();
    frmControlSell& next = OpenSale(B);
    next.Command1->click();
    EXPECT_EQ(page.LblSellMoney->Caption(), "￥120.00");
    page.lvwSell->SetSelectedItem(page.lvwSell->ListItems()(1));
    page.CmdDelSellCD->click();
    EXPECT_EQ(page.LblSellMoney->Caption(), "￥20.00");
    EXPECT_EQ(page.MskFactSellMoney->Text(), "￥20.00");
    EXPECT_EQ(TitleState(A), "未借出|0|0");

    // The line edit: the basket keeps the line until the edit is confirmed.
    page.lvwSell->SetSelectedItem(page.lvwSell->ListItems()(1));
    page.CmdSellEdit->click();
    Settle();
    frmControlSell& edit = frmControlSell::instance();
    EXPECT_EQ(Items(edit.ListView1), "第1张✓,第2张✓");
    EXPECT_EQ(page.LblSellMoney->Caption(), "￥20.00");
    CheckOnly(edit.ListView1, {2});
    edit.Command1->click();
    EXPECT_EQ(SaleRow(B + "0001"), B + "0001|20261208001|1|&2#| |10");
    EXPECT_EQ(page.LblSellMoney->Caption(), "￥10.00");
    EXPECT_EQ(TitleState(B), "未借出|0|1");

    WhenShown<frmSellPay>([](frmSellPay& pay) {
        EXPECT_FALSE(pay.Option1_0->isEnabled());
        EXPECT_FALSE(pay.Command1->isEnabled());
        pay.TxtCatchFact->SetText("9.99");
        EXPECT_FALSE(pay.Command1->isEnabled());
        pay.TxtCatchFact->SetText("20");
        EXPECT_EQ(pay.TxtCatchRest->text(), "￥10.00");
        pay.Command1->click();
    });
    page.CmdSellTax->click();
    Settle();
    EXPECT_EQ(SaleRow(B + "0001"), B + "0001|20261208001|1|&2#| |10");
}

TEST_F(BasketDialogsTest, ClosingRollsBackTheBasketsTheDialogsMade) {
    Data().Add(ShopData::Rental(B, "0007"));  // B's copy 1 out on a settled rental
    Sql("update cdinfo set station='借出部分', outcount=1 where cdid='" + B + "'");
    Start();
    frmControlBorrow& d = OpenRental(A);
    CheckOnly(d.ListView1, {2});
    d.Command1->click();
    OpenRental(B).Command1->click();  // B's last copy
    host_->Activate(page_, 6);
    OpenSale(C).Command1->click();
    ASSERT_TRUE(gBorrowBasket.Open && gSellBasket.Open);
    EXPECT_EQ(TitleState(B), "全部借出|2|0");

    MsgBoxLog::Get().QueueAnswer(vbYes);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(host_->Unload());
    host_ = nullptr;
    EXPECT_EQ(Prompts(), (std::vector<QString>{"用户出租光盘未结帐，真的要退出吗？",
                                               "用户购买光盘未结帐，真的要退出吗？"}));
    EXPECT_EQ(TitleState(A), "未借出|0|0");    // some of its copies, none out elsewhere
    EXPECT_EQ(TitleState(B), "借出部分|1|0");  // the settled rental still holds copy 1
    EXPECT_EQ(TitleState(C), "未借出|0|0");
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(Count("select count(*) from sellinfo"), 0);
    EXPECT_FALSE(frmControlBorrow::isLoaded());
    EXPECT_FALSE(frmControlSell::isLoaded());
}

TEST_F(BasketDialogsTest, ARefusedRemovalOrSettlementLeavesTheBasketAndItsPanel) {
    CounterPage& page = Start();
    RentTwoTitles();
    Sql("create trigger refuse_delete before delete on borrowinfo "
        "begin select raise(abort, 'disk is full'); end;"
        "create trigger refuse_update before update of credencetype on borrowinfo "
        "begin select raise(abort, 'disk is full'); end");
    const QStringList before = DatabaseDump(DbPath());
    Select(page.LvwReturn, 1);
    page.CmdDel->click();
    EXPECT_TRUE(Prompts().back().endsWith("（错误代码 1811）。")) << Prompts().back().toStdString();
    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("60");
        pay.Command1->click();
    });
    page.CmdTax->click();
    Settle();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(page.LvwReturn->ListItems().Count(), 2);
    EXPECT_EQ(page.LblNotBackCount->Caption(), "3");
    EXPECT_EQ(page.LblMoneyBorrowCreSum->Caption(), "￥60.00");
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_TRUE(page.CmdTax->isEnabled());
}
