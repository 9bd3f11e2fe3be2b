// The lowest free rental, sale and return number against the walk it replaces: the
// distinct last four characters of the table's keys in ascending order, a candidate from
// 1 that goes up each time a row's value equals it.
#include <QRandomGenerator>
#include <set>

#include "core/RecordNumber.h"
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
                   "insert into %1 (%2) select substr('000000000000' || j, -12) || "
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

// The walk goes ten numbers at a time: the numbers on either side of each ten.
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

// The yearly fold's summary rows end in 0000, which is no number: they free nothing and
// take nothing.
TEST_F(RecordNumberTest, SummaryRowsCarryNoNumber) {
    Sql("insert into borrowinfo (borrowid, name) values ('0000000000000000', '汇总')");
    Sql("insert into sellinfo (sellid, name) values ('0000000000000000', '汇总')");
    EXPECT_EQ(Lowest(kRentals), "0001");
    EXPECT_EQ(Lowest(kSales), "0001");
    UseRange(kRentals, 1, 10);
    UseRange(kSales, 1, 9);
    EXPECT_EQ(Lowest(kRentals), "0011");
    EXPECT_EQ(Lowest(kSales), "0010");
}

TEST_F(RecordNumberTest, RandomShopsGiveTheWalksNumber) {
    QRandomGenerator random(25);
    for (int shop = 0; shop < 16; ++shop) {
        // Mostly used numbers, with a few gaps anywhere, as in a shop whose numbers came
        // round and whose old rows were folded away.
        QString script = "begin; delete from borrowinfo;";
        const int last = random.bounded(1, RecordNumber::kLast + 1);
        script += UseRangeSql(kRentals, 1, last, 1 + random.bounded(3));
        const int gaps = random.bounded(4);
        for (int g = 0; g < gaps; ++g) script += FreeSql(kRentals, random.bounded(1, last + 1));
        Sql(script + "commit;");
        Lowest(kRentals);
    }
}

// A shop file made before the numbers' indexes held the keys gives the same numbers,
// only slower.
TEST_F(RecordNumberTest, OlderFilesGiveTheSameNumbers) {
    for (const Table& t : {kRentals, kSales, kReturns})
        Sql(QString("drop index %1_no; create index %1_no on %1(substr(%2, -4));")
                .arg(t.name, t.key));
    EXPECT_EQ(Lowest(kRentals), "0001");
    EXPECT_EQ(Lowest(kSales), "0001");
    UseRange(kRentals, 1, 1234, 2);
    UseRange(kReturns, 1, 9999);
    UseRange(kSales, 2, 40);
    EXPECT_EQ(Lowest(kRentals), "1235");
    EXPECT_EQ(Lowest(kReturns), std::nullopt);
    EXPECT_EQ(Lowest(kSales), "0001");
    Free(kRentals, 700);
    Free(kReturns, 9990);
    EXPECT_EQ(Lowest(kRentals), "0700");
    EXPECT_EQ(Lowest(kReturns), "9990");
}

// A look-up walks on from what the one before it proved in use, until a row of its table
// may have gone: each way one can go through the program's own connection frees the number
// again for the next look-up.
TEST_F(RecordNumberTest, ANumberFreedThroughTheProgramsConnectionIsFoundAgain) {
    UseRange(kReturns, 1, 300, 2);
    EXPECT_EQ(Lowest(kReturns), "0301");
    // Taken, as a settlement takes it: the next look-up gives the number after it.
    gConn.Execute("insert into returninfo (returnid) values ('03010000000100010301')");
    EXPECT_EQ(Lowest(kReturns), "0302");
    // Deleted on the connection.
    gConn.Execute("delete from returninfo where substr(returnid, -4) = '0123'");
    EXPECT_EQ(Lowest(kReturns), "0123");
    gConn.Execute("insert into returninfo (returnid) values ('03010000000100010123')");
    EXPECT_EQ(Lowest(kReturns), "0302");
    // A key changed to another number frees its old one.
    gConn.Execute(
        "update returninfo set returnid = substr(returnid, 1, 16) || '0400' "
        "where substr(returnid, -4) = '0042'");
    EXPECT_EQ(Lowest(kReturns), "0042");
    gConn.Execute("insert into returninfo (returnid) values ('03010000000100010042')");
    // Rows written inside a transaction that rolls back: the number taken there is free.
    {
        Transaction outer(gConn);
        EXPECT_EQ(Lowest(kReturns), "0302");
        gConn.Execute("insert into returninfo (returnid) values ('03010000000100010302')");
        EXPECT_EQ(Lowest(kReturns), "0303");
        {
            Transaction inner(gConn);
            gConn.Execute("insert into returninfo (returnid) values ('03010000000100010303')");
            EXPECT_EQ(Lowest(kReturns), "0304");
        }  // the inner one rolls back alone
        EXPECT_EQ(Lowest(kReturns), "0303");
    }
    EXPECT_EQ(Lowest(kReturns), "0302");
    // Each kind keeps what it proved apart.
    EXPECT_EQ(Lowest(kRentals), "0001");
    // Lines updated with their keys kept (as a settlement marks them) free nothing.
    gConn.Execute("update returninfo set returncount = 1");
    EXPECT_EQ(Lowest(kReturns), "0302");
    // Two taken out at once, the lower one found; then more than are told one by one.
    gConn.Execute("delete from returninfo where substr(returnid, -4) in ('0250', '0007')");
    EXPECT_EQ(Lowest(kReturns), "0007");
    gConn.Execute("insert into returninfo (returnid) values ('03010000000100010007')");
    EXPECT_EQ(Lowest(kReturns), "0250");
    gConn.Execute("delete from returninfo where substr(returnid, -4) between '0101' and '0200'");
    EXPECT_EQ(Lowest(kReturns), "0101");
}
