#include <gtest/gtest.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QVBoxLayout>
#include <functional>
#include <stdexcept>

#include "platform/text/TypedAmount.h"
#include "platform/ui/ControlEvents.h"
#include "platform/ui/DataGrid.h"
#include "tests/platform/ui/MemberFixture.h"
#include "tests/support/ModelCheck.h"

namespace {

// The member page's grid: five designed columns over "select * from userinfo".
class DataGridTest : public MemberFixture {
  protected:
    void SetUp() override {
        MemberFixture::SetUp();
        auto* layout = new QVBoxLayout(&window);
        grid = new DataGrid(&window);
        other = new QLineEdit(&window);
        layout->addWidget(grid);
        layout->addWidget(other);
        grid->AddColumns({{"会员编号", "userid"},
                          {"会员姓名", "username"},
                          {"已缴会费", "money", 1300, "￥#,##0.00"},
                          {"入会时间", "JoinDate"},
                          {"联系电话", "telephone"}});
        grid->SetDataSource(rs.get());
        QObject::connect(grid, &DataGrid::RowColChange, [this](int lastRow, int lastCol) {
            log << QString("RowColChange %1 %2").arg(lastRow).arg(lastCol);
        });
        window.resize(700, 300);
        ASSERT_TRUE(ShowActive(&window));
    }
    void TearDown() override {
        grid->SetDataSource(nullptr);
        MemberFixture::TearDown();
    }
    QPoint CellCentre(int row, int col) const {
        return grid->visualRect(grid->model()->index(row, col)).center();
    }
    // Enter in a cell editor commits it once the event loop runs.
    void Enter(QLineEdit* editor) {
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    QLineEdit* OpenEditor(int row, int col) {
        grid->setCurrentIndex(grid->model()->index(row, col));
        grid->edit(grid->model()->index(row, col));
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    QWidget window;
    DataGrid* grid = nullptr;
    QLineEdit* other = nullptr;
    QStringList log;
};

TEST_F(DataGridTest, ShowsDesignedColumnsWithCaptionsFormatsAndWidths) {
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->model()->columnCount(), 5);
    EXPECT_EQ(grid->model()->headerData(2, Qt::Horizontal).toString(), "已缴会费");
    EXPECT_EQ(grid->model()->index(2, 2).data().toString(), "￥1,234.50");
    EXPECT_EQ(grid->model()->index(0, 1).data().toString(), "张三");
    EXPECT_EQ(grid->columnWidth(2), 87);
    EXPECT_EQ(grid->Columns(2).Width(), 1300);
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(grid->Columns(2).Text(), "￥12.50");
    EXPECT_EQ(grid->model()->headerData(0, Qt::Vertical).toString(), "▶");

    grid->Columns(4).SetVisible(false);
    EXPECT_TRUE(grid->isColumnHidden(4));
    grid->Columns(1).SetCaption("姓名");
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "姓名");
    EXPECT_THROW(grid->Columns(5), std::out_of_range);
}

TEST_F(DataGridTest, CurrentRowFollowsTheRecordsetAndTheOperator) {
    rs->MoveLast();
    EXPECT_EQ(grid->Row(), 2);
    EXPECT_EQ(log, QStringList{"RowColChange 0 0"});

    log.clear();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 3));
    EXPECT_EQ(rs->AbsolutePosition(), 2);
    EXPECT_EQ((*rs)["username"].ToString(), "李四");
    EXPECT_EQ(log, QStringList{"RowColChange 2 0"});

    log.clear();
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    QTest::keyClick(grid, Qt::Key_Left);
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    EXPECT_EQ(grid->Col(), 2);
    EXPECT_EQ(log, (QStringList{"RowColChange 1 3", "RowColChange 2 3"}))
        << "a column change is a change too";

    // A new row appears as the current row; cancelling it brings the grid back.
    log.clear();
    rs->AddNew();
    EXPECT_EQ(grid->model()->rowCount(), 4);
    EXPECT_EQ(grid->Row(), 3);
    EXPECT_EQ(log.size(), 1);
    rs->CancelUpdate();
    EXPECT_EQ(grid->model()->rowCount(), 3);
    EXPECT_EQ(grid->Row(), rs->AbsolutePosition() - 1);

    rs->Requery();
    EXPECT_EQ(grid->Row(), 0);
}

TEST_F(DataGridTest, OperatorsCellEditIsWrittenWhenTheRowChanges) {
    QStringList events;
    QObject::connect(grid, &DataGrid::BeforeColUpdate, [&](int col, const Value& old, int&) {
        events << QString("Before %1 %2").arg(col).arg(old.ToString());
    });
    QObject::connect(grid, &DataGrid::AfterColUpdate,
                     [&](int col) { events << QString("After %1").arg(col); });
    QObject::connect(grid, &DataGrid::AfterColEdit,
                     [&](int col) { events << QString("Edit %1").arg(col); });

    QLineEdit* editor = OpenEditor(0, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("Zhang");
    Enter(editor);
    EXPECT_EQ(events, (QStringList{"Before 1 张三", "After 1", "Edit 1"}));
    EXPECT_EQ((*rs)["username"].ToString(), "Zhang");
    EXPECT_EQ(NameInFile("000001"), "张三") << "the edit waits for the row to change";

    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(NameInFile("000001"), "Zhang");

    // An open editor is committed when the operator clicks another row.
    editor = OpenEditor(1, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("Li");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
    EXPECT_EQ(NameInFile("000002"), "Li");
    EXPECT_EQ(rs->AbsolutePosition(), 3);
}

TEST_F(DataGridTest, BeforeColUpdateCanRefuseAndAmountsAreReadBack) {
    QObject::connect(grid, &DataGrid::BeforeColUpdate, [](int col, const Value&, int& cancel) {
        if (col == 1) cancel = 1;
    });
    QLineEdit* editor = OpenEditor(0, 1);
    editor->setText("nobody");
    Enter(editor);
    EXPECT_EQ((*rs)["username"].ToString(), "张三");

    editor = OpenEditor(0, 2);
    EXPECT_EQ(editor->text(), "12.5") << "the editor holds the value, not the shown text";
    editor->setText("￥1,000.00");
    Enter(editor);
    EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 1000.0);
    EXPECT_TRUE((*rs)["money"].IsDouble());

    // Letters in a money column are refused with a message; the field keeps its value.
    editor = OpenEditor(0, 2);
    editor->setText("abc");
    Enter(editor);
    EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 1000.0);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
              "已缴会费“abc”不是正确的金额，请输入不小于 0 的金额，例如 12.50 或 ￥12.50。")
        << "the money boxes' own message, in Chinese alone";
}

// A money cell reads what the operator types as every money box does: to the fen, full-width
// digits as digits; a text that is no amount (a percent sign among them) or a negative
// amount is refused with the money boxes' own message and nothing is written.
TEST_F(DataGridTest, AMoneyCellReadsAmountsAsEveryMoneyBoxDoes) {
    const std::pair<const char*, double> read[] = {
        {"12.346", 12.35}, {"５０", 50}, {"￥1,200.00", 1200}, {"１２．５", 12.5}};
    for (const auto& [typed, amount] : read) {
        QLineEdit* editor = OpenEditor(0, 2);
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromUtf8(typed));
        Enter(editor);
        EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), amount) << typed;
    }
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    for (const char* typed : {"5O", "50%", "1200%", "-5", "abc", "1,2"}) {
        MsgBoxLog::Get().Reset();
        QLineEdit* editor = OpenEditor(0, 2);
        ASSERT_NE(editor, nullptr);
        editor->setText(QString::fromUtf8(typed));
        Enter(editor);
        EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 12.5) << typed;
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << typed;
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
                  AmountRefusal("已缴会费", QString::fromUtf8(typed)));
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "提示");
    }
}

TEST_F(DataGridTest, LockedColumnsAndAllowUpdateStopEditing) {
    const auto editable = [this](int col) {
        return bool(grid->model()->flags(grid->model()->index(0, col)) & Qt::ItemIsEditable);
    };
    EXPECT_TRUE(editable(1));
    grid->Columns(1).SetLocked(true);
    EXPECT_FALSE(editable(1));
    EXPECT_TRUE(editable(3));
    grid->SetAllowUpdate(false);
    EXPECT_FALSE(editable(3));

    Open(adLockReadOnly);
    grid->SetDataSource(rs.get());
    grid->SetAllowUpdate(true);
    EXPECT_FALSE(editable(3)) << "a read-only recordset cannot be edited";
}

TEST_F(DataGridTest, ColumnTextFromCodeWritesTheCurrentRowsField) {
    rs->MoveNext();
    grid->Columns(2).SetText("￥88.00");
    grid->Columns(3).SetText("2024-12-01");
    EXPECT_DOUBLE_EQ((*rs)["money"].ToDouble(), 88.0);
    EXPECT_EQ(grid->Columns(2).Text(), "￥88.00");
    EXPECT_EQ(grid->model()->index(1, 2).data().toString(), "￥88.00");
    EXPECT_EQ(grid->Columns(3).Text(), "2024-12-01");
    EXPECT_THROW(grid->Columns(2).SetText("abc"), DbError);
    EXPECT_EQ(log, QStringList{"RowColChange 0 0"})
        << "writing a column from code raises no grid event";

    rs->MoveFirst();
    EXPECT_EQ(Query1("select money from userinfo where userid='000002'"), "88.0");
    EXPECT_EQ(grid->Columns(0).Text(), "000001");
    rs->MoveLast();
    rs->MoveNext();
    EXPECT_EQ(grid->Columns(0).Text(), "") << "no current row reads empty";
    EXPECT_EQ(grid->Row(), -1);
}

TEST_F(DataGridTest, HeadClickGivesTheColumn) {
    QList<int> clicked;
    QObject::connect(grid, &DataGrid::HeadClick, [&](int col) { clicked << col; });
    QHeaderView* header = grid->horizontalHeader();
    const int x = header->sectionViewportPosition(3) + header->sectionSize(3) / 2;
    QTest::mouseClick(header->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(x, header->height() / 2));
    EXPECT_EQ(clicked, QList<int>{3});
    EXPECT_EQ(grid->SelBookmarks().Count(), 0) << "a heading selects nothing";
}

TEST_F(DataGridTest, SelBookmarksFromCodeAndRecordSelectors) {
    const Bookmark third = rs->BookmarkAt(3);
    const Bookmark first = rs->BookmarkAt(1);
    grid->SelBookmarks().Add(third);
    grid->SelBookmarks().Add(first);
    ASSERT_EQ(grid->SelBookmarks().Count(), 2);
    EXPECT_EQ(grid->SelBookmarks().Item(0), first);
    EXPECT_EQ(grid->SelBookmarks().Item(1), third);
    grid->SelBookmarks().Remove(0);
    EXPECT_EQ(grid->SelBookmarks().Count(), 1);
    grid->SelBookmarks().Clear();
    EXPECT_EQ(grid->SelBookmarks().Count(), 0);

    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(1, 1));
    EXPECT_EQ(grid->SelBookmarks().Count(), 0) << "clicking a cell only moves the current row";

    QHeaderView* selectors = grid->verticalHeader();
    const auto selectorOf = [selectors](int row) {
        return QPoint(selectors->width() / 2,
                      selectors->sectionViewportPosition(row) + selectors->sectionSize(row) / 2);
    };
    QTest::mouseClick(selectors->viewport(), Qt::LeftButton, Qt::NoModifier, selectorOf(2));
    EXPECT_EQ(grid->SelBookmarks().Count(), 1);
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    QTest::mouseClick(selectors->viewport(), Qt::LeftButton, Qt::ControlModifier, selectorOf(0));
    EXPECT_EQ(grid->SelBookmarks().Count(), 2);
    QTest::mouseClick(selectors->viewport(), Qt::LeftButton, Qt::NoModifier, selectorOf(1));
    EXPECT_EQ(grid->SelBookmarks().Count(), 1);
    EXPECT_EQ(grid->SelBookmarks().Item(0), rs->BookmarkAt(2));
}

TEST_F(DataGridTest, RowThatCannotBeWrittenKeepsTheGridOnIt) {
    rs->Fields("username") = Value("changed");
    Sql("DELETE FROM userinfo WHERE userid='000001'");  // gone behind the program's back
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, CellCentre(2, 1));
    EXPECT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_EQ(grid->Row(), 0);
}

TEST_F(DataGridTest, LostFocusComesAfterTheEditorIsCommitted) {
    QString seen;
    OnLostFocus(grid, &window, [&] { seen = (*rs)["username"].ToString(); });
    QLineEdit* editor = OpenEditor(0, 1);
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(seen.isEmpty()) << "moving into the cell editor is not leaving the grid";
    editor->setText("Zhang");
    other->setFocus();
    EXPECT_EQ(seen, "Zhang");
}

TEST_F(DataGridTest, MouseAndKeysAsEveryControlsEvents) {
    QStringList events;
    OnMouseMove(grid, &window, [&](int button, int, double x, double y) {
        events << QString("Move %1 %2 %3").arg(button).arg(x > 0).arg(y > 0);
    });
    OnKeyDown(grid, &window, [&](int& keyCode, int shift) {
        events << QString("KeyDown %1 %2").arg(keyCode).arg(shift);
    });
    MoveMouse(grid->viewport(), CellCentre(1, 1));
    QTest::keyClick(grid, Qt::Key_Down);
    EXPECT_EQ(events, (QStringList{"Move 0 1 1", "KeyDown 40 0"}));
}

// The box is titled "错误" and wholly Chinese: a database error shows its sentence, any other
// error (whose own text is a library's English) a Chinese one.
TEST_F(DataGridTest, AnErrorInAHandlerIsShownInChineseNotThrownIntoTheEventLoop) {
    std::function<void()> fail = [] {
        throw DbError("数据库文件“/店/cdmanage.mdb”正被其他程序使用，请稍后再试。", 5,
                      FailureKind::Busy, "database is locked");
    };
    QObject::connect(grid, &DataGrid::RowColChange, [&](int, int) { fail(); });
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].prompt,
              "数据库操作失败：\n数据库文件“/店/cdmanage.mdb”正被其他程序使用，请稍后再试。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    EXPECT_EQ(rs->AbsolutePosition(), 2) << "the move itself stands";

    fail = [] { throw std::out_of_range("vector::_M_range_check: __n (which is 5)"); };
    QTest::keyClick(grid, Qt::Key_Down);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 2u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].prompt, "程序运行出错。\n刚才的操作没有完成。");
    EXPECT_EQ(MsgBoxLog::Get().Calls()[1].title, "错误");
    fail = [] { throw 42; };
    QTest::keyClick(grid, Qt::Key_Up);
    ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 3u);
    EXPECT_EQ(MsgBoxLog::Get().Calls()[2].title, "错误");
}

TEST_F(DataGridTest, GridWithoutColumnsShowsEveryFieldAndSurvivesItsRecordset) {
    DataGrid plain;
    plain.SetDataSource(rs.get());
    EXPECT_EQ(plain.ColumnCount(), rs->FieldCount());
    EXPECT_EQ(plain.model()->headerData(1, Qt::Horizontal).toString(), "username");
    grid->SetDataSource(nullptr);
    rs.reset();
    EXPECT_EQ(plain.model()->rowCount(), 0);
    EXPECT_EQ(plain.Columns(0).Text(), "");
}

}  // namespace

TEST_F(DataGridTest, RowsRemovedByTheRecordsetDoNotMoveItOrWriteAnything) {
    rs->MoveLast();
    rs->AddNew();
    rs->SetValue("userid", "000004");
    rs->SetValue("username", "赵六");
    ASSERT_EQ(grid->Row(), 3);
    log.clear();
    rs->CancelUpdate();  // the new row goes; the row before it is current again
    EXPECT_EQ(Query1("select count(*) from userinfo"), "3");
    EXPECT_EQ(rs->AbsolutePosition(), 3);
    EXPECT_EQ(grid->Row(), 2);
    for (const QString& line : log)
        EXPECT_FALSE(line.startsWith("RowColChange 3")) << line.toStdString();

    // Deleting the first row leaves the recordset (and the grid) on the next one.
    rs->MoveFirst();
    rs->Fields("username") = Value("张三丰");
    rs->Update();
    rs->Delete();
    EXPECT_EQ(rs->AbsolutePosition(), 1);
    EXPECT_EQ(rs->Fields("userid").GetValue().ToString(), "000002");
    EXPECT_EQ(grid->Row(), 0);
    EXPECT_EQ(NameInFile("000002"), "李四");
}

namespace {
// Qt's checker found nothing since the last look, and the grid shows the recordset's rows
// with its own row (when it has a column to stand in) on the recordset's current row.
void ExpectSound(ModelCheck& check, DataGrid& grid, Recordset& rs, const char* after) {
    SCOPED_TRACE(after);
    EXPECT_EQ(check.Faults(), QStringList());
    EXPECT_EQ(grid.model()->rowCount(), rs.RecordCount());
    if (rs.AbsolutePosition() > 0 && grid.ColumnCount() > 0) {
        EXPECT_EQ(grid.Row(), rs.AbsolutePosition() - 1);
    }
}
}  // namespace

TEST_F(DataGridTest, QtsModelCheckerFindsNothingAsTheRecordsetChanges) {
    ModelCheck check(grid->model());
    ExpectSound(check, *grid, *rs, "bound and shown");
    rs->MoveLast();
    rs->Requery();
    ExpectSound(check, *grid, *rs, "moves and Requery");

    rs->AddNew();
    rs->SetValue("userid", "000004");
    rs->SetValue("username", "赵六");
    ExpectSound(check, *grid, *rs, "AddNew and field edits");
    rs->Update();
    ExpectSound(check, *grid, *rs, "Update");
    rs->AddNew();
    rs->CancelUpdate();
    ExpectSound(check, *grid, *rs, "CancelUpdate of a new row");
    rs->MoveFirst();
    rs->SetValue("username", "张三丰");
    rs->CancelUpdate();
    ExpectSound(check, *grid, *rs, "CancelUpdate of an edit");

    QLineEdit* editor = OpenEditor(1, 1);
    ASSERT_NE(editor, nullptr);
    editor->setText("李四娘");
    Enter(editor);
    QTest::keyClick(grid, Qt::Key_Down);
    ExpectSound(check, *grid, *rs, "the operator's edit written on leaving the row");
    EXPECT_EQ(NameInFile("000002"), "李四娘");

    rs->MoveFirst();
    rs->Delete();
    ExpectSound(check, *grid, *rs, "Delete of the current row");
    rs->MoveLast();
    rs->Delete();
    ExpectSound(check, *grid, *rs, "Delete of the last row");

    rs->Close();
    ExpectSound(check, *grid, *rs, "Close");
    EXPECT_EQ(grid->model()->columnCount(), 5) << "designed columns stay";
    rs->Open("select * from userinfo order by userid", conn, adLockBatchOptimistic);
    ExpectSound(check, *grid, *rs, "Open batch");
    rs->SetValue("username", "批改");
    rs->MoveNext();
    rs->Delete();
    rs->AddNew();
    rs->SetValue("userid", "000005");
    ExpectSound(check, *grid, *rs, "batch edit, Delete and AddNew");
    rs->UpdateBatch();
    ExpectSound(check, *grid, *rs, "UpdateBatch");
    EXPECT_EQ(Query1("select count(*) from userinfo"), "2");
    rs->MoveFirst();
    rs->Delete();
    rs->CancelBatch();
    ExpectSound(check, *grid, *rs, "CancelBatch");
    EXPECT_EQ(grid->model()->rowCount(), 2);
}

TEST_F(DataGridTest, QtsModelCheckerFindsNothingWhenAnOuterTransactionEnds) {
    ModelCheck check(grid->model());
    {
        Transaction outer(conn);
        rs->MoveFirst();
        rs->Delete();
        rs->MoveLast();
        rs->SetValue("username", "王五五");
        rs->Update();
        ExpectSound(check, *grid, *rs, "writes waiting for the outer commit");
        outer.Commit();
    }
    ExpectSound(check, *grid, *rs, "the outer commit");
    EXPECT_EQ(grid->model()->rowCount(), 2);
    EXPECT_EQ(grid->model()->index(1, 1).data().toString(), "王五五");
    {
        Transaction outer(conn);
        rs->MoveFirst();
        rs->Delete();
    }
    ExpectSound(check, *grid, *rs, "the outer rollback");
    EXPECT_EQ(grid->model()->rowCount(), 2) << "the row the rollback kept is still shown";
    EXPECT_EQ(Query1("select count(*) from userinfo"), "2");
}

TEST_F(DataGridTest, QtsModelCheckerFindsNothingAsColumnsAndQueriesChange) {
    DataGrid plain;
    plain.SetDataSource(rs.get());
    ModelCheck check(plain.model());
    ExpectSound(check, plain, *rs, "every field shown");
    rs->Open("select userid, username from userinfo order by userid", conn);
    ExpectSound(check, plain, *rs, "Open of a query with other fields");
    EXPECT_EQ(plain.model()->columnCount(), 2);
    plain.AddColumn("电话", "telephone");
    plain.AddColumn("编号", "userid");
    ExpectSound(check, plain, *rs, "designed columns, one of them no field");
    plain.AddColumns({{"姓名", "username", 1200}, {"会费", "money", -1, "0.00"}});
    EXPECT_EQ(plain.model()->columnCount(), 4);
    EXPECT_EQ(plain.model()->headerData(3, Qt::Horizontal).toString(), "会费");
    EXPECT_EQ(plain.Columns(2).Width(), 1200);
    EXPECT_EQ(plain.Columns(3).NumberFormat(), "0.00");
    ExpectSound(check, plain, *rs, "columns designed together");
    plain.ClearColumns();
    ExpectSound(check, plain, *rs, "columns cleared");
    rs->Close();
    ExpectSound(check, plain, *rs, "Close");
    grid->SetDataSource(nullptr);
    rs.reset();
    EXPECT_EQ(check.Faults(), QStringList()) << "the recordset destroyed";
    EXPECT_EQ(plain.model()->rowCount(), 0);
}

// Tab leaves the grid for the window's next control; the arrow keys walk the cells.
TEST_F(DataGridTest, TabLeavesTheGridAndArrowsWalkTheCells) {
    grid->setCurrentIndex(grid->model()->index(0, 0));
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_Right);
    EXPECT_EQ(grid->currentIndex().column(), 1);
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_EQ(grid->currentIndex().column(), 1) << "Tab does not move the current cell";
}
