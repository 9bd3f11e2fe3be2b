#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSignalSpy>

#include "tests/platform/db/DbFixture.h"

namespace {
const char* kByKey = "SELECT cdid, name, count, price FROM cdinfo ORDER BY cdid";
const char* kUnordered = "SELECT cdid, name, count, price FROM cdinfo WHERE count > ?";
const char* kSorted = "SELECT cdid, name, count, price FROM cdinfo ORDER BY price DESC";

// Every row of a recordset, read through the views' way in.
QStringList Rows(const Recordset& rs) {
    QStringList rows;
    for (int p = 1; p <= rs.RecordCount(); ++p)
        rows << rs.ValueAt(p, 0).ToString() + "/" + rs.ValueAt(p, 1).ToString() + "/" +
                    rs.ValueAt(p, 2).ToString() + "/" + rs.ValueAt(p, 3).ToString();
    return rows;
}

class RecordsetOnDemand : public DbTest {
  protected:
    void SetUp() override {
        DbTest::SetUp();
        Transaction t(conn);
        AddTitles(250);
        t.Commit();
    }
    void OpenOnServer(Recordset& rs, const char* sql, const Params& params = {}) {
        rs.SetCursorLocation(adUseServer);
        rs.Open(sql, conn, adLockReadOnly, params);
    }
    QStringList ReadWhole(const char* sql, const Params& params = {}) {
        Recordset all;
        all.Open(sql, conn, adLockReadOnly, params);
        return Rows(all);
    }
};
}  // namespace

// Counted at once, the rows read as asked: the same rows in the same order as a recordset
// that reads them all, whichever way the statement orders them, counted by the statement
// its maker gives or, without one, as the query stands (an ORDER BY with a LIMIT included).
TEST_F(RecordsetOnDemand, GivesTheRowsOfAWholeReadInTheSameOrder) {
    struct Case {
        const char* sql;
        const char* count;
        Params params;
        int rows;
    };
    const Case cases[] = {
        {kByKey, "SELECT count(*) FROM cdinfo", {}, 250},
        {kByKey, "", {}, 250},
        {kSorted, "SELECT count(*) FROM cdinfo", {}, 250},
        {kUnordered, "SELECT count(*) FROM cdinfo WHERE count > ?", {Value(7)}, 243},
        {kUnordered, "", {Value(7)}, 243},
        {"SELECT cdid, name, count, price FROM cdinfo ORDER BY cdid LIMIT 180", "", {}, 180},
    };
    for (const Case& c : cases) {
        Recordset rs;
        rs.SetCountStatement(c.count);
        OpenOnServer(rs, c.sql, c.params);
        EXPECT_EQ(rs.RecordCount(), c.rows) << c.sql << " counted by " << c.count;
        EXPECT_EQ(Rows(rs), ReadWhole(c.sql, c.params)) << c.sql;
    }
}

TEST_F(RecordsetOnDemand, MovesFindsAndBookmarksReachRowsNotYetRead) {
    Recordset rs;
    OpenOnServer(rs, kByKey);
    rs.SetAbsolutePosition(180);
    EXPECT_EQ(rs["cdid"].ToString(), Cdid(180));
    rs.MoveFirst();
    rs.Move(120);
    EXPECT_EQ(rs.AbsolutePosition(), 121);
    const Bookmark b = rs.GetBookmark();
    EXPECT_TRUE(rs.Find("name = '片240'"));
    EXPECT_EQ(rs.AbsolutePosition(), 240);
    rs.SetBookmark(b);
    EXPECT_EQ(rs["cdid"].ToString(), Cdid(121));
    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 250);
    rs.MoveNext();
    EXPECT_TRUE(rs.AtEOF());
    EXPECT_EQ(rs.BookmarkAt(250), rs.BookmarkAt(250));
    EXPECT_NE(rs.BookmarkAt(250), 0);
    EXPECT_EQ(rs.BookmarkAt(251), 0);

    Recordset walked;
    OpenOnServer(walked, kByKey);
    int steps = 0;
    for (; !walked.AtEOF(); walked.MoveNext()) ++steps;
    EXPECT_EQ(steps, 250);
    EXPECT_EQ(ErrorOf([&] { walked.SetAbsolutePosition(251); }),
              "记录位置 251 超出范围（1 到 250）。");
}

// The connection writing reads the rest first: the recordset keeps showing one state of
// the file, as a recordset read whole at Open does.
TEST_F(RecordsetOnDemand, ShowsTheFileAsItWasAtOpenAfterTheConnectionWrites) {
    const QStringList before = ReadWhole(kByKey);
    Recordset rs;
    rs.SetCountStatement("SELECT count(*) FROM cdinfo");
    OpenOnServer(rs, kByKey);
    {
        Transaction t(conn);
        conn.Execute("UPDATE cdinfo SET name = '改过' WHERE cdid = ?1", {Cdid(200)});
        conn.Execute("DELETE FROM cdinfo WHERE cdid = ?1", {Cdid(150)});
        t.Commit();
    }
    EXPECT_EQ(rs.RecordCount(), 250);
    EXPECT_EQ(Rows(rs), before);
    rs.Requery();
    EXPECT_EQ(rs.RecordCount(), 249);
    EXPECT_EQ(rs.ValueAt(199, 1).ToString(), "改过");
}

// Another program deleting rows after the count: the recordset ends with the rows there
// are, and its views are told to ask again; nothing past the end reads as a row.
TEST_F(RecordsetOnDemand, RowsGoneElsewhereShortenTheRecordsetAndResetItsViews) {
    Recordset rs;
    OpenOnServer(rs, kByKey);
    QSignalSpy resets(rs.Model(), &QAbstractItemModel::modelReset);
    Elsewhere("DELETE FROM cdinfo WHERE count > 240");
    EXPECT_TRUE(rs.ValueAt(245, 0).IsNull());
    EXPECT_EQ(rs.RecordCount(), 240);
    QCoreApplication::processEvents();
    EXPECT_EQ(resets.count(), 1);
    EXPECT_EQ(rs.Model()->rowCount(), 240);
    EXPECT_EQ(rs.ValueAt(240, 0).ToString(), Cdid(240));
}

// Closing the connection ends the reading where it stands: nothing is read from a file
// opened afterwards. A recordset read to its end keeps every row.
TEST_F(RecordsetOnDemand, ClosingTheConnectionKeepsTheRowsRead) {
    Recordset partial;
    OpenOnServer(partial, kByKey);
    Recordset whole;
    OpenOnServer(whole, kByKey);
    whole.MoveLast();
    conn.Close();
    conn.OpenFile(DbPath());
    EXPECT_GE(partial.RecordCount(), 1);
    EXPECT_LT(partial.RecordCount(), 250);
    EXPECT_EQ(partial.ValueAt(1, 0).ToString(), Cdid(1));
    EXPECT_TRUE(partial.ValueAt(partial.RecordCount() + 1, 0).IsNull());
    partial.MoveLast();
    EXPECT_LT(partial.AbsolutePosition(), 250);
    EXPECT_EQ(whole.RecordCount(), 250);
    EXPECT_EQ(whole.ValueAt(250, 0).ToString(), Cdid(250));
}

// A moment after the first rows the rest is read by itself: a write coming later finds
// nothing left to read, and another program's changes no longer show.
TEST_F(RecordsetOnDemand, ReadsTheRestByItselfAMomentLater) {
    const QStringList before = ReadWhole(kByKey);
    Recordset rs;
    rs.SetCountStatement("SELECT count(*) FROM cdinfo");
    OpenOnServer(rs, kByKey);
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < 400) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    Elsewhere("DELETE FROM cdinfo WHERE count > 200");
    EXPECT_EQ(rs.RecordCount(), 250);
    EXPECT_EQ(Rows(rs), before);
}

// Another program holding the file: a move that needs the rest fails and leaves it to read
// later; a view asking gets nothing and ends the recordset at the rows read, rather than
// wait for the file at every repaint.
TEST_F(RecordsetOnDemand, AFileHeldElsewhereLeavesTheRestToReadLater) {
    conn.SetBusyTimeout(20);
    Recordset moved;
    OpenOnServer(moved, kByKey);
    Recordset viewed;
    OpenOnServer(viewed, kByKey);
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(DbPath().toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_FALSE(ErrorOf([&] { moved.MoveLast(); }).isEmpty());
    EXPECT_EQ(moved.RecordCount(), 250);
    EXPECT_TRUE(viewed.ValueAt(200, 0).IsNull());
    const int shown = viewed.RecordCount();
    EXPECT_LT(shown, 250);
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    moved.MoveLast();
    EXPECT_EQ(moved.AbsolutePosition(), 250);
    EXPECT_EQ(moved["cdid"].ToString(), Cdid(250));
    EXPECT_EQ(viewed.RecordCount(), shown);
}

// Only a read-only recordset reads on demand: one that writes has every row from Open.
TEST_F(RecordsetOnDemand, ARecordsetThatWritesReadsEveryRowAtOpen) {
    Recordset rs;
    rs.SetCursorLocation(adUseServer);
    rs.Open(kByKey, conn, adLockOptimistic);
    Elsewhere("DELETE FROM cdinfo");
    EXPECT_EQ(rs.RecordCount(), 250);
    EXPECT_EQ(rs.ValueAt(250, 0).ToString(), Cdid(250));
}
