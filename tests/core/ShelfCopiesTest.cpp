#include "core/ShelfCopies.h"
#include "tests/core/CoreTest.h"

namespace {
class ShelfCopiesTest : public CoreTest {
  protected:
    std::vector<int> Shelf(int count) {
        return ShelfCopies::Of(gConn, "010100000001", count).Copies;
    }
    void Rental(const QString& no, int count, const QString& lst) {
        Sql(QString("insert into borrowinfo (borrowid,name,borrowdate,borrowcount,borrowlst) "
                    "values ('010100000001%1','000001','2026-12-01 10:00:00',%2,'%3')")
                .arg(no)
                .arg(count)
                .arg(lst));
    }
    void Return(const QString& borrowNo, const QString& returnNo, int count, const QString& lst) {
        Sql(QString("insert into returninfo (returnid,returndate,returncount,returnlst) "
                    "values ('010100000001%1%2','2026-12-02 10:00:00',%3,'%4')")
                .arg(borrowNo, returnNo)
                .arg(count)
                .arg(lst));
    }
};
}  // namespace

TEST_F(ShelfCopiesTest, PartlyReturnedLineKeepsOnlyItsOutstandingCopiesOff) {
    Rental("0001", 2, "&1#&3#");
    Return("0001", "0001", 1, "&3#");
    EXPECT_EQ(Shelf(3), (std::vector<int>{2, 3}));
}

TEST_F(ShelfCopiesTest, FullyReturnedLineTakesNothingOff) {
    Rental("0001", 2, "&1#&2#");
    Return("0001", "0001", 1, "&1#");
    Return("0001", "0002", 1, "&2#");
    const ShelfCopies s = ShelfCopies::Of(gConn, "010100000001", 3);
    EXPECT_EQ(s.Copies, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(s.NothingOut);
}

// A copy out on a line with nothing returned stays off the shelf even while another line
// of the title is partly returned, so it is never offered (and rented) twice; the date
// shown is the partly returned line's.
TEST_F(ShelfCopiesTest, CopiesOutOnEveryLineNotWhollyReturnedStayOff) {
    Rental("0001", 2, "&1#&3#");
    Rental("0002", 2, "&2#&4#");
    Sql("update borrowinfo set borrowdate = '2026-12-05 09:00:00' where borrowid like '%0002'");
    Return("0002", "0001", 1, "&4#");
    const ShelfCopies s = ShelfCopies::Of(gConn, "010100000001", 5);
    EXPECT_EQ(s.Copies, (std::vector<int>{4, 5}));
    EXPECT_EQ(s.OutDate.ToString(), "2026-12-05 09:00:00");
    EXPECT_FALSE(s.NothingOut);
}

// Lines wholly returned take nothing off, whatever their lists say; a line returned in
// several settlements subtracts every one of its own return rows, and only its own.
TEST_F(ShelfCopiesTest, EachLineSubtractsOnlyItsOwnReturns) {
    Rental("0001", 3, "&1#&2#&3#");
    Return("0001", "0001", 1, "&1#");
    Return("0001", "0002", 1, "&3#");
    Rental("0002", 1, "&1#");
    Return("0002", "0003", 5, "");
    Rental("0003", 1, "&4#");
    EXPECT_EQ(Shelf(5), (std::vector<int>{1, 3, 5}));
}

TEST_F(ShelfCopiesTest, UnreturnedLineTakesItsCopiesOff) {
    Rental("0001", 1, "&2#");
    const ShelfCopies s = ShelfCopies::Of(gConn, "010100000001", 3);
    EXPECT_EQ(s.Copies, (std::vector<int>{1, 3}));
    EXPECT_EQ(s.OutDate.ToString(), "2026-12-01 10:00:00");
}

TEST_F(ShelfCopiesTest, SoldCopiesNeverReturnToTheShelf) {
    Rental("0001", 2, "&1#&2#");
    Return("0001", "0001", 1, "&1#");
    Sql("insert into sellinfo (sellid,name,selldate,sellcount,selllst) "
        "values ('0101000000010001','x','2026-12-01 10:00:00',1,'&4#')");
    EXPECT_EQ(Shelf(4), (std::vector<int>{1, 3}));
}

// The lines say which copies are out and sold, not the title's marks: a title another
// program marked "未借出" and unsold (its row is not even read) lends and sells none twice.
TEST_F(ShelfCopiesTest, CopiesOutOrSoldStayOffWhateverTheTitleIsMarked) {
    Sql("insert into cdinfo (cdid, name, count, station, issell) "
        "values ('010100000001', 'x', 4, '未借出', 0)");
    Rental("0001", 1, "&2#");
    Sql("insert into sellinfo (sellid,name,selldate,sellcount,selllst) "
        "values ('0101000000010002','x','2026-12-01 10:00:00',1,'&4#')");
    const ShelfCopies s = *ShelfCopies::OfTitle(gConn, "010100000001");
    EXPECT_EQ(s.Copies, (std::vector<int>{1, 3}));
    EXPECT_EQ(s.OutDate.ToString(), "2026-12-01 10:00:00");
    EXPECT_FALSE(s.NothingOut);
}

TEST_F(ShelfCopiesTest, NoCopiesListsNothing) {
    Rental("0001", 1, "&1#");
    EXPECT_TRUE(Shelf(0).empty());
    EXPECT_TRUE(Shelf(-2).empty());
}
