#include "catalogue/SettingsPage.h"
#include "platform/ui/Controls.h"
#include "tests/catalogue/CataloguePagesTest.h"

#include <QRadioButton>

using SettingsLoadTest = CataloguePagesTest;

TEST_F(SettingsLoadTest, StoredSettingsShowWhenTheWindowLoads) {
    Sql("update pricepercent set percentb = 0.8, percents = 0.75, tax = 1200;"
        "update ForeGift set foregifttype = 1, money = 5, membermoney = 3");
    LoadPages();
    SettingsPage* page = &SettingsTab();
    EXPECT_EQ(page->MaskEdBox2->Text(), "80%");
    EXPECT_EQ(page->MaskEdBox3->Text(), "75%");
    EXPECT_EQ(page->MaskEdBox4->Text(), "￥1,200.00");
    EXPECT_TRUE(page->Option3[1]->isChecked());
    EXPECT_EQ(page->Label73->Caption(), "零租用户每张光盘收取");
    EXPECT_EQ(page->Label75->Caption(), "会员每张光盘收取");
    EXPECT_EQ(page->MskForeGiftSet->Text(), "5");
    EXPECT_EQ(page->MskMemberForeGiftSet->Text(), "3");
    EXPECT_TRUE(gForeGiftLoaded);
    // Loading writes nothing.
    EXPECT_EQ(Query1("select foregifttype||'/'||money||'/'||membermoney from ForeGift"),
              "1/5.0/3.0");
}

TEST_F(SettingsLoadTest, DepositRuleZeroHidesTheAmounts) {
    Sql("update ForeGift set foregifttype = 0");
    LoadPages().Show();
    Settle();
    ShowSettingsPage();
    EXPECT_FALSE(SettingsTab().MskForeGiftSet->isVisible());
    EXPECT_FALSE(SettingsTab().Label75->isVisible());
}
