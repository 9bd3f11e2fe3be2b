#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "catalogue/CataloguePage.h"
#include "counter/CounterPage.h"
#include "tests/shell/MainWindowTest.h"

// The catalogue with the other pages of the main window: the counter following its
// classification lists, and closing the program whatever page shows.
namespace {
QStringList Items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

class CatalogueInTheFrameTest : public MainWindowTest {
  protected:
    void SetUp() override {
        MainWindowTest::SetUp();
        Data().AddDiscClassifications();
    }

    // A title as the catalogue's tests give one: 2 copies, rent 3 a day, sale price 30.
    void AddTitle(const QString& cdid, const QString& id, const QString& name) {
        Data().Add(ShopData::Title(cdid, name)
                       .Id(id)
                       .Type("DVD")
                       .MovieType("动作")
                       .Key(id.toLower())
                       .Prices(20, 3, 30)
                       .BoughtOn("2004-03-07")
                       .RentPer("每天")
                       .Sold(0)
                       .Bad(false));
    }

    // The window as start-up leaves it, shown and active on the catalogue page.
    frmMain& ShowCatalogue() {
        frmMain& main = LoadMainWindow();
        main.EnableCatalogueEntry();
        EXPECT_TRUE(ShowActive(&main));
        main.Image3_Click(2);
        Settle();
        return main;
    }
};
}  // namespace

TEST_F(CatalogueInTheFrameTest, TheCounterFiltersFollowTheClassificationLists) {
    Sql("delete from movietype; insert into movietype values (1, '动作'), (2, '喜剧'), (7, "
        "'爱情')");
    frmMain& main = LoadMainWindow();
    EXPECT_EQ(Items(main.Counter->CboTypeFind), (QStringList{"全部", "DVD", "VCD"}));
    EXPECT_EQ(Items(main.Counter->CboMovietypeFind), (QStringList{"全部", "动作", "喜剧", "爱情"}));
    EXPECT_EQ(main.Counter->CboMovietypeFind->currentText(), "全部");

    Sql("delete from type");
    main.FillTypeLists();
    EXPECT_EQ(Items(main.Counter->CboTypeFind), QStringList{"全部"});
}

TEST_F(CatalogueInTheFrameTest, ClosingSavesAPendingEditWhateverPageShows) {
    AddTitle("030100000001", "A1", "英雄");
    frmMain& main = ShowCatalogue();
    Type(main.Catalogue()->TxtName, "本色");
    main.Image3_Click(5);
    Settle();
    EXPECT_TRUE(frmMain::unload());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Query1("select name from cdinfo"), "英雄本色");
}

TEST_F(CatalogueInTheFrameTest, ClosingWithARefusedSaveLetsTheOperatorStay) {
    AddTitle("030100000001", "A1", "英雄");
    frmMain& main = ShowCatalogue();
    Clear(main.Catalogue()->TxtName);
    main.Image3_Click(0);
    Settle();
    MsgBoxLog::Get().QueueAnswer(vbOK);
    MsgBoxLog::Get().QueueAnswer(vbNo);
    EXPECT_FALSE(frmMain::unload());
    EXPECT_EQ(Prompts(), (std::vector<QString>{
                             "影片名称不能为空！",
                             "当前光盘的修改没有保存，仍然要退出吗？（退出后这些修改将会丢失）"}));
    EXPECT_TRUE(frmMain::isLoaded());
    EXPECT_TRUE(gConn.IsOpen());

    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbOK);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select name from cdinfo"), "英雄");
}

TEST_F(CatalogueInTheFrameTest, ClosingDropsANewTitleWithoutADiscNumberAndSavesAFilledOne) {
    frmMain& main = ShowCatalogue();
    main.Catalogue()->Command1->click();
    Settle();
    Type(main.Catalogue()->TxtName, "半截");
    EXPECT_TRUE(frmMain::unload());
    EXPECT_TRUE(Prompts().empty());
    EXPECT_EQ(Count("select count(*) from cdinfo"), 0);

    // The program started again.
    Settle();
    gExiting = false;
    gConn.OpenFile(DbPath());
    frmMain& again = ShowCatalogue();
    again.Catalogue()->Command1->click();
    Settle();
    Type(again.Catalogue()->TxtName, "整片");
    Type(again.Catalogue()->Text1, "Z1");
    again.Image3_Click(4);
    EXPECT_TRUE(frmMain::unload());
    EXPECT_EQ(Query1("select cdid || '/' || name from cdinfo"), "000000000001/整片");
}
