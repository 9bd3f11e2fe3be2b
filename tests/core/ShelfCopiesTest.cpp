#include "core/ShelfCopies.h"
#include "tests/core/CoreTest.h"

namespace {
class ShelfCopiesTest : public CoreTest {
  protected:
    std::vector<int> Shelf(int count, const QString& station, int issell = 0) {
        return ShelfCopies::Of(gConn, "010100000001", count, station, issell).Copies;
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
    EXPECT_EQ(Shelf(3, "借出部分"), (std::vector<int>{2, 3}));
}

TEST_F(ShelfCopiesTest, FullyReturnedLineTakesNothingOff) {
    Rental("0001", 2, "&1#&2#");
    Return("0001", "0001", 1, "&1#");
    Return("0001", "0002", 1, "&2#");
    const ShelfCopies s = ShelfCopies::Of(gConn, "010100000001", 3, "借出部分", 0);
    EXPECT_EQ(s.Copies, (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(s.NothingOut);
}

TEST_F(ShelfCopiesTest, PartlyReturnedLinesHideUnreturnedOnes) {
    Rental("0001", 2, "&1#&2#");
    Return("0001", "0001", 1, "&1#");
    Rental("0002", 1, "&3#");
    EXPECT_EQ(Shelf(4, "借出部分"), (std::vector<int>{1, 3, 4}));
}

TEST_F(ShelfCopiesTest, UnreturnedLineTakesItsCopiesOff) {
    Rental("0001", 1, "&2#");
    const ShelfCopies s = ShelfCopies::Of(gConn, "010100000001", 3, "借出部分", 0);
    EXPECT_EQ(s.Copies, (std::vector<int>{1, 3}));
    EXPECT_EQ(s.OutDate.ToString(), "2026-12-01 10:00:00");
}

TEST_F(ShelfCopiesTest, SoldCopiesNeverReturnToTheShelf) {
    Rental("0001", 2, "&1#&2#");
    Return("0001", "0001", 1, "&1#");
    Sql("insert into sellinfo (sellid,name,selldate,sellcount,selllst) "
        "values ('0101000000010001','x','2026-12-01 10:00:00',1,'&4#')");
    EXPECT_EQ(Shelf(4, "借出部分", 1), (std::vector<int>{1, 3}));
    EXPECT_EQ(Shelf(4, "未借出", 0), (std::vector<int>{1, 2, 3, 4}));
}

TEST_F(ShelfCopiesTest, TitleMarkedNotOutIgnoresRentalLines) {
    Rental("0001", 1, "&2#");
    EXPECT_EQ(Shelf(3, "未借出"), (std::vector<int>{1, 2, 3}));
}
