#include <QDataWidgetMapper>
#include <QLineEdit>
#include <QSignalSpy>

#include "platform/db/RecordsetModel.h"
#include "tests/platform/db/DbFixture.h"
#include "tests/support/ModelCheck.h"

using RecordsetModelTest = DbTest;

namespace {
const char* kTitles =
    "SELECT cdid, name, count, count * 2 AS twice, remark FROM cdinfo ORDER BY cdid";
}

TEST_F(RecordsetModelTest, ShowsFieldsAndValues) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn);
    QAbstractItemModel* m = rs.Model();
    EXPECT_EQ(m->rowCount(), 3);
    EXPECT_EQ(m->columnCount(), 5);
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "name");
    EXPECT_EQ(m->headerData(3, Qt::Horizontal).toString(), "twice");
    EXPECT_EQ(m->data(m->index(1, 1)).toString(), "片2");
    EXPECT_EQ(m->data(m->index(2, 3), Qt::EditRole).toInt(), 6);
    EXPECT_FALSE(m->data(m->index(0, 4)).isValid());  // Null
    EXPECT_TRUE(m->flags(m->index(0, 1)) & Qt::ItemIsEditable);
    EXPECT_FALSE(m->flags(m->index(0, 3)) & Qt::ItemIsEditable);

    Recordset ro;
    ro.Open(kTitles, conn, adLockReadOnly);
    EXPECT_FALSE(ro.Model()->flags(ro.Model()->index(0, 1)) & Qt::ItemIsEditable);
}

TEST_F(RecordsetModelTest, SetDataMovesToTheRowAndWritesTheRowLeft) {
    AddTitles(3);
    Recordset rs;
    rs.Open(kTitles, conn);
    QAbstractItemModel* m = rs.Model();
    QSignalSpy changed(m, &QAbstractItemModel::dataChanged);
    EXPECT_TRUE(m->setData(m->index(0, 1), QStringLiteral("头一部")));
    EXPECT_TRUE(m->setData(m->index(0, 4), QStringLiteral("备注")));
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE count = 1"),
              "片1");  // same row: not yet written
    EXPECT_TRUE(m->setData(m->index(2, 2), 30));
    EXPECT_EQ(rs.AbsolutePosition(), 3);
    EXPECT_EQ(Query1("SELECT name || remark FROM cdinfo WHERE count = 1"), "头一部备注");
    EXPECT_EQ(m->data(m->index(2, 2)).toInt(), 30);
    EXPECT_GE(changed.count(), 3);
    rs.Update();
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo WHERE count = 30"), "1");
}

TEST_F(RecordsetModelTest, FailuresReturnFalseAndNeverThrow) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    auto* m = static_cast<RecordsetModel*>(rs.Model());
    QSignalSpy errors(m, &RecordsetModel::ErrorRaised);
    EXPECT_FALSE(m->setData(m->index(0, 3), 9));
    EXPECT_EQ(m->LastError(), "字段“twice”是计算出来的值，不能修改。");
    EXPECT_FALSE(m->setData(m->index(0, 2), QStringLiteral("两张")));
    EXPECT_EQ(errors.count(), 2);

    EXPECT_TRUE(m->setData(m->index(0, 1), QStringLiteral("我的")));
    Elsewhere("UPDATE cdinfo SET name = '他的' WHERE count = 1");
    EXPECT_FALSE(m->setData(m->index(1, 1), QStringLiteral("别处")));  // leaving row 1 fails
    EXPECT_EQ(rs.AbsolutePosition(), 1);
    EXPECT_EQ(m->data(m->index(1, 1)).toString(), "片2");
    EXPECT_EQ(m->LastError(), "找不到要更新的记录：它可能已被删除或已被其他操作修改。");
}

TEST_F(RecordsetModelTest, StaysInStepWithTheRecordset) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    QAbstractItemModel* m = rs.Model();
    QSignalSpy inserted(m, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(m, &QAbstractItemModel::rowsRemoved);
    QSignalSpy reset(m, &QAbstractItemModel::modelReset);
    QSignalSpy changed(m, &QAbstractItemModel::dataChanged);

    rs.AddNew();
    EXPECT_EQ(inserted.count(), 1);
    EXPECT_EQ(m->rowCount(), 3);
    rs.CancelUpdate();
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(m->rowCount(), 2);

    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(3));
    changed.clear();
    rs.Update();  // the read-back shows the defaults
    EXPECT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).value<QModelIndex>().row(), 2);

    rs.MoveFirst();
    rs.Delete();
    EXPECT_EQ(removed.count(), 2);
    EXPECT_EQ(m->rowCount(), 2);
    EXPECT_EQ(m->data(m->index(0, 1)).toString(), "片2");

    rs.Requery();
    EXPECT_EQ(reset.count(), 1);
    rs.Close();
    EXPECT_EQ(reset.count(), 2);
    EXPECT_EQ(m->rowCount(), 0);
    EXPECT_EQ(m->columnCount(), 0);
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    EXPECT_EQ(reset.count(), 3);
    rs.Delete();
    rs.CancelBatch();
    EXPECT_EQ(reset.count(), 4);
    EXPECT_EQ(m->rowCount(), 2);
}

TEST_F(RecordsetModelTest, BoundTextBoxEditsTheCurrentRow) {
    AddTitles(2);
    Recordset rs;
    rs.Open(kTitles, conn);
    QLineEdit name;
    QDataWidgetMapper mapper;
    mapper.setModel(rs.Model());
    mapper.addMapping(&name, 1);
    QObject::connect(&rs, &Recordset::MoveComplete, &mapper,
                     [&] { mapper.setCurrentIndex(rs.AbsolutePosition() - 1); });
    mapper.setCurrentIndex(0);
    EXPECT_EQ(name.text(), "片1");
    name.setText(QStringLiteral("绑定的"));
    EXPECT_TRUE(mapper.submit());
    EXPECT_EQ(rs["name"].ToString(), "绑定的");
    rs.MoveNext();
    EXPECT_EQ(name.text(), "片2");
    EXPECT_EQ(Query1("SELECT name FROM cdinfo WHERE count = 1"), "绑定的");
}

namespace {
// Qt's checker found nothing since the last look, and the model has the recordset's rows
// and fields.
void ExpectSound(ModelCheck& check, Recordset& rs, const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(check.Faults(), QStringList());
    EXPECT_EQ(rs.Model()->rowCount(), rs.RecordCount());
    EXPECT_EQ(rs.Model()->columnCount(), rs.FieldCount());
}
}  // namespace

TEST_F(RecordsetModelTest, QtsModelCheckerFindsNothingThroughOptimisticChanges) {
    AddTitles(3);
    Recordset rs;
    ModelCheck check(rs.Model());
    ExpectSound(check, rs, "made before the recordset is open");
    rs.Open(kTitles, conn);
    ExpectSound(check, rs, "Open");
    Elsewhere("DELETE FROM cdinfo WHERE count = 2");
    rs.Requery();
    ExpectSound(check, rs, "Requery with a row gone");

    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(4));
    rs.Fields("name") = Value(QStringLiteral("新片"));
    ExpectSound(check, rs, "AddNew and field edits");
    rs.Update();
    ExpectSound(check, rs, "Update (read-back of the new row)");
    rs.AddNew();
    rs.CancelUpdate();
    ExpectSound(check, rs, "CancelUpdate of a new row");
    rs.MoveFirst();
    rs.Fields("name") = Value(QStringLiteral("改了又改回"));
    rs.CancelUpdate();
    ExpectSound(check, rs, "CancelUpdate of an edit");
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(0, 1)).toString(), "片1");

    QAbstractItemModel* m = rs.Model();
    ASSERT_TRUE(m->setData(m->index(0, 1), QStringLiteral("格中改")));
    ASSERT_TRUE(m->setData(m->index(2, 1), QStringLiteral("离开上一行")));
    ExpectSound(check, rs, "edits through the model writing the row left");

    rs.MoveFirst();
    rs.Delete();
    ExpectSound(check, rs, "Delete of the first row");
    rs.MoveLast();
    rs.Delete();
    ExpectSound(check, rs, "Delete of the last row");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "1");

    rs.Close();
    ExpectSound(check, rs, "Close");
    rs.Open("SELECT cdid, name FROM cdinfo", conn);
    ExpectSound(check, rs, "Open of a query with other fields");
}

TEST_F(RecordsetModelTest, QtsModelCheckerFindsNothingThroughBatchChanges) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    ModelCheck check(rs.Model());
    rs.Fields("name") = Value(QStringLiteral("批改"));
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(5));
    rs.MoveFirst();
    rs.MoveNext();
    rs.Delete();
    ExpectSound(check, rs, "edit, AddNew and Delete waiting for the batch");
    rs.UpdateBatch();
    ExpectSound(check, rs, "UpdateBatch");
    EXPECT_EQ(Query1("SELECT count(*) || name FROM cdinfo WHERE count = 1"), "1批改");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "4");

    rs.MoveFirst();
    rs.Fields("name") = Value(QStringLiteral("不要了"));
    rs.MoveLast();
    rs.Delete();
    rs.AddNew();
    rs.Fields("cdid") = Value(Cdid(6));
    rs.CancelBatch(adAffectCurrent);
    ExpectSound(check, rs, "CancelBatch of the new row");
    rs.CancelBatch();
    ExpectSound(check, rs, "CancelBatch of every pending change");
    EXPECT_EQ(rs.RecordCount(), 4);
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(0, 1)).toString(), "批改");
}

TEST_F(RecordsetModelTest, QtsModelCheckerFindsNothingWhenAnOuterTransactionEnds) {
    AddTitles(4);
    Recordset rs, batch;
    rs.Open(kTitles, conn);
    batch.Open(kTitles, conn, adLockBatchOptimistic);
    ModelCheck check(rs.Model());
    {
        Transaction outer(conn);
        rs.MoveLast();
        rs.Delete();
        rs.AddNew();
        rs.Fields("cdid") = Value(Cdid(5));
        rs.Fields("name") = Value(QStringLiteral("提交的"));
        rs.Update();
        ExpectSound(check, rs, "writes waiting for the outer commit");
        EXPECT_EQ(rs.RecordCount(), 4) << "the written rows show as the file holds them";
        outer.Commit();
    }
    ExpectSound(check, rs, "the outer commit");
    EXPECT_EQ(rs.RecordCount(), 4);
    {
        Transaction outer(conn);
        rs.MoveFirst();
        rs.Delete();
        rs.MoveLast();
        rs.Fields("name") = Value(QStringLiteral("回滚的"));
        rs.Update();
    }
    ExpectSound(check, rs, "the outer rollback");
    EXPECT_EQ(rs.RecordCount(), 4) << "the row the rollback kept is shown again";
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(0, 1)).toString(), "片1");
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(3, 1)).toString(), "回滚的")
        << "the edit the rollback did not write is pending again";
    rs.CancelBatch();
    ExpectSound(check, rs, "CancelBatch of the edit the rollback left pending");
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(3, 1)).toString(), "提交的");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "4");
}

TEST_F(RecordsetModelTest, QtsModelCheckerFindsNothingWhenABatchEndsInAnOuterTransaction) {
    AddTitles(4);
    Recordset rs;
    rs.Open(kTitles, conn, adLockBatchOptimistic);
    ModelCheck check(rs.Model());
    rs.Delete();
    rs.Fields("name") = Value(QStringLiteral("批中改"));
    {
        Transaction outer(conn);
        rs.UpdateBatch();
    }
    ExpectSound(check, rs, "UpdateBatch rolled back by the outer transaction");
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "4");
    EXPECT_TRUE(rs.HasPendingChanges());
    {
        Transaction outer(conn);
        rs.UpdateBatch();
        outer.Commit();
    }
    ExpectSound(check, rs, "UpdateBatch committed by the outer transaction");
    EXPECT_FALSE(rs.HasPendingChanges());
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "3");
    EXPECT_EQ(rs.Model()->data(rs.Model()->index(0, 1)).toString(), "批中改");
}
