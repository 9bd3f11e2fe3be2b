#include <QSignalSpy>

#include "tests/platform/db/DbFixture.h"

using RecordsetWrite = DbTest;

namespace {
const char* kTitles = "SELECT cdid, name, count, price, remark FROM cdinfo ORDER BY cdid";
const QString kGone = QStringLiteral("找不到要更新的记录：它可能已被删除或已被其他操作修改。");
}  // namespace

TEST_F(RecordsetWrite, EditIsWrittenWhenTheCursorLeavesTheRow) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn);
    QSignalSpy fieldSpy(&rs, &Recordset::FieldChangeComplete);
    QSignalSpy recordSpy(&rs, &Recordset::RecordChangeComplete);
    rs.Fields("name") = Value("新片名");
    EXPECT_EQ(rs.EditMode(), adEditInProgress);
    EXPECT_TRUE(rs.HasPendingChanges());
    EXPECT_EQ(rs["name"].ToString(), "新片名");
    EXPECT_EQ(rs.Fields("name").OriginalValue().ToString(), "片1");
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE cdid = '" + Cdid(1) + "'"), "片1");
    EXPECT_EQ(fieldSpy.count(), 1);
    EXPECT_EQ(fieldSpy.at(0).at(0).toInt(), 1);

    rs.MoveNext();
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE cdid = '" + Cdid(1) + "'"), "新片名");
    EXPECT_EQ(rs.EditMode(), adEditNone);
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(recordSpy.count(), 1);

    rs.SetValue("remark", Value(QStringLiteral("O'Brien 说 \"100%\"")));
    rs.Update();
    EXPECT_EQ(Query1("SELECT remark FROM cdinfo WHERE cdid = '" + Cdid(2) + "'"),
              "O'Brien 说 \"100%\"");
    rs.SetValue(3, Value());                  // price to Null
    rs.Fields("remark") = rs.Fields("name");  // copies the value, not the reference
    rs.MovePrevious();
    EXPECT_EQ(
        Query1("SELECT ifnull(price, '-') || remark FROM cdinfo WHERE cdid = '" + Cdid(2) + "'"),
        "-片2");
}

TEST_F(RecordsetWrite, TypedTextsBecomeTheColumnsTypes) {
    AddTitles(1);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.Fields("count") = Value("12");
    EXPECT_TRUE(rs["count"].IsInteger());
    rs.Fields("price") = Value(" 7.25 ");
    EXPECT_TRUE(rs["price"].IsDouble());
    // Told to an operator who typed into a grid cell: in Chinese alone, naming no column.
    EXPECT_EQ(ErrorOf([&] { rs.Fields("count") = Value("七张"); }),
              "“七张”不是数字，这里只能填写数字。");
    rs.Fields("remark") = Value(12.5);
    EXPECT_EQ(rs["remark"], Value("12.5"));
    rs.Update();
    EXPECT_EQ(Query1("SELECT typeof(count) || typeof(price) || count || ':' || price FROM cdinfo"),
              "integerreal12:7.25");
    rs.Fields("price") = Value("");
    rs.Update();
    EXPECT_EQ(Query1("SELECT price FROM cdinfo"), "<null>");
}

TEST_F(RecordsetWrite, ConflictingWriteFailsAndKeepsPositionAndEdit) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.MoveNext();
    Elsewhere("UPDATE cdinfo SET name = '别人改的' WHERE count = 2");
    rs.Fields("name") = Value("我改的");
    EXPECT_EQ(ErrorOf([&] { rs.MoveNext(); }), kGone);
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    EXPECT_EQ(rs.EditMode(), adEditInProgress);
    EXPECT_EQ(rs["name"].ToString(), "我改的");
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE count = 2"), "别人改的");
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }), kGone);

    rs.CancelUpdate();
    EXPECT_EQ(rs["name"].ToString(), "片2");
    EXPECT_EQ(rs.EditMode(), adEditNone);
    rs.MoveNext();
    EXPECT_EQ(rs.AbsolutePosition(), 3);
}

TEST_F(RecordsetWrite, OnlyTheChangedColumnsMustBeAsRead) {
    AddTitles(1);
    Recordset rs;
    rs.Open(kTitles, conn);
    Elsewhere("UPDATE cdinfo SET remark = '柜台'");
    rs.Fields("name") = Value("改名");
    rs.Update();
    EXPECT_EQ(Query1("SELECT name || remark FROM cdinfo"), "改名柜台");
    EXPECT_EQ(rs["remark"].ToString(), "柜台");  // read back with the write
}

TEST_F(RecordsetWrite, RowDeletedUnderneathCannotBeUpdatedOrDeleted) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    Elsewhere("DELETE FROM cdinfo WHERE count = 1");
    rs.Fields("count") = Value(5);
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }), kGone);
    EXPECT_EQ(ErrorOf([&] { rs.MoveLast(); }), kGone);
    rs.CancelUpdate();
    EXPECT_EQ(ErrorOf([&] { rs.Delete(); }),
              "找不到要删除的记录：它可能已被删除或已被其他操作修改。");
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
}

TEST_F(RecordsetWrite, FailedInsertOrKeyClashKeepsTheEdit) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.Fields("cdid") = Value(Cdid(2));
    const QString e = ErrorOf([&] { rs.MoveNext(); });
    EXPECT_TRUE(e.startsWith("数据不符合数据库的约束")) << e.toStdString();
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    rs.Fields("cdid") = Value(Cdid(7));
    rs.MoveNext();
    EXPECT_EQ(Query1("SELECT group_concat(count) FROM (SELECT count FROM cdinfo ORDER BY cdid)"),
              "2,1");
}

TEST_F(RecordsetWrite, AddNewReadsBackDefaultsAndTheNumberedKey) {
    Recordset types;
    types.Open("SELECT typeid, type FROM type ORDER BY typeid", conn);
    types.AddNew();
    EXPECT_EQ(types.EditMode(), adEditAdd);
    EXPECT_TRUE(types["typeid"].IsNull());
    types.Fields("type") = Value("DVD");
    types.Update();
    EXPECT_EQ(types["typeid"], Value(1));
    types.AddNew();
    types.Fields("type") = Value("VCD");
    types.MoveFirst();  // leaving the new row adds it
    EXPECT_EQ(types.RecordCount(), 2);
    EXPECT_EQ(types.ValueAt(2, 0), Value(2));
    EXPECT_EQ(Query1("SELECT group_concat(typeid || type) FROM type"), "1DVD,2VCD");

    AddTitles(1);
    Recordset rs;
    rs.Open("SELECT cdid, name, outcount, isabandon, borrowearn FROM cdinfo", conn);
    rs.AddNew();
    EXPECT_EQ(rs.AbsolutePosition(), 2);
    rs.Fields("cdid") = Value(Cdid(9));
    rs.Fields("name") = Value("新片");
    rs.Update();
    EXPECT_EQ(rs["outcount"], Value(0));
    EXPECT_EQ(rs["isabandon"], Value(0));
    EXPECT_EQ(rs["borrowearn"], Value(0.0));
    EXPECT_EQ(rs.EditMode(), adEditNone);
    rs.Fields("name") = Value("新片二");  // the added row is now an ordinary row
    rs.Update();
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE cdid = '" + Cdid(9) + "'"), "新片二");
}

TEST_F(RecordsetWrite, CancelledNewRowDisappears) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.SetAbsolutePosition(2);
    QSignalSpy moves(&rs, &Recordset::MoveComplete);
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(8));
    EXPECT_EQ(rs.RecordCount(), 4);
    rs.CancelUpdate();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.AbsolutePosition(), 2);  // back where it was before AddNew
    EXPECT_EQ(moves.count(), 2);
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "3");

    rs.AddNew();
    rs.Delete();  // never written: nothing to delete in the file
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_FALSE(rs.HasPendingChanges());
}

TEST_F(RecordsetWrite, DeleteRemovesAtOnceAndLandsOnTheNextRow) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.SetAbsolutePosition(4);
    const Bookmark fourth = rs.GetBookmark();
    rs.SetAbsolutePosition(2);
    const Bookmark second = rs.GetBookmark();
    rs.Fields("name") = Value("不要了");  // a pending edit goes with the row
    rs.Delete();
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "3");
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs["count"].ToInt(), 3);
    EXPECT_FALSE(rs.HasBookmark(second));
    EXPECT_EQ(rs.PositionOf(fourth), 3);
    rs.SetBookmark(fourth);
    rs.Delete();
    EXPECT_TRUE(rs.AtEOF());
    EXPECT_FALSE(rs.AtBOF());
    rs.MoveFirst();
    rs.Delete();
    rs.Delete();
    EXPECT_TRUE(rs.AtEOF() && rs.AtBOF());
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "0");
}

TEST_F(RecordsetWrite, JoinWritesEachTableInOneTransaction) {
    AddTitles(2);
    conn.Execute("INSERT INTO borrowinfo (borrowid, name, borrowcount) VALUES (?1, '000001', 1)",
                 {Cdid(1) + "0001"});
    const char* sql =
        "SELECT b.borrowid, b.name AS customer, b.remark, c.cdid, c.name, c.count * 2 AS twice "
        "FROM borrowinfo b JOIN cdinfo c ON c.cdid = substr(b.borrowid, 1, 12)";
    Recordset rs;
    rs.Open(sql, conn);
    EXPECT_TRUE(rs.IsUpdatable(2));
    EXPECT_TRUE(rs.IsUpdatable(4));
    EXPECT_FALSE(rs.IsUpdatable(5));
    rs.Fields("remark") = Value("押证件");
    rs.Fields("name") = Value("片一");
    rs.Update();
    EXPECT_EQ(Query1("SELECT remark FROM borrowinfo"), "押证件");
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE count = 1"), "片一");

    Elsewhere("UPDATE cdinfo SET name = '别人' WHERE count = 1");
    rs.Fields("remark") = Value("第二次");
    rs.Fields("name") = Value("片壹");
    EXPECT_EQ(ErrorOf([&] { rs.Update(); }), kGone);
    EXPECT_EQ(Query1("SELECT remark FROM borrowinfo"), "押证件");  // neither table written

    rs.CancelUpdate();
    rs.Delete();  // a join deletes from the table of its first field only
    EXPECT_EQ(Query1("SELECT count(*) FROM borrowinfo"), "0");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");
}

TEST_F(RecordsetWrite, ComputedOrKeylessFieldsRefuseEdits) {
    AddTitles(2);
    Recordset rs;
    rs.Open("SELECT cdid, name, count * 2 AS twice, upper(name) FROM cdinfo", conn);
    EXPECT_EQ(ErrorOf([&] { rs.Fields("twice") = Value(3); }),
              "字段“twice”是计算出来的值，不能修改。");
    EXPECT_FALSE(rs.IsUpdatable(3));
    EXPECT_EQ(rs.EditMode(), adEditNone);

    Recordset keyless;
    keyless.Open("SELECT name, count FROM cdinfo", conn);
    EXPECT_FALSE(keyless.IsUpdatable(0));
    EXPECT_FALSE(ErrorOf([&] { keyless.Fields("name") = Value("x"); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { keyless.AddNew(); }).isEmpty());
    EXPECT_FALSE(ErrorOf([&] { keyless.Delete(); }).isEmpty());

    Recordset grouped;
    grouped.Open("SELECT type, count(*) AS n FROM cdinfo GROUP BY type", conn);
    EXPECT_FALSE(grouped.IsUpdatable(0));
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "2");
}

TEST_F(RecordsetWrite, RequeryWritesThePendingEditFirst) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    rs.MoveLast();
    rs.Fields("name") = Value("写了再读");
    Elsewhere("INSERT INTO cdinfo (cdid, name) VALUES ('000100000003', '新来的')");
    rs.Requery();
    EXPECT_EQ(rs.RecordCount(), 3);
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(rs.ValueAt(2, 1).ToString(), "写了再读");

    rs.Fields("name") = Value("冲突");
    Elsewhere("DELETE FROM cdinfo WHERE count = 1");
    EXPECT_EQ(ErrorOf([&] { rs.Requery(); }), kGone);
    EXPECT_EQ(rs.RecordCount(), 3);  // the failed write leaves the snapshot as it was
    rs.Close();                      // discards the edit
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo WHERE name = '冲突'"), "0");
}
