#include "catalogue/DiscDiscard.h"
#include "tests/catalogue/CatalogueOperationTest.h"

namespace {
// Three titles; the second has two rental lines (one returned) and a sale line, the first a
// returned rental.
class DiscDiscardTest : public CatalogueOperationTest {
  protected:
    void SetUp() override {
        CatalogueOperationTest::SetUp();
        AddTitle("030100000001", "英雄");
        AddTitle("030100000002", "无间道");
        AddTitle("030100000003", "大话西游");
        AddRental("030100000002", "0001", true);
        AddRental("030100000002", "0002", true);
        AddSale("030100000002", "0001");
        AddRental("030100000001", "0003", true);
    }
};
}  // namespace

TEST_F(DiscDiscardTest, DiscardRemovesTheTitleWithItsRentalsAndReturnsButNotItsSales) {
    EXPECT_TRUE(DiscDiscard::Discard(gConn, "030100000002"));
    EXPECT_EQ(Titles(), "030100000001,030100000003");
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), "0301000000010003");
    EXPECT_EQ(Query1("select group_concat(returnid) from returninfo"), "03010000000100030003");
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
}

// Which lines keep a title is TitleUsage's rule (tested with it); the discard asks it.
TEST_F(DiscDiscardTest, ATitleWithCopiesOutIsKeptWithItsHistory) {
    AddRental("030100000003", "0009", false);
    AddSale("030100000001", "0004");
    EXPECT_FALSE(DiscDiscard::Discard(gConn, "030100000003")) << "a copy is out";
    EXPECT_TRUE(DiscDiscard::Discard(gConn, "030100000001")) << "a settled sale";
    EXPECT_EQ(Titles(), "030100000002,030100000003");
    EXPECT_EQ(Count("select count(*) from borrowinfo where borrowid like '030100000003%'"), 1);
}

TEST_F(DiscDiscardTest, AFailedDiscardLeavesTitleAndHistory) {
    Sql("create trigger fail_discard before delete on cdinfo "
        "begin select raise(abort, 'disk trouble'); end");
    EXPECT_THROW(DiscDiscard::Discard(gConn, "030100000002"), DbError);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 3);
    EXPECT_EQ(Count("select count(*) from returninfo"), 3);
}

TEST_F(DiscDiscardTest, ClearingRemovesTheBadTitlesNotInUseAndCountsTheOthers) {
    Sql("update cdinfo set isabandon = 1 where cdid in ('030100000001', '030100000002')");
    AddTitle("050100000001", "坏了还借出", "VCD", "动作", true);
    AddRental("050100000001", "0007", false);
    EXPECT_EQ(DiscDiscard::ClearBadDiscs(gConn), 1);
    EXPECT_EQ(Titles(), "030100000003,050100000001");
    EXPECT_EQ(Query1("select group_concat(borrowid) from borrowinfo"), "0501000000010007");
    EXPECT_EQ(Count("select count(*) from returninfo"), 0);
    EXPECT_EQ(Count("select count(*) from sellinfo"), 1);
    EXPECT_EQ(DiscDiscard::ClearBadDiscs(gConn), 1) << "nothing more to clear";
}

TEST_F(DiscDiscardTest, AFailedClearingLeavesEveryBadTitle) {
    Sql("update cdinfo set isabandon = 1");
    Sql("create trigger fail_clear before delete on cdinfo when old.cdid = '030100000003' "
        "begin select raise(abort, 'disk trouble'); end");
    EXPECT_THROW(DiscDiscard::ClearBadDiscs(gConn), DbError);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 3);
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 3);
}
