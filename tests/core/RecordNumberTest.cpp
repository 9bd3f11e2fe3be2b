// The lowest free rental, sale and return number against the plain walk: the distinct last
// four characters of the table's keys in ascending order, a candidate from 1 that goes up
// each time a row's value equals it.
#include <QRandomGenerator>
#include <set>

#include "core/RecordNumber.h"
#include "core/ShopFileAdditions.h"
#include "platform/db/Recordset.h"
#include "platform/text/VbText.h"
#include "tests/core/CoreTest.h"

namespace {
struct Table {
    RecordNumber::Kind kind;
    const char* name;
    const char* key;
    const char* prefix;  // the key's characters before the number
};
const Table kRentals{RecordNumber::Rental, "borrowinfo", "borrowid", "030100000001"};
const Table kSales{RecordNumber::Sale, "sellinfo", "sellid", "030100000001"};
const Table kReturns{RecordNumber::Return, "returninfo", "returnid", "0301000000010001"};

class RecordNumberTest : public CoreTest {
  protected:
    // The walk: nothing once the candidate passes 9999.
    static std::optional<QString> Walked(const Table& t) {
        Recordset rs;
        rs.Open(QString("select distinct substr(%1,-4) from %2 order by substr(%1,-4)")
                    .arg(t.key, t.name),
                gConn, adLockReadOnly);
        double n = 1;
        while (!rs.AtEOF()) {
            if (Val(rs.GetValue(0).ToString()) == n)
                n += 1;
            else
                rs.MoveNext();
        }
        if (n > RecordNumber::kLast) return std::nullopt;
        return PadNumber(static_cast<qint64>(n), 4);
    }

    // Rows carrying the numbers from first to last, `lines` rows each (other titles).
    static QString UseRangeSql(const Table& t, int first, int last, int lines = 1) {
        return QString(
                   "with recursive n(i) as (select %3 union all select i+1 from n where i<%4), "
                   "l(j) as (select 1 union all select j+1 from l where j<%5) "
                   "insert or ignore into %1 (%2) select substr('000000000000' || j, -12) || "
                   "substr('%6', 13) || substr('000' || i, -4) from n, l;")
            .arg(t.name, t.key)
            .arg(first)
            .arg(last)
            .arg(lines)
            .arg(t.prefix);
    }
    static QString FreeSql(const Table& t, int number) {
        return QString("delete from %1 where substr(%2,-4) = '%3';")
            .arg(t.name, t.key, PadNumber(number, 4));
    }
    void UseRange(const Table& t, int first, int last, int lines = 1) {
        Sql(UseRangeSql(t, first, last, lines));
    }
    void Use(const Table& t, const std::set<int>& numbers) {
        for (int n : numbers) UseRange(t, n, n);
    }
    void Free(const Table& t, int number) { Sql(FreeSql(t, number)); }

    // The statement's number, checked against the walk's.
    std::optional<QString> Lowest(const Table& t) {
        const std::optional<QString> lowest = RecordNumber::Lowest(gConn, t.kind);
        EXPECT_EQ(lowest, Walked(t)) << t.name;
        return lowest;
    }
};
}  // namespace

TEST_F(RecordNumberTest, TheFirstNumberAndTheGapsBetweenUsedOnes) {
    for (const Table& t : {kRentals, kSales, kReturns}) EXPECT_EQ(Lowest(t), "0001");
    Use(kRentals, {1});
    EXPECT_EQ(Lowest(kRentals), "0002");
    Use(kSales, {2, 3});
    EXPECT_EQ(Lowest(kSales), "0001");
    Use(kReturns, {1, 2, 3, 5});
    EXPECT_EQ(Lowest(kReturns), "0004");
    // Several lines of one basket, and of several titles, carry the same number.
    UseRange(kRentals, 2, 30, 4);
    EXPECT_EQ(Lowest(kRentals), "0031");
    Free(kRentals, 17);
    EXPECT_EQ(Lowest(kRentals), "0017");
}

TEST_F(RecordNumberTest, EachKindCountsItsOwnTableOnly) {
    UseRange(kRentals, 1, 50);
    UseRange(kSales, 1, 3);
    EXPECT_EQ(Lowest(kRentals), "0051");
    EXPECT_EQ(Lowest(kSales), "0004");
    EXPECT_EQ(Lowest(kReturns), "0001");
    UseRange(kReturns, 1, 120);
    EXPECT_EQ(Lowest(kReturns), "0121");
    EXPECT_EQ(Lowest(kRentals), "0051");
}

// The numbers on either side of a ten, a hundred and a thousand, and at the end.
TEST_F(RecordNumberTest, NumbersAtTheEdgesOfEachTen) {
    const std::pair<int, const char*> cases[] = {{9, "0010"},    {10, "0011"},   {11, "0012"},
                                                 {19, "0020"},   {20, "0021"},   {99, "0100"},
                                                 {100, "0101"},  {1009, "1010"}, {9989, "9990"},
                                                 {9990, "9991"}, {9991, "9992"}, {9998, "9999"}};
    int used = 0;
    for (const auto& [last, expected] : cases) {
        UseRange(kRentals, used + 1, last);
        used = last;
        EXPECT_EQ(Lowest(kRentals), expected) << "1 to " << last << " used";
    }
    Free(kRentals, 5009);
    EXPECT_EQ(Lowest(kRentals), "5009");
    Free(kRentals, 4010);
    EXPECT_EQ(Lowest(kRentals), "4010");
    Free(kRentals, 10);
    EXPECT_EQ(Lowest(kRentals), "0010");
    Free(kRentals, 1);
    EXPECT_EQ(Lowest(kRentals), "0001");
}

TEST_F(RecordNumberTest, AllNineThousandNineHundredNinetyNineUsedLeaveNone) {
    UseRange(kReturns, 1, RecordNumber::kLast);
    EXPECT_EQ(Lowest(kReturns), std::nullopt);
    Free(kReturns, RecordNumber::kLast);
    EXPECT_EQ(Lowest(kReturns), "9999");
    Free(kReturns, 5000);
    EXPECT_EQ(Lowest(kReturns), "5000");
}

// Keys another program may have written with a tail that is not four digits take no
// number and stop none: the numbers are those the well-formed keys carry. The plain walk
// reads such a tail by its value and may give a number in use: with '1e03' (1000) and 1000
// free it climbs to 1001 once it has passed the keys of 1001 to 1999, which sort before it.
TEST_F(RecordNumberTest, OddTailsTakeNoNumberAndStopNone) {
    Sql("insert into borrowinfo (borrowid, name) values ('0000000000000000', '汇总')");
    Sql("insert into sellinfo (sellid, name) values ('0000000000000000', '汇总')");
    for (const char* odd :
         {"03010000000900a1", "030100000009  12", "0301000000091e03", "030100000009001.",
          "030100000009+002", "030100000009-003", "0301000000093   ", "12"})
        Sql(QString("insert into borrowinfo (borrowid) values ('%1')").arg(odd));
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "0001");
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Sale), "0001");
    UseRange(kRentals, 1, 999);
    UseRange(kRentals, 1001, 1999);
    UseRange(kSales, 1, 9);
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "1000");
    EXPECT_EQ(Walked(kRentals), "1001") << "the plain walk took the '1e03' key for 1000";
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Sale), "0010");
    UseRange(kRentals, 1000, 1000);
    EXPECT_EQ(RecordNumber::Lowest(gConn, RecordNumber::Rental), "2000");
    // A key longer than its layout carries the number of its last four characters, as the
    // lines of a basket are found by them.
    Sql("insert into sellinfo (sellid) values ('03010000000112310')");
    EXPECT_EQ(Lowest(kSales), "0010");
    Sql("insert into sellinfo (sellid) values ('030100000001200010')");
    EXPECT_EQ(Lowest(kSales), "0011");
}

// Random shops changed step by step, the look-up compared with the walk after each step:
// numbers taken on the program's connection and by another program (its own connection,
// without the program's functions), a basket's lines deleted one by one or all at once, a
// number changed, lines replaced by another program's INSERT OR REPLACE and UPDATE OR
// REPLACE (a row deleted without its delete trigger), and work rolled back, looked up also
// in the middle of the transaction that is then rolled back.
TEST_F(RecordNumberTest, RandomShopsGiveTheWalksNumber) {
    QRandomGenerator random(25);
    for (int shop = 0; shop < 8; ++shop) {
        const Table& t = shop % 3 == 0 ? kRentals : shop % 3 == 1 ? kSales : kReturns;
        // Mostly used numbers, with a few gaps anywhere, as in a shop whose numbers came
        // round and whose old rows were folded away.
        QString script = QString("begin; delete from %1;").arg(t.name);
        const int last = random.bounded(1, RecordNumber::kLast + 1);
        script += UseRangeSql(t, 1, last, 1 + random.bounded(3));
        const int gaps = random.bounded(4);
        for (int g = 0; g < gaps; ++g) script += FreeSql(t, random.bounded(1, last + 1));
        Sql(script + "commit;");
        Lowest(t);
        for (int step = 0; step < 12; ++step) {
            const int number = random.bounded(1, RecordNumber::kLast + 1);
            const QString padded = PadNumber(number, 4);
            switch (random.bounded(8)) {
                case 0:  // another program opens baskets
                    UseRange(t, number, std::min(number + random.bounded(30), RecordNumber::kLast),
                             1 + random.bounded(2));
                    break;
                case 1:  // a basket dropped on the program's connection
                    gConn.Execute(
                        QString("delete from %1 where substr(%2, -4) = ?1").arg(t.name, t.key),
                        {padded});
                    break;
                case 2:  // one line of the lowest number in use goes
                    gConn.Execute(QString("delete from %1 where rowid = (select min(rowid) from "
                                          "%1 where substr(%2, -4) = (select min(substr(%2, "
                                          "-4)) from %1))")
                                      .arg(t.name, t.key));
                    break;
                case 3:  // a line given another number
                    gConn.Execute(QString("update or ignore %1 set %2 = substr(%2, 1, length(%2) "
                                          "- 4) || ?1 where rowid = (select max(rowid) from %1)")
                                      .arg(t.name, t.key),
                                  {padded});
                    break;
                case 4: {  // numbers taken and freed, then all rolled back
                    Transaction rolledBack(gConn);
                    gConn.Execute(UseRangeSql(t, number, number).chopped(1));
                    gConn.Execute(
                        QString("delete from %1 where substr(%2, -4) < ?1").arg(t.name, t.key),
                        {PadNumber(random.bounded(1, 50), 4)});
                    Lowest(t);
                    break;
                }
                case 5:  // another program writes a line again over itself
                    Sql(QString("insert or replace into %1 (%2) select %2 from %1 where rowid = "
                                "(select max(rowid) from %1)")
                            .arg(t.name, t.key));
                    break;
                case 6:  // another program moves a line onto another line's key
                    Sql(QString("update or replace %1 set %2 = (select max(%2) from %1 where "
                                "substr(%2, -4) < '%3') where rowid = (select min(rowid) from %1)")
                            .arg(t.name, t.key, padded));
                    break;
                default:  // another program drops a basket
                    Free(t, number);
                    break;
            }
            Lowest(t);
        }
    }
}

// A file made before the program's own additions: while start-up cannot bring it up (it is
// read-only, or another program holds it), the numbers are found among the lines, through
// the keys' index in another form or with none; brought up at the next start, the table of
// free numbers is filled from the lines another program wrote meanwhile, and that program's
// later lines keep it right.
TEST_F(RecordNumberTest, AnOlderFileGivesTheSameNumbersBeforeAndAfterItIsBroughtUp) {
    MakeOlder();
    for (const Table& t : {kRentals, kSales})
        Sql(QString("create index %1_no on %1(substr(%2, -4), %2);").arg(t.name, t.key));
    EXPECT_EQ(Lowest(kRentals), "0001");
    EXPECT_EQ(Lowest(kReturns), "0001");
    UseRange(kRentals, 1, 1234, 2);
    UseRange(kReturns, 1, 300);
    UseRange(kSales, 2, 40);
    EXPECT_EQ(Lowest(kRentals), "1235");
    EXPECT_EQ(Lowest(kReturns), "0301");
    EXPECT_EQ(Lowest(kSales), "0001");
    Free(kRentals, 700);
    Free(kReturns, 299);
    EXPECT_EQ(Lowest(kRentals), "0700");
    EXPECT_EQ(Lowest(kReturns), "0299");

    Sql("insert into borrowinfo (borrowid) values ('0000000000000000'), ('03010000000900a1')");
    ASSERT_TRUE(ShopFileAdditions::BringUp(gConn));
    EXPECT_EQ(Count("select count(*) from freenumber"), 3 * 9999 - (1234 - 1) - (300 - 1) - 39);
    for (const Table& t : {kRentals, kSales, kReturns}) Lowest(t);
    UseRange(kRentals, 700, 700);
    UseRange(kSales, 1, 1);
    Sql("insert or replace into returninfo (returnid) values ('03010000000100010299')");
    EXPECT_EQ(Lowest(kRentals), "1235");
    EXPECT_EQ(Lowest(kSales), "0041");
    EXPECT_EQ(Lowest(kReturns), "0301");
    Sql("delete from borrowinfo where substr(borrowid, -4) in ('0000', '00a1', '0003')");
    EXPECT_EQ(Lowest(kRentals), "0003");
}
