#include <QComboBox>
#include <QPushButton>

#include "catalogue/CataloguePage.h"
#include "catalogue/TitleUsage.h"
#include "counter/CounterPage.h"
#include "tests/catalogue/SettingsFixture.h"

namespace {
QStringList Items(const QComboBox* combo) {
    QStringList out;
    for (int i = 0; i < combo->count(); ++i) out << combo->itemText(i);
    return out;
}

const char* const kDeleteQuestion =
    "如果您已使用过这一类型，那么您必需先删除所有这一类型的这个光盘，删除吗？";
}  // namespace

using ClassificationListsTest = SettingsFixture;

TEST_F(ClassificationListsTest, ListsFillTheSixCombosAndTheCodesInTheirOrder) {
    Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
        "insert into movietype values (1, '动作'), (2, '喜剧'), (7, '爱情')");
    frmMain& main = LoadMainWindow();
    CataloguePage* c = main.Catalogue;
    EXPECT_EQ(Items(c->CboType), (QStringList{"DVD", "VCD"}));
    EXPECT_EQ(Items(c->CboManageType), (QStringList{"全部", "DVD", "VCD"}));
    EXPECT_EQ(Items(main.Counter->CboTypeFind), (QStringList{"全部", "DVD", "VCD"}));
    EXPECT_EQ(c->TypeIDs, (std::vector<int>{3, 5}));
    EXPECT_EQ(Items(c->CboMovieType), (QStringList{"动作", "喜剧", "爱情"}));
    EXPECT_EQ(Items(c->CboManageMovieType), (QStringList{"全部", "动作", "喜剧", "爱情"}));
    EXPECT_EQ(Items(main.Counter->CboMovietypeFind), (QStringList{"全部", "动作", "喜剧", "爱情"}));
    EXPECT_EQ(c->MovieTypeIDs, (std::vector<int>{1, 2, 7}));
    EXPECT_EQ(c->CboManageType->currentText(), "全部");
    EXPECT_EQ(main.Counter->CboMovietypeFind->currentText(), "全部");
    EXPECT_EQ(main.Settings->dgType->model()->rowCount(), 2);
    EXPECT_EQ(main.Settings->adoMovieType->AbsolutePosition(), 1);

    // Emptied lists leave no stale codes behind.
    Sql("delete from type");
    main.FillTypeLists();
    EXPECT_TRUE(c->TypeIDs.empty());
    EXPECT_EQ(Items(c->CboManageType), QStringList{"全部"});
}

TEST_F(ClassificationListsTest, ANewEntryTakesTheLowestFreeCodeAndIsSavedWhenTheRowChanges) {
    Sql("insert into movietype values (1, '动作'), (2, '喜剧'), (4, '爱情')");
    frmMain& main = ShowSettings();
    DataGrid* grid = main.Settings->dgMovieType;
    main.Settings->Command4->click();
    EXPECT_TRUE(Lists().IsAddMovieType());
    EXPECT_EQ(grid->model()->rowCount(), 4);
    TypeIntoCell(grid, 3, "科幻");
    EXPECT_FALSE(Lists().IsAddMovieType()) << "the name was typed";
    EXPECT_EQ(Count("select count(*) from movietype"), 3) << "saved only when the row changes";

    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(Query1("select type from movietype where typeid = 3"), "科幻");

    // The next one gets 5; the combos show the new entries the next time they are filled.
    main.Settings->Command4->click();
    TypeIntoCell(grid, 4, "O'Brien的片子");
    main.Settings->MaskEdBox2->setFocus();  // the grid loses the focus
    Settle();
    EXPECT_EQ(Query1("select type from movietype where typeid = 5"), "O'Brien的片子");
    main.Image3_Click(2);
    EXPECT_EQ(main.Catalogue->MovieTypeIDs, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Items(main.Catalogue->CboMovieType).last(), "O'Brien的片子");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(ClassificationListsTest, AnEntryWithoutANameIsNeverWritten) {
    Sql("insert into type values (1, 'DVD'), (2, 'VCD')");
    frmMain& main = ShowSettings();
    DataGrid* grid = main.Settings->dgType;

    // Added and left with the name empty: dropped.
    main.Settings->Command7->click();
    main.Settings->MaskEdBox2->setFocus();
    Settle();
    main.Settings->dgType->setFocus();
    Settle();
    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(Count("select count(*) from type"), 2);

    // Added, and the operator moved off it without naming it: dropped.
    main.Settings->Command7->click();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_FALSE(Lists().IsAddType());

    // A rename is written when the row changes.
    TypeIntoCell(grid, 0, "DVD-9");
    QTest::keyClick(grid, Qt::Key_Down);
    Settle();
    EXPECT_EQ(Query1("select group_concat(typeid || type, ',') from type"), "1DVD-9,2VCD");
    EXPECT_EQ(Count("select count(*) from type where type is null or type = ''"), 0);

    // A stored entry whose name is cleared keeps its name.
    TypeIntoCell(grid, 1, "");
    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(Query1("select type from type where typeid = 2"), "VCD");
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "VCD");

    // Adding twice in a row keeps only the named row; closing the program drops the rest.
    main.Settings->Command7->click();
    main.Settings->Command7->click();
    EXPECT_EQ(grid->model()->rowCount(), 3) << "the first empty row went when the second came";
    EXPECT_EQ(main.Settings->adoType->GetValue(0).ToInt(), 3);
    Lists().SavePendingEdits();
    EXPECT_EQ(Count("select count(*) from type"), 2);
}

TEST_F(ClassificationListsTest, CodesRunFromOneToNinetyNineAndAHundredthEntryIsRefused) {
    QString rows;
    for (int code = 1; code <= 99; ++code)
        rows += QString("%1(%2, 'F%2')").arg(code == 1 ? "" : ",").arg(code);
    Sql("insert into type values " + rows);
    frmMain& main = ShowSettings();
    main.Settings->Command7->click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "光盘格式最多只能有99种，不能再增加。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_FALSE(Lists().IsAddType());
    EXPECT_EQ(main.Settings->dgType->model()->rowCount(), 99);

    // A code given back is taken again.
    Sql("delete from type where typeid = 42");
    main.FillTypeLists();
    main.Settings->Command7->click();
    TypeIntoCell(main.Settings->dgType, 98, "HD-DVD");
    Lists().SavePendingEdits();
    EXPECT_EQ(Query1("select typeid from type where type = 'HD-DVD'"), "42");
}

TEST_F(ClassificationListsTest, DeletingAFormatDeletesItsTitlesWithTheirRentalHistory) {
    Sql("insert into type values (3, 'DVD'), (5, 'V''CD'), (6, 'LD');"
        "insert into movietype values (1, '动作')");
    AddTitle({"050100000001", "英雄", "V'CD", "动作"});
    AddTitle({"050100000002", "十面埋伏", "V'CD", "动作"});
    AddTitle({"030100000001", "卧虎藏龙", "DVD", "动作"});
    AddRental("050100000001", "0001", true);
    AddRental("030100000001", "0002", true);
    AddSale("050100000002", "0001");
    frmMain& main = ShowSettings();
    Recordset* list = main.Settings->adoType.get();
    list->SetAbsolutePosition(2);

    MsgBoxLog::Get().QueueAnswer(vbNo);
    Lists().Command8_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3) << "No changes nothing";

    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, kDeleteQuestion);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "删除");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].buttons, vbYesNo | vbQuestion);
    EXPECT_EQ(Query1("select group_concat(cdid) from cdinfo"), "030100000001");
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), "0301000000010002");
    EXPECT_EQ(Query1("select group_concat(returnid) from returninfo"), "03010000000100020002");
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1) << "sale rows stay";
    EXPECT_EQ(Query1("select group_concat(type) from type"), "DVD,LD");
    EXPECT_EQ(list->RecordCount(), 2);
    EXPECT_EQ((*list)["type"].ToString(), "LD") << "the row that followed is current";
    EXPECT_EQ(main.adoCDInfo()->RecordCount(), 1) << "the catalogue no longer shows them";

    // The last row deleted: the new last row is current.
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    EXPECT_EQ((*list)["type"].ToString(), "DVD");
}

// Names may repeat in the lists, in any case: the page deletes an entry by its stored name
// and code (which titles are an entry's own is ClassificationDeleteTest's).
TEST_F(ClassificationListsTest, DeletingADuplicateFormatDeletesOnlyItsOwnTitles) {
    Sql("insert into type values (3, 'DVD'); insert into movietype values (1, '动作')");
    AddTitle({"030100000001", "英雄", "DVD", "动作"});
    AddRental("030100000001", "0001", true);
    const auto history = [this] {
        return Query1(
            "select (select group_concat(cdid) from (select cdid from cdinfo order by 1)) || '/' "
            "|| (select group_concat(borrowid) from (select borrowid from borrowinfo order by 1)) "
            "|| '/' || (select group_concat(returnid) from returninfo)");
    };
    const QString original = history();
    frmMain& main = ShowSettings();
    Recordset* list = main.Settings->adoType.get();

    for (const QString duplicate : {"dvd", "DVD"}) {
        MsgBoxLog::Get().Reset();
        main.Settings->Command7->click();
        TypeIntoCell(main.Settings->dgType, 1, duplicate);
        Lists().SavePendingEdits();
        ASSERT_EQ(Query1("select typeid from type where typeid <> 3"), "1");
        list->SetAbsolutePosition(2);
        ASSERT_EQ((*list)["type"].ToString(), duplicate);

        MsgBoxLog::Get().QueueAnswer(vbYes);
        Lists().Command8_Click();
        EXPECT_EQ(MsgBoxLog::Get().Prompts(), std::vector<QString>{kDeleteQuestion});
        EXPECT_EQ(history(), original) << duplicate.toStdString();
        EXPECT_EQ(Query1("select group_concat(typeid || type) from type"), "3DVD");
    }
}

TEST_F(ClassificationListsTest, DeletingADuplicateMovieTypeDeletesOnlyItsOwnTitles) {
    Sql("insert into type values (3, 'DVD'); insert into movietype values (4, 'Action')");
    AddTitle({"030400000001", "英雄", "DVD", "Action"});
    AddRental("030400000001", "0001", true);
    frmMain& main = ShowSettings();
    Recordset* list = main.Settings->adoMovieType.get();

    main.Settings->Command4->click();
    TypeIntoCell(main.Settings->dgMovieType, 1, "action");
    Lists().SavePendingEdits();
    ASSERT_EQ(Query1("select typeid from movietype where type = 'action' collate binary"), "1");
    list->SetAbsolutePosition(2);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 1);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(Query1("select group_concat(typeid || type) from movietype"), "4Action");

    // The original still takes its titles with it.
    list->SetAbsolutePosition(1);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 0);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 0);
    EXPECT_EQ(Count("select count(*) from movietype"), 0);
}

TEST_F(ClassificationListsTest, AnEntryWithoutAStoredNameDeletesNoTitle) {
    Sql("insert into movietype values (1, '动作'), (2, '喜剧')");
    AddTitle({"000000000001", "没有类型的片子", "", ""});
    AddTitle({"000200000001", "喜剧片", "", "喜剧"});
    frmMain& main = ShowSettings();
    DataGrid* grid = main.Settings->dgMovieType;

    // A new row without a name.
    main.Settings->Command4->click();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(grid->model()->rowCount(), 2);

    // A new row named like a stored entry: only the row goes.
    main.Settings->Command4->click();
    TypeIntoCell(grid, 2, "喜剧");
    ASSERT_EQ(Count("select count(*) from movietype"), 2) << "not saved yet";
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(Count("select count(*) from movietype"), 2);

    // A stored entry whose name was cleared.
    TypeIntoCell(grid, 1, "");
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(Query1("select group_concat(type) from movietype"), "动作,喜剧");
    EXPECT_EQ(grid->model()->index(1, 0).data().toString(), "喜剧");
}

TEST_F(ClassificationListsTest, AnEntryWithCopiesOutOrInAnOpenBasketIsNotDeleted) {
    Sql("insert into type values (5, 'VCD')");
    AddTitle({"050100000001", "英雄", "VCD", "动作"});
    AddTitle({"050100000002", "十面埋伏", "VCD", "动作"});
    AddRental("050100000001", "0001", false);
    frmMain& main = ShowSettings();
    const QString refused =
        "“VCD”中有光盘尚未全部归还，或在未结帐的出租、出售中，不能删除这一光盘格式。";

    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, refused);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "提示");
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(Count("select count(*) from type"), 1);
    EXPECT_EQ(main.Settings->adoType->RecordCount(), 1);

    // Returned, but the other title is in the open sale basket.
    Sql("update borrowinfo set isreturnall = 1");
    AddSale("050100000002", "0003");
    gSellBasket.Open = true;
    gSellBasket.No = "0003";
    MsgBoxLog::Get().Reset();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    EXPECT_EQ(MsgBoxLog::Get().Prompts().back(), refused);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);

    // The basket settled: the entry goes.
    gSellBasket.Open = false;
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 0);
    EXPECT_EQ(Count("select count(*) from type"), 0);
}

TEST_F(ClassificationListsTest, AFailedDeletionLeavesEverythingAsItWas) {
    Sql("insert into type values (5, 'VCD');"
        "create trigger keep_titles before delete on cdinfo begin select raise(abort, '不许删除'); "
        "end");
    AddTitle({"050100000001", "英雄", "VCD", "动作"});
    AddRental("050100000001", "0001", true);
    frmMain& main = ShowSettings();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    main.Settings->Command8->click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[1].prompt.contains("不许删除"));
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(Count("select count(*) from type"), 1);
    EXPECT_EQ(main.Settings->adoType->RecordCount(), 1);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}

TEST_F(ClassificationListsTest, OpeningTheCataloguePageShowsItUnfilteredAsItsFiltersSay) {
    Sql("insert into type values (3, 'DVD'), (5, 'VCD')");
    AddTitle({"050100000001", "英雄", "VCD", "动作"});
    AddTitle({"030100000001", "卧虎藏龙", "DVD", "动作"});
    frmMain& main = LoadMainWindow();
    CataloguePage* c = main.Catalogue;
    c->CboManageType->setCurrentText("VCD");
    c->CboManageType_Click();
    ASSERT_EQ(main.adoCDInfo()->RecordCount(), 1);
    main.Image3_Click(2);
    EXPECT_EQ(c->CboManageType->currentText(), "全部");
    EXPECT_EQ(main.adoCDInfo()->RecordCount(), 2);
}

TEST_F(ClassificationListsTest, TitlesWithOpenLinesAreFoundByAnyCondition) {
    AddTitle({"050100000001", "英雄", "VCD", "动作"});
    AddTitle({"050100000002", "十面埋伏", "VCD", "动作"});
    AddTitle({"030100000001", "卧虎藏龙", "DVD", "动作"});
    AddRental("050100000001", "0001", true);
    // The yearly summary row is no rental, whatever its key.
    Sql("insert into borrowinfo (borrowid, name, isreturnall) values "
        "('0301000000010099', '汇总', 0)");
    EXPECT_EQ(TitleUsage::CountWithOpenLines(""), 0) << "returned lines and the summary row";

    AddRental("050100000002", "0002", false);
    EXPECT_EQ(TitleUsage::CountWithOpenLines(""), 1);
    EXPECT_TRUE(TitleUsage::HasOpenLines("type = ?1", {"VCD"}));
    EXPECT_FALSE(TitleUsage::HasOpenLines("type = ?1", {"DVD"}));
    EXPECT_TRUE(TitleUsage::TitleHasOpenLines("050100000002"));

    gBorrowBasket.Open = true;
    gBorrowBasket.No = "0001";  // a basket line already marked returned still counts
    EXPECT_TRUE(TitleUsage::TitleHasOpenLines("050100000001"));
    gBorrowBasket.Open = false;
    EXPECT_FALSE(TitleUsage::TitleHasOpenLines("050100000001"));

    AddSale("030100000001", "0007");
    EXPECT_FALSE(TitleUsage::TitleHasOpenLines("030100000001")) << "a settled sale";
    gSellBasket.Open = true;
    gSellBasket.No = "0007";
    EXPECT_TRUE(TitleUsage::TitleHasOpenLines("030100000001"));
    EXPECT_EQ(TitleUsage::CountWithOpenLines("cdid <> ?", {"050100000002"}), 1);

    // Composed into a statement of the caller's own.
    const int kept = static_cast<int>(
        gConn
            .Scalar("select count(*) from cdinfo where not " + TitleUsage::OpenLinesCondition(),
                    TitleUsage::OpenLinesParams())
            .ToInt());
    EXPECT_EQ(kept, 1);
}
