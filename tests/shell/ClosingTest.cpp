#include <QLineEdit>
#include <QPushButton>

#include "catalogue/SettingsPage.h"
#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "platform/ui/Controls.h"
#include "tests/shell/MainWindowTest.h"

namespace {
// An open rental basket 0005 (all of title A's copies, one of B's three) and an open
// sale basket 0007 (all of C's copies, one of D's three), beside a settled rental 0001.
class ClosingTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Sql("insert into cdinfo (cdid,name,count,station,outcount,issell) values "
            "('010100000001','A',2,'全部借出',3,0), ('010100000002','B',3,'借出部分',1,0),"
            "('010100000003','C',2,'未借出',0,2), ('010100000004','D',3,'未借出',0,1);"
            "insert into borrowinfo (borrowid,name,borrowcount,borrowlst) values "
            "('0101000000010005','000001',2,'&1#&2#'), ('0101000000020005','000001',1,'&3#'),"
            "('0101000000020001','x',1,'&1#');"
            "insert into sellinfo (sellid,name,sellcount,selllst) values "
            "('0101000000030007','y',2,'&1#&2#'), ('0101000000040007','y',1,'&2#')");
        LoadMainWindow();
    }
    void OpenBaskets(bool rental, bool sale) {
        if (rental) Data().Add(ShopData::OpenBasket("0005"));
        if (sale) Data().Add(ShopData::OpenBasket("0007").Sale().By("y", false));
        gBorrowBasket.Open = rental;
        gBorrowBasket.No = "0005";
        gSellBasket.Open = sale;
        gSellBasket.No = "0007";
        CounterPage* c = frmMain::instance().Counter;
        c->CmdTax->setEnabled(rental);
        c->CmdSellTax->setEnabled(sale);
        c->LblSellCount->SetCaption(sale ? "3" : "0");
    }
    QString Title(const char* cdid) {
        return Query1(QString("select station||'/'||outcount||'/'||issell from cdinfo "
                              "where cdid='%1'")
                          .arg(cdid));
    }
    // The baskets still stored as open, by kind.
    QString Stored() {
        return Query1("select coalesce(group_concat(kind || basketno), '') from openbasket");
    }
    QString Lines(const char* table) {
        return Query1(QString("select count(*) from %1").arg(table));
    }
};
const QString kRentalQuestion = "用户出租光盘未结帐，真的要退出吗？";
const QString kSaleQuestion = "用户购买光盘未结帐，真的要退出吗？";
}  // namespace

TEST_F(ClosingTest, NoBasketMeansNoQuestionAndTheProgramEnds) {
    OpenBaskets(false, false);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_TRUE(gExiting);
    EXPECT_FALSE(gConn.IsOpen());
}

TEST_F(ClosingTest, YesToBothRollsBothBackAndCloses) {
    OpenBaskets(true, true);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Prompts(), (std::vector<QString>{kRentalQuestion, kSaleQuestion}));
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "退出");
    EXPECT_EQ(Title("010100000001"), "未借出/2/0");
    EXPECT_EQ(Title("010100000002"), "借出部分/0/0");
    EXPECT_EQ(Title("010100000003"), "未借出/0/0");
    EXPECT_EQ(Title("010100000004"), "未借出/0/0");  // no copy of it is sold any more
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), "0101000000020001");
    EXPECT_EQ(Lines("sellinfo"), "0");
    EXPECT_EQ(Stored(), "") << "neither basket is left open";
    EXPECT_TRUE(gExiting);
}

TEST_F(ClosingTest, NoThenYesKeepsTheRentalAndClosesTheSaleBasket) {
    OpenBaskets(true, true);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_FALSE(frmMain::unload());
    ASSERT_TRUE(frmMain::isLoaded());
    EXPECT_EQ(Lines("sellinfo"), "0");
    EXPECT_EQ(Lines("borrowinfo"), "3");
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_FALSE(gExiting);
    // The rolled-back sale basket is closed as its last line's removal closes it.
    CounterPage* c = frmMain::instance().Counter;
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_EQ(c->LblSellCount->Caption(), "0");
    EXPECT_FALSE(c->CmdSellTax->isEnabled());
    EXPECT_FALSE(c->MskFactSellMoney->isEnabled());
    EXPECT_TRUE(c->CmdTax->isEnabled());

    // The next close asks about the rental basket only.
    MsgBoxLog::Get().Reset();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Prompts(), (std::vector<QString>{kRentalQuestion}));
    EXPECT_EQ(Lines("borrowinfo"), "1");
}

TEST_F(ClosingTest, YesThenNoRollsTheRentalBackAndStaysOpen) {
    OpenBaskets(true, true);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    EXPECT_FALSE(frmMain::unload());
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_TRUE(gSellBasket.Open);
    EXPECT_EQ(Lines("borrowinfo"), "1");
    EXPECT_EQ(Lines("sellinfo"), "2");
    EXPECT_EQ(Stored(), "sell0007");
    EXPECT_FALSE(frmMain::instance().Counter->CmdTax->isEnabled());
    EXPECT_EQ(frmMain::instance().Counter->LblNotBackCount->Caption(), "0");
}

TEST_F(ClosingTest, AFailingRollbackLeavesTheBasketAndTheWindow) {
    OpenBaskets(true, false);
    Sql("create trigger keep_lines before delete on borrowinfo "
        "begin select raise(abort, 'disk is full'); end");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_FALSE(frmMain::unload());
    ASSERT_EQ(Prompts().size(), 2u);
    EXPECT_TRUE(Prompts()[1].endsWith("（错误代码 1811）。")) << Prompts()[1].toStdString();
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "错误");
    EXPECT_TRUE(gBorrowBasket.Open);
    EXPECT_EQ(Title("010100000001"), "全部借出/3/0");  // the updates went back too
    EXPECT_EQ(Lines("borrowinfo"), "3");
    EXPECT_EQ(Stored(), "borrow0005");
    EXPECT_TRUE(frmMain::instance().Counter->CmdTax->isEnabled());
}

namespace {
using UnloadTest = MainWindowTest;

// Opens the format list on the settings page, as the classification lists do.
Recordset* OpenTypeList(frmMain& main) {
    SettingsPage* settings = main.Settings();
    settings->adoType = std::make_unique<Recordset>();
    settings->adoType->Open("select * from type", gConn, adLockOptimistic);
    settings->dgType->SetDataSource(settings->adoType.get());
    return settings->adoType.get();
}
}  // namespace

TEST_F(UnloadTest, AnUnnamedNewListRowIsDroppedANamedOneSaved) {
    Sql("insert into type (typeid, type) values (1, 'DVD')");
    frmMain& main = LoadMainWindow();
    Recordset* rs = OpenTypeList(main);
    rs->AddNew();
    rs->SetValue("typeid", 7);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select count(*) from type"), "1");

    Settle();
    gConn.OpenFile(DbPath());
    frmMain& again = LoadMainWindow();
    rs = OpenTypeList(again);
    rs->AddNew();
    rs->SetValue("typeid", 2);
    again.Settings()->dgType->Columns(0).SetText("VCD");
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select group_concat(type) from type"), "DVD,VCD");
}

TEST_F(UnloadTest, AMemberEditIsSavedAndAMemberWithoutNumberDropped) {
    Sql("insert into userinfo (userid, username) values ('000001', '张三'), ('000002', '李四')");
    frmMain& main = LoadMainWindow();
    main.Image3_Click(5);
    Recordset* rs = main.Members()->adoUser.get();
    rs->SetValue("username", "张三丰");
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select username from userinfo where userid='000001'"), "张三丰");

    Settle();
    gConn.OpenFile(DbPath());
    frmMain& again = LoadMainWindow();
    again.Image3_Click(5);
    again.Members()->adoUser->AddNew();
    again.Members()->adoUser->SetValue("username", "无号");
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select count(*) from userinfo"), "2");
}

TEST_F(UnloadTest, AFailingSaveAsksBeforeLosingTheEdit) {
    Sql("insert into userinfo (userid, username) values ('000001', '张三'), ('000002', '李四')");
    frmMain& main = LoadMainWindow();
    main.Image3_Click(5);
    main.Members()->adoUser->SetValue("username", "张三丰");
    Sql("update userinfo set username = '改过' where userid = '000001'");  // changed meanwhile
    MsgBoxLog::Get().QueueAnswer(vbNo);
    EXPECT_FALSE(frmMain::unload());
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(MsgBoxLog::Get().Prompts()[0].startsWith("保存修改时出错"));
    EXPECT_TRUE(gConn.IsOpen());
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select username from userinfo where userid='000001'"), "改过");
}
