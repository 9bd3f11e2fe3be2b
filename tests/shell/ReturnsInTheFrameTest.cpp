// The return page beside the counter in the main window: a basket checked out at the counter
// but not settled is no rental yet, so nothing of it can come back until it is settled.
#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include "counter/CounterPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmUseTaxPay.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "platform/ui/MaskEdBox.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/MainWindowTest.h"

namespace {
const QString kHero = "030100000001";   // 英雄, three copies, 2 a day
const QString kTiger = "030100000002";  // 卧虎藏龙, three copies, 2 a day

QStringList Texts(ListView* list) {
    QStringList out;
    for (int i = 1; i <= list->ListItems().Count(); ++i) out << list->ListItems().Item(i)->Text();
    return out;
}

QStringList Renters(ReturnPage& page) {
    QStringList out;
    Recordset* rs = page.adoDispBorrow.get();
    const int name = rs->FieldIndex("name");
    const int id = rs->FieldIndex("borrowid");
    for (int i = 1; i <= rs->RecordCount(); ++i)
        out << rs->ValueAt(i, name).ToString() + "/" + rs->ValueAt(i, id).ToString().right(4);
    return out;
}

class ReturnsInTheFrameTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const auto& [cdid, name] : {std::pair{kHero, "英雄"}, std::pair{kTiger, "卧虎藏龙"}})
            Data().Add(ShopData::Title(cdid, QString::fromUtf8(name))
                           .Copies(3)
                           .Prices(20, 2, 30)
                           .RentPer("每天")
                           .Set("memberborrowprice", 2));
        Sql("update ForeGift set foregifttype = 1, money = 10, membermoney = 5");
    }

    frmMain& Start() {
        frmMain& main = LoadMainWindow();
        EXPECT_TRUE(ShowActive(&main));
        return main;
    }
    CounterPage& Counter() { return *frmMain::instance().Counter; }
    ReturnPage& Returns() {
        frmMain::instance().Image3_Click(1);
        Settle();
        return *frmMain::instance().Returns();
    }

    // At the counter, the copies (1-based items of the shelf list) of a title go into the
    // basket of the walk-in customer the dialog offers.
    void Rent(const QString& cdid, std::initializer_list<int> copies) {
        frmMain::instance().Image3_Click(0);
        Settle();
        ASSERT_TRUE(Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(cdid)));
        Settle();
        Counter().CmdBorrow->click();
        Settle();
        frmControlBorrow& d = frmControlBorrow::instance();
        ASSERT_TRUE(d.isVisible());
        ListItemList items = d.ListView1->ListItems();
        for (int i = 1; i <= items.Count(); ++i) items.Item(i)->SetChecked(false);
        for (int i : copies) items.Item(i)->SetChecked(true);
        d.Command1->click();
        Settle();
    }
    // "结    算(&M)" at the counter with the deposit asked paid in cash.
    void SettleBasket() {
        frmMain::instance().Image3_Click(0);
        Settle();
        WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
            pay.TxtCatchFact->SetText("1000");
            pay.Command1->click();
        });
        Counter().CmdTax->click();
        Settle();
    }
    // The return dialog for the renter of the list's current row, every copy ticked, paid
    // in cash.
    void ReturnEverything(ReturnPage& page) {
        page.Command5->click();
        Settle();
        ASSERT_TRUE(frmControlBack::isLoaded());
        QTimer::singleShot(0, [] {
            if (!frmPayMoney::isLoaded()) return;
            frmPayMoney& p = frmPayMoney::instance();
            p.TxtCatchFact->SetText(p.AmountDue().PlainText());
            p.Command1->click();
        });
        frmControlBack::instance().Command3->click();
        Settle();
    }
    QString Line(const QString& borrowid) {
        return Query1(
            "select borrowcount || ' ' || borrowlst || ' ' || isnotpaylst || ' ' || "
            "foregift || ' ' || IsReturnGuaranty || ' ' || isreturnall from borrowinfo "
            "where borrowid = '" +
            borrowid + "'");
    }
};
}  // namespace

TEST_F(ReturnsInTheFrameTest, ABasketSettledAfterwardsComesBackWholeWithItsDeposit) {
    Start();
    Rent(kHero, {1, 2});
    ASSERT_TRUE(gBorrowBasket.Open);
    const QString borrowid = kHero + gBorrowBasket.No;
    ReturnPage& page = Returns();
    EXPECT_TRUE(Renters(page).isEmpty()) << "the basket at the counter is no rental yet";
    EXPECT_FALSE(page.Command5->isEnabled());

    SettleBasket();
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(Renters(Returns()), QStringList({"20261208001/0001"}))
        << "settled, the basket is a rental on the return page";
    Returns();
    EXPECT_EQ(Texts(page.ListView2), QStringList({"第1张盘", "第2张盘"}));
    ReturnEverything(page);
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Line(borrowid), "2 &1#&2#   0.0 1 1")
        << "the deposit taken at settlement is given back, nothing is unpaid";
    EXPECT_EQ(Query1("select returncount || returnlst from returninfo"), "2&1#&2#");
    EXPECT_EQ(Query1("select station from cdinfo where cdid = '" + kHero + "'"), "未借出");
    EXPECT_TRUE(Renters(page).isEmpty());
}

TEST_F(ReturnsInTheFrameTest, ABasketQuitUnsettledLeavesNoReturnBehind) {
    // An earlier rental of the same walk-in, settled: the return dialog lists it alone.
    Data().Add(ShopData::Rental(kTiger, "0001")
                   .By("20261208001")
                   .On("2026-12-07 10:00:00")
                   .Set("borrowcount", 1)
                   .Set("borrowlst", "&3#")
                   .Set("isnotpaylst", "&3#")
                   .Set("CredenceType", "现金")
                   .Set("foregift", 10));
    Sql("update cdinfo set station = '借出部分' where cdid = '" + kTiger + "'");
    Start();
    Rent(kHero, {3});
    ASSERT_TRUE(gBorrowBasket.Open);
    ASSERT_EQ(gBorrowBasket.No, "0002");
    ReturnPage& page = Returns();
    EXPECT_EQ(Renters(page), QStringList({"20261208001/0001"}));
    page.Command5->click();
    Settle();
    ASSERT_TRUE(frmControlBack::isLoaded());
    frmControlBack& d = frmControlBack::instance();
    ASSERT_EQ(d.LvwBack->ListItems().Count(), 1) << "the unsettled line is not offered";
    EXPECT_EQ(d.LvwBack->ListItems().Item(1)->Text(), kTiger + "0001");
    d.Command2->click();
    Settle();

    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Prompts(), std::vector<QString>{"用户出租光盘未结帐，真的要退出吗？"});
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1) << "the basket was rolled back";
    EXPECT_EQ(Count("select count(*) from returninfo"), 0) << "no return row without its line";
    EXPECT_EQ(Query1("select station from cdinfo where cdid = '" + kHero + "'"), "未借出");
}

TEST_F(ReturnsInTheFrameTest, ATitleLentAgainInTheSameBasketComesBackAsOneRentalOnceSettled) {
    Start();
    Rent(kHero, {1});
    ReturnPage& page = Returns();
    EXPECT_TRUE(Renters(page).isEmpty());
    Rent(kHero, {1});  // the copy left on the shelf first: copy 2 now
    Rent(kTiger, {2});
    ASSERT_TRUE(gBorrowBasket.Open);
    EXPECT_TRUE(Renters(Returns()).isEmpty()) << "still at the counter";
    const QString borrowid = kHero + gBorrowBasket.No;
    EXPECT_EQ(Line(borrowid).left(9), "2 &1#&2# ");

    SettleBasket();
    EXPECT_EQ(Renters(Returns()).size(), 2);
    ASSERT_TRUE(page.adoDispBorrow->Find("borrowid = '" + borrowid + "'"));
    EXPECT_EQ(Texts(page.ListView2), QStringList({"第1张盘", "第2张盘"}));
    EXPECT_EQ(page.LblTheoryMoney->Caption(), "￥4.00");
    ReturnEverything(page);
    EXPECT_EQ(Count("select count(*) from borrowinfo where isreturnall = 1"), 2);
    EXPECT_EQ(Query1("select sum([money]) from borrowinfo"), "6.0");
    EXPECT_EQ(Query1("select group_concat(returnlst, ',') from (select returnlst from returninfo "
                     "order by returnid)"),
              "&1#&2#,&2#");
}
