// A change is announced once, after it is in the file, and the page shown reads its list again
// exactly once; a page not shown reads it once when the operator shows it, and not before.
// The reads are counted at the file: the statements each list runs once per refill.
#include <sqlite3.h>

#include <QPushButton>
#include <map>

#include "catalogue/CataloguePage.h"
#include "catalogue/SettingsPage.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "counter/frmUseTaxPay.h"
#include "platform/ui/MaskEdBox.h"
#include "returns/ReturnPage.h"
#include "returns/frmControlBack.h"
#include "returns/frmPayMoney.h"
#include "tests/shell/CounterAtTheFrame.h"
#include "tests/shell/MainWindowTest.h"

namespace {
using namespace CounterAtTheFrame;

const QString kHero = "030100000001";
const QString kTiger = "030100000002";

// What each page's refill runs once: the statement of its list.
const std::map<QString, QString> kRefillOf = {
    {"counter", "select cdid, id, name, [key], movietype, type, born, count, buydate, "},
    {"returns", "select c.[count] as [count], c.BorrowPrice as BorrowPrice, "},
    {"catalogue", "select * from cdinfo where issell<2"},
};

// Every statement the connection starts, tallied by the page whose refill it is.
class RefillCount {
  public:
    RefillCount() { sqlite3_trace_v2(gConn.Handle(), SQLITE_TRACE_STMT, &Traced, this); }
    ~RefillCount() { sqlite3_trace_v2(gConn.Handle(), 0, nullptr, nullptr); }
    RefillCount(const RefillCount&) = delete;
    RefillCount& operator=(const RefillCount&) = delete;

    // "counter 1, returns 0, catalogue 1" since the last call.
    QString Take() {
        QStringList out;
        for (const auto& [page, statement] : kRefillOf)
            out << page + " " + QString::number(n_[page]);
        n_.clear();
        return out.join(", ");
    }

  private:
    static int Traced(unsigned, void* self, void* stmt, void*) {
        const QString sql = QString::fromUtf8(sqlite3_sql(static_cast<sqlite3_stmt*>(stmt)));
        for (const auto& [page, statement] : kRefillOf)
            if (sql.startsWith(statement)) ++static_cast<RefillCount*>(self)->n_[page];
        return 0;
    }
    std::map<QString, int> n_;
};

class PagesFollowChangesTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Data().AddDiscClassifications();
        for (const auto& [cdid, name] : {std::pair{kHero, "英雄"}, std::pair{kTiger, "卧虎藏龙"}})
            Data().Add(ShopData::Title(cdid, QString::fromUtf8(name))
                           .Copies(3)
                           .Prices(20, 2, 30)
                           .Type("DVD")
                           .MovieType("动作")
                           .RentPer("每天")
                           .Set("key", cdid));  // as the catalogue keeps it: nothing to edit
        // A settled rental of another customer, so that the return page lists something.
        Data().Add(ShopData::Rental(kTiger, "0001")
                       .By("王五")
                       .On("2026-12-07 10:00:00")
                       .Set("borrowcount", 1)
                       .Set("borrowlst", "&3#")
                       .Set("isnotpaylst", "&3#"));
        Sql("update cdinfo set station = '借出部分' where cdid = '" + kTiger + "'");
        frmMain& main = LoadMainWindow();
        EXPECT_TRUE(ShowActive(&main));
        // Every page with a list built and read once, as after a morning's use.
        for (int button : {1, 2, 4, 0}) Button(button);
    }
};
}  // namespace

// Written at the counter: the counter reads its list once; the return page and the catalogue,
// not shown, once each when shown.
TEST_F(PagesFollowChangesTest, EachBasketChangeRefillsEachPageThatShowsItOnce) {
    frmControlBorrow& first = OpenCheckOut<frmControlBorrow>(0, kHero);
    TickOnly(first.ListView1, {1});
    RefillCount reads;
    Click(first.Command1);
    ASSERT_TRUE(gBorrowBasket.Open);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");

    frmControlBorrow& second = OpenCheckOut<frmControlBorrow>(0, kTiger);
    TickOnly(second.ListView1, {1});
    reads.Take();  // the page button's own reading
    Click(second.Command1);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");

    ClickRow(Counter().LvwReturn, 2);
    Click(Counter().CmdDel);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");

    WhenShown<frmUseTaxPay>([](frmUseTaxPay& pay) {
        pay.TxtCatchFact->SetText("1000");
        pay.Command1->click();
    });
    Click(Counter().CmdTax);
    ASSERT_FALSE(gBorrowBasket.Open);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");

    Button(1);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 0, returns 1");
    EXPECT_EQ(frmMain::instance().Returns()->adoDispBorrow->RecordCount(), 2) << "a rental now";
    Button(2);
    EXPECT_EQ(reads.Take(), "catalogue 1, counter 0, returns 0") << "once for four changes";
    Button(2);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 0, returns 0") << "nothing new";

    // The sale basket the same way; it never shows on the return page.
    frmControlSell& sale = OpenCheckOut<frmControlSell>(6, kHero);
    TickOnly(sale.ListView1, {1});
    reads.Take();
    Click(sale.Command1);
    ASSERT_TRUE(gSellBasket.Open);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");
    WhenShown<frmSellPay>([](frmSellPay& pay) {
        pay.TxtCatchFact->SetText("1000");
        pay.Command1->click();
    });
    Click(Counter().CmdSellTax);
    ASSERT_FALSE(gSellBasket.Open);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");
}

// Titles changed in the settings: no page that lists titles is shown; each reads them once when
// the operator shows it.
TEST_F(PagesFollowChangesTest, ATitlesChangeRefillsEachPageOnceWhenShown) {
    Button(4);
    SettingsPage& settings = *frmMain::instance().Settings();
    RefillCount reads;
    TypeAndLeave(settings.MaskEdBox2, "50", settings.Option3[1]);  // a focus that writes nothing
    EXPECT_EQ(Query1("select memberborrowprice from cdinfo where cdid = '" + kHero + "'"), "1.0");
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 0, returns 0");
    for (int button : {0, 1, 2}) Button(button);
    EXPECT_EQ(reads.Take(), "catalogue 1, counter 1, returns 1");
}

// A return settled: the return page (shown) leaves the rental out at once; the counter puts the
// copy back on its shelf, and the catalogue counts it, when shown.
TEST_F(PagesFollowChangesTest, AReturnRefillsEachPageThatShowsItOnce) {
    Button(1);
    ReturnPage& page = *frmMain::instance().Returns();
    ASSERT_EQ(page.adoDispBorrow->RecordCount(), 1);
    Click(page.Command5);
    ASSERT_TRUE(frmControlBack::isLoaded());
    QTimer::singleShot(0, [] {
        if (!frmPayMoney::isLoaded()) return;
        frmPayMoney& pay = frmPayMoney::instance();
        pay.TxtCatchFact->SetText(pay.AmountDue().PlainText());
        pay.Command1->click();
    });
    RefillCount reads;
    Click(frmControlBack::instance().Command3);
    ASSERT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 0, returns 1");
    EXPECT_EQ(page.adoDispBorrow->RecordCount(), 0);
    Button(0);
    Button(2);
    EXPECT_EQ(reads.Take(), "catalogue 1, counter 1, returns 0");
    EXPECT_EQ(Query1("select station from cdinfo where cdid = '" + kTiger + "'"), "未借出");
}

// A basket left open is rolled back when the program closes; should the operator then keep
// the program open, the counter shows the basket gone, and the return page when shown.
TEST_F(PagesFollowChangesTest, ABasketRolledBackAtClosingRefillsEachPageThatShowsItOnce) {
    CheckOut<frmControlBorrow>(0, kHero, {1});
    CheckOut<frmControlSell>(6, kTiger, {1});
    ASSERT_TRUE(gBorrowBasket.Open && gSellBasket.Open);
    RefillCount reads;
    MsgBoxLog::Get().QueueAnswer(vbYes);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    EXPECT_FALSE(frmMain::unload()) << "the sale basket kept";
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_TRUE(gSellBasket.Open);
    EXPECT_EQ(reads.Take(), "catalogue 0, counter 1, returns 0");
    EXPECT_EQ(Query1("select station from cdinfo where cdid = '" + kHero + "'"), "未借出");
}
