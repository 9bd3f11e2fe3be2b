#include <QCheckBox>
#include <QRadioButton>

#include "platform/app/Clock.h"
#include "platform/text/VbText.h"
#include "tests/catalogue/CatalogueFixture.h"

namespace {
class CataloguePageTest : public CatalogueFixture {
  protected:
    // Four titles: two DVD (one 动作, one 科幻), one VCD 动作, and one wholly sold.
    void AddFourTitles() {
        AddTitle("030100000001", "A1", "英雄", "DVD", "动作");
        AddTitle("031200000001", "A2", "星球大战", "DVD", "科幻");
        AddTitle("050100000001", "A3", "无间道", "VCD", "动作");
        AddTitle("050100000002", "A4", "卖完了", "VCD", "动作");
        Sql("update cdinfo set issell = 2 where cdid = '050100000002'");
    }
    QString Column(int column) { return Page().dgCDInfo->Columns(column).Text(); }
};
}  // namespace

TEST_F(CataloguePageTest, TheFiltersNarrowTheListAndTheCountFollows) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    EXPECT_EQ(Catalogue().RecordCount(), 3) << "a wholly sold title is not listed";
    EXPECT_EQ(page.LblCDManageCount->Caption(), "3");

    page.CboManageMovieType->setCurrentText("动作");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "2");
    page.CboManageType->setCurrentText("VCD");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "1");
    EXPECT_EQ(Catalogue()["name"].ToString(), "无间道");
    EXPECT_EQ(page.TxtName->text(), "无间道") << "the entry shows the first title of the list";

    page.CboManageMovieType->setCurrentText("全部");
    page.CboManageType->setCurrentText("全部");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "3");
    EXPECT_EQ(page.dgCDInfo->model()->rowCount(), 3);
}

TEST_F(CataloguePageTest, AFilterNameWithAQuoteIsMatchedAsTyped) {
    Sql("insert into movietype values (20, 'Rock''n''Roll')");
    AddTitle("032000000001", "Q1", "摇滚", "DVD", "Rock'n'Roll");
    AddTitle("030100000001", "A1", "英雄");
    CataloguePage& page = ShowCatalogue();
    page.CboManageMovieType->setCurrentText("Rock'n'Roll");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "1");
    EXPECT_EQ(page.TxtName->text(), "摇滚");
}

TEST_F(CataloguePageTest, TheEntryFieldsShowTheCurrentTitle) {
    AddFourTitles();
    Sql("update cdinfo set borrowpricetype = '每次', borrowprice = 12.5 where cdid = "
        "'031200000001'");
    CataloguePage& page = ShowCatalogue();
    Catalogue().SetAbsolutePosition(2);
    EXPECT_EQ(page.TxtName->text(), "星球大战");
    EXPECT_EQ(page.TxtID->text(), "031200000001");
    EXPECT_EQ(page.MebBorrowPrice->Text(), "12.5");
    EXPECT_EQ(page.MebSellPrice->Text(), "30");
    EXPECT_EQ(page.MebCount->Text(), "2");
    EXPECT_EQ(page.MebDate->Text(), "2004-03-07");
    EXPECT_EQ(page.CboType->currentText(), "DVD");
    EXPECT_EQ(page.CboMovieType->currentText(), "科幻");
    EXPECT_TRUE(page.Option2->isChecked());
    EXPECT_FALSE(page.Option1->isChecked());
    EXPECT_EQ(page.OldType, "DVD");
    EXPECT_EQ(page.OldMovieType, "科幻");
    EXPECT_FALSE(page.HasPendingEdit()) << "showing a title edits nothing";
}

TEST_F(CataloguePageTest, ATitleWithNullsShowsWhatItCan) {
    Sql("insert into cdinfo (cdid, id, name) values ('000000000001', 'N1', '空')");
    CataloguePage& page = ShowCatalogue();
    EXPECT_EQ(page.TxtName->text(), "空");
    EXPECT_EQ(page.MebBorrowPrice->Text(), "");
    EXPECT_EQ(page.MebDate->Text(), "");
    EXPECT_EQ(page.CboType->currentIndex(), -1);
    EXPECT_FALSE(page.Option1->isChecked() || page.Option2->isChecked());
    EXPECT_EQ(page.OldType, "");
}

TEST_F(CataloguePageTest, PriceInputsAreRoundedAndWrittenIntoTheirColumn) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    page.MebBorrowPrice->setFocus();
    Settle();
    page.MebBorrowPrice->SetText("3.456");
    Leave(page.MebBorrowPrice, page.TxtRemark);
    EXPECT_EQ(page.MebBorrowPrice->Text(), "3.46");
    EXPECT_DOUBLE_EQ(Catalogue()["borrowprice"].ToDouble(), 3.46);
    EXPECT_EQ(Column(CataloguePage::kColBorrowPrice), "￥3.46");

    page.MebPrice->setFocus();
    Settle();
    page.MebPrice->SetText("￥1,200.00");
    Leave(page.MebPrice, page.TxtRemark);
    EXPECT_EQ(page.MebPrice->Text(), "1200");
    EXPECT_DOUBLE_EQ(Catalogue()["price"].ToDouble(), 1200);

    page.MebSellPrice->setFocus();
    Settle();
    page.MebSellPrice->SetText("");
    Leave(page.MebSellPrice, page.TxtRemark);
    EXPECT_EQ(page.MebSellPrice->Text(), "0");
    EXPECT_EQ(Catalogue()["sellprice"].ToDouble(), 0);
    EXPECT_TRUE(Prompts().empty());
}

TEST_F(CataloguePageTest, ATextThatIsNoAmountIsRefusedAndNothingIsWritten) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    for (const QString typed : {"abc", "12元", "-5"}) {
        ForgetPrompts();
        page.MebMemberBorrowPrice->setFocus();
        Settle();
        page.MebMemberBorrowPrice->SetText(typed);
        Leave(page.MebMemberBorrowPrice, page.TxtRemark);
        ASSERT_EQ(Prompts().size(), 1u) << typed.toStdString();
        EXPECT_TRUE(Prompts()[0].startsWith("会员出租价格“" + typed + "”不是正确的金额"));
        EXPECT_EQ(page.MebMemberBorrowPrice->Text(), "3") << "the stored price shows again";
        EXPECT_DOUBLE_EQ(Catalogue()["memberborrowprice"].ToDouble(), 3);
    }
    EXPECT_FALSE(page.HasPendingEdit());
}

TEST_F(CataloguePageTest, CopiesDateAndRentTypeGoIntoTheRow) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    page.MebCount->setFocus();
    Settle();
    page.MebCount->SetText("5");
    Leave(page.MebCount, page.TxtRemark);
    EXPECT_EQ(page.MebCount->Text(), "5");
    EXPECT_EQ(page.TxtCount->text(), "5");
    EXPECT_EQ(Catalogue()["count"].ToInt(), 5);
    EXPECT_EQ(Catalogue()["restcount"].ToInt(), 5);

    page.MebDate->setFocus();
    Settle();
    page.MebDate->SetText("2005-01-02");
    Leave(page.MebDate, page.TxtRemark);
    EXPECT_EQ(Catalogue()["buydate"].ToString(), "2005-01-02");

    page.Option2->click();
    EXPECT_EQ(Catalogue()["borrowpricetype"].ToString(), "每次");
    page.Option1->click();
    EXPECT_EQ(Catalogue()["borrowpricetype"].ToString(), "每天");

    page.CboType->setFocus();
    Settle();
    page.CboType->setCurrentText("VCD");
    Leave(page.CboType, page.TxtRemark);
    EXPECT_EQ(Catalogue()["type"].ToString(), "VCD");
}

TEST_F(CataloguePageTest, TheDiscNumberIsKeptUpperCaseAndJoinsTheKey) {
    AddFourTitles();
    Sql("update cdinfo set [key] = ' yx' where cdid = '030100000001'");
    CataloguePage& page = ShowCatalogue();
    Clear(page.Text1);
    Type(page.Text1, "ab12");
    EXPECT_EQ(page.Text1->text(), "AB12");
    EXPECT_EQ(page.Text1->cursorPosition(), 4);
    Leave(page.Text1, page.TxtRemark);
    EXPECT_EQ(page.TxtKey->text(), " yxab12");
    EXPECT_EQ(Catalogue()["key"].ToString(), " yxab12");
    EXPECT_EQ(Catalogue()["id"].ToString(), "AB12");

    Leave(page.Text1, page.TxtRemark);
    EXPECT_EQ(page.TxtKey->text(), " yxab12") << "the key holds the number already";
}

TEST_F(CataloguePageTest, ANewTitlesKeyTakesTheInitialsOfNameAndActors) {
    CataloguePage& page = ShowCatalogue();
    page.Command1->click();
    Settle();
    Type(page.TxtName, "星球大战");
    Leave(page.TxtName, page.TxtRemark);
    EXPECT_EQ(page.TxtKey->text(), " xqdz");
    Type(page.TxtActor, "张三");
    Leave(page.TxtActor, page.TxtRemark);
    EXPECT_EQ(page.TxtKey->text(), " xqdz zs");
    Leave(page.TxtName, page.TxtRemark);
    EXPECT_EQ(page.TxtKey->text(), " xqdz zs") << "an unchanged name adds nothing";
    EXPECT_EQ(Catalogue()["key"].ToString(), " xqdz zs");
}

TEST_F(CataloguePageTest, NewDiscTakesTheShownTitlesDefaultsAndToday) {
    AddTitle("031200000001", "A1", "英雄", "DVD", "科幻");
    Sql("update cdinfo set borrowprice = 5");
    CataloguePage& page = ShowCatalogue();
    page.Command1->click();
    Settle();
    EXPECT_TRUE(page.IsNewCD);
    EXPECT_EQ(Catalogue().EditMode(), adEditAdd);
    EXPECT_EQ(Catalogue().AbsolutePosition(), 2);
    EXPECT_EQ(page.TxtName->text(), "");
    EXPECT_EQ(page.TxtKey->text(), "");
    EXPECT_EQ(Column(CataloguePage::kColBorrowPrice), "￥5.00");
    EXPECT_EQ(Column(CataloguePage::kColSellPrice), "￥30.00");
    EXPECT_EQ(Column(CataloguePage::kColRestCount), "2");
    EXPECT_EQ(Column(CataloguePage::kColBuyDate), Format(Today(), "yyyy-mm-dd"));
    EXPECT_EQ(Column(CataloguePage::kColType), "DVD");
    EXPECT_EQ(Column(CataloguePage::kColMovieType), "科幻");
    EXPECT_FALSE(page.Option1->isChecked() || page.Option2->isChecked());
    EXPECT_FALSE(page.Check1->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), page.Text1);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1) << "nothing is written yet";
}

TEST_F(CataloguePageTest, NewDiscDoesNothingOnAnotherPage) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    ShowSettingsPage();
    page.Command1_Click();
    EXPECT_FALSE(page.IsNewCD);
    EXPECT_EQ(Catalogue().RecordCount(), 3);
}

// The pointer over the grid saves only a title with unsaved edits, and a refused save
// reports once per attempt, not at every movement.
TEST_F(CataloguePageTest, ThePointersSaveRunsOnceForEachEditAndNeverForAnUntouchedNewTitle) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    MovePointerOverGrid();
    EXPECT_TRUE(Prompts().empty()) << "nothing to save";

    page.Command1->click();
    Settle();
    MovePointerOverGrid();
    MovePointerOverGrid();
    EXPECT_TRUE(Prompts().empty()) << "an untouched new title waits";
    EXPECT_TRUE(page.IsNewCD);

    Type(page.TxtName, "新片");
    EXPECT_FALSE(page.IsNewCD);
    MovePointerOverGrid();
    MovePointerOverGrid();
    MovePointerOverGrid();
    EXPECT_EQ(Prompts(), std::vector<QString>{"光盘编号不能为空！"});
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].buttons, vbOKOnly + vbCritical);

    Type(page.Text1, "x9");
    MovePointerOverGrid();
    EXPECT_EQ(Prompts().size(), 1u);
    EXPECT_EQ(Query1("select name || '/' || id || '/' || cdid from cdinfo where id = 'X9'"),
              "新片/X9/030100000002");
    EXPECT_FALSE(page.HasPendingEdit());
}

TEST_F(CataloguePageTest, AFilterChangeSavesTheEditFirstAndARefusalKeepsTheList) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    Clear(page.TxtName);
    page.CboManageType->setCurrentText("VCD");
    EXPECT_EQ(Prompts(), std::vector<QString>{"影片名称不能为空！"});
    EXPECT_EQ(page.CboManageType->currentText(), "全部")
        << "the filter shows the list it stands on";
    EXPECT_EQ(page.LblCDManageCount->Caption(), "3");
    EXPECT_EQ(Query1("select name from cdinfo where cdid = '030100000001'"), "英雄");

    Type(page.TxtName, "英雄本色");
    page.CboManageType->setCurrentText("VCD");
    EXPECT_EQ(page.LblCDManageCount->Caption(), "1");
    EXPECT_EQ(Query1("select name from cdinfo where cdid = '030100000001'"), "英雄本色");
}

TEST_F(CataloguePageTest, ClickingAnotherRowWithARefusedEditStaysOnTheRow) {
    AddFourTitles();
    CataloguePage& page = ShowCatalogue();
    Clear(page.Text1);
    DataGrid* grid = page.dgCDInfo;
    const QRect third = grid->visualRect(grid->model()->index(2, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    Settle();
    EXPECT_EQ(Prompts(), std::vector<QString>{"光盘编号不能为空！"});
    EXPECT_EQ(Catalogue().AbsolutePosition(), 1);
    EXPECT_EQ(Query1("select id from cdinfo where cdid = '030100000001'"), "A1");

    Type(page.Text1, "B7");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, third.center());
    Settle();
    EXPECT_EQ(Catalogue().AbsolutePosition(), 3);
    EXPECT_EQ(Query1("select id from cdinfo where cdid = '030100000001'"), "B7");
}
