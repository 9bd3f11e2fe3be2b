#include "tests/counter/CounterFixture.h"

namespace {
using DetailPanelTest = CounterFixture;

void AddReturn(ShopData data, const QString& borrowid, const QString& no, int count,
               const QString& lst) {
    data.Add(ShopData::Return(borrowid, no).Set("returncount", count).Set("returnlst", lst));
}
}  // namespace

TEST_F(DetailPanelTest, ShowsTheCurrentTitleWithItsPricesDatesAndState) {
    Add(Title("030100000001", "A1", "英雄")
            .Born("中国")
            .Location("A架")
            .BoughtOn("2026-03-05")
            .Set("actor", "李连杰")
            .Set("Content", "刺客的故事")
            .Set("borrowprice", 1234.5)
            .Set("memberborrowprice", 2.4)
            .Set("sellprice", 30)
            .Set("membersellprice", 27)
            .Set("count", 3)
            .Set("restcount", 3)
            .Set("station", "借出部分"));
    Add(ShopData::Rental("030100000001", "0001").Set("borrowcount", 1).Set("borrowlst", "&2#"));
    Add(ShopData::Rental("030100000001", "0002").Returned());
    CounterPage& page = Open();
    EXPECT_EQ(page.LblName->Caption(), "英雄");
    EXPECT_EQ(page.LblActor->Caption(), "李连杰");
    EXPECT_EQ(page.LblMovieType->Caption(), "动作");
    EXPECT_EQ(page.LblType->Caption(), "DVD");
    EXPECT_EQ(page.LblBorn->Caption(), "中国");
    EXPECT_EQ(page.LblLocation->Caption(), "A架");
    EXPECT_EQ(page.LblBorrowPrice->Caption(), "￥1,234.50");
    EXPECT_EQ(page.LblBorrowMemberPrice->Caption(), "￥2.40");
    EXPECT_EQ(page.LblSellPrice->Caption(), "￥30.00");
    EXPECT_EQ(page.LblSellMemberPrice->Caption(), "￥27.00");
    EXPECT_EQ(page.LblBuyDate->Caption(), "2026年3月5日");
    EXPECT_EQ(page.LblCount->Caption(), "3");
    EXPECT_EQ(page.LblOutCount->Caption(), "2") << "every rental line, whatever its state";
    EXPECT_EQ(page.LblOutDate->Caption(), "2026年12月1日");
    EXPECT_EQ(page.LblIsAbandon->Caption(), "盘很好呀！");
    EXPECT_EQ(page.LblStation->Caption(), "借出部分");
    EXPECT_EQ(page.TxtDispContent->toPlainText(), "刺客的故事");
    EXPECT_EQ(ShelfList(), (QStringList{"第1张盘", "第3张盘"}));
    EXPECT_FALSE(page.ListView1->ListItems()(1)->Checked());
}

// After a refill the copies shown are restcount, after a row move count.
TEST_F(DetailPanelTest, CopiesShownAreRestCountAfterARefillAndCountAfterAMove) {
    Add(Title("030100000001", "A1", "甲").Set("count", 4).Set("restcount", 9));
    Add(Title("030100000002", "A2", "乙").Set("count", 5).Set("restcount", 8));
    CounterPage& page = Open();
    EXPECT_EQ(page.LblCount->Caption(), "9");
    page.adoDispCDInfo->MoveNext();
    EXPECT_EQ(page.LblCount->Caption(), "5");
    EXPECT_EQ(page.LblName->Caption(), "乙");
    page.adoDispCDInfo->MovePrevious();
    EXPECT_EQ(page.LblCount->Caption(), "4");
    EXPECT_EQ(ShelfList().size(), 4);
}

// The operator moves down the grid with the keyboard: the panel follows.
TEST_F(DetailPanelTest, TheOperatorsRowMoveRefreshesThePanel) {
    Add(Title("030100000001", "A1", "甲"));
    Add(Title("030100000002", "A2", "乙").Copies(3));
    CounterPage& page = Open();
    page.dgDispCDInfo->setFocus();
    QTest::keyClick(page.dgDispCDInfo, Qt::Key_Down);
    Settle();
    EXPECT_EQ(page.LblName->Caption(), "乙");
    EXPECT_EQ(ShelfList(), (QStringList{"第1张盘", "第2张盘", "第3张盘"}));
}

// A title with 4 copies, copies 1 and 2 out on a rental of which copy 1 came back, and
// copy 4 sold: copies 1 and 3 are on the shelf. Copies out on a second line with nothing
// returned stay off too, and the date is the partly returned line's.
TEST_F(DetailPanelTest, CopiesOutOnTwoLinesOnePartlyReturnedAreBothOff) {
    Add(Title("030100000001", "A1", "甲").Copies(6).Sold(1).Set("station", "借出部分"));
    Add(ShopData::Rental("030100000001", "0001")
            .On("2026-11-20 09:00:00")
            .Set("borrowcount", 1)
            .Set("borrowlst", "&5#"));
    Add(ShopData::Rental("030100000001", "0002")
            .On("2026-11-25 09:00:00")
            .Set("borrowcount", 2)
            .Set("borrowlst", "&1#&2#"));
    AddReturn(Data(), "0301000000010002", "0001", 1, "&1#");
    Add(ShopData::Sale("030100000001", "0001").Copies("&4#"));
    CounterPage& page = Open();
    EXPECT_EQ(ShelfList(), (QStringList{"第1张盘", "第3张盘", "第6张盘"}));
    EXPECT_EQ(page.LblOutDate->Caption(), "2026年11月25日");
    EXPECT_EQ(page.LblStation->Caption(), "借出部分");
}

// A title marked lent with no line out shows as not lent: the buttons stay enabled.
TEST_F(DetailPanelTest, MarkedLentWithNothingOutShowsNotLent) {
    Add(Title("030100000001", "A1", "甲").Set("station", "借出部分"));
    Add(ShopData::Rental("030100000001", "0001").Returned());
    CounterPage& page = Open();
    EXPECT_EQ(page.LblStation->Caption(), "未借出");
    EXPECT_EQ(page.LblOutDate->Caption(), "");
    EXPECT_TRUE(page.CmdBorrow->isEnabled());
    EXPECT_EQ(ShelfList().size(), 2);
}

// Every copy out: both buttons disabled whatever the mode, enabled again on the next
// title; the same caption on the next title keeps them disabled.
TEST_F(DetailPanelTest, AllOutDisablesBothButtons) {
    Add(Title("030100000001", "A1", "甲").Copies(1).Set("station", "全部借出"));
    Add(Title("030100000002", "A2", "乙").Copies(1).Set("station", "全部借出"));
    Add(Title("030100000003", "A3", "丙"));
    Add(ShopData::Rental("030100000001", "0001"));
    Add(ShopData::Rental("030100000002", "0001"));
    CounterPage& page = Open(kSaleButton);
    EXPECT_FALSE(page.CmdBorrow->isEnabled());
    EXPECT_FALSE(page.Command15->isEnabled());
    EXPECT_EQ(ShelfList().size(), 0);
    page.adoDispCDInfo->MoveNext();
    EXPECT_FALSE(page.Command15->isEnabled());
    page.adoDispCDInfo->MoveNext();
    EXPECT_TRUE(page.CmdBorrow->isEnabled());
    EXPECT_TRUE(page.Command15->isEnabled());
}

// Null fields of a title: an empty date, no copy listed, prices "￥0.00", empty texts.
TEST_F(DetailPanelTest, NullFieldsOfATitleShowEmptyOrZero) {
    Sql("insert into cdinfo (cdid, name, isabandon, issell) "
        "values ('030100000001', '甲', 0, 0)");
    CounterPage& page = Open();
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(page.LblName->Caption(), "甲");
    EXPECT_EQ(page.LblBuyDate->Caption(), "");
    EXPECT_EQ(page.LblCount->Caption(), "");
    EXPECT_EQ(page.LblBorrowPrice->Caption(), "￥0.00");
    EXPECT_EQ(page.LblSellMemberPrice->Caption(), "￥0.00");
    EXPECT_EQ(page.LblActor->Caption(), "");
    EXPECT_EQ(page.LblStation->Caption(), "未借出") << "no rental line is out";
    EXPECT_EQ(page.LblOutDate->Caption(), "");
    EXPECT_EQ(page.LblOutCount->Caption(), "0");
    EXPECT_EQ(page.ListView1->ListItems().Count(), 0);
    page.adoDispCDInfo->MoveFirst();
    EXPECT_EQ(page.ListView1->ListItems().Count(), 0);
}

// The catalogue changed titles: the list is read again with its count, and the panel shows
// the title as it now is.
TEST_F(DetailPanelTest, ChangedTitlesAreReadAgain) {
    Add(Title("030100000001", "A1", "甲"));
    CounterPage& page = Open();
    Sql("update cdinfo set name = '甲乙', count = 3, restcount = 3");
    Add(Title("030100000002", "A2", "乙"));
    ShopEvents::AnnounceTitlesChanged();
    Settle();
    EXPECT_EQ(page.LblCDCount->Caption(), "2");
    EXPECT_EQ(page.LblName->Caption(), "甲乙");
    EXPECT_EQ(ShelfList().size(), 3);
}
