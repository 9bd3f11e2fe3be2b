#include <QComboBox>
#include <QPushButton>
#include <QSignalSpy>

#include "catalogue/CataloguePage.h"
#include "catalogue/TitleUsage.h"
#include "core/ShopEvents.h"
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

// The counter's filters follow the announced names (the shell's tests show them there).
TEST_F(ClassificationListsTest, ListsFillTheFourCombosAndAnnounceTheNamesInTheirOrder) {
    Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
        "insert into movietype values (1, '动作'), (2, '喜剧'), (7, '爱情')");
    QSignalSpy read(&ShopEvents::Get(), &ShopEvents::ClassificationRead);
    LoadPages();
    CataloguePage* c = &CatalogueTab();
    EXPECT_EQ(Items(c->CboType), (QStringList{"DVD", "VCD"}));
    EXPECT_EQ(Items(c->CboManageType), (QStringList{"全部", "DVD", "VCD"}));
    EXPECT_EQ(c->TypeIDs, (std::vector<int>{3, 5}));
    EXPECT_EQ(Items(c->CboMovieType), (QStringList{"动作", "喜剧", "爱情"}));
    EXPECT_EQ(Items(c->CboManageMovieType), (QStringList{"全部", "动作", "喜剧", "爱情"}));
    EXPECT_EQ(c->MovieTypeIDs, (std::vector<int>{1, 2, 7}));
    EXPECT_EQ(c->CboManageType->currentText(), "全部");
    EXPECT_EQ(Page().dgType->model()->rowCount(), 2);
    EXPECT_EQ(Page().adoMovieType->AbsolutePosition(), 1);
    ASSERT_EQ(read.count(), 2) << "each list announced once by the load";
    EXPECT_EQ(read[0][0].toString(), "type");
    EXPECT_EQ(read[0][1].toStringList(), (QStringList{"DVD", "VCD"}));
    EXPECT_EQ(read[1][0].toString(), "movietype");
    EXPECT_EQ(read[1][1].toStringList(), (QStringList{"动作", "喜剧", "爱情"}));

    // Emptied lists leave no stale codes behind.
    Sql("delete from type");
    Host().FillTypeLists();
    EXPECT_TRUE(c->TypeIDs.empty());
    EXPECT_EQ(Items(c->CboManageType), QStringList{"全部"});
    ASSERT_EQ(read.count(), 4);
    EXPECT_EQ(read[2][0].toString(), "type");
    EXPECT_TRUE(read[2][1].toStringList().isEmpty()) << "the followers empty their lists too";
}

TEST_F(ClassificationListsTest, ANewEntryTakesTheLowestFreeCodeAndIsSavedWhenTheRowChanges) {
    Sql("insert into movietype values (1, '动作'), (2, '喜剧'), (4, '爱情')");
    ShowSettings();
    DataGrid* grid = Page().dgMovieType;
    Page().Command4->click();
    EXPECT_TRUE(Lists().IsAddMovieType());
    EXPECT_EQ(grid->model()->rowCount(), 4);
    TypeIntoCell(grid, 3, "科幻");
    EXPECT_FALSE(Lists().IsAddMovieType()) << "the name was typed";
    EXPECT_EQ(Count("select count(*) from movietype"), 3) << "saved only when the row changes";

    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(Query1("select type from movietype where typeid = 3"), "科幻");

    // The next one gets 5; the combos show the new entries the next time they are filled.
    Page().Command4->click();
    TypeIntoCell(grid, 4, "O'Brien的片子");
    Page().MaskEdBox2->setFocus();  // the grid loses the focus
    Settle();
    EXPECT_EQ(Query1("select type from movietype where typeid = 5"), "O'Brien的片子");
    ShowCataloguePage();
    EXPECT_EQ(CatalogueTab().MovieTypeIDs, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(Items(CatalogueTab().CboMovieType).last(), "O'Brien的片子");
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(ClassificationListsTest, AnEntryWithoutANameIsNeverWritten) {
    Sql("insert into type values (1, 'DVD'), (2, 'VCD')");
    ShowSettings();
    DataGrid* grid = Page().dgType;

    // Added and left with the name empty: dropped.
    Page().Command7->click();
    Page().MaskEdBox2->setFocus();
    Settle();
    Page().dgType->setFocus();
    Settle();
    QTest::keyClick(grid, Qt::Key_Up);
    Settle();
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(Count("select count(*) from type"), 2);

    // Added, and the operator moved off it without naming it: dropped.
    Page().Command7->click();
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
    Page().Command7->click();
    Page().Command7->click();
    EXPECT_EQ(grid->model()->rowCount(), 3) << "the first empty row went when the second came";
    EXPECT_EQ(Page().adoType->GetValue(0).ToInt(), 3);
    Lists().SavePendingEdits();
    EXPECT_EQ(Count("select count(*) from type"), 2);
}

TEST_F(ClassificationListsTest, CodesRunFromOneToNinetyNineAndAHundredthEntryIsRefused) {
    QString rows;
    for (int code = 1; code <= 99; ++code)
        rows += QString("%1(%2, 'F%2')").arg(code == 1 ? "" : ",").arg(code);
    Sql("insert into type values " + rows);
    ShowSettings();
    Page().Command7->click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt, "光盘格式最多只能有99种，不能再增加。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    EXPECT_FALSE(Lists().IsAddType());
    EXPECT_EQ(Page().dgType->model()->rowCount(), 99);

    // A code given back is taken again.
    Sql("delete from type where typeid = 42");
    Host().FillTypeLists();
    Page().Command7->click();
    TypeIntoCell(Page().dgType, 98, "HD-DVD");
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
    ShowSettings();
    ASSERT_NE(Host().adoCDInfo(), nullptr);  // read, as once the operator has seen it
    Recordset* list = Page().adoType.get();
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

    // The last row deleted: the new last row is current.
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    EXPECT_EQ((*list)["type"].ToString(), "DVD");
    ShowCataloguePage();
    EXPECT_EQ(Host().adoCDInfo()->RecordCount(), 1) << "shown, the catalogue no longer has them";
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
    ShowSettings();
    Recordset* list = Page().adoType.get();

    for (const QString duplicate : {"dvd", "DVD"}) {
        MsgBoxLog::Get().Reset();
        Page().Command7->click();
        TypeIntoCell(Page().dgType, 1, duplicate);
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
    ShowSettings();
    Recordset* list = Page().adoMovieType.get();

    Page().Command4->click();
    TypeIntoCell(Page().dgMovieType, 1, "action");
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
    ShowSettings();
    DataGrid* grid = Page().dgMovieType;

    // A new row without a name.
    Page().Command4->click();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(grid->model()->rowCount(), 2);

    // A new row named like a stored entry: only the row goes.
    Page().Command4->click();
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
    ShowSettings();
    const QString refused =
        "“VCD”中有光盘尚未全部归还，或在未结帐的出租、出售中，不能删除这一光盘格式。";

    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, refused);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "提示");
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);
    EXPECT_EQ(Count("select count(*) from type"), 1);
    EXPECT_EQ(Page().adoType->RecordCount(), 1);

    // Returned, but the other title is in the open sale basket.
    Sql("update borrowinfo set isreturnall = 1");
    AddSale("050100000002", "0003");
    Data().Add(ShopData::OpenBasket("0003").Sale());
    MsgBoxLog::Get().Reset();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command8_Click();
    EXPECT_EQ(MsgBoxLog::Get().Prompts().back(), refused);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 2);

    // The basket settled: the entry goes.
    Sql("delete from openbasket");
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
    ShowSettings();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Page().Command8->click();
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_TRUE(MsgBoxLog::Get().Calls()[1].prompt.contains("（错误代码 1811）"))
        << MsgBoxLog::Get().Calls()[1].prompt.toStdString();
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1);
    EXPECT_EQ(Count("select count(*) from returninfo"), 1);
    EXPECT_EQ(Count("select count(*) from type"), 1);
    EXPECT_EQ(Page().adoType->RecordCount(), 1);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
}

TEST_F(ClassificationListsTest, OpeningTheCataloguePageShowsItUnfilteredAsItsFiltersSay) {
    Sql("insert into type values (3, 'DVD'), (5, 'VCD')");
    AddTitle({"050100000001", "英雄", "VCD", "动作"});
    AddTitle({"030100000001", "卧虎藏龙", "DVD", "动作"});
    LoadPages();
    ASSERT_NE(Host().adoCDInfo(), nullptr);  // read, as once the operator has seen it
    CataloguePage* c = &CatalogueTab();
    c->CboManageType->setCurrentText("VCD");
    c->CboManageType_Click();
    ASSERT_EQ(Host().adoCDInfo()->RecordCount(), 1);
    ShowCataloguePage();
    EXPECT_EQ(c->CboManageType->currentText(), "全部");
    EXPECT_EQ(Host().adoCDInfo()->RecordCount(), 2);
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

    Data().Add(ShopData::OpenBasket("0001"));  // a basket line marked returned still counts
    EXPECT_TRUE(TitleUsage::TitleHasOpenLines("050100000001"));
    Sql("delete from openbasket");
    EXPECT_FALSE(TitleUsage::TitleHasOpenLines("050100000001"));

    AddSale("030100000001", "0007");
    EXPECT_FALSE(TitleUsage::TitleHasOpenLines("030100000001")) << "a settled sale";
    Data().Add(ShopData::OpenBasket("0007").Sale());
    EXPECT_TRUE(TitleUsage::TitleHasOpenLines("030100000001"));
    EXPECT_EQ(TitleUsage::CountWithOpenLines("cdid <> ?", {"050100000002"}), 1);

    // Composed into a statement of the caller's own.
    const int kept = static_cast<int>(
        gConn.Scalar("select count(*) from cdinfo where not " + TitleUsage::OpenLinesCondition())
            .ToInt());
    EXPECT_EQ(kept, 1);
}

// A deleted movie type takes its titles and their rental history, not their sales; the next
// movie type takes its code again, and a new title of the same prefix must not take the
// deleted title's id and with it its sales.
TEST_F(ClassificationListsTest, ANewTitleInAReusedCodeNeverTakesTheIdOfADeletedTitlesSales) {
    Sql("insert into type values (3, 'DVD'); insert into movietype values (1, '动作'), (2, "
        "'喜剧')");
    AddTitle({"030100000001", "英雄", "DVD", "动作"});
    AddTitle({"030100000002", "黑客帝国", "DVD", "动作"});
    AddSale("030100000002", "0001");
    AddRental("030100000001", "0002", true);
    ShowSettings();
    Page().adoMovieType->SetAbsolutePosition(1);
    MsgBoxLog::Get().QueueAnswer(vbYes);
    Lists().Command6_Click();
    ASSERT_EQ(Count("select count(*) from cdinfo"), 0);
    ASSERT_EQ(Count("select count(*) from sellinfo"), 1);

    Page().Command4->click();
    TypeIntoCell(Page().dgMovieType, 1, "武侠");
    Page().MaskEdBox2->setFocus();
    Settle();
    ASSERT_EQ(Query1("select typeid from movietype where type = '武侠'"), "1");

    ShowCataloguePage();
    CataloguePage& c = CatalogueTab();
    c.Command1->click();
    Settle();
    Type(c.TxtName, "新龙门客栈");
    Type(c.Text1, "W1");
    c.CboType->setCurrentText("DVD");
    c.CboMovieType->setCurrentText("武侠");
    c.CmdSave->click();
    Settle();
    EXPECT_EQ(Query1("select cdid from cdinfo where id = 'W1'"), "030100000003");
    EXPECT_EQ(Prompts(), std::vector<QString>{kDeleteQuestion});
}
