// The counter's money with the pages beside it in the main window, worked with the mouse as
// the operator does: what the catalogue saves a copy as having cost is the deposit the
// purchase-amount rule asks; the catalogue and the settings page changing prices, the member
// percentage and the deposit under the open baskets change nothing a line already holds, and
// a removal and a settlement take exactly what the lines hold; a basket's fixed deposit
// shared over three lines comes back whole through the return dialog, line by line. Money is
// held to the cent: a member price at a percentage is what a clerk writes, from the settings
// page or from an older file, and an amount shared over lines is shared by one rule at the
// counter and on return.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <algorithm>

#include "catalogue/CataloguePage.h"
#include "catalogue/SettingsPage.h"
#include "counter/CounterPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "platform/ui/DataGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "platform/ui/PictureButton.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/CounterAtTheFrame.h"
#include "tests/shell/MainWindowTest.h"

namespace {
const QString kOld = "030100000001";    // 旧片: 2 copies, price 8, no buymoney, sold at 30
const QString kTiger = "030100000002";  // 卧虎藏龙: 2 copies, price and buymoney 15, sold at 20
const QString kMood = "030100000003";   // 花样年华: 1 copy, sold at 12
// 便宜片: 2 copies, rented once for 1.70 and sold at 1.70; its member prices 1.70 × 85% as an
// older program stored them, in binary: 1.4449999999999998.
const QString kCheap = "030100000004";

using namespace CounterAtTheFrame;

class CounterMoneyInTheFrameTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Data().AddDiscClassifications();
        Data().Add(ShopData::Title(kOld, "旧片")
                       .Id("OLD")
                       .Copies(2)
                       .Prices(8, 2, 30)
                       .Set("membersellprice", 30));
        Data().Add(ShopData::Title(kTiger, "卧虎藏龙")
                       .Id("TIG")
                       .Copies(2)
                       .Prices(15, 2, 20)
                       .Set("membersellprice", 20)
                       .Set("buymoney", 15));
        Data().Add(ShopData::Title(kMood, "花样年华")
                       .Id("MOO")
                       .Copies(1)
                       .Prices(10, 2, 12)
                       .Set("membersellprice", 12));
        Data().Add(ShopData::Title(kCheap, "便宜片")
                       .Id("CHE")
                       .Copies(2)
                       .Prices(20, 1.70, 1.70)
                       .RentPer("每次")
                       .Set("memberborrowprice", 1.70 * 0.85)
                       .Set("membersellprice", 1.70 * 0.85));
        Data().Add(ShopData::Member("000001", "张三").Money(100));
        Sql("update ForeGift set foregifttype = 1, money = 20, membermoney = 10;"
            "update pricepercent set percentb = 1, percents = 1");
        frmMain& main = LoadMainWindow();
        main.EnableCatalogueEntry();
        EXPECT_TRUE(ShowActive(&main));
    }

    frmMain& Main() { return frmMain::instance(); }

    // The catalogue's entry fields of its current title: a sale price and what a copy cost,
    // saved with the save button.
    void SavePrices(const QString& id, const QString& price, const QString& sellprice) {
        Button(2);
        CataloguePage& page = *Main().Catalogue();
        page.adoCDInfo->MoveFirst();
        ASSERT_TRUE(page.adoCDInfo->Find(QString("id = '%1'").arg(id)));
        Settle();
        if (!price.isEmpty()) TypeAndLeave(page.MebPrice, price, page.TxtRemark);
        if (!sellprice.isEmpty()) TypeAndLeave(page.MebSellPrice, sellprice, page.TxtRemark);
        Click(page.CmdSave);
    }

    void Rent(const QString& cdid, std::initializer_list<int> copies,
              const QString& member = QString()) {
        CheckOut<frmControlBorrow>(0, cdid, copies, member);
    }
    void Sell(const QString& cdid, std::initializer_list<int> copies,
              const QString& member = QString()) {
        CheckOut<frmControlSell>(6, cdid, copies, member);
    }

    QString RentalPanel() {
        return Counter().LblNotBackCount->Caption() + "/" +
               Counter().LblMoneyBorrowCreSum->Caption() + "/" + Counter().TxtCredence->text();
    }
    QString SalePanel() {
        return Counter().LblSellCount->Caption() + "/" + Counter().LblSellMoney->Caption() + "/" +
               Counter().MskFactSellMoney->Text();
    }
    // What the open baskets' stored lines hold, in the panels' forms.
    QString StoredRental() {
        return Query1(
            "select sum(borrowcount) || '/' || printf('￥%.2f', sum(foregift)) || '/' || "
            "printf('￥%.2f', sum(foregift)) from borrowinfo where isreturnall = 0 "
            "and substr(borrowid,-4) = '" +
            gBorrowBasket.No + "'");
    }
    // Settles the open rental basket for the deposit typed, paid exactly.
    void SettleDeposit(const QString& typed) {
        Clear(Counter().TxtCredence);
        Type(Counter().TxtCredence, typed);
        WhenShown<frmUseTaxPay>([typed](frmUseTaxPay& pay) {
            pay.TxtCatchFact->SetText(typed);
            QTest::mouseClick(pay.Command1, Qt::LeftButton);
        });
        Click(Counter().CmdTax);
        EXPECT_FALSE(gBorrowBasket.Open) << Prompts().back().toStdString();
    }
    // The return page's dialog for the renter of its current row, with the rent received
    // typed (unless empty) and settled: from the stored money for a member, in cash for a
    // walk-in customer (what is due, exactly). Returns the rent due the page showed for its
    // current line and the one the dialog showed for them all.
    QString ReturnAll(const QString& received) {
        Button(1);
        QString due = Main().Returns()->LblTheoryMoney->Caption();
        Click(Main().Returns()->Command5);  // "处理本次出租"
        EXPECT_TRUE(frmControlBack::isLoaded());
        frmControlBack& d = frmControlBack::instance();
        due += " " + d.LblPlanBackSum->Caption();
        if (!received.isEmpty()) TypeAndLeave(d.MskPlanBackSum, received, d.TxtRemark);
        QTimer::singleShot(0, [] {
            if (!frmPayMoney::isLoaded()) return;
            frmPayMoney& p = frmPayMoney::instance();
            if (!p.StoredMoneyMode()) p.TxtCatchFact->SetText(p.AmountDue().PlainText());
            QTest::mouseClick(p.Command1, Qt::LeftButton);
        });
        Click(d.Command3);  // "归还并结算"
        EXPECT_FALSE(frmControlBack::isLoaded()) << Prompts().back().toStdString();
        return due;
    }
    // What the cheap title's member prices show and cost: the catalogue's entry boxes and
    // grid, the counter's labels, a member's purchase of both copies settled from the stored
    // money, and a member's rental of one copy brought back with its rent from the stored
    // money, as "boxes/grid/labels/sale panel/sale money/rent due/rent money/stored money".
    QString MemberPricesOfTheCheapTitle() {
        QStringList seen;
        Button(2);
        CataloguePage& catalogue = *Main().Catalogue();
        catalogue.adoCDInfo->MoveFirst();
        EXPECT_TRUE(catalogue.adoCDInfo->Find("id = 'CHE'"));
        Settle();
        seen << catalogue.MebMemberBorrowPrice->Text() + " " + catalogue.MebMemberSellPrice->Text();
        seen << catalogue.dgCDInfo->Columns(CataloguePage::kColMemberBorrowPrice).Text() + " " +
                    catalogue.dgCDInfo->Columns(CataloguePage::kColMemberSellPrice).Text();
        Button(6);
        EXPECT_TRUE(Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(kCheap)));
        Settle();
        seen << Counter().LblBorrowMemberPrice->Caption() + " " +
                    Counter().LblSellMemberPrice->Caption();
        Sell(kCheap, {2}, "000001");
        seen << SalePanel();
        WhenShown<frmSellPay>(
            [](frmSellPay& pay) { QTest::mouseClick(pay.Command1, Qt::LeftButton); });
        Click(Counter().CmdSellTax);
        EXPECT_FALSE(gSellBasket.Open);
        seen << Query1("select quote(money) from sellinfo");
        Sql("update ForeGift set foregifttype = 1, money = 0, membermoney = 0");
        Rent(kCheap, {1}, "000001");
        SettleDeposit("0");
        seen << ReturnAll(QString());
        seen << Query1("select quote(money) from borrowinfo");
        seen << Query1("select quote(money) from userinfo where userid = '000001'");
        return seen.join('/');
    }

    QString StoredSale() {
        return Query1(
            "select sum(sellcount) || '/' || printf('￥%.2f', sum(money)) || '/' || "
            "printf('￥%.2f', sum(money)) from sellinfo where substr(sellid,-4) = '" +
            gSellBasket.No + "'");
    }
};
}  // namespace

// The purchase-amount rule asks what the catalogue saved a copy as having cost (a title saved
// before it wrote one asks its price); a price changed afterwards asks the new amount of the
// copies confirmed afterwards only; the settings page's rule and amounts changed under the
// basket change nothing a line holds; a removal takes off what its line holds and the
// settlement writes what the lines hold.
TEST_F(CounterMoneyInTheFrameTest, RuleZeroAsksWhatTheCatalogueSavedACopyCost) {
    Button(2);
    CataloguePage& catalogue = *Main().Catalogue();
    Click(catalogue.Command1);  // "新光盘"
    Type(catalogue.TxtName, "英雄本色");
    Type(catalogue.Text1, "Y1");
    catalogue.CboType->setCurrentText("DVD");
    catalogue.CboMovieType->setCurrentText("动作");
    TypeAndLeave(catalogue.MebCount, "3", catalogue.TxtRemark);
    TypeAndLeave(catalogue.MebPrice, "25.5", catalogue.TxtRemark);
    TypeAndLeave(catalogue.MebSellPrice, "40", catalogue.TxtRemark);
    Click(catalogue.CmdSave);
    ASSERT_TRUE(Prompts().empty()) << Prompts().front().toStdString();
    const QString hero = Query1("select cdid from cdinfo where id = 'Y1'");
    EXPECT_EQ(Query1("select quote(price) || '/' || quote(buymoney) from cdinfo where cdid = '" +
                     hero + "'"),
              "25.5/25.5");

    Button(4);
    Click(Main().Settings()->Option3[0]);  // "光盘购买金额"
    ASSERT_EQ(Query1("select foregifttype from ForeGift"), "0");

    Rent(hero, {1, 2});
    EXPECT_EQ(RentalPanel(), "2/￥51.00/￥51.00");
    Rent(kOld, {1});  // no buymoney: its price
    EXPECT_EQ(RentalPanel(), "3/￥59.00/￥59.00");

    // The catalogue raises what a copy of each cost; the settings page moves to a per-copy
    // deposit and raises it; none of it changes what the lines hold.
    SavePrices("Y1", "40", QString());
    SavePrices("TIG", "18", QString());
    EXPECT_EQ(Query1("select group_concat(quote(buymoney)) from cdinfo where cdid in ('" + hero +
                     "','" + kTiger + "')"),
              "18.0,40.0");
    Button(4);
    SettingsPage& settings = *Main().Settings();
    Click(settings.Option3[1]);
    TypeAndLeave(settings.MskForeGiftSet, "50", settings.MaskEdBox4);
    ASSERT_EQ(Query1("select foregifttype || '/' || money from ForeGift"), "1/50.0");
    Button(0);
    EXPECT_EQ(RentalPanel(), "3/￥59.00/￥59.00");
    // The basket asks as it opened, at what the catalogue saved a copy as costing now.
    Rent(hero, {1});
    Rent(kTiger, {1});
    EXPECT_EQ(RentalPanel(), "5/￥117.00/￥117.00");
    EXPECT_EQ(RentalPanel(), StoredRental());

    ClickRow(Counter().LvwReturn, 1);
    Click(Counter().CmdDel);
    EXPECT_EQ(RentalPanel(), "2/￥26.00/￥26.00") << "the line of 91.00 goes whole";
    EXPECT_EQ(RentalPanel(), StoredRental());

    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("26");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Click(Counter().CmdTax);
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select group_concat(borrowid || printf(' %g', foregift)) from "
                     "(select * from borrowinfo order by rowid)"),
              kOld + "0001 8," + kTiger + "0001 18");
}

// A member's sale: the catalogue raises a price and the settings page halves the member
// percentage under the open basket; the panel still shows what the lines hold, a removal
// takes off its line's money, and paying from the stored money takes what is left.
TEST_F(CounterMoneyInTheFrameTest, ASaleKeepsItsLinesMoneyWhateverTheCatalogueAndSettingsDo) {
    Sell(kOld, {1, 2}, "000001");
    Sell(kTiger, {1}, "000001");
    EXPECT_EQ(SalePanel(), "3/￥80.00/￥80.00");

    SavePrices("TIG", QString(), "200");
    Button(4);
    SettingsPage& settings = *Main().Settings();
    TypeAndLeave(settings.MaskEdBox3, "50", settings.MaskEdBox4);
    ASSERT_EQ(Query1("select printf('%g/%g', sellprice, membersellprice) from cdinfo "
                     "where cdid = '" +
                     kTiger + "'"),
              "200/100");
    Button(6);
    EXPECT_EQ(SalePanel(), "3/￥80.00/￥80.00");
    Sell(kMood, {1});  // the member's price now: half of 12
    EXPECT_EQ(SalePanel(), "4/￥86.00/￥86.00");

    ClickRow(Counter().lvwSell, 2);
    Click(Counter().CmdDelSellCD);
    EXPECT_EQ(SalePanel(), "3/￥66.00/￥66.00") << "卧虎藏龙 goes with the 20.00 it added";
    EXPECT_EQ(SalePanel(), StoredSale());
    EXPECT_EQ(Query1("select issell from cdinfo where cdid = '" + kTiger + "'"), "0");

    WhenShown<frmSellPay>([](frmSellPay& pay) { QTest::mouseClick(pay.Command1, Qt::LeftButton); });
    Click(Counter().CmdSellTax);
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Query1("select printf('%g', money) from userinfo where userid = '000001'"), "34");
    EXPECT_EQ(Query1("select group_concat(printf('%g', money)) from "
                     "(select money from sellinfo order by rowid)"),
              "60,6");
}

// A fixed deposit of 10.00 over three one-copy lines: each line holds its cents, and the
// return dialog, taking the lines back one at a time, gives back 10.00 in all.
TEST_F(CounterMoneyInTheFrameTest, AFixedDepositOverThreeLinesComesBackWholeLineByLine) {
    Button(4);
    SettingsPage& settings = *Main().Settings();
    Click(settings.Option3[2]);  // "固定金额"
    TypeAndLeave(settings.MskForeGiftSet, "10", settings.MaskEdBox4);
    ASSERT_EQ(Query1("select foregifttype || '/' || money from ForeGift"), "2/10.0");
    Rent(kOld, {1});
    Rent(kTiger, {1});
    Rent(kMood, {1});
    EXPECT_EQ(RentalPanel(), "3/￥10.00/￥10.00");
    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("10");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Click(Counter().CmdTax);
    ASSERT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Query1("select group_concat(printf('%.2f', foregift)) from "
                     "(select foregift from borrowinfo order by rowid)"),
              "3.33,3.33,3.34");

    QStringList given;
    for (int left = 3; left > 0; --left) {
        Button(1);
        ReturnPage& page = *Main().Returns();
        Click(page.Command5);  // "处理本次出租"
        ASSERT_TRUE(frmControlBack::isLoaded());
        frmControlBack& d = frmControlBack::instance();
        ASSERT_EQ(d.LvwBack->ListItems().Count(), left);
        while (d.LvwBack->ListItems().Count() > 1) {  // every line but the first stays out
            ClickRow(d.LvwBack, 2);
            Click(d.Command4);  // "不还这张"
        }
        given << d.LblCrePlanBackSum->Caption();
        QTimer::singleShot(0, [] {
            if (!frmPayMoney::isLoaded()) return;
            frmPayMoney& p = frmPayMoney::instance();
            p.TxtCatchFact->SetText(p.AmountDue().PlainText());
            QTest::mouseClick(p.Command1, Qt::LeftButton);
        });
        Click(d.Command3);  // "归还并结算"
        ASSERT_FALSE(frmControlBack::isLoaded()) << Prompts().back().toStdString();
    }
    EXPECT_EQ(given, QStringList({"￥3.33", "￥3.33", "￥3.34"}));
    EXPECT_EQ(Query1("select printf('%g', sum(foregift)) || '/' || sum(IsReturnGuaranty) || '/' "
                     "|| sum(isreturnall) from borrowinfo"),
              "0/3/3");
}

// The settings page's 85% gives the member prices a clerk writes: 1.70 at 85% is 1.45, not
// the 1.4449999999999998 of the binary product; they are stored so, shown so by the
// catalogue and the counter, and charged so at the counter and on return.
TEST_F(CounterMoneyInTheFrameTest, APercentagePriceIsStoredShownAndChargedToTheCent) {
    Sql("update cdinfo set memberborrowprice = 1.7, membersellprice = 1.7 where cdid = '" + kCheap +
        "'");
    Button(4);
    SettingsPage& settings = *Main().Settings();
    TypeAndLeave(settings.MaskEdBox3, "85%", settings.MaskEdBox4);
    TypeAndLeave(settings.MaskEdBox2, "85%", settings.MaskEdBox4);
    ASSERT_TRUE(Prompts().empty()) << Prompts().front().toStdString();
    EXPECT_EQ(Query1("select quote(memberborrowprice) || ' ' || quote(membersellprice) || ' ' || "
                     "percentb || ' ' || percents from cdinfo, pricepercent where cdid = '" +
                     kCheap + "'"),
              "1.45 1.45 0.85 0.85");
    EXPECT_EQ(MemberPricesOfTheCheapTitle(),
              "1.45 1.45/￥1.45 ￥1.45/￥1.45 ￥1.45/1/￥1.45/￥1.45/1.45/￥1.45 ￥1.45/1.45/97.1");
}

// A file written before holds the binary 1.4449999999999998: it is read as the 1.445 a person
// reads, so shown and charged as 1.45 everywhere.
TEST_F(CounterMoneyInTheFrameTest, AnOlderBinaryMemberPriceIsShownAndChargedAsTheClerkWritesIt) {
    ASSERT_EQ(Query1("select membersellprice < 1.445 from cdinfo where cdid = '" + kCheap + "'"),
              "1");
    EXPECT_EQ(MemberPricesOfTheCheapTitle(),
              "1.45 1.45/￥1.45 ￥1.45/￥1.45 ￥1.45/1/￥1.45/￥1.45/1.45/￥1.45 ￥1.45/1.45/97.1");
}

// One rule shares an amount over lines, at the counter and on return alike: 0.99 over two
// lines of 1.50 is 0.49 and 0.50 (0.495 cut to the cent, the last the rest), for a deposit,
// a sale and the rent received.
TEST_F(CounterMoneyInTheFrameTest, AnAmountIsSharedAlikeAtTheCounterAndOnReturn) {
    Sql("update ForeGift set foregifttype = 1, money = 1.5, membermoney = 1.5;"
        "update cdinfo set borrowprice = 1.5, borrowpricetype = '每次', sellprice = 1.5 "
        "where cdid in ('" +
        kOld + "', '" + kTiger + "')");
    Rent(kOld, {1});
    Rent(kTiger, {1});
    ASSERT_EQ(RentalPanel(), "2/￥3.00/￥3.00");
    SettleDeposit("0.99");
    const char* const kLines =
        "select group_concat(quote(%1), ' ') from (select %1 from %2 "
        "order by rowid)";
    EXPECT_EQ(Query1(QString(kLines).arg("foregift", "borrowinfo")), "0.49 0.5");

    EXPECT_EQ(ReturnAll("0.99"), "￥1.50 ￥3.00");
    EXPECT_EQ(Query1(QString(kLines).arg("money", "borrowinfo")), "0.49 0.5");

    Sell(kOld, {2});
    Sell(kTiger, {2});
    ASSERT_EQ(SalePanel(), "2/￥3.00/￥3.00");
    TypeAndLeave(Counter().MskFactSellMoney, "0.99", Counter().TxtFind);
    WhenShown<frmSellPay>([](frmSellPay& pay) {
        pay.TxtCatchFact->SetText("1");
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Click(Counter().CmdSellTax);
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Query1(QString(kLines).arg("money", "sellinfo")), "0.49 0.5");
}

// 0.02 received for a rent due of 12.00 over four one-copy lines, from the stored money:
// no line gets less than nothing, and the shares add up to 0.02.
TEST_F(CounterMoneyInTheFrameTest, TwoCentsOfRentOverFourLinesLeaveNoShareBelowZero) {
    for (const QString& cdid : {kOld, kTiger, kMood, kCheap}) Rent(cdid, {1}, "000001");
    ASSERT_EQ(Counter().LblNotBackCount->Caption(), "4");
    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        // "会员免收押金", a click on its box
        QTest::mouseClick(pay.Check1, Qt::LeftButton, Qt::NoModifier,
                          QPoint(8, pay.Check1->height() / 2));
        QTest::mouseClick(pay.Command1, Qt::LeftButton);
    });
    Click(Counter().CmdTax);
    ASSERT_FALSE(gBorrowBasket.Open)
        << Counter().LblBorrowUserNameTotle->Caption().toStdString() << Prompts().size();
    Sql("update cdinfo set borrowprice = 3, memberborrowprice = 3, borrowpricetype = '每次'");

    EXPECT_EQ(ReturnAll("0.02"), "￥3.00 ￥12.00");
    EXPECT_EQ(Query1("select group_concat(quote(money), ' ') from (select money from borrowinfo "
                     "order by borrowdate, borrowid)"),
              "0.0 0.0 0.0 0.02");
    EXPECT_EQ(Query1("select quote(money) from userinfo where userid = '000001'"), "99.98");
}
