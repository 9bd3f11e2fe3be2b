#include <QRadioButton>
#include <functional>
#include <vector>

#include "tests/catalogue/SettingsFixture.h"

namespace {
const char* const kMemberRents = "select group_concat(memberborrowprice, '/') from cdinfo";
const char* const kMemberSales = "select group_concat(membersellprice, '/') from cdinfo";
const char* const kFactors = "select percentb || '/' || percents || '/' || tax from pricepercent";
const char* const kRule = "select foregifttype || '/' || money || '/' || membermoney from ForeGift";
}  // namespace

class SettingsPageTest : public SettingsFixture {
  protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        Sql("update pricepercent set percentb = 0.8, percents = 0.9, tax = 20;"
            "update ForeGift set foregifttype = 1, money = 5, membermoney = 3");
        AddTitle({"010100000001", "英雄", "DVD", "动作", 2, 25, 3, 30});
        AddTitle({"010100000002", "十面埋伏", "DVD", "动作", 1, 20, 5, 10});
        away = ShowSettings().Option3[1];  // a control whose focus writes nothing
    }

    // The operator's message boxes so far, as "title|prompt".
    static QStringList Boxes() {
        QStringList out;
        for (const MsgBoxCall& c : MsgBoxLog::Get().Calls()) out << c.title + "|" + c.prompt;
        return out;
    }

    // What the page shows: the percentages, the fee, the deposit rule and its amounts.
    QString Shown() {
        const SettingsPage& page = Page();
        return QStringList{
            page.MaskEdBox2->text(),     page.MaskEdBox3->text(),
            page.MaskEdBox4->text(),     QString::number(page.SelectedForeGiftType()),
            page.MskForeGiftSet->text(), page.MskMemberForeGiftSet->text()}
            .join("/");
    }

    QWidget* away = nullptr;
};

TEST_F(SettingsPageTest, APercentageIsWrittenWithEveryMemberPriceAndShownAsAPercentage) {
    SettingsPage& page = Page();
    ASSERT_NE(Host().adoCDInfo(), nullptr);  // read, as once the operator has seen it
    TypeAndLeave(page.MaskEdBox2, page.MaskEdBox2->Text(), away);  // unchanged 80%: written again
    EXPECT_EQ(Query1(kMemberRents), "2.4/4.0");
    EXPECT_EQ(Query1(kFactors), "0.8/0.9/20.0");

    TypeAndLeave(page.MaskEdBox2, "85.5", away);  // typed without "%": percent, two decimals
    EXPECT_EQ(Query1(kFactors), "0.86/0.9/20.0");
    EXPECT_EQ(Query1("select round(memberborrowprice, 4) from cdinfo where cdid = '010100000001'"),
              "2.58");
    EXPECT_EQ(page.MaskEdBox2->Text(), "86%");
    EXPECT_EQ(page.MaskEdBox2->text(), "86%") << "as the box shows it";

    TypeAndLeave(page.MaskEdBox3, "0.5", away);
    EXPECT_EQ(Query1(kMemberSales), "15.0/5.0");
    EXPECT_EQ(page.MaskEdBox3->Text(), "50%");
    TypeAndLeave(page.MaskEdBox3, " 75% ", away);
    EXPECT_EQ(Query1(kFactors), "0.86/0.75/20.0");
    TypeAndLeave(page.MaskEdBox3, "1", away);  // not above 1: a factor of 1
    EXPECT_EQ(Query1(kMemberSales), "30.0/10.0");

    // The lists that show member prices read them again.
    EXPECT_DOUBLE_EQ((*Host().adoCDInfo())["membersellprice"].ToDouble(), 30);
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(SettingsPageTest, WhatIsNoPercentageIsRefusedAndOnlyPercentAloneDoesNothing) {
    SettingsPage& page = Page();
    Sql("update cdinfo set memberborrowprice = 1.11");
    TypeAndLeave(page.MaskEdBox2, "%", away);
    EXPECT_EQ(Query1(kMemberRents), "1.11/1.11");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());

    for (const char* text : {"", "八十", "80%%", "-10", "1,2"}) {
        MsgBoxLog::Get().Reset();
        TypeAndLeave(page.MaskEdBox2, text, away);
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << text;
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
        EXPECT_TRUE(MsgBoxLog::Get().Calls()[0].prompt.endsWith("会员出租价格没有改变。")) << text;
        EXPECT_EQ(Query1(kMemberRents), "1.11/1.11") << text;
        EXPECT_EQ(Query1(kFactors), "0.8/0.9/20.0") << text;
        EXPECT_EQ(page.MaskEdBox2->Text(), "80%") << "the stored setting shows again";
    }
    EXPECT_EQ(
        Boxes().last(),
        "提示|“1,2”不是有效的百分比，请输入 0 以上的数，例如 80% 或 80。会员出租价格没有改变。");
}

TEST_F(SettingsPageTest, APercentageIsWrittenWholeOrNotAtAll) {
    Sql("create trigger no_factor before update on pricepercent "
        "begin select raise(abort, '设置表只读'); end");
    TypeAndLeave(Page().MaskEdBox2, "50%", away);
    EXPECT_EQ(Query1(kMemberRents), "3.0/5.0") << "the titles' prices are rolled back";
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[0].prompt.contains("（错误代码 1811）"))
        << MsgBoxLog::Get().Calls()[0].prompt.toStdString();
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}

TEST_F(SettingsPageTest, TheFeeIsReadAsAnAmount) {
    SettingsPage& page = Page();
    EXPECT_EQ(page.MaskEdBox4->text(), "￥20.00");
    TypeAndLeave(page.MaskEdBox4, "￥1,200.00", away);
    EXPECT_EQ(Query1("select tax from pricepercent"), "1200.0");
    TypeAndLeave(page.MaskEdBox4, "12.345", away);
    EXPECT_EQ(Query1("select tax from pricepercent"), "12.35");
    EXPECT_EQ(page.MaskEdBox4->text(), "￥12.35");
    TypeAndLeave(page.MaskEdBox4, "", away);
    EXPECT_EQ(Query1("select tax from pricepercent"), "12.35") << "an empty box writes nothing";
    EXPECT_EQ(page.MaskEdBox4->text(), "￥12.35") << "and shows the stored fee again";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());

    TypeAndLeave(page.MaskEdBox4, "二十元", away);
    EXPECT_EQ(Boxes(), QStringList{"提示|会费“二十元”不是正确的金额，请输入不小于 0 的金额，例如 "
                                   "12.50 或 ￥12.50。会费没有改变。"});
    EXPECT_EQ(Query1("select tax from pricepercent"), "12.35");
    EXPECT_EQ(page.MaskEdBox4->Text(), "￥12.35");
    EXPECT_EQ(Query1(kMemberRents), "3.0/5.0") << "the fee changes no price";
}

// A percent sign is read in the two percentage boxes only: the fee and the deposit amounts
// refuse it, and full-width digits are read everywhere as the digits they are.
TEST_F(SettingsPageTest, OnlyThePercentageBoxesReadAPercentSign) {
    SettingsPage& page = Page();
    TypeAndLeave(page.MaskEdBox4, "15%", away);
    EXPECT_EQ(Boxes(), QStringList{"提示|会费“15%”不是正确的金额，请输入不小于 0 的金额，例如 "
                                   "12.50 或 ￥12.50。会费没有改变。"});
    EXPECT_EQ(Query1("select tax from pricepercent"), "20.0");
    TypeAndLeave(page.MaskEdBox4, "１５", away);
    EXPECT_EQ(Query1("select tax from pricepercent"), "15.0");

    TypeAndLeave(page.MaskEdBox2, "７０％", away);
    EXPECT_EQ(Query1(kFactors), "0.7/0.9/15.0");
    EXPECT_EQ(page.MaskEdBox2->Text(), "70%");
}

TEST_F(SettingsPageTest, TheDepositRuleIsWrittenWithBothAmountsWhenAnOptionIsPicked) {
    SettingsPage& page = Page();
    page.Option3[2]->click();
    Settle();
    EXPECT_EQ(Query1(kRule), "2/5.0/3.0");
    EXPECT_EQ(page.Label73->Caption(), "零租用户固定收取");
    EXPECT_EQ(page.Label75->Caption(), "会员固定收取");
    EXPECT_EQ((*gRsForeGift)["foregifttype"].ToInt(), 2) << "the next check-out reads the new rule";

    page.Option3[0]->click();
    Settle();
    EXPECT_EQ(Query1(kRule), "0/5.0/3.0") << "the amounts stay, hidden";
    EXPECT_FALSE(page.MskForeGiftSet->isVisible());
    EXPECT_FALSE(page.Label75->isVisible());

    page.Option3[1]->click();
    Settle();
    EXPECT_EQ(Query1(kRule), "1/5.0/3.0");
    EXPECT_TRUE(page.MskMemberForeGiftSet->isVisible());
    EXPECT_EQ(page.Label73->Caption(), "零租用户每张光盘收取");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(SettingsPageTest, EachDepositAmountIsWrittenWhenItsBoxIsLeft) {
    SettingsPage& page = Page();
    page.Option3[2]->click();
    Settle();
    TypeAndLeave(page.MskForeGiftSet, "￥10.00", page.MaskEdBox4);
    EXPECT_EQ(Query1(kRule), "2/10.0/3.0");
    EXPECT_DOUBLE_EQ((*gRsForeGift)["money"].ToDouble(), 10);
    TypeAndLeave(page.MskMemberForeGiftSet, "1,000", away);
    EXPECT_EQ(Query1(kRule), "2/10.0/1000.0");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());

    // An empty box, or one that is no amount, is refused and shows the stored amount again.
    TypeAndLeave(page.MskForeGiftSet, "", away);
    TypeAndLeave(page.MskMemberForeGiftSet, "3元", away);
    EXPECT_EQ(Boxes(),
              (QStringList{"提示|零租用户的押金没有填写金额，请输入不小于 0 的金额，例如 12.50 "
                           "或 ￥12.50。零租用户的押金没有改变。",
                           "提示|会员的押金“3元”不是正确的金额，请输入不小于 0 的金额，例如 12.50 "
                           "或 ￥12.50。会员的押金没有改变。"}));
    EXPECT_EQ(Query1(kRule), "2/10.0/1000.0");
    EXPECT_EQ(page.MskForeGiftSet->Text(), "10");
    EXPECT_EQ(page.MskMemberForeGiftSet->Text(), "1000");
}

TEST_F(SettingsPageTest, AnOptionPickedWithAnAmountThatIsNoAmountKeepsTheStoredRule) {
    SettingsPage& page = Page();
    page.MskMemberForeGiftSet->SetText("abc");  // set without leaving the box
    page.Option3[2]->click();
    Settle();
    EXPECT_EQ(Boxes(), QStringList{"提示|押金设置“abc”不是正确的金额，请输入不小于 0 的金额，例如 "
                                   "12.50 或 ￥12.50。押金设置没有改变。"});
    EXPECT_EQ(Query1(kRule), "1/5.0/3.0");
    EXPECT_TRUE(page.Option3[1]->isChecked());
    EXPECT_FALSE(page.Option3[2]->isChecked());
    EXPECT_EQ(page.Label73->Caption(), "零租用户每张光盘收取");
    EXPECT_EQ(page.MskMemberForeGiftSet->Text(), "3");

    // The page is usable again at once.
    MsgBoxLog::Get().Reset();
    page.Option3[2]->click();
    Settle();
    EXPECT_EQ(Query1(kRule), "2/5.0/3.0");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(SettingsPageTest, AnAmountNeverSetShowsAsZero) {
    ClosePages();
    Sql("update ForeGift set money = null, membermoney = null");
    LoadPages();
    EXPECT_EQ(Page().MskForeGiftSet->Text(), "0");
    EXPECT_EQ(Page().MskMemberForeGiftSet->Text(), "0");
    EXPECT_EQ(Query1("select money is null from ForeGift"), "1") << "loading writes nothing";
}

TEST_F(SettingsPageTest, TabInTheLastBoxWritesItAndMovesOnWithinThePage) {
    SettingsPage& page = Page();
    MaskEdBox* last = page.MskMemberForeGiftSet;
    last->setFocus();
    Settle();
    last->selectAll();
    QTest::keyClicks(last, "7");
    QTest::keyClick(last, Qt::Key_Tab);
    Settle();
    EXPECT_EQ(Query1(kRule), "1/5.0/7.0");
    EXPECT_EQ(last->text(), "￥7.00");
    QWidget* next = QApplication::focusWidget();
    ASSERT_NE(next, last) << "the focus left the box";
    EXPECT_TRUE(page.isAncestorOf(next)) << "and stayed on the page";

    QTest::keyClick(next, Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), last) << "Shift+Tab comes back";
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(SettingsPageTest, AWriteTheDatabaseRefusesLeavesEveryBoxShowingTheStoredSettings) {
    SettingsPage& page = Page();
    ASSERT_EQ(Shown(), "80%/90%/￥20.00/1/￥5.00/￥3.00");
    Sql("update pricepercent set tax = 10; update ForeGift set money = 6");  // another program
    gConn.Execute("PRAGMA query_only = 1");
    const QString stored = "80%/90%/￥10.00/1/￥6.00/￥3.00";

    const std::vector<std::pair<const char*, std::function<void()>>> writes{
        {"rent percentage", [&] { TypeAndLeave(page.MaskEdBox2, "50%", away); }},
        {"sale percentage", [&] { TypeAndLeave(page.MaskEdBox3, "50%", away); }},
        {"fee", [&] { TypeAndLeave(page.MaskEdBox4, "20", away); }},
        {"walk-in deposit", [&] { TypeAndLeave(page.MskForeGiftSet, "8", away); }},
        {"member deposit", [&] { TypeAndLeave(page.MskMemberForeGiftSet, "9", away); }},
        {"deposit rule",
         [&] {
             page.Option3[2]->click();
             Settle();
         }},
    };
    for (const auto& [what, write] : writes) {
        MsgBoxLog::Get().Reset();
        write();
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << what;
        EXPECT_TRUE(MsgBoxLog::Get().Calls()[0].prompt.contains("数据库文件“" + DbPath() +
                                                                "”是只读的，不能写入。"))
            << what;
        EXPECT_EQ(Shown(), stored) << what;
        EXPECT_EQ(Query1(kFactors), "0.8/0.9/10.0") << what;
        EXPECT_EQ(Query1(kRule), "1/6.0/3.0") << what;
        EXPECT_EQ(Query1(kMemberRents), "3.0/5.0") << what;
    }
    EXPECT_EQ(page.Label73->Caption(), "零租用户每张光盘收取") << "the stored rule's captions";
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}
