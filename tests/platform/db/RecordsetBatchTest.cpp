#include <QSignalSpy>

#include "tests/platform/db/DbFixture.h"

using RecordsetBatch = DbTest;

namespace {
const char* kTitles = "SELECT cdid, name, count FROM cdinfo ORDER BY cdid";
// The names in the file, in key order; "-" for Null.
const char* kNames =
    "SELECT group_concat(ifnull(name, '-'), ',') FROM (SELECT name FROM cdinfo ORDER BY cdid)";
}  // namespace

TEST_F(RecordsetBatch, ChangesWaitForUpdateBatchThenGoTogether) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    rs.Fields("name") = Value("甲");
    rs.MoveNext();  // no write when leaving the row
    rs.Fields("name") = Value("乙");
    rs.MoveNext();
    rs.Delete();
    EXPECT_EQ(rs.RecordCount(), 3);  // the deleted row is hidden
    EXPECT_EQ(rs["count"].ToInt(), 4);
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(5));
    rs.Fields("name") = Value("戊");
    rs.Update();  // ends the edit; still pending
    EXPECT_EQ(rs.EditMode(), adEditNone);
    EXPECT_TRUE(rs.HasPendingChanges());
    EXPECT_EQ(Query1(kNames), "片1,片2,片3,片4");

    QSignalSpy records(&rs, &Recordset::RecordChangeComplete);
    rs.UpdateBatch();
    EXPECT_EQ(records.count(), 1);
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(Query1(kNames), "甲,乙,片4,戊");
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs["count"], Value());  // read back: the new row has no count
}

TEST_F(RecordsetBatch, OneFailingRowLeavesEveryChangeUnwrittenAndPending) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    rs.Fields("name") = Value("甲");
    rs.MoveNext();
    rs.Delete();
    rs.Fields("name") = Value("丙");
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(4));
    Elsewhere("DELETE FROM cdinfo WHERE count = 3");

    EXPECT_EQ(ErrorOf([&] { rs.UpdateBatch(); }),
              "找不到要更新的记录：它可能已被删除或已被其他操作修改。");
    EXPECT_EQ(Query1(kNames), "片1,片2");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");
    EXPECT_TRUE(rs.HasPendingChanges());
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.ValueAt(1, 1).ToString(), "甲");

    rs.SetAbsolutePosition(2);  // the row that cannot be written
    rs.CancelBatch(adAffectCurrent);
    EXPECT_EQ(rs["name"].ToString(), "片3");
    rs.UpdateBatch();
    EXPECT_EQ(Query1(kNames), "甲,-");  // row 2 deleted, row 4 added with no name
    EXPECT_FALSE(rs.HasPendingChanges());
}

TEST_F(RecordsetBatch, CancelBatchRestoresEverything) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    const Bookmark first = rs.GetBookmark();
    rs.Fields("name") = Value("改");
    rs.SetAbsolutePosition(3);
    const Bookmark third = rs.GetBookmark();
    rs.Delete();
    rs.MoveFirst();
    rs.Delete();
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(9));
    EXPECT_EQ(rs.RecordCount(), 3);

    QSignalSpy moves(&rs, &Recordset::MoveComplete);
    rs.CancelBatch();
    EXPECT_EQ(moves.count(), 1);
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.PositionOf(third), 3);  // deleted rows come back in their place
    EXPECT_EQ(rs.PositionOf(first), 1);
    EXPECT_EQ(rs.ValueAt(1, 1).ToString(), "片1");
    EXPECT_EQ(rs.EditMode(), adEditNone);
    rs.UpdateBatch();  // nothing to write
    EXPECT_EQ(Query1(kNames), "片1,片2,片3,片4");
}

TEST_F(RecordsetBatch, CurrentOnlyAndCancelUpdateOfTheEditInProgress) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    rs.Fields("name") = Value("一");
    rs.MoveNext();
    rs.Fields("name") = Value("二");
    rs.UpdateBatch(adAffectCurrent);
    EXPECT_EQ(Query1(kNames), "片1,二,片3");
    EXPECT_TRUE(rs.HasPendingChanges());  // row 1 still waits

    rs.MoveFirst();
    rs.Fields("name") = Value("壹");
    EXPECT_EQ(rs.EditMode(), adEditInProgress);
    rs.CancelUpdate();  // back to the pending "一", not to the file's value
    EXPECT_EQ(rs["name"].ToString(), "一");
    EXPECT_EQ(rs.Fields("name").OriginalValue().ToString(), "片1");
    rs.CancelBatch(adAffectCurrent);
    EXPECT_EQ(rs["name"].ToString(), "片1");
    EXPECT_FALSE(rs.HasPendingChanges());
}

TEST_F(RecordsetBatch, RequeryDiscardsAndOptimisticUpdateBatchWrites) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    rs.Fields("name") = Value("丢掉");
    rs.Requery();
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(rs["name"].ToString(), "片1");

    Recordset opt;
    opt.Open(kTitles, conn);
    opt.Fields("name") = Value("写入");
    opt.UpdateBatch();
    EXPECT_FALSE(opt.HasPendingChanges());
    EXPECT_EQ(Query1(kNames), "写入,片2");
    opt.Fields("name") = Value("不要");
    opt.CancelBatch();
    EXPECT_EQ(opt["name"].ToString(), "写入");
}

// Inside an operation's transaction a recordset's writes show in its snapshot as they do in
// the file; when the operation rolls back, the snapshot is as it was before, edits pending.
TEST_F(RecordsetBatch, TheSnapshotFollowsTheOutermostTransaction) {
    AddTitles(3);
    Recordset rs;
    rs.Open("SELECT cdid, name FROM cdinfo ORDER BY cdid", conn, adLockBatchOptimistic);
    rs.Fields("name") = Value("改名");
    {
        Transaction outer(conn);
        rs.UpdateBatch();
        EXPECT_FALSE(rs.HasPendingChanges());
        EXPECT_EQ(conn.Scalar("SELECT name FROM cdinfo WHERE cdid = ?1", {Cdid(1)}).ToString(),
                  "改名");
    }  // rolled back
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE cdid = '" + Cdid(1) + "'"), "片1");
    EXPECT_TRUE(rs.HasPendingChanges());
    EXPECT_EQ(rs["name"].ToString(), "改名");
    EXPECT_EQ(rs.Fields("name").OriginalValue().ToString(), "片1");

    // An optimistic edit written and then left in the same transaction is written once.
    Recordset optimistic;
    optimistic.Open("SELECT cdid, name FROM cdinfo ORDER BY cdid", conn);
    {
        Transaction outer(conn);
        optimistic.Fields("name") = Value("甲");
        optimistic.Update();
        optimistic.MoveNext();
        optimistic.Fields("name") = Value("乙");
        optimistic.MoveLast();
        optimistic.Delete();
        EXPECT_EQ(optimistic.RecordCount(), 2);
        outer.Commit();
    }
    EXPECT_EQ(Query1("SELECT group_concat(name) FROM cdinfo"), "甲,乙");
    EXPECT_EQ(optimistic.RecordCount(), 2);

    // A delete rolled back puts the row back where it was, current again.
    optimistic.MoveFirst();
    {
        Transaction outer(conn);
        optimistic.Delete();
        EXPECT_EQ(optimistic.RecordCount(), 1);
    }
    EXPECT_EQ(optimistic.RecordCount(), 2);
    EXPECT_EQ(optimistic.AbsolutePosition(), 1);
    EXPECT_EQ(optimistic["name"].ToString(), "甲");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");

    // A recordset gone before the rollback is simply left out.
    {
        Transaction outer(conn);
        auto gone = std::make_unique<Recordset>();
        gone->Open("SELECT cdid, name FROM cdinfo ORDER BY cdid", conn);
        gone->Delete();
        gone.reset();
    }
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");
}
