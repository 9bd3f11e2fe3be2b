// Which basket is open is stored in the shop's file, so that it survives the program: a
// basket the program left open when it was killed (or the power went) is rolled back at the
// next start, before the main window, and the operator is told once which it was; its copies
// are on the counter again, no page lists or counts it, and its titles may be discarded. An
// older file gets the table at start. The copies out are read from the lines, whatever
// another program marks the title.
#include <QPushButton>

#include "catalogue/CataloguePage.h"
#include "core/mdlMain.h"
#include "counter/LeftOpenBaskets.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "members/MemberPage.h"
#include "platform/ui/Label.h"
#include "returns/ReturnPage.h"
#include "shell/Startup.h"
#include "tests/shell/CounterAtTheFrame.h"
#include "tools/CreateDatabase.h"

namespace {
using namespace CounterAtTheFrame;

const QString kHero = "030100000001";   // 英雄: 3 copies
const QString kTiger = "030100000002";  // 卧虎藏龙: 2 copies

class StoredBasketsTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        SetToday(2026, 12, 20);  // no fee to charge, nothing to fold: no question at start
        Data().AddDiscClassifications();
        Data().Add(ShopData::Title(kHero, "英雄")
                       .Id("HER")
                       .Type("DVD")
                       .MovieType("动作")
                       .Copies(3)
                       .Prices(20, 2, 30));
        Data().Add(ShopData::Title(kTiger, "卧虎藏龙")
                       .Id("TIG")
                       .Type("DVD")
                       .MovieType("动作")
                       .Copies(2)
                       .Prices(15, 2, 20));
        Data().Add(ShopData::Member("000001", "张三").Money(100));
        Sql("update ForeGift set foregifttype = 1, money = 20, membermoney = 10");
    }
    void TearDown() override {
        Stop();
        ShopTest::TearDown();
    }

    // The program started as the operator starts it, its window shown.
    static void Start() {
        ::Main();
        ASSERT_FALSE(gQuit);
        Settle();
        EXPECT_TRUE(ShowActive(&frmMain::instance()));
    }
    // The program ends without closing (killed, or the power went): nothing of the closing
    // runs, and what it held in memory is gone.
    static void Stop() {
        frmControlBorrow::unload();
        frmControlSell::unload();
        if (frmMain::isLoaded()) delete &frmMain::instance();
        Settle();
        ResetGlobalState();
    }
    static void Rent(const QString& cdid, std::initializer_list<int> copies,
                     const QString& member = QString()) {
        CheckOut<frmControlBorrow>(0, cdid, copies, member);
    }
    static void Sell(const QString& cdid, std::initializer_list<int> copies) {
        CheckOut<frmControlSell>(6, cdid, copies);
    }

    // The copies the counter offers for a title, in the mode of the page button given.
    static QStringList Offered(int button, const QString& cdid) {
        Button(button);
        if (!Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(cdid))) return {"not listed"};
        Settle();
        QStringList copies;
        ListItemList items = Counter().ListView1->ListItems();
        for (int i = 1; i <= items.Count(); ++i) copies << items.Item(i)->Text();
        return copies;
    }
    // The customers of the open rentals the return page lists.
    static QStringList ReturnPageRenters() {
        Button(1);
        QStringList renters;
        Recordset& rs = *frmMain::instance().Returns()->adoDispBorrow;
        for (rs.MoveFirst(); !rs.AtEOF(); rs.MoveNext()) renters << rs["name"].ToString();
        return renters;
    }
    // The catalogue's "丢弃光盘" on a title, the question answered yes: true when it went.
    bool Discard(const QString& id) {
        Button(2);
        CataloguePage& page = *frmMain::instance().Catalogue();
        page.adoCDInfo->MoveFirst();
        EXPECT_TRUE(page.adoCDInfo->Find(QString("id = '%1'").arg(id)));
        Settle();
        MsgBoxLog::Get().QueueAnswer(vbYes);
        Click(page.Command2);
        return Count(QString("select count(*) from cdinfo where id = '%1'").arg(id)) == 0;
    }
    // The boxes start-up showed about baskets left open.
    static std::vector<MsgBoxCall> ToldOfBaskets() {
        std::vector<MsgBoxCall> told;
        for (const MsgBoxCall& call : MsgBoxLog::Get().Calls())
            if (call.title == LeftOpenBaskets::Title()) told.push_back(call);
        return told;
    }
    QString TitleState(const QString& cdid) {
        return Query1(
            QString(
                "select station || '/' || outcount || '/' || issell from cdinfo where cdid = '%1'")
                .arg(cdid));
    }
};
}  // namespace

TEST_F(StoredBasketsTest, ARentalBasketLeftOpenGoesBackAtTheNextStartAndIsToldOnce) {
    Start();
    Rent(kHero, {1, 3}, "000001");
    Rent(kTiger, {1});
    ASSERT_EQ(Query1("select kind || basketno || name from openbasket"), "borrow0001000001");
    ASSERT_EQ(Count("select count(*) from borrowinfo"), 2);
    Stop();
    ForgetPrompts();

    Start();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << "one box, before the window";
    const MsgBoxCall told = MsgBoxLog::Get().Calls()[0];
    EXPECT_EQ(told.title, "未结帐的光盘已退回");
    EXPECT_EQ(told.buttons, vbOKOnly + vbInformation);
    EXPECT_TRUE(
        told.prompt.contains("出租　会员编号：000001\n    HER 英雄：第1张盘、第3张盘\n"
                             "    TIG 卧虎藏龙：第1张盘"))
        << told.prompt.toStdString();
    EXPECT_FALSE(told.prompt.contains("出售　"));
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 0) << "never a rental";
    EXPECT_EQ(Count("select count(*) from openbasket"), 0);
    EXPECT_EQ(TitleState(kHero), "未借出/0/0");
    EXPECT_EQ(TitleState(kTiger), "未借出/0/0");

    EXPECT_EQ(Offered(0, kHero), (QStringList{"第1张盘", "第2张盘", "第3张盘"}));
    EXPECT_TRUE(Counter().CmdBorrow->isEnabled());
    EXPECT_EQ(ReturnPageRenters(), QStringList());
    Button(5);
    EXPECT_EQ(frmMain::instance().Members()->LblBorrowCount->Caption(), "0次");
    EXPECT_FALSE(gBorrowBasket.Open);

    // Told once: the next start finds nothing left open.
    Stop();
    ForgetPrompts();
    Start();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    EXPECT_TRUE(Discard("HER")) << "no copy of it is out";
}

TEST_F(StoredBasketsTest, ASaleBasketLeftOpenGoesBackAtTheNextStartAndIsNoSale) {
    Start();
    Sell(kHero, {2});
    Sell(kTiger, {1, 2});  // every copy: the title leaves the counter's list
    const QString walkIn = Query1("select name from openbasket");
    ASSERT_EQ(walkIn, "20261220001");
    ASSERT_EQ(Offered(6, kTiger), QStringList{"not listed"});
    Stop();
    ForgetPrompts();

    Start();
    const std::vector<MsgBoxCall> told = ToldOfBaskets();
    ASSERT_EQ(told.size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(
        told[0].prompt.contains("出售　用户姓名：20261220001\n    HER 英雄：第2张盘\n"
                                "    TIG 卧虎藏龙：第1张盘、第2张盘"))
        << told[0].prompt.toStdString();
    EXPECT_EQ(Count("select count(*) from sellinfo"), 0) << "never a sale";
    EXPECT_EQ(TitleState(kHero), "未借出/0/0");
    EXPECT_EQ(TitleState(kTiger), "未借出/0/0");
    EXPECT_EQ(Offered(6, kTiger), (QStringList{"第1张盘", "第2张盘"}));
    EXPECT_EQ(Offered(6, kHero), (QStringList{"第1张盘", "第2张盘", "第3张盘"}));
    EXPECT_TRUE(Discard("TIG"));
}

// Both baskets in one box; a settled rental beside them stays a rental the return page lists.
TEST_F(StoredBasketsTest, BothBasketsLeftOpenGoBackTogetherInOneBox) {
    Data().Add(
        ShopData::Rental(kTiger, "0001").By("000001").On("2026-12-19 10:00:00").PaidInCash());
    Sql("update cdinfo set station = '借出部分' where cdid = '" + kTiger + "'");
    Start();
    Rent(kHero, {1}, "000001");
    Sell(kHero, {1});   // copy 2, the first on the shelf now
    Sell(kTiger, {1});  // copy 2: copy 1 is out
    ASSERT_EQ(Count("select count(*) from openbasket"), 2);
    EXPECT_EQ(ReturnPageRenters(), QStringList{"000001"}) << "the settled rental only";
    Stop();
    ForgetPrompts();

    Start();
    ASSERT_EQ(ToldOfBaskets().size(), 1u);
    const QString prompt = ToldOfBaskets()[0].prompt;
    EXPECT_TRUE(prompt.contains("出租　会员编号：000001\n    HER 英雄：第1张盘"))
        << prompt.toStdString();
    EXPECT_TRUE(
        prompt.contains("出售　用户姓名：20261220001\n    HER 英雄：第2张盘\n"
                        "    TIG 卧虎藏龙：第2张盘"))
        << prompt.toStdString();
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), kTiger + "0001");
    EXPECT_EQ(Count("select count(*) from sellinfo"), 0);
    EXPECT_EQ(TitleState(kTiger), "借出部分/0/0") << "its copy 1 is still out on the rental";
    EXPECT_EQ(Offered(0, kTiger), QStringList{"第2张盘"});
    EXPECT_EQ(Offered(0, kHero), (QStringList{"第1张盘", "第2张盘", "第3张盘"}));
    EXPECT_EQ(ReturnPageRenters(), QStringList{"000001"});
    EXPECT_FALSE(Discard("TIG")) << "a copy of it is out on a settled rental";
}

// A file made before the program's own table gets it at start, as the schema defines it,
// with nothing to tell; baskets are then stored in it like in any other.
TEST_F(StoredBasketsTest, AnOlderFileGetsTheTableAtStartAndKeepsItsBaskets) {
    Sql("drop table openbasket");
    const QString fresh = Dir() + "/fresh.mdb";
    ASSERT_TRUE(CreateDatabase(fresh));
    Start();
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    const auto columns = [](const QString& file) {
        Connection conn;
        conn.OpenFile(file);
        return conn
            .Scalar(
                "select group_concat(name || ' ' || type || ' ' || \"notnull\" || ' ' || "
                "coalesce(dflt_value, '-') || ' ' || pk, ', ') "
                "from pragma_table_info('openbasket')")
            .ToString();
    };
    EXPECT_EQ(columns(DbPath()), columns(fresh));
    EXPECT_TRUE(columns(DbPath()).startsWith("kind TEXT 1 - 1, basketno TEXT 1 - 2, name TEXT"))
        << columns(DbPath()).toStdString();
    Rent(kHero, {2});
    EXPECT_EQ(Query1("select kind || '|' || usertype || '|' || ismember || '|' || foregifttype "
                     "|| '|' || money || '|' || membermoney from openbasket"),
              "borrow|4|0|1|20.0|10.0")
        << "the deposit terms the basket was opened with";
    Stop();
    ForgetPrompts();
    Start();
    EXPECT_EQ(ToldOfBaskets().size(), 1u);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 0);
}

// Another program marks titles "未借出" (and unsold) while copies are out on a line of the
// open basket, on a settled rental and on a settled sale: the counter offers none of them,
// in either mode, and the check-out dialog lists only the copies on the shelf.
TEST_F(StoredBasketsTest, ATitleMarkedNotLentFromOutsideOffersNoCopyThatIsOut) {
    Data().Add(ShopData::Rental(kTiger, "0001").By("000001").PaidInCash());
    Data().Add(ShopData::Sale(kHero, "0001").Copies("&3#"));
    Sql("update cdinfo set station = '借出部分', issell = 1 where cdid = '" + kHero +
        "';"
        "update cdinfo set station = '借出部分' where cdid = '" +
        kTiger + "'");
    Start();
    Rent(kHero, {1});  // copy 1 into the open basket
    Sql("update cdinfo set station = '未借出', issell = 0");

    EXPECT_EQ(Offered(0, kHero), QStringList{"第2张盘"});
    EXPECT_EQ(Offered(0, kTiger), QStringList{"第2张盘"});
    EXPECT_EQ(Offered(6, kHero), QStringList{"第2张盘"});
    Button(0);
    ASSERT_TRUE(Counter().adoDispCDInfo->Find(QString("cdid = '%1'").arg(kTiger)));
    Settle();
    Click(Counter().CmdBorrow);
    frmControlBorrow& d = frmControlBorrow::instance();
    ASSERT_TRUE(d.isVisible());
    ASSERT_EQ(d.ListView1->ListItems().Count(), 1);
    EXPECT_EQ(d.ListView1->ListItems().Item(1)->Text(), "第2张盘");
    Click(d.Command1);
    EXPECT_EQ(Query1("select borrowlst from borrowinfo where borrowid = '" + kTiger + "0002'"),
              "&2#")
        << "the copy on the shelf goes into the basket, the one out stays out";
}
