// The counter's money as a hostile operator tries it at a busy counter, through the panels
// and the dialogs: a line edit left open while other buttons are pressed, prices and rules
// changed between a line's confirmation and its removal, a dialog confirmed after the shelf
// changed under it, the last shelf copy of a partly rented title sold, the purchase-amount
// deposit rule, and a deposit shared over lines to the cent.
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "platform/ui/MaskEdBox.h"
#include "tests/counter/BasketPageFixture.h"
#include "tests/support/DatabaseDump.h"

namespace {
const QString A = "030100000001";  // 3 copies, sold at 100
const QString B = "030100000002";  // 2 copies, sold at 10
const QString C = "051200000001";  // 1 copy, sold at 30, to members at 27
const QString D = "051200000002";  // 1 copy, sold at 5

class CounterMoneyTest : public BasketPageFixture {
  protected:
    void SetUp() override {
        BasketPageFixture::SetUp();
        AddTitle(A, "英雄", 3, 100, 15);
        AddTitle(B, "卧虎藏龙", 2, 10);
        AddTitle(C, "星球大战", 1, 30, QVariant(), 27);
        AddTitle(D, "大话西游", 1, 5);
        SetDeposit(1, 20, 10);
    }

    void Confirm(frmControlBorrow& d, std::initializer_list<int> items) {
        CheckOnly(d.ListView1, items);
        d.Command1->click();
        Settle();
    }
    void Confirm(frmControlSell& d, std::initializer_list<int> items) {
        CheckOnly(d.ListView1, items);
        d.Command1->click();
        Settle();
    }
    void Select(ListView* list, int row) { list->SetSelectedItem(list->ListItems()(row)); }
    // The rental panel's copies, deposit and amount offered.
    QString RentalPanel() {
        return page_->LblNotBackCount->Caption() + "/" + page_->LblMoneyBorrowCreSum->Caption() +
               "/" + page_->TxtCredence->text();
    }
    QString SalePanel() {
        return page_->LblSellCount->Caption() + "/" + page_->LblSellMoney->Caption() + "/" +
               page_->MskFactSellMoney->Text();
    }
    void SettleRentalInCash(const QString& amount) {
        page_->TxtCredence->setText(amount);
        WhenShown<frmUseTaxPay>([amount](frmUseTaxPay& pay) {
            pay.TxtCatchFact->SetText(amount);
            pay.Command1->click();
        });
        page_->CmdTax->click();
        Settle();
        EXPECT_FALSE(gBorrowBasket.Open) << "not settled for " << amount.toStdString();
    }
    // The return page takes the rental line back whole.
    void ReturnWhole(const QString& borrowid) {
        Sql("insert into returninfo (returnid, returndate, returncount, returnlst) "
            "select borrowid || '0001', '2026-12-08 12:00:00', borrowcount, borrowlst "
            "from borrowinfo where borrowid = '" +
            borrowid +
            "';"
            "update borrowinfo set isreturnall = 1, foregift = 0 where borrowid = '" +
            borrowid + "'; update cdinfo set station = '未借出' where cdid = '" +
            borrowid.left(12) + "'");
    }
};
}  // namespace

// A line edit takes nothing out of the basket; while its dialog is open, every button and key
// that would change the basket does nothing, and the dialog comes forward instead.
TEST_F(CounterMoneyTest, AnOpenLineEditKeepsTheBasketWholeAndTheOtherButtonsStill) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1, 3});
    Confirm(OpenRental(B), {1});
    ASSERT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    Select(page.LvwReturn, 1);
    page.CmdBorrowEdit->click();
    Settle();
    frmControlBorrow& edit = frmControlBorrow::instance();
    ASSERT_TRUE(edit.HoldsLineEdit());
    const QStringList before = DatabaseDump(DbPath());

    page.CmdBorrowEdit->click();  // the edit button again
    Select(page.LvwReturn, 1);
    page.CmdDel->click();  // the line under edit
    Select(page.LvwReturn, 2);
    page.CmdDel->click();  // another line
    Current(C);
    page.CmdBorrow->click();  // a check-out of another title
    page.TxtFind->setFocus();
    QTest::keyClick(page.TxtFind, Qt::Key_Return);  // Enter in the search box
    const auto paid = std::make_shared<bool>(false);
    WhenShown<frmUseTaxPay>(
        [paid](frmUseTaxPay& pay) {
            *paid = true;
            pay.Command3->click();
        },
        0);                // a settlement dialog that showed would be up when this looks
    page.CmdTax->click();  // no settlement dialog shows
    Settle();
    EXPECT_FALSE(*paid);
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    EXPECT_EQ(Rows(page.LvwReturn), "001/" + A + "0001/英雄/2,002/" + B + "0001/卧虎藏龙/1");
    EXPECT_EQ(edit.LblCDID->Caption(), A);  // still the edit of A's line
    EXPECT_EQ(Items(edit.ListView1), "第1张✓,第2张,第3张✓");

    Confirm(edit, {1, 2});
    EXPECT_EQ(Query1("select borrowcount||borrowlst||printf('/%g',foregift) from borrowinfo "
                     "where borrowid='" +
                     A + "0001'"),
              "2&1#&2#/40");
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    // Now the buttons act again.
    Select(page.LvwReturn, 2);
    page.CmdDel->click();
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00");

    // The sale panel's edit holds its basket the same way.
    host_->Activate(page_, 6);
    Confirm(OpenSale(C), {1});
    Confirm(OpenSale(B), {1, 2});
    ASSERT_EQ(SalePanel(), "3/￥50.00/￥50.00");
    Select(page.lvwSell, 2);
    page.CmdSellEdit->click();
    Settle();
    frmControlSell& sellEdit = frmControlSell::instance();
    Select(page.lvwSell, 2);
    page.CmdDelSellCD->click();
    page.CmdSellEdit->click();
    Current(D);
    page.Command15->click();
    WhenShown<frmSellPay>(
        [paid](frmSellPay& pay) {
            *paid = true;
            pay.Command3->click();
        },
        0);
    page.CmdSellTax->click();
    Settle();
    EXPECT_FALSE(*paid);
    EXPECT_EQ(SalePanel(), "3/￥50.00/￥50.00");
    EXPECT_EQ(sellEdit.LblCDID->Caption(), B);
    sellEdit.close();  // the close box leaves the basket as it was: nothing was taken out
    Settle();
    EXPECT_EQ(SalePanel(), "3/￥50.00/￥50.00");
    EXPECT_EQ(Query1("select group_concat(sellcount||printf('/%g',money)) from sellinfo"),
              "1/30,2/20");
}

// The edit waits for the main window to be active before its dialog shows; presses meanwhile
// (the edit again, a removal of the line, a settlement, a check-out, Enter in the search box)
// do nothing, and the dialog that then shows edits the line as the basket holds it.
TEST_F(CounterMoneyTest, PressesWhileAnEditIsOpeningDoNothing) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1, 3});
    Confirm(OpenRental(B), {1});
    const QStringList before = DatabaseDump(DbPath());
    Select(page.LvwReturn, 1);
    host_->IsActive = false;  // a message box of another page still in front
    const auto pressed = std::make_shared<int>(0);
    QTimer::singleShot(0, [&page, pressed, this] {
        QTest::mouseClick(page.CmdBorrowEdit, Qt::LeftButton);
        QTest::mouseClick(page.CmdDel, Qt::LeftButton);
        QTest::mouseClick(page.CmdTax, Qt::LeftButton);
        Current(C);
        QTest::mouseClick(page.CmdBorrow, Qt::LeftButton);
        page.TxtFind->setFocus();
        QTest::keyClick(page.TxtFind, Qt::Key_Return);
        // 1: pressed while the edit still waited, its dialog not yet holding the line.
        *pressed = frmControlBorrow::instance().HoldsLineEdit() ? 2 : 1;
        host_->IsActive = true;
    });
    QTest::mouseClick(page.CmdBorrowEdit, Qt::LeftButton);
    Settle();
    ASSERT_EQ(*pressed, 1);
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    frmControlBorrow& edit = frmControlBorrow::instance();
    EXPECT_TRUE(edit.isVisible());
    EXPECT_TRUE(edit.HoldsLineEdit());
    EXPECT_EQ(edit.LblCDID->Caption(), A);
    EXPECT_EQ(Items(edit.ListView1), "第1张✓,第2张,第3张✓");
    Confirm(edit, {2});
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00");
    EXPECT_EQ(Query1("select group_concat(borrowlst) from borrowinfo"), "&2#,&1#");
}

// A removal takes off what the line holds, whatever the prices, the member's price, the
// deposit rule or the customer's membership became since.
TEST_F(CounterMoneyTest, ARemovalTakesOffWhatTheLineHeldWhateverChangedSince) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1, 2});
    Confirm(OpenRental(B), {1});
    ASSERT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    SetDeposit(1, 50, 30);  // the settings page raises the deposit
    Select(page.LvwReturn, 2);
    page.CmdDel->click();
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00");
    SetDeposit(2, 5, 5);  // and changes the rule
    // The basket keeps the rule it opened with and a copy's amount of that moment.
    Confirm(OpenRental(C), {1});
    EXPECT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    Select(page.LvwReturn, 1);
    page.CmdDel->click();
    EXPECT_EQ(RentalPanel(), "1/￥20.00/￥20.00");
    SettleRentalInCash("5");
    EXPECT_EQ(Query1("select printf('%g',sum(foregift)) from borrowinfo"), "5");

    // A walk-in's sale: the catalogue raises a price before the line goes.
    host_->Activate(page_, 6);
    Confirm(OpenSale(A), {3});
    Confirm(OpenSale(B), {1, 2});
    ASSERT_EQ(SalePanel(), "3/￥120.00/￥120.00");
    Sql("update cdinfo set sellprice = 150, membersellprice = 140 where cdid = '" + A + "'");
    Select(page.lvwSell, 1);
    page.CmdDelSellCD->click();
    EXPECT_EQ(SalePanel(), "2/￥20.00/￥20.00");
    WhenShown<frmSellPay>([](frmSellPay& pay) {
        pay.TxtCatchFact->SetText("20");
        pay.Command1->click();
    });
    page.CmdSellTax->click();
    Settle();
    EXPECT_EQ(Query1("select printf('%g',sum(money)) from sellinfo"), "20");
    EXPECT_EQ(Count("select count(*) from sellinfo where money < 0"), 0);

    // A member's sale: the member's price changes, then the member leaves the shop.
    frmControlSell& d = OpenSale(A);
    d.Option3->click();
    d.TxtName->setText("000001");
    Confirm(d, {1});  // the member's 140
    ASSERT_EQ(SalePanel(), "1/￥140.00/￥140.00");
    Sql("update cdinfo set membersellprice = 10 where cdid = '" + A + "'");
    Sql("delete from userinfo where userid = '000001'");
    Confirm(OpenSale(D), {1});  // still the member's basket: the member's price, 5
    EXPECT_EQ(SalePanel(), "2/￥145.00/￥145.00");
    Select(page.lvwSell, 1);
    page.CmdDelSellCD->click();
    EXPECT_EQ(SalePanel(), "1/￥5.00/￥5.00");
    EXPECT_EQ(Count("select count(*) from sellinfo where money < 0"), 0);
}

// A member's rental basket charges a member's deposit to the end, when the member has left.
TEST_F(CounterMoneyTest, AMemberLeavingKeepsTheBasketAMembersBasket) {
    CounterPage& page = Start();
    frmControlBorrow& d = OpenRental(A);
    d.Option3->click();
    d.TxtName->setText("000001");
    Confirm(d, {1});
    Sql("delete from userinfo where userid = '000001'");
    Confirm(OpenRental(B), {1, 2});
    EXPECT_EQ(RentalPanel(), "3/￥30.00/￥30.00");  // 3 copies at the member's 10
    EXPECT_EQ(page.LblBorrowUserNameTotle->Caption(), "会员编号：");
}

// A dialog confirmed after the copies it lists were sold, rented or discarded writes nothing,
// says so, and lists the copies as they stand.
TEST_F(CounterMoneyTest, AStaleDialogIsRefusedAndShowsTheCopiesAsTheyStand) {
    Start();
    frmControlBorrow& stale = OpenRental(A);  // lists copies 1, 2 and 3, left open
    host_->Activate(page_, 6);
    Confirm(OpenSale(A), {1, 2});
    host_->Activate(page_, 0);
    ForgetPrompts();
    const QStringList before = DatabaseDump(DbPath());
    CheckOnly(stale.ListView1, {1, 2, 3});
    stale.Command1->click();
    Settle();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    ASSERT_FALSE(Prompts().empty());
    EXPECT_TRUE(Prompts().back().contains("已经不在架上")) << Prompts().back().toStdString();
    EXPECT_TRUE(stale.isVisible());
    EXPECT_EQ(Items(stale.ListView1), "第3张盘✓");
    EXPECT_FALSE(gBorrowBasket.Open);
    stale.Command1->click();
    Settle();
    EXPECT_EQ(Query1("select borrowlst from borrowinfo"), "&3#");
    EXPECT_EQ(RentalPanel(), "1/￥20.00/￥20.00");

    // A sale dialog left open while the copy is rented out.
    host_->Activate(page_, 6);
    frmControlSell& staleSale = OpenSale(B);
    host_->Activate(page_, 0);
    Confirm(OpenRental(B), {2});
    host_->Activate(page_, 6);
    staleSale.Command1->click();  // copies 1 and 2 checked
    Settle();
    EXPECT_TRUE(Prompts().back().contains("已经不在架上"));
    EXPECT_EQ(Items(staleSale.ListView1), "第1张盘✓");
    EXPECT_EQ(Count("select count(*) from sellinfo where sellid like '" + B + "%'"), 0);

    // A title discarded in the catalogue while its dialog is open.
    host_->Activate(page_, 0);
    frmControlBorrow& gone = OpenRental(C);
    Sql("delete from cdinfo where cdid = '" + C + "'");
    const QStringList kept = DatabaseDump(DbPath());
    gone.Command1->click();
    Settle();
    EXPECT_TRUE(Prompts().back().contains("已经从光盘库中删除"));
    EXPECT_EQ(DatabaseDump(DbPath()), kept);
    EXPECT_EQ(gone.ListView1->ListItems().Count(), 0);
    EXPECT_EQ(RentalPanel(), "2/￥40.00/￥40.00");
}

// Selling every copy on the shelf of a title whose other copies are out keeps it on sale in
// part; it comes back to the counter when they are returned, and rents again.
TEST_F(CounterMoneyTest, TheLastShelfCopyOfAPartlyRentedTitleLeavesItListed) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1});
    SettleRentalInCash("20");
    host_->Activate(page_, 6);
    frmControlSell& d = OpenSale(A);
    EXPECT_EQ(Items(d.ListView1), "第2张盘✓,第3张盘✓");
    Confirm(d, {1, 2});  // every copy the dialog offers
    EXPECT_EQ(TitleState(A), "借出部分|1|1");
    WhenShown<frmSellPay>([](frmSellPay& pay) {
        pay.TxtCatchFact->SetText("200");
        pay.Command1->click();
    });
    page.CmdSellTax->click();
    Settle();
    ReturnWhole(A + "0001");
    page.SetDispSourse("");
    EXPECT_EQ(Count("select count(*) from cdinfo where cdid = '" + A +
                    "' and IsAbandon = 0 and issell < 2"),
              1);
    host_->Activate(page_, 0);
    frmControlBorrow& again = OpenRental(A);
    EXPECT_EQ(Items(again.ListView1), "第1张盘✓");
    Confirm(again, {1});
    EXPECT_EQ(Query1("select borrowlst from borrowinfo where isreturnall = 0"), "&1#");
    EXPECT_EQ(TitleState(A), "全部借出|2|1");

    // Every copy sold is "every copy sold".
    host_->Activate(page_, 6);
    Confirm(OpenSale(B), {1, 2});
    EXPECT_EQ(TitleState(B), "未借出|0|2");
    Select(page.lvwSell, 1);
    page.CmdDelSellCD->click();
    EXPECT_EQ(TitleState(B), "未借出|0|0");
}

// Copies of an open sale basket that go back to the shelf, by a removal or by the closing
// rollback, make a title whose other copies are all out "借出部分" again: it is listed with
// them and can be rented and sold.
TEST_F(CounterMoneyTest, SoldCopiesBackOnTheShelfLendTheTitleInPart) {
    CounterPage& page = Start();
    host_->Activate(page_, 6);
    Confirm(OpenSale(B), {1});
    host_->Activate(page_, 0);
    frmControlBorrow& d = OpenRental(B);
    EXPECT_EQ(Items(d.ListView1), "第2张盘✓");
    Confirm(d, {1});
    ASSERT_EQ(TitleState(B), "全部借出|1|1");
    host_->Activate(page_, 6);
    Select(page.lvwSell, 1);
    page.CmdDelSellCD->click();
    EXPECT_EQ(TitleState(B), "借出部分|1|0");
    page.SetDispSourse("");
    ASSERT_TRUE(page.adoDispCDInfo->Find("cdid = '" + B + "'"));
    Settle();
    EXPECT_TRUE(page.Command15->isEnabled());
    EXPECT_EQ(Items(page.ListView1), "第1张盘");

    // The closing rollback of the sale basket alone.
    Confirm(OpenSale(A), {1, 2});
    host_->Activate(page_, 0);
    Confirm(OpenRental(A), {1});
    ASSERT_EQ(TitleState(A), "全部借出|1|1");
    MsgBoxLog::Get().QueueAnswer(vbNo);   // the rental basket stays
    MsgBoxLog::Get().QueueAnswer(vbYes);  // the sale basket goes
    EXPECT_FALSE(page.QueryClose());
    Settle();
    EXPECT_EQ(TitleState(A), "借出部分|1|0");
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_FALSE(gSellBasket.Open);

    // A sale line edited down to fewer copies.
    host_->Activate(page_, 6);
    Confirm(OpenSale(A), {1, 2});
    host_->Activate(page_, 0);
    Select(page.LvwReturn, 2);
    page.CmdBorrowEdit->click();
    Settle();
    Confirm(frmControlBorrow::instance(), {1});  // copy 3, every copy not sold
    ASSERT_EQ(TitleState(A), "全部借出|1|1");
    host_->Activate(page_, 6);
    Select(page.lvwSell, 1);
    page.CmdSellEdit->click();
    Settle();
    frmControlSell& edit = frmControlSell::instance();
    ASSERT_EQ(Items(edit.ListView1), "第1张✓,第2张✓");
    Confirm(edit, {1});
    EXPECT_EQ(TitleState(A), "借出部分|1|1");
}

// The purchase-amount rule asks what a copy cost: buymoney, else the title's price.
TEST_F(CounterMoneyTest, RuleZeroAsksWhatTheDiscCost) {
    SetDeposit(0, 99, 99);
    Start();
    Confirm(OpenRental(A), {1, 2});  // buymoney 15
    Confirm(OpenRental(B), {1});     // no buymoney: its price, 8
    EXPECT_EQ(RentalPanel(), "3/￥38.00/￥38.00");
    EXPECT_EQ(Query1("select group_concat(printf('%g',foregift)) from borrowinfo"), "30,8");
}

// A deposit shared over the lines of a basket is in cents that add up to it, so each line
// returned on its own gives back its part and the parts make the whole.
TEST_F(CounterMoneyTest, ADepositSharedOverThreeLinesComesBackToTheCent) {
    SetDeposit(2, 10, 10);  // one fixed sum of 10.00 a basket
    CounterPage& page = Start();
    Confirm(OpenRental(C), {1});
    Confirm(OpenRental(D), {1});
    Confirm(OpenRental(A), {1});
    EXPECT_EQ(RentalPanel(), "3/￥10.00/￥10.00");
    EXPECT_EQ(Query1("select group_concat(printf('%.2f',foregift)) from "
                     "(select foregift from borrowinfo order by rowid)"),
              "3.33,3.33,3.34");
    SettleRentalInCash("10");
    double back = 0;
    for (const QString& cdid : {C, D, A}) {
        back += gConn.Scalar("select foregift from borrowinfo where borrowid = ?1", {cdid + "0001"})
                    .ToDouble();
        ReturnWhole(cdid + "0001");
    }
    EXPECT_NEAR(back, 10.00, 1e-9);

    // Another amount than the one offered is shared as the lines' shares, to the cent.
    SetDeposit(1, 20, 10);
    Confirm(OpenRental(C), {1});
    Confirm(OpenRental(D), {1});
    Confirm(OpenRental(B), {1});
    ASSERT_EQ(RentalPanel(), "3/￥60.00/￥60.00");
    SettleRentalInCash("10");
    EXPECT_EQ(Query1("select group_concat(f) from (select printf('%.2f',foregift) as f "
                     "from borrowinfo where isreturnall = 0 order by rowid)"),
              "3.33,3.33,3.34")
        << "in the order the lines were written";
    EXPECT_FALSE(page.CmdTax->isEnabled());
}

// Another program takes a basket's lines away while the settlement dialog is open: the
// settlement is refused in the operator's words, in an information box titled "提示" (never
// as a failure of the database), nothing is written, and the panel follows the file.
TEST_F(CounterMoneyTest, ASettlementOfABasketEmptiedUnderneathIsRefusedInWords) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1});
    WhenShown<frmUseTaxPay>([this](frmUseTaxPay& pay) {
        Sql("delete from borrowinfo");  // the other program, on its own connection
        pay.TxtCatchFact->SetText("20");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    QTest::mouseClick(page.CmdTax, Qt::LeftButton);
    Settle();
    ASSERT_FALSE(MsgBoxLog::Get().Calls().empty());
    MsgBoxCall told = MsgBoxLog::Get().Calls().back();
    EXPECT_EQ(told.prompt, "这一单出租已经没有光盘了，不能结算。");
    EXPECT_EQ(told.title, "提示");
    EXPECT_EQ(told.buttons, vbInformation);
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(RentalPanel(), "0/0/");

    host_->Activate(page_, 6);
    Settle();
    Confirm(OpenSale(B), {1, 2});
    ForgetPrompts();
    WhenShown<frmSellPay>([this](frmSellPay& pay) {
        Sql("delete from sellinfo");
        pay.TxtCatchFact->SetText("20");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    QTest::mouseClick(page.CmdSellTax, Qt::LeftButton);
    Settle();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    told = MsgBoxLog::Get().Calls().back();
    EXPECT_EQ(told.prompt, "这一单出售已经没有光盘了，不能结算。");
    EXPECT_EQ(told.title, "提示");
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Query1("select count(*) from sellinfo"), "0");
    EXPECT_EQ(SalePanel(), "0/0/0");
}

// The deposit typed is read once: the settlement writes the amount the dialog was shown
// and confirmed, whatever the deposit box holds by the time the dialog closes.
TEST_F(CounterMoneyTest, TheDepositSettledIsTheOneTheDialogConfirmed) {
    CounterPage& page = Start();
    Confirm(OpenRental(A), {1});
    Confirm(OpenRental(B), {1});
    Clear(page.TxtCredence);
    Type(page.TxtCredence, "12.345");
    QString shown;
    WhenShown<frmUseTaxPay>([&page, &shown](frmUseTaxPay& pay) {
        shown = pay.TxtCatchCre->text();
        page.TxtCredence->setText("￥99.00");
        pay.TxtCatchFact->SetText("20");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    QTest::mouseClick(page.CmdTax, Qt::LeftButton);
    Settle();
    EXPECT_EQ(shown, "￥12.35");
    ASSERT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select group_concat(quote(foregift), ' ') from (select foregift from "
                     "borrowinfo order by rowid)"),
              "6.17 6.18");
}
