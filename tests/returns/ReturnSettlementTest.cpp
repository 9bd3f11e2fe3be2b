#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/ui/MaskEdBox.h"
#include "returns/ReturnSettlement.h"
#include "tests/returns/ReturnsTest.h"

namespace {
const QString kHero = "030100000001";   // 英雄, per day, 2 (member 1)
const QString kTiger = "030100000002";  // 卧虎藏龙, "每次", 5 (member 4)
const char* const kTwoAndAHalfDaysAgo = "2026-12-05 22:00:00";
}  // namespace

class ReturnSettlementTest : public ReturnsTest {
  protected:
    void SetUp() override {
        ReturnsTest::SetUp();
        AddTitle(kHero, "英雄", 2, 1);
        AddTitle(kTiger, "卧虎藏龙", 5, 4, "每次");
    }
    // The columns of a rental line the settlement writes.
    QString LineState(const QString& borrowid) {
        return Query1(
            "select quote(foregift)||' '||IsReturnGuaranty||' '||quote([money])||' '||"
            "quote(isnotpaylst)||' '||isreturnall from borrowinfo where borrowid = '" +
            borrowid + "'");
    }
    QString Returns() {
        return Query1(
            "select group_concat(returnid||' '||returndate||' '||returncount||' '||"
            "returnlst||' '||quote(remark), ' | ') from (select * from returninfo "
            "order by returnid)");
    }
    QString Station(const QString& cdid) {
        return Query1("select station from cdinfo where cdid = '" + cdid + "'");
    }
    QString StoredMoney(const QString& userid) {
        return Query1("select quote([money]) from userinfo where userid = '" + userid + "'");
    }
};

TEST_F(ReturnSettlementTest, AWholeReturnGivesTheDepositBackAndClosesTheLine) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#", 20));
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(d.LblPlanBackSum->Caption(), "￥8.00");
    const QSignalSpy returned(&ShopEvents::Get(), &ShopEvents::RentalsReturned);
    QString shown;
    WhenPaymentShows([&](frmPayMoney& p) {
        shown = p.TxtCatchSum->text() + " " + p.Command1->text() +
                (p.Option1_0->isVisible() ? " stored" : " cash only") +
                (p.TxtCatchFact->isVisible() ? " takes cash" : " pays back");
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(shown, "-￥12.00 退  款(&B) cash only pays back");
    EXPECT_EQ(Returns(), "03010000000100010001 2026-12-08 10:00:00 2 &1#&2# ' '");
    EXPECT_EQ(LineState(kHero + "0001"), "0.0 1 8.0 ' ' 1");
    EXPECT_EQ(Station(kHero), "未借出");
    EXPECT_EQ(gReturnNo, "0001");
    EXPECT_EQ(returned.count(), 1) << "the return is announced once";
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
}

TEST_F(ReturnSettlementTest, APartReturnThenTheRestRecordsUnpaidCopiesAndAddsTheRent) {
    AddMember("000001", 100);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#&2#&3#", 30));
    frmControlBack& d = OpenDialog("000001");
    Tick(d, 3, false);  // copy 3 stays out: both switches go off
    Click(d.Check1);    // the rent of the two copies back is taken
    EXPECT_EQ(d.LblPlanBackSum->Caption(), "￥4.00");
    EXPECT_EQ(d.LblCrePlanBackSum->Caption(), "￥0.00");
    QString shown;
    WhenPaymentShows([&](frmPayMoney& p) {
        shown = p.TxtSum->text() + " " + p.TxtCurrentTax->text() + " " + p.TxtRest->text() +
                (p.TxtRemain->isVisible() ? " short" : "") + " " + p.Command1->text();
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(shown, "￥4.00 ￥100.00 ￥96.00 付  款(&P)");
    EXPECT_EQ(Returns(), "03010000000100010001 2026-12-08 10:00:00 2 &1#&2# ' '");
    EXPECT_EQ(LineState(kHero + "0001"), "30.0 0 4.0 '&3#' 0")
        << "copy 3 stays out unpaid; the deposit stays held";
    EXPECT_EQ(Station(kHero), "借出部分");
    EXPECT_EQ(StoredMoney("000001"), "96.0");

    // The rest, a day and a half later: copy 3 pays up to then; the deposit comes back.
    SetNow(QDateTime(QDate(2026, 12, 9), QTime(10, 0)));
    Host().Activate(&Page(), kReturnButton);
    frmControlBack& again = OpenDialog("000001");
    EXPECT_EQ(again.LvwBack->ListItems().Item(1)->SubItem("IsPay"), "付部分租金");
    EXPECT_EQ(Items(again.ListView1), QStringList({"第3张盘✓"}));
    EXPECT_EQ(again.LblPlanBackSum->Caption(), "￥4.00") << "3.5 days count 4, at 1";
    EXPECT_EQ(again.LblCrePlanBackSum->Caption(), "￥30.00");
    WhenPaymentShows([&](frmPayMoney& p) {
        shown = p.Label1->text() + " " + p.TxtSum->text() + " " + p.TxtRest->text() + " " +
                p.Command1->text();
        p.Command1->click();
    });
    again.Command3->click();
    Settle();
    EXPECT_EQ(shown, "退还金额： -￥26.00 ￥122.00 加入会费(&J)");
    EXPECT_EQ(Returns(),
              "03010000000100010001 2026-12-08 10:00:00 2 &1#&2# ' ' | "
              "03010000000100010002 2026-12-09 10:00:00 1 &3# ' '");
    EXPECT_EQ(LineState(kHero + "0001"), "0.0 1 8.0 ' ' 1") << "the rent adds up";
    EXPECT_EQ(Station(kHero), "未借出");
    EXPECT_EQ(StoredMoney("000001"), "122.0") << "the deposit, less the rent, goes in once";
}

TEST_F(ReturnSettlementTest, RentHeldBackLeavesTheLinesRentAndUnpaidCopiesAsTheyWere) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#"));
    frmControlBack& d = OpenDialog("李四");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check1);
    EXPECT_EQ(d.MskPlanBackSum->Text(), "￥0.00");
    SettleAndPay(d);
    EXPECT_EQ(LineState(kHero + "0001"), "0.0 1 0.0 '&1#&2#' 1");
}

TEST_F(ReturnSettlementTest, TheRentReceivedIsSharedByEachLinesOwnRentAndTheLastTakesTheRest) {
    AddLine(Line(kHero, "0001", "李四", "2026-12-05 10:00:00", "&1#"));   // 3 days x 2 = 6
    AddLine(Line(kTiger, "0001", "李四", "2026-12-05 10:00:00", "&1#"));  // once 5
    AddLine(Line(kHero, "0002", "李四", "2026-12-05 11:00:00", "&2#"));   // 6, held back
    frmControlBack& d = OpenDialog("李四");
    ShowRow(d, 3);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Click(d.Check1);
    ShowRow(d, 1);
    ASSERT_EQ(d.LblPlanBackSum->Caption(), "￥11.00");
    d.MskPlanBackSum->SetText("9.90");  // the customer is let off 1.10
    SettleAndPay(d);
    EXPECT_EQ(Query1("select group_concat(quote([money]), ' ') from (select [money] from "
                     "borrowinfo order by borrowdate, borrowid)"),
              "5.4 4.5 0.0")
        << "9.90 x 6/11 = 5.40; the rest to the last line that pays; none to the held one";

    // By the operation: nothing due yet money received (the lines that pay share it by equal
    // parts, as every sharing does), and a remainder after cutting to the cent.
    ReturnSettlement::Request r;
    r.rentReceived = Yuan(10);
    r.lines = {{"a", {1}, true, Money(), true},
               {"b", {1}, true, Money(), true},
               {"c", {1}, false, Yuan(3), true}};
    EXPECT_EQ(ReturnSettlement::Shares(r), std::vector<Money>({Yuan(5), Yuan(5), Money()}));
    r.lines = {{"a", {1}, true, Yuan(1), true},
               {"b", {1}, true, Yuan(1), true},
               {"c", {1}, true, Yuan(1), true}};
    EXPECT_EQ(ReturnSettlement::Shares(r),
              std::vector<Money>({Yuan(3.33), Yuan(3.33), Yuan(3.34)}));
}

TEST_F(ReturnSettlementTest, APledgeGoesBackForEveryLineOfItsRentalThatNamesTheSameItem) {
    AddLine(Line(kHero, "0005", "李四", kTwoAndAHalfDaysAgo, "&1#", 0, "身份证"));
    AddLine(Line(kTiger, "0005", "李四", kTwoAndAHalfDaysAgo, "&1#", 0, "身份证"));
    AddLine(Line(kHero, "0006", "李四", "2026-12-07 10:00:00", "&2#", 0, "身份证复印件"));
    AddLine(Line(kTiger, "0007", "王五", kTwoAndAHalfDaysAgo, "&2#", 0, "身份证"));
    frmControlBack& d = OpenDialog("李四");
    EXPECT_EQ(d.lblCre->text(), "身份证,身份证复印件");
    ShowRow(d, 3);
    d.Command4->click();  // the copy of rental 0006 stays out
    ShowRow(d, 2);
    d.Command4->click();  // and so does the 每次 copy of rental 0005
    EXPECT_EQ(d.lblCre->text(), "身份证");
    QString pledge;
    WhenPaymentShows([&](frmPayMoney& p) {
        pledge = p.TxtCatchCre->text();
        p.TxtCatchFact->SetText("100");
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(pledge, "身份证");
    EXPECT_EQ(Query1("select group_concat(borrowid||':'||IsReturnGuaranty, ' ') from "
                     "(select * from borrowinfo order by borrowid)"),
              "0301000000010005:1 0301000000010006:0 0301000000020005:1 0301000000020007:0")
        << "the pledge of rental 0005 covered both its lines; 身份证复印件 and another "
           "rental's 身份证 stay held";
    EXPECT_EQ(Station(kTiger), "借出部分");
}

TEST_F(ReturnSettlementTest, NoCopyTickedOrNumbersUsedUpStopBeforeAnyMoneyChangesHands) {
    AddMember("000001", 50);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#"));
    AddLine(Line(kTiger, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#"));
    const QStringList before = Dump();
    frmControlBack& d = OpenDialog("000001");
    ShowRow(d, 2);
    Tick(d, 1, false);
    SettleAndPay(d);
    EXPECT_EQ(Prompts(), std::vector<QString>({"没有选择归还的光盘！"}));
    EXPECT_EQ(MsgBoxLog::Get().Calls().back().title, "提示");
    EXPECT_EQ(MsgBoxLog::Get().Calls().back().buttons, vbOKOnly + vbInformation);
    EXPECT_EQ(PaymentsShown(), 0);
    EXPECT_TRUE(frmControlBack::isLoaded()) << "the dialog stays with its ticks";
    EXPECT_EQ(Dump(), before);

    Tick(d, 1, true);
    Sql("with recursive n(i) as (select 1 union all select i + 1 from n where i < 9999) "
        "insert into returninfo (returnid, returncount, returnlst) "
        "select '0000000000000000' || printf('%04d', i), 1, '&1#' from n");
    const QStringList full = Dump();
    ForgetPrompts();
    SettleAndPay(d);
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("0001 至 9999")) << Prompts()[0].toStdString();
    EXPECT_EQ(PaymentsShown(), 0);
    EXPECT_EQ(Dump(), full);
}

TEST_F(ReturnSettlementTest, TheLowestFreeReturnNumberIsUsed) {
    EXPECT_EQ(ReturnSettlement::NextReturnNo(gConn), "0001");
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#"));
    AddReturn(kHero + "0001", "0001", "2026-12-06 10:00:00", "&1#");
    AddReturn(kTiger + "0009", "0002", "2026-12-06 10:00:00", "&1#");
    AddReturn(kTiger + "0008", "0004", "2026-12-06 10:00:00", "&1#");
    EXPECT_EQ(ReturnSettlement::NextReturnNo(gConn), "0003");
    SettleAndPay(OpenDialog("李四"));
    EXPECT_EQ(Count("select count(*) from returninfo where returnid = '03010000000100010003'"), 1);
}

TEST_F(ReturnSettlementTest, CancellingThePaymentWritesNothing) {
    AddMember("000001", 50);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#&2#", 10));
    const QStringList before = Dump();
    frmControlBack& d = OpenDialog("000001");
    WhenPaymentShows([](frmPayMoney& p) { p.Command3->click(); });
    d.Command3->click();
    Settle();
    EXPECT_EQ(PaymentsShown(), 1);
    EXPECT_EQ(Dump(), before);
    ASSERT_TRUE(frmControlBack::isLoaded());
    WhenPaymentShows([](frmPayMoney& p) { p.close(); });  // the close box cancels too
    d.Command3->click();
    Settle();
    EXPECT_EQ(Dump(), before);
}

TEST_F(ReturnSettlementTest, AShortStoredBalanceAsksForTheShortfallToTheCent) {
    AddMember("000001", 3);
    AddLine(Line(kHero, "0001", "000001", "2026-12-03 10:00:00", "&1#&2#"));  // 2 x 5 x 1
    frmControlBack& d = OpenDialog("000001");
    QStringList seen;
    WhenPaymentShows([&](frmPayMoney& p) {
        seen << p.TxtRest->text() << p.TxtRemain->Text()
             << (p.Command1->isEnabled() ? "enabled" : "disabled");
        p.TxtRemain->SetText("6.99");
        seen << (p.Command1->isEnabled() ? "enabled" : "disabled");
        p.Command1->click();  // refused while short
        seen << (frmPayMoney::isLoaded() ? "open" : "closed");
        // In cash the change shows once the cash covers the amount to the cent.
        p.Option1_1->click();
        p.TxtCatchFact->SetText("9.99");
        seen << p.TxtCatchRest->text() << (p.Command1->isEnabled() ? "enabled" : "disabled");
        p.TxtCatchFact->SetText("12.5");
        seen << p.TxtCatchRest->text();
        p.TxtCatchFact->SetText("十元");
        seen << (p.Command1->isEnabled() ? "enabled" : "disabled");
        p.Option1_0->click();
        p.TxtRemain->SetText("7");
        seen << (p.Command1->isEnabled() ? "enabled" : "disabled");
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(seen, QStringList({"￥0.00", "7", "enabled", "disabled", "open", "", "disabled",
                                 "￥2.50", "disabled", "enabled"}))
        << "with the shortfall handed over the stored money comes to 0";
    EXPECT_EQ(StoredMoney("000001"), "0.0") << "the member paid the rest on top";
    EXPECT_EQ(LineState(kHero + "0001"), "0.0 1 10.0 ' ' 1");
}

TEST_F(ReturnSettlementTest, ABalanceOfThousandsIsStoredWhole) {
    AddMember("000001", 1244.5);
    AddLine(Line(kHero, "0001", "000001", "2026-12-03 10:00:00", "&1#&2#"));
    SettleAndPay(OpenDialog("000001"));
    EXPECT_EQ(StoredMoney("000001"), "1234.5");
}

TEST_F(ReturnSettlementTest, SettleAndPayActOnceHoweverOftenTheyAreClicked) {
    AddMember("000001", 50);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#&2#"));
    frmControlBack& d = OpenDialog("000001");
    WhenPaymentShows([&d](frmPayMoney& p) {
        d.Command3_Click();  // a second activation while the first one waits for the money
        p.Command1_Click();
        p.Command1_Click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(PaymentsShown(), 1);
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(StoredMoney("000001"), "46.0");
}

TEST_F(ReturnSettlementTest, AFileThatRefusesTheWritesIsToldAndTheSettlementCanBeRetried) {
    AddMember("000001", 50);
    AddLine(Line(kHero, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#&2#", 10));
    const QStringList before = Dump();
    frmControlBack& d = OpenDialog("000001");
    gConn.Execute("PRAGMA query_only = 1");
    SettleAndPay(d);
    gConn.Execute("PRAGMA query_only = 0");
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_TRUE(Prompts()[0].contains("只读")) << Prompts()[0].toStdString();
    EXPECT_EQ(Dump(), before) << "the stored money and the return go together, or neither";
    ASSERT_TRUE(frmControlBack::isLoaded());
    SettleAndPay(d);
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(StoredMoney("000001"), "56.0") << "rent 4 less deposit 10 goes in";
}

TEST_F(ReturnSettlementTest, NamesRemarksAndPledgesWithQuotesAreStoredAsTyped) {
    AddLine(Line(kHero, "0001", "O'Brien", kTwoAndAHalfDaysAgo, "&1#", 0, "张'三的证"));
    OpenPage();
    frmControlBack::instance().OpenFor("O'Brien");
    frmControlBack& d = frmControlBack::instance();
    d.TxtRemark->setText("它's 100%_\\");
    SettleAndPay(d);
    EXPECT_EQ(Query1("select remark from returninfo"), "它's 100%_\\");
    EXPECT_EQ(Query1("select IsReturnGuaranty from borrowinfo"), "1");
}

TEST_F(ReturnSettlementTest, TheOperationRefusesCopiesThatAreNotOutAndWritesNothing) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#"));
    AddReturn(kHero + "0001", "0001", "2026-12-06 10:00:00", "&1#");
    const QStringList before = Dump();
    ReturnSettlement::Request r;
    r.customer = "李四";
    r.now = Now();
    r.lines = {{kHero + "0001", {1}, true, Money(), true}};
    ReturnSettlement::Outcome out = ReturnSettlement::Settle(gConn, r);
    EXPECT_FALSE(out.done);
    EXPECT_TRUE(out.refusal.contains("已经改变"));
    r.lines = {{kHero + "0001", {2}, false, Money(), true}};
    r.rentReceived = Yuan(3);
    out = ReturnSettlement::Settle(gConn, r);
    EXPECT_TRUE(out.refusal.contains("实收租金应为零"));
    EXPECT_EQ(Dump(), before);
}

TEST_F(ReturnSettlementTest, TheOperationRefusesTheLinesOfTheBasketStillOpenAtTheCounter) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#&2#"));
    AddLine(Line(kTiger, "0002", "李四", "2026-12-08 09:00:00", "&1#"));
    Data().Add(ShopData::OpenBasket("0002").By("李四", false));
    const QStringList before = Dump();
    ReturnSettlement::Request r;
    r.customer = "李四";
    r.now = Now();
    r.lines = {{kHero + "0001", {1}, true, Yuan(4), true},
               {kTiger + "0002", {1}, true, Yuan(5), true}};
    r.rentReceived = Yuan(9);
    const ReturnSettlement::Outcome out = ReturnSettlement::Settle(gConn, r);
    EXPECT_FALSE(out.done);
    EXPECT_TRUE(out.refusal.contains("0002")) << out.refusal.toStdString();
    EXPECT_TRUE(out.refusal.contains("结算")) << out.refusal.toStdString();
    EXPECT_EQ(Dump(), before) << "the settled line is not returned either";
    Sql("delete from openbasket");
    EXPECT_TRUE(ReturnSettlement::Settle(gConn, r).done) << "once settled it comes back";
}

namespace {
// The operator types into a box, key by key, over what it held.
void TypeOver(QLineEdit* box, const QString& text) {
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}
}  // namespace

TEST_F(ReturnSettlementTest, WhatIsHandedOverBeyondTheShortfallGoesIntoTheStoredMoneyAsShown) {
    AddMember("000001", 3);
    AddLine(Line(kHero, "0001", "000001", "2026-12-03 10:00:00", "&1#&2#"));  // 2 x 5 x 1
    frmControlBack& d = OpenDialog("000001");
    QStringList seen;
    WhenPaymentShows([&](frmPayMoney& p) {
        seen << p.TxtCurrentTax->text() << p.TxtRest->text();
        TypeOver(p.TxtRemain, "20");
        seen << p.TxtRest->text() << (p.Command1->isEnabled() ? "enabled" : "disabled");
        TypeOver(p.TxtRemain, "2O");
        seen << p.TxtRest->text() << (p.Command1->isEnabled() ? "enabled" : "disabled");
        TypeOver(p.TxtRemain, "1,000.50");
        seen << p.TxtRest->text();
        TypeOver(p.TxtRemain, "20");
        seen << p.TxtRest->text();
        QTest::mouseClick(p.Command1, Qt::LeftButton);
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(seen, QStringList({"￥3.00", "￥0.00", "￥13.00", "enabled", "-￥7.00", "disabled",
                                 "￥993.50", "￥13.00"}))
        << "the stored money that results shows before the button is pressed";
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(StoredMoney("000001"), "13.0") << "3 stored + 20 handed over - 10 rent";
    EXPECT_EQ(LineState(kHero + "0001"), "0.0 1 10.0 ' ' 1");
}

TEST_F(ReturnSettlementTest, StoredMoneyChangedUnderTheDialogIsToldAndNothingIsTaken) {
    AddMember("000001", 10);
    AddLine(Line(kHero, "0001", "000001", "2026-12-03 10:00:00", "&1#&2#"));  // 10
    const QStringList before = Dump();
    frmControlBack& d = OpenDialog("000001");
    QString shown;
    WhenPaymentShows([&](frmPayMoney& p) {
        shown = p.TxtRest->text();
        // The member page of another program spends most of it meanwhile.
        Sql("update userinfo set [money] = 4 where userid = '000001'");
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(shown, "￥0.00");
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Prompts()[0], "会员的储值现在只有 ￥4.00，不够支付 ￥10.00，没有结算。请重新结算。");
    ASSERT_TRUE(frmControlBack::isLoaded());
    Sql("update userinfo set [money] = 10 where userid = '000001'");
    EXPECT_EQ(Dump(), before) << "no return and no money taken";

    // Settled again, the dialog shows the money as it stands.
    Sql("update userinfo set [money] = 4 where userid = '000001'");
    WhenPaymentShows([&](frmPayMoney& p) {
        shown = p.TxtRemain->Text();
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(shown, "6");
    EXPECT_EQ(StoredMoney("000001"), "0.0");
}

// The deposit coming back as a credit to a member who left while the payment dialog was
// open is refused, not lost: the return and the deposit stay as they were.
TEST_F(ReturnSettlementTest, ACreditToAMemberWhoLeftMeanwhileIsRefusedNotLost) {
    AddMember("000001", 10);
    AddLine(Line(kTiger, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#", 15));  // rent 4
    Sql("delete from userinfo where userid = '000001'");
    const QStringList gone = Dump();
    AddMember("000001", 10);
    frmControlBack& d = OpenDialog("000001");
    WhenPaymentShows([&](frmPayMoney& p) {
        Sql("delete from userinfo where userid = '000001'");  // the member page, elsewhere
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    ASSERT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(
        Prompts()[0],
        "会员 000001 已经不在了（会员资料已被删除），不能用会费结算，没有结算。请改用现金结算。");
    EXPECT_EQ(Dump(), gone) << "no return written, the deposit of 15 still on the line";
    EXPECT_TRUE(frmControlBack::isLoaded());
}

TEST_F(ReturnSettlementTest, MoneyComingBackToAMemberInDebtLowersTheDebtAndAsksForNothing) {
    AddMember("000001", -30);  // the monthly fee ran the stored money below zero
    AddLine(Line(kTiger, "0001", "000001", kTwoAndAHalfDaysAgo, "&1#", 15));  // rent 4
    frmControlBack& d = OpenDialog("000001");
    QStringList seen;
    WhenPaymentShows([&](frmPayMoney& p) {
        seen << p.Label1->text() << p.TxtSum->text() << p.TxtRest->text()
             << (p.TxtRemain->isVisibleTo(&p) ? "asks more" : "asks nothing") << p.Command1->text();
        p.Command1->click();
    });
    d.Command3->click();
    Settle();
    EXPECT_EQ(seen,
              QStringList({"退还金额：", "-￥11.00", "-￥19.00", "asks nothing", "加入会费(&J)"}));
    EXPECT_EQ(StoredMoney("000001"), "-19.0") << "the debt is not written off";
}

TEST_F(ReturnSettlementTest, ARemarkOf255CharactersEndingInAnEmojiIsStoredWhole) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#"));
    frmControlBack& d = OpenDialog("李四");
    ASSERT_TRUE(ShowActive(&d));
    d.TxtRemark->setFocus();
    QTest::keyClicks(d.TxtRemark, QString(254, 'a'));
    const QString grin = QString::fromUtf8("😀");
    QTest::sendKeyEvent(QTest::Click, d.TxtRemark, Qt::Key_unknown, grin, Qt::NoModifier);
    QTest::keyClicks(d.TxtRemark, "bc");  // beyond the length: not taken
    EXPECT_EQ(d.TxtRemark->text(), QString(254, 'a') + grin);
    SettleAndPay(d);
    EXPECT_FALSE(frmControlBack::isLoaded());
    EXPECT_EQ(Query1("select length(remark) || ' ' || substr(remark, -1) from returninfo"),
              "255 " + grin);
    EXPECT_EQ(Count("select count(*) from returninfo where remark like '%?%'"), 0);
}

TEST_F(ReturnSettlementTest, ALongerRemarkPastedIsCutAtACharacter) {
    AddLine(Line(kHero, "0001", "李四", kTwoAndAHalfDaysAgo, "&1#"));
    frmControlBack& d = OpenDialog("李四");
    const QString rare = QString::fromUtf8("𠀀");
    d.TxtRemark->setText(QString(254, QChar(0x597D)) + rare + rare + "尾");  // as a paste
    EXPECT_EQ(d.TxtRemark->text(), QString(254, QChar(0x597D)) + rare);
    SettleAndPay(d);
    EXPECT_EQ(Query1("select length(remark) from returninfo"), "255");
    EXPECT_EQ(Query1("select substr(remark, -1) from returninfo"), rare);
}
