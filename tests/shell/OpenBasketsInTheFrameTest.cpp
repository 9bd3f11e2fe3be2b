// The reports and the member windows beside the counter in the main window: a basket checked
// out at the counter but not settled is no rental or sale yet, so no figure counts it until
// it is settled, and a basket taken apart again leaves nothing behind.
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <map>

#include "counter/CounterPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/Label.h"
#include "platform/ui/ListView.h"
#include "reports/StatisticsPage.h"
#include "reports/frmBorrowReport.h"
#include "reports/frmBuyReport.h"
#include "reports/frmHotCDInfo.h"
#include "reports/frmReport.h"
#include "reports/frmSellEarnInfo.h"
#include "reports/frmSellHotCDInfo.h"
#include "reports/frmUserReport.h"
#include "tests/shell/MainWindowTest.h"

namespace {
const QString kHero = "030100000001";   // 英雄, three copies, bought this week
const QString kTiger = "030100000002";  // 卧虎藏龙, three copies, rented and sold before
const QString kMood = "030100000003";   // 花样年华, one copy, never rented

// Every figure a window shows, by window and period: what the operator reads.
using Figures = std::map<QString, QString>;

QString GridText(const FlexGrid* grid) {
    QStringList rows;
    for (int r = 0; r < grid->Rows(); ++r) {
        QStringList cells;
        for (int c = 1; c < grid->Cols(); ++c) cells << grid->TextMatrix(r, c);
        rows << cells.join('|');
    }
    return rows.join('\n');
}

void ClickLabel(QWidget* label) {
    QTest::mouseClick(label, Qt::LeftButton, Qt::NoModifier, QPoint(2, 2));
    Settle();
}

class OpenBasketsInTheFrameTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();  // Tuesday 8 December 2026: this week began on the 7th
        gShopName = "星光";
        // Listed first of the titles never rented: one rented moves up before it.
        Data().Add(
            ShopData::Title(kMood, "花样年华").Copies(1).Prices(10, 2, 12).BoughtOn("2026-12-07"));
        Data().Add(ShopData::Title(kHero, "英雄")
                       .Copies(3)
                       .Prices(20, 2, 30)
                       .RentPer("每天")
                       .BoughtOn("2026-12-07"));
        Data().Add(ShopData::Title(kTiger, "卧虎藏龙")
                       .Copies(3)
                       .Prices(15, 2, 25)
                       .RentPer("每天")
                       .BoughtOn("2026-12-07")
                       .Sold(1));
        Data().Add(ShopData::Member("000001", "张三").Money(100));
        // Yesterday 张三 rented 卧虎藏龙 (rent 6, back the same day) and bought copy 3 of it.
        Data().Add(ShopData::Rental(kTiger, "0001")
                       .By("000001")
                       .On("2026-12-07 10:00:00")
                       .Money(6)
                       .MarkedReturned());
        Data().Add(ShopData::Return(kTiger + "0001", "0001").On("2026-12-07 18:00:00"));
        Data().Add(ShopData::Sale(kTiger, "0001")
                       .By("000001")
                       .On("2026-12-07 11:00:00")
                       .Copies("&3#")
                       .Money(25));
        Sql("update ForeGift set foregifttype = 1, money = 10, membermoney = 5");
        frmMain& main = LoadMainWindow();
        EXPECT_TRUE(ShowActive(&main));
    }
    void TearDown() override {
        frmDispUser::unload();
        frmUserBorrowLst::unload();
        frmUserSellLst::unload();
        frmBorrowReport::unload();
        frmSellEarnInfo::unload();
        frmBuyReport::unload();
        frmHotCDInfo::unload();
        frmSellHotCDInfo::unload();
        frmReport::unload();
        frmUserReport::unload();
        frmSellPay::unload();
        frmUseTaxPay::unload();
        frmControlSell::unload();
        frmControlBorrow::unload();
        gShopName.clear();
        MainWindowTest::TearDown();
    }

    frmMain& Main() { return frmMain::instance(); }
    CounterPage& Counter() { return *Main().Counter; }
    void Button(int index) {
        Main().Image3_Click(index);
        Settle();
    }

    // At the counter (button 0 rents, 6 sells), the copies (1-based items of the dialog's
    // list, the copies on the shelf) of a title go into 张三's basket; the dialog is confirmed.
    template <class Dialog>
    void CheckOut(int button, const QString& cdid, std::initializer_list<int> copies) {
        Button(button);
        ASSERT_TRUE(Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(cdid)));
        Settle();
        (button == 0 ? Counter().CmdBorrow : Counter().Command15)->click();
        Settle();
        Dialog& d = Dialog::instance();
        ASSERT_TRUE(d.isVisible());
        ListItemList items = d.ListView1->ListItems();
        for (int i = 1; i <= items.Count(); ++i) items.Item(i)->SetChecked(false);
        for (int i : copies) {
            ASSERT_LE(i, items.Count());
            items.Item(i)->SetChecked(true);
        }
        if (!d.Option3->isChecked()) d.Option3->click();
        d.TxtName->setText("000001");
        d.Command1->click();
        Settle();
    }
    void Rent(const QString& cdid, std::initializer_list<int> copies) {
        CheckOut<frmControlBorrow>(0, cdid, copies);
    }
    void Sell(const QString& cdid, std::initializer_list<int> copies) {
        CheckOut<frmControlSell>(6, cdid, copies);
    }
    // "结    算(&M)" with the deposit asked paid in cash.
    void SettleRental() {
        Button(0);
        WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
            pay.TxtCatchFact->SetText("1000");
            pay.Command1->click();
        });
        Counter().CmdTax->click();
        Settle();
    }
    // The sale settled with the amount the basket asks.
    void SettleSale() {
        Button(6);
        WhenShown<frmSellPay>([](frmSellPay& pay) { pay.Command1->click(); });
        Counter().CmdSellTax->click();
        Settle();
    }
    // Each line of the open baskets removed from its list on the counter.
    void RemoveEveryLine() {
        Button(0);
        while (gBorrowBasket.Open && Counter().LvwReturn->ListItems().Count() > 0) {
            Counter().LvwReturn->SetSelectedItem(Counter().LvwReturn->ListItems().Item(1));
            Counter().CmdDel->click();
            Settle();
        }
        Button(6);
        while (gSellBasket.Open && Counter().lvwSell->ListItems().Count() > 0) {
            Counter().lvwSell->SetSelectedItem(Counter().lvwSell->ListItems().Item(1));
            Counter().CmdDelSellCD->click();
            Settle();
        }
    }

    // What every report window and member window shows now, each opened from its link or
    // button (or read afresh, when it is open already) and, with a period box, every period.
    Figures Read() {
        Figures f;
        Button(3);
        StatisticsPage& stats = *Main().Statistics();
        ReadPeriods<frmBorrowReport>(stats, 4, "rentals", f);
        ReadPeriods<frmSellEarnInfo>(stats, 6, "sales", f);
        ReadPeriods<frmBuyReport>(stats, 2, "purchases", f);
        ReadOnLoad<frmHotCDInfo>(stats, 5, "most rented", f);
        ReadOnLoad<frmSellHotCDInfo>(stats, 7, "best selling", f);
        ReadPeriods<frmReport>(stats, 1, "income", f);
        ReadOnLoad<frmUserReport>(stats, 0, "customers", f);

        Button(5);
        MemberPage& members = *Main().Members();
        f["member page"] =
            QStringList{members.LblBorrowCount->Caption(), members.LblAllMoney->Caption(),
                        members.LblBuyCount->Caption(), members.LblBuyMoney->Caption()}
                .join('|');
        members.Command18->click();
        Settle();
        f["member rentals"] = GridText(frmUserBorrowLst::instance().MSHFlexGrid1);
        members.Command17->click();
        Settle();
        f["member purchases"] = GridText(frmUserSellLst::instance().MSHFlexGrid1);
        Main().ShowMemberInfo("000001", false);
        Settle();
        frmDispUser& info = frmDispUser::instance();
        f["member information"] = info.LblBorrowCount->Caption() + '|' +
                                  info.LblAllMoney->Caption() + '\n' + GridText(info.MSHFlexGrid1);
        Button(0);
        return f;
    }
    template <class W>
    void ReadPeriods(StatisticsPage& stats, int link, const QString& name, Figures& f) {
        ClickLabel(stats.LblReport[link]);
        W& w = W::instance();
        for (int p = 0; p < w.Combo1->count(); ++p) {
            w.Combo1->setCurrentIndex(p);
            w.Combo1_Click();
            f[name + ' ' + w.Combo1->itemText(p)] = GridText(w.BodyGrid());
        }
    }
    // A window without a period box reads once, at its load: closed and opened again.
    template <class W>
    void ReadOnLoad(StatisticsPage& stats, int link, const QString& name, Figures& f) {
        W::unload();
        Settle();
        ClickLabel(stats.LblReport[link]);
        f[name] = GridText(W::instance().BodyGrid());
    }

    // The figures that differ between two readings.
    static QStringList Changed(const Figures& before, const Figures& after) {
        QStringList out;
        for (const auto& [name, text] : after)
            if (before.at(name) != text) out << name;
        return out;
    }
};
}  // namespace

TEST_F(OpenBasketsInTheFrameTest, AnOpenBasketIsInNoFigureUntilItIsSettled) {
    const Figures before = Read();
    Rent(kHero, {1, 2});
    Sell(kHero, {1});  // copy 3, the one left on the shelf
    ASSERT_TRUE(gBorrowBasket.Open);
    ASSERT_TRUE(gSellBasket.Open);
    ASSERT_EQ(Count("select count(*) from borrowinfo where foregift > 0"), 1)
        << "the line holds its deposit share from its confirmation";
    ASSERT_EQ(Count("select count(*) from sellinfo where money = 30"), 1);

    const Figures open = Read();
    EXPECT_EQ(Changed(before, open), QStringList()) << "the open baskets are counted nowhere";
    // The customer's label at the counter opens the same figures.
    ClickLabel(Counter().LblBorrowUserName);
    EXPECT_EQ(frmDispUser::instance().LblBorrowCount->Caption(), "1次");

    SettleRental();
    SettleSale();
    ASSERT_FALSE(gBorrowBasket.Open);
    ASSERT_FALSE(gSellBasket.Open);
    const Figures settled = Read();
    EXPECT_EQ(settled.at("rentals 显示今天的出租情况"),
              "英雄|会员|张三|￥0.00|￥10.00|" +
                  Query1("select substr(borrowdate, 12, 5) "
                         "from borrowinfo where name = '000001' "
                         "order by borrowdate desc limit 1")
                      .replace(QRegularExpression("^0"), "")
                      .replace(":0", ":") +
                  "\n合计|||￥0.00|￥10.00|");
    EXPECT_TRUE(settled.at("sales 显示今天的光盘出售情况").startsWith("英雄|会员|张三|￥30.00|"));
    EXPECT_TRUE(settled.at("most rented").contains("英雄|2026-12-07|1次|￥0.00|￥60.00"));
    EXPECT_TRUE(settled.at("best selling").startsWith("1|英雄|2026-12-07|￥30.00|"));
    EXPECT_EQ(settled.at("purchases 显示本周光盘购买情况"),
              "卧虎藏龙|2026年12月7日|￥45.00|￥6.00|\n"
              "英雄|2026年12月7日|￥60.00|￥0.00|\n"
              "花样年华|2026年12月7日|￥10.00|￥0.00|\n"
              "合计||￥115.00|￥6.00|")
        << "英雄 is rented now";
    EXPECT_EQ(settled.at("member page"), "2次|￥6.00|2次|￥55.00");
    EXPECT_TRUE(settled.at("member rentals").contains("英雄|2026-12-08"));
    EXPECT_TRUE(settled.at("member purchases").endsWith("合计||￥55.00"));
    EXPECT_TRUE(settled.at("member information").startsWith("2次|￥6.00\n"));
    EXPECT_TRUE(settled.at("member information").endsWith("合计||￥4.00"))
        << "two copies of 英雄 out for a day at 2";
    EXPECT_EQ(settled.at("income 统计本月每天收入及支出情况").section('\n', 0, 0),
              "8日|30|2张|￥0.00|￥10.00|0张|￥0.00|0张|￥0.00|1|￥30.00|￥0.00|￥30.00")
        << "today: two copies out on their deposit, one copy sold for 30";
    QStringList changed = Changed(before, settled);
    QStringList expected{"rentals 显示今天的出租情况",
                         "rentals 显示本周的出租情况",
                         "sales 显示今天的光盘出售情况",
                         "sales 显示本周的光盘出售情况",
                         "purchases 显示本周光盘购买情况",
                         "purchases 显示本月光盘购买情况",
                         "purchases 显示今年光盘购买情况",
                         "most rented",
                         "best selling",
                         "income 统计每年收入及支出情况",
                         "income 统计今年每月收入及支出情况",
                         "income 统计本月每天收入及支出情况",
                         "customers",
                         "member page",
                         "member rentals",
                         "member purchases",
                         "member information"};
    changed.sort();
    expected.sort();
    EXPECT_EQ(changed, expected) << "settled, the baskets count wherever rentals and sales do";
}

TEST_F(OpenBasketsInTheFrameTest, ABasketTakenApartLineByLineLeavesNothingBehind) {
    const Figures before = Read();
    Rent(kHero, {1});
    Rent(kTiger, {1});
    Sell(kHero, {2});   // copy 3
    Sell(kTiger, {1});  // copy 2
    ASSERT_EQ(Count("select count(*) from borrowinfo"), 3);
    ASSERT_EQ(Count("select count(*) from sellinfo"), 3);
    EXPECT_EQ(Changed(before, Read()), QStringList());

    RemoveEveryLine();
    ASSERT_FALSE(gBorrowBasket.Open);
    ASSERT_FALSE(gSellBasket.Open);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
    EXPECT_EQ(Changed(before, Read()), QStringList()) << "nothing of the basket is left";
}
