#include "catalogue/ClassificationDelete.h"
#include "tests/catalogue/CatalogueOperationTest.h"

namespace {
const ClassificationDelete::List kFormats{"type", "type", 1};
const ClassificationDelete::List kMovieTypes{"movietype", "movietype", 3};

class ClassificationDeleteTest : public CatalogueOperationTest {
  protected:
    ClassificationDelete::Result DeleteFormat(int code, const QString& name) {
        return ClassificationDelete(gConn, kFormats).Run(code, name);
    }
    QString History() {
        return Query1(
            "select coalesce((select group_concat(cdid) from (select cdid from cdinfo order by "
            "1)), "
            "'') || '/' || coalesce((select group_concat(borrowid) from (select borrowid from "
            "borrowinfo order by 1)), '') || '/' || coalesce((select group_concat(returnid) from "
            "(select returnid from returninfo order by 1)), '')");
    }
};
}  // namespace

TEST_F(ClassificationDeleteTest, AnEntryGoesWithItsTitlesAndTheirRentalsButNotTheirSales) {
    AddTitle("050100000001", "英雄", "VCD");
    AddTitle("050100000002", "十面埋伏", "VCD");
    AddTitle("030100000001", "卧虎藏龙", "DVD");
    AddRental("050100000001", "0001", true);
    AddRental("030100000001", "0002", true);
    AddSale("050100000002", "0001");

    const ClassificationDelete::Result deleted = DeleteFormat(5, "VCD");
    EXPECT_FALSE(deleted.inUse);
    EXPECT_EQ(deleted.titles, 2);
    EXPECT_EQ(History(), "030100000001/0301000000010002/03010000000100020002");
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
    EXPECT_EQ(Query1("select group_concat(type) from type"), "DVD");
}

// Names may repeat in the lists, in any case. An entry's titles are those with its exact
// name and its code in the cdid; the name alone, or the code alone, would take another's.
TEST_F(ClassificationDeleteTest, ADuplicateEntryTakesOnlyTitlesWithItsExactNameAndCode) {
    Sql("insert into type values (1, 'dvd')");
    AddTitle("030100000001", "英雄", "DVD");
    AddRental("030100000001", "0001", false);  // out: the original's titles are not its
    AddTitle("010100000001", "小兵张嘎", "dvd");
    AddRental("010100000001", "0003", true);
    AddTitle("010100000002", "旧片", "DVD");  // its code, another entry's name

    const ClassificationDelete::Result deleted = DeleteFormat(1, "dvd");
    EXPECT_FALSE(deleted.inUse);
    EXPECT_EQ(deleted.titles, 1);
    EXPECT_EQ(History(), "010100000002,030100000001/0301000000010001/");
    EXPECT_EQ(Query1("select group_concat(typeid || type) from type"), "3DVD,5VCD");
}

TEST_F(ClassificationDeleteTest, AMovieTypeIsFoundByTheCodeInItsOwnPlaceOfTheDiscId) {
    Sql("insert into movietype values (4, 'action')");
    AddTitle("030400000001", "英雄", "DVD", "action");
    AddTitle("030100000001", "卧虎藏龙", "DVD", "action");  // another code under the name
    AddTitle("040100000001", "十面埋伏", "DVD", "动作");    // the format's code is 04
    const auto deleted = ClassificationDelete(gConn, kMovieTypes).Run(4, "action");
    EXPECT_EQ(deleted.titles, 1);
    EXPECT_EQ(History(), "030100000001,040100000001//");
    EXPECT_EQ(Query1("select group_concat(typeid) from movietype"), "1,12");
}

TEST_F(ClassificationDeleteTest, AnEntryWithATitleInUseIsRefusedWithNothingDeleted) {
    AddTitle("050100000001", "英雄", "VCD");
    AddTitle("050100000002", "十面埋伏", "VCD");
    AddRental("050100000001", "0001", false);
    AddRental("050100000002", "0002", true);
    const QString before = History();

    const ClassificationDelete::Result refused = DeleteFormat(5, "VCD");
    EXPECT_TRUE(refused.inUse);
    EXPECT_EQ(refused.titles, 0);
    EXPECT_EQ(History(), before);
    EXPECT_EQ(Count("select count(*) from type where typeid = 5"), 1);
}

TEST_F(ClassificationDeleteTest, AFailedDeletionLeavesEverythingAsItWas) {
    Sql("create trigger keep_titles before delete on cdinfo "
        "begin select raise(abort, '不许删除'); end");
    AddTitle("050100000001", "英雄", "VCD");
    AddRental("050100000001", "0001", true);
    const QString before = History();
    EXPECT_THROW(DeleteFormat(5, "VCD"), DbError);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(History(), before);
    EXPECT_EQ(Count("select count(*) from type"), 2);
}
