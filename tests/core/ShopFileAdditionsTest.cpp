// An older shop file brought up at start: what the program adds of its own, as a file made
// from the schema has it, in one transaction, or nothing at all.
#include "core/ShopFileAdditions.h"
#include "tests/core/CoreTest.h"

namespace {
class ShopFileAdditionsTest : public CoreTest {
  protected:
    const char* const kRows =
        "insert into borrowinfo (borrowid, name, borrowdate) values "
        "('0301000000010001', '李四', '2026-12-01 10:00:00'), "
        "('0301000000020003', '王五', '2026-12-02 10:00:00');"
        "insert into sellinfo (sellid, name) values ('0301000000010002', '李四');";
};
}  // namespace

TEST_F(ShopFileAdditionsTest, AnOlderFileGetsWhatTheSchemaAddsAndIsThenLeftAlone) {
    const QString fresh = Additions();
    MakeOlder();
    Sql(kRows);
    EXPECT_TRUE(ShopFileAdditions::TakesLong(gConn));
    EXPECT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(Additions(), fresh);
    EXPECT_FALSE(ShopFileAdditions::TakesLong(gConn));
    EXPECT_EQ(Query1("select group_concat(kind || no) from freenumber where no < '0004'"),
              "borrow0002,return0001,return0002,return0003,sell0001,sell0003");
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 2) << "the shop's rows stay";

    // A file that lacks one index only gets that one; the numbers are left as they are.
    Sql("drop index borrowinfo_lines; delete from freenumber where no = '9999'");
    EXPECT_TRUE(ShopFileAdditions::TakesLong(gConn));
    EXPECT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(Additions(), fresh);
    EXPECT_EQ(Count("select count(*) from freenumber where no = '9999'"), 0);
    // Without one of the triggers the table cannot be trusted: it is filled afresh.
    Sql("drop trigger sellinfo_number_freed");
    EXPECT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(Additions(), fresh);
    EXPECT_EQ(Count("select count(*) from freenumber where no = '9999'"), 3);
}

// Another program holds the file at start: nothing is added, not even in part, and the
// file is read as it is.
TEST_F(ShopFileAdditionsTest, AFileThatCannotBeWrittenIsLeftAsItIs) {
    MakeOlder();
    Sql(kRows);
    const QString before = Additions();
    EXPECT_FALSE(BringUpWhileAnotherProgramHoldsTheFile());
    EXPECT_EQ(Additions(), before);
    EXPECT_EQ(gConn.Scalar("select count(*) from borrowinfo where name = '李四'").ToInt(), 1);
}
