#include <QSignalSpy>

#include "tests/platform/db/DbFixture.h"

using RecordsetNavigation = DbTest;

namespace {
const char* kTitles = "SELECT cdid, name, count, price, buydate, remark FROM cdinfo ORDER BY cdid";
}

TEST_F(RecordsetNavigation, EmptySetIsAtBothEnds) {
    Recordset rs;
    rs.Open(kTitles, conn);
    EXPECT_TRUE(rs.AtBOF());
    EXPECT_TRUE(rs.AtEOF());
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.AbsolutePosition(), 0);
    EXPECT_NO_THROW(rs.MoveFirst());
    EXPECT_NO_THROW(rs.MoveLast());
    EXPECT_TRUE(rs.AtBOF() && rs.AtEOF());
    EXPECT_FALSE(ErrorOf([&] { rs.MoveNext(); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { rs.MovePrevious(); }).isEmpty());
    EXPECT_EQ(ErrorOf([&] { rs["name"]; }), "当前记录不存在。");
    EXPECT_EQ(ErrorOf([&] { rs.Fields("name") = Value("x"); }), "当前记录不存在。");
    EXPECT_FALSE(ErrorOf([&] { rs.GetBookmark(); }).isEmpty());
    EXPECT_EQ(rs.FieldCount(), 6);  // the fields are known without rows
}

TEST_F(RecordsetNavigation, OneRowWalksToEachEndAndNoFurther) {
    AddTitles(1);
    Recordset rs;
    rs.Open(kTitles, conn);
    EXPECT_FALSE(rs.AtBOF() || rs.AtEOF());
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.MoveNext();
    EXPECT_TRUE(rs.AtEOF());
    EXPECT_FALSE(rs.AtBOF());
    EXPECT_EQ(rs.AbsolutePosition(), 0);
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), "已经在最后一条记录之后（EOF），不能再向后移动。");
    EXPECT_EQ(ErrorOf([&] { rs.GetValue(0); }), "当前记录不存在。");
    rs.MovePrevious();
    EXPECT_EQ(rs["cdid"].ToString(), Cdid(1));
    rs.MovePrevious();
    EXPECT_TRUE(rs.AtBOF());
    EXPECT_FALSE(ErrorOf([&] { rs.MovePrevious(); }).isEmpty());
    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 1);
}

TEST_F(RecordsetNavigation, ManyRowsByPositionAndRelativeMoves) {
    AddTitles(5);
    Recordset rs;
    rs.Open(kTitles, conn);
    EXPECT_EQ(rs.RecordCount(), 5);
    rs.Move(2);
    EXPECT_EQ(rs.AbsolutePosition(), 3);
    EXPECT_EQ(rs["count"].ToInt(), 3);
    rs.Move(-1);
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    rs.Move(100);
    EXPECT_TRUE(rs.AtEOF());
    rs.Move(-100);
    EXPECT_TRUE(rs.AtBOF());
    rs.Move(1);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.SetAbsolutePosition(4);
    EXPECT_EQ(rs["name"].ToString(), "片4");
    EXPECT_FALSE(ErrorOf([&] { rs.SetAbsolutePosition(6); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { rs.SetAbsolutePosition(0); }).isEmpty());
    EXPECT_EQ(rs.AbsolutePosition(), 4);
    rs.MoveLast();
    EXPECT_EQ(rs.AbsolutePosition(), 5);
    rs.MoveFirst();
    int seen = 0;
    for (; !rs.AtEOF(); rs.MoveNext()) ++seen;
    EXPECT_EQ(seen, 5);
    EXPECT_EQ(rs.ValueAt(2, 1).ToString(), "片2");
    EXPECT_TRUE(rs.ValueAt(6, 1).IsNull());
}

TEST_F(RecordsetNavigation, FieldsByAnyCaseAndIndexWithNulls) {
    AddTitles(1);
    Recordset rs;
    rs.Open("SELECT cdid, Name, count AS Copies, remark FROM cdinfo", conn);
    EXPECT_EQ(rs.FieldIndex("NAME"), 1);
    EXPECT_EQ(rs.FieldIndex("copies"), 2);
    EXPECT_EQ(rs.FieldIndex("count"), -1);
    EXPECT_EQ(rs.Fields("name").Name(), "name");  // SQLite names a plain column as declared
    EXPECT_EQ(rs["CDID"].ToString(), Cdid(1));
    EXPECT_EQ(rs.Fields(2).GetValue(), Value(1));
    EXPECT_EQ(rs.FieldName(3), "remark");
    const Value remark = rs.Fields("Remark");
    EXPECT_TRUE(remark.IsNull());
    EXPECT_EQ(remark.ToString(), "");
    EXPECT_EQ(ErrorOf([&] { rs.Fields("nosuch"); }), "字段“nosuch”不存在。");
    EXPECT_FALSE(ErrorOf([&] { rs.Fields(4); }).isEmpty());
}

TEST_F(RecordsetNavigation, SnapshotIsReadOnceAndKeptWhateverHappensToTheFile) {
    AddTitles(3);
    Recordset rs;
    rs.Open("SELECT * FROM cdinfo WHERE count >= ?1 ORDER BY cdid", conn, adLockOptimistic, {2});
    Elsewhere("DELETE FROM cdinfo");
    EXPECT_EQ(rs.RecordCount(), 2);
    rs.MoveLast();
    EXPECT_EQ(rs["name"].ToString(), "片3");
    rs.Requery();  // the same parameters, the file as it is now
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_TRUE(rs.AtEOF() && rs.AtBOF());
}

TEST_F(RecordsetNavigation, BookmarksFindTheirRowAgain) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.SetAbsolutePosition(3);
    const Bookmark third = rs.GetBookmark();
    rs.MoveFirst();
    EXPECT_TRUE(rs.HasBookmark(third));
    EXPECT_EQ(rs.PositionOf(third), 3);
    EXPECT_EQ(rs.BookmarkAt(3), third);
    rs.SetBookmark(third);
    EXPECT_EQ(rs["count"].ToInt(), 3);
    EXPECT_FALSE(ErrorOf([&] { rs.SetBookmark(third + 1000); }).isEmpty());
    EXPECT_EQ(rs.BookmarkAt(9), 0);
}

TEST_F(RecordsetNavigation, FindWithEachOperatorAndDirection) {
    AddTitles(6);
    conn.Execute("UPDATE cdinfo SET name = 'Matrix' WHERE count = 2");
    conn.Execute("UPDATE cdinfo SET name = 'it''s 100%' WHERE count = 5");
    Recordset rs;
    rs.Open(kTitles, conn);
    const auto found = [&](const QString& criteria) {
        rs.MoveFirst();
        return rs.Find(criteria) ? rs["count"].ToInt() : 0;
    };
    EXPECT_EQ(found("name = 'matrix'"), 2);  // text ignores case
    EXPECT_EQ(found("[name]='IT''S 100%'"), 5);
    EXPECT_EQ(found("count > 3"), 4);
    EXPECT_EQ(found("count >= 3"), 3);
    EXPECT_EQ(found("count < 2"), 1);
    EXPECT_EQ(found("count <= 1"), 1);
    EXPECT_EQ(found("count <> 1"), 2);
    EXPECT_EQ(found("count = 6"), 6);
    EXPECT_EQ(found("price = 3.5"), 3);
    EXPECT_EQ(found("name like 'ma*'"), 2);
    EXPECT_EQ(found("name LIKE '%100%'"), 5);
    EXPECT_EQ(found("name like '*4'"), 4);
    EXPECT_EQ(found("buydate >= #2024-01-04#"), 4);
    EXPECT_EQ(found("buydate = #1/5/2024#"), 5);
    EXPECT_EQ(found("remark = null"), 1);
    EXPECT_EQ(found("remark <> null"), 0);
    EXPECT_TRUE(rs.AtEOF());  // not found forward: EOF

    rs.MoveLast();
    EXPECT_TRUE(rs.Find("count < 4", 0, adSearchBackward));
    EXPECT_EQ(rs["count"].ToInt(), 3);
    EXPECT_TRUE(rs.Find("count < 4", 1, adSearchBackward));  // skip the current row
    EXPECT_EQ(rs["count"].ToInt(), 2);
    EXPECT_FALSE(rs.Find("count > 10", 0, adSearchBackward));
    EXPECT_TRUE(rs.AtBOF());

    rs.MoveFirst();
    EXPECT_TRUE(rs.Find("count > 0", 1));
    EXPECT_EQ(rs["count"].ToInt(), 2);
    EXPECT_TRUE(rs.Find("count > 0", 0, adSearchForward, rs.BookmarkAt(5)));
    EXPECT_EQ(rs["count"].ToInt(), 5);

    EXPECT_FALSE(ErrorOf([&] { rs.Find("nosuch = 1"); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { rs.Find("name = 'open"); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { rs.Find("count ! 3"); }).isEmpty());
    EXPECT_EQ(rs["count"].ToInt(), 5);  // a bad criteria does not move
}

TEST_F(RecordsetNavigation, FindIfReadsEachCandidateAsCurrent) {
    AddTitles(5);
    Recordset rs;
    rs.Open(kTitles, conn);
    QSignalSpy moves(&rs, &Recordset::MoveComplete);
    EXPECT_TRUE(rs.FindIf([](const Recordset& r) { return r["count"].ToInt() % 2 == 0; }));
    EXPECT_EQ(rs["count"].ToInt(), 2);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_TRUE(rs.FindIf([](const Recordset& r) { return r["count"].ToInt() % 2 == 0; }, 1));
    EXPECT_EQ(rs["count"].ToInt(), 4);
    EXPECT_FALSE(rs.FindIf([](const Recordset& r) { return r["count"].ToInt() > 9; }));
    EXPECT_TRUE(rs.AtEOF());
    rs.MoveLast();
    EXPECT_TRUE(rs.FindIf([](const Recordset& r) { return r.AbsolutePosition() == 1; }, 0,
                          adSearchBackward));
    EXPECT_EQ(rs.AbsolutePosition(), 1);
}

TEST_F(RecordsetNavigation, MoveCompleteFollowsEveryChangeOfRow) {
    AddTitles(3);
    Recordset rs;
    QSignalSpy moves(&rs, &Recordset::MoveComplete);
    QSignalSpy sets(&rs, &Recordset::RecordsetChangeComplete);
    rs.Open(kTitles, conn);
    EXPECT_EQ(moves.count(), 1);
    EXPECT_EQ(sets.count(), 1);
    rs.MoveNext();
    rs.MoveNext();
    rs.MoveNext();  // to EOF
    EXPECT_EQ(moves.count(), 4);
    rs.SetAbsolutePosition(2);
    rs.SetAbsolutePosition(2);  // already there
    EXPECT_EQ(moves.count(), 5);
    rs.Requery();
    EXPECT_EQ(moves.count(), 6);
    EXPECT_EQ(sets.count(), 2);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.Close();
    EXPECT_EQ(sets.count(), 3);
    EXPECT_FALSE(rs.IsOpen());
    EXPECT_TRUE(rs.AtEOF());
    EXPECT_FALSE(ErrorOf([&] { rs.MoveFirst(); }).isEmpty());
}

TEST_F(RecordsetNavigation, ReadOnlyRefusesEveryChange) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn, adLockReadOnly);
    EXPECT_EQ(ErrorOf([&] { rs.Fields("name") = Value("x"); }), "记录集是只读的，不能修改。");
    EXPECT_FALSE(ErrorOf([&] { rs.AddNew(); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { rs.Delete(); }).isEmpty());
    EXPECT_NO_THROW(rs.UpdateBatch());
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");
}
