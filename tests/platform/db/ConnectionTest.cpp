#include <sqlite3.h>
#include <unistd.h>

#include <QDir>
#include <QFile>

#include "platform/db/CrashInjection.h"
#include "tests/platform/db/DbFixture.h"

namespace {

QString WriteFile(const QString& path, const QByteArray& content) {
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(content);
    return path;
}

}  // namespace

using ConnectionTest = DbTest;

TEST(ConnectionString, DataSourceIsFoundWhateverTheOtherKeys) {
    EXPECT_EQ(
        Connection::DataSourceOf("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=/a/cdmanage.mdb;"
                                 "Jet OLEDB:Database Password=secret"),
        "/a/cdmanage.mdb");
    EXPECT_EQ(Connection::DataSourceOf(
                  "provider=x; data  source = /a b/c.mdb ;Persist Security Info=False"),
              "/a b/c.mdb");
    EXPECT_EQ(Connection::DataSourceOf("Data Source=\"/x;y/c.mdb\";Password=1"), "/x;y/c.mdb");
    EXPECT_EQ(Connection::DataSourceOf("/plain/path.mdb"), "/plain/path.mdb");
    EXPECT_EQ(Connection::DataSourceOf("Provider=x;Password=y"), "");
}

TEST_F(ConnectionTest, OpensThroughAConnectionStringIgnoringPassword) {
    Connection c;
    c.Open("Provider=Microsoft.Jet.OLEDB.4.0;Data Source=" + DbPath() +
           ";Jet OLEDB:Database Password=abc");
    EXPECT_TRUE(c.IsOpen());
    EXPECT_EQ(c.DataSource(), DbPath());
    EXPECT_EQ(c.Scalar("SELECT count(*) FROM ForeGift").ToInt(), 1);
    c.Close();
    EXPECT_FALSE(c.IsOpen());
    EXPECT_FALSE(ErrorOf([&] { c.Handle(); }).isEmpty());
}

// Each way the shop's file can fail to open is told in its own Chinese sentence, naming the
// file; nothing is created.
TEST_F(ConnectionTest, EachFileThatCannotBeOpenedIsToldInItsOwnSentenceAndNothingIsCreated) {
    Connection c;
    const QString missingHere = QDir(Dir()).filePath("gone.mdb");
    const QString missingFolder = QDir(Dir()).filePath("none/cdmanage.mdb");
    EXPECT_EQ(ErrorOf([&] { c.Open("Data Source=" + missingHere); }),
              "找不到数据库文件“" + missingHere + "”。");
    EXPECT_EQ(ErrorOf([&] { c.OpenFile(missingFolder); }),
              "找不到数据库文件“" + missingFolder + "”。");
    EXPECT_FALSE(QFile::exists(missingHere));
    EXPECT_FALSE(QFile::exists(missingFolder));

    const QString folder = QDir(Dir()).filePath("folder.mdb");
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_EQ(ErrorOf([&] { c.OpenFile(folder); }),
              "数据库文件“" + folder + "”是一个文件夹，不能作为文件使用。");

    const QString text = WriteFile(QDir(Dir()).filePath("notes.mdb"), QByteArray(2048, 'x'));
    EXPECT_EQ(ErrorOf([&] { c.OpenFile(text); }),
              "数据库文件“" + text + "”已损坏，或者不是本程序能读的文件。");
    EXPECT_EQ(QFile(text).size(), 2048);
    EXPECT_FALSE(c.IsOpen());

    EXPECT_FALSE(ErrorOf([&] { c.Open("Provider=x;Password=y"); }).isEmpty());
}

TEST_F(ConnectionTest, UnreadableFileRaisesAnError) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads any file";
    QFile::setPermissions(DbPath(), QFileDevice::Permissions());
    Connection c;
    EXPECT_EQ(ErrorOf([&] { c.OpenFile(DbPath()); }),
              "没有读写数据库文件“" + DbPath() + "”的权限。");
    QFile::setPermissions(DbPath(), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST_F(ConnectionTest, DatePartsAndLengthFunctions) {
    EXPECT_EQ(conn.Scalar("SELECT year('2024-03-09')"), Value(2024));
    EXPECT_EQ(conn.Scalar("SELECT month('2024-03-09 18:30:00')"), Value(3));
    EXPECT_EQ(conn.Scalar("SELECT day('2024-3-9')"), Value(9));
    EXPECT_TRUE(
        conn.Scalar("SELECT year('2024-03-09') = 2024").ToBool());  // an integer, not a text
    EXPECT_TRUE(conn.Scalar("SELECT year(NULL)").IsNull());
    EXPECT_TRUE(conn.Scalar("SELECT month('not a date')").IsNull());
    EXPECT_TRUE(conn.Scalar("SELECT day('2023-02-30')").IsNull());
    EXPECT_EQ(conn.Scalar("SELECT len(?1)", {QStringLiteral("影片abc")}), Value(5));
    EXPECT_EQ(conn.Scalar("SELECT len('')"), Value(0));
    EXPECT_TRUE(conn.Scalar("SELECT len(NULL)").IsNull());

    AddTitles(3);
    conn.Execute("UPDATE cdinfo SET buydate = '2023-12-31' WHERE cdid = ?1", {Cdid(2)});
    EXPECT_EQ(conn.Scalar("SELECT count(*) FROM cdinfo WHERE year(buydate) = ?1", {2024}),
              Value(2));
}

TEST_F(ConnectionTest, ExecuteBindsValuesAndCountsChangedRows) {
    AddTitles(4);
    EXPECT_EQ(
        conn.Execute("UPDATE cdinfo SET remark = ?1 WHERE count > ?2", {QStringLiteral("x"), 1}),
        3);
    EXPECT_EQ(conn.Execute("SELECT * FROM cdinfo"), 0);
    EXPECT_EQ(conn.Execute("UPDATE cdinfo SET remark = 'y' WHERE 0"), 0);

    const QString odd = QStringLiteral("O'Brien 100% \"好\" -- ; DROP TABLE cdinfo");
    conn.Execute("UPDATE cdinfo SET name = ?1 WHERE cdid = ?2", {odd, Cdid(1)});
    EXPECT_EQ(conn.Scalar("SELECT name FROM cdinfo WHERE cdid = ?1", {Cdid(1)}).ToString(), odd);
    EXPECT_EQ(
        conn.Scalar("SELECT count(*) FROM cdinfo WHERE name LIKE ?1", {QStringLiteral("%100%%")}),
        Value(1));
    EXPECT_TRUE(conn.Scalar("SELECT name FROM cdinfo WHERE cdid = 'none'").IsNull());
}

// A failure of no kind of its own shows a Chinese lead and the engine's number; SQLite's
// English words stay for developers only.
TEST_F(ConnectionTest, StatementErrorsCarryAChineseLeadAndTheEnginesNumber) {
    try {
        conn.Execute("SELECT * FROM nosuchtable");
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_EQ(e.Description(), "数据库命令执行出错（错误代码 1）。");
        EXPECT_EQ(e.Kind(), FailureKind::Other);
        EXPECT_EQ(e.EngineText(), "no such table: nosuchtable");
    }
    AddTitles(1);
    EXPECT_EQ(ErrorOf([&] { AddTitles(1); }),
              "数据不符合数据库的约束，例如编号重复或必填项为空（错误代码 1555）。");
    EXPECT_TRUE(ErrorOf([&] { conn.Execute("SELECT ?1, ?2", {1}); }).contains("参数个数不符"));
    EXPECT_FALSE(
        ErrorOf([&] { conn.Execute("DELETE FROM cdinfo; DELETE FROM userinfo"); }).isEmpty());
    EXPECT_EQ(conn.Scalar("SELECT count(*) FROM cdinfo"), Value(1));
    EXPECT_NO_THROW(conn.Execute("DELETE FROM type; -- done"));
}

// A file another program holds, a file that may only be read and a full disk: each its own
// sentence, and the connection works again once the cause is gone.
TEST_F(ConnectionTest, ALockedAReadOnlyAndAFullFileEachGiveTheirOwnSentence) {
    conn.SetBusyTimeout(20);
    sqlite3* other = nullptr;
    ASSERT_EQ(
        sqlite3_open_v2(DbPath().toUtf8().constData(), &other, SQLITE_OPEN_READWRITE, nullptr),
        SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    EXPECT_EQ(ErrorOf([&] { conn.Execute("UPDATE ForeGift SET money = 1"); }), LockedSentence());
    sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    EXPECT_EQ(conn.Execute("UPDATE ForeGift SET money = 1"), 1);

    conn.Execute("PRAGMA query_only = 1");  // as a file the system lets us only read
    EXPECT_EQ(ErrorOf([&] { conn.Execute("UPDATE ForeGift SET money = 2"); }),
              "数据库文件“" + DbPath() + "”是只读的，不能写入。");
    conn.Execute("PRAGMA query_only = 0");

    AddTitles(1);
    conn.Execute(
        QString("PRAGMA max_page_count = %1").arg(conn.Scalar("PRAGMA page_count").ToInt()));
    const QString big = QString(100000, u'长');
    EXPECT_EQ(ErrorOf([&] { conn.Execute("UPDATE cdinfo SET remark = ?1", {big}); }),
              "磁盘已满，不能写入数据库文件“" + DbPath() + "”。");
}

TEST_F(ConnectionTest, TransactionsCommitRollBackAndNest) {
    {
        Transaction t(conn);
        AddTitles(1);
        EXPECT_EQ(conn.TransactionDepth(), 1);
        t.Commit();
    }
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "1");

    EXPECT_FALSE(ErrorOf([&] {
                     Transaction t(conn);
                     conn.Execute("DELETE FROM cdinfo");
                     conn.Execute("INSERT INTO nosuchtable VALUES (1)");
                     t.Commit();
                 }).isEmpty());
    EXPECT_EQ(conn.TransactionDepth(), 0);
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "1");

    {
        Transaction outer(conn);
        conn.Execute("UPDATE cdinfo SET remark = 'outer'");
        {
            Transaction inner(conn);
            EXPECT_EQ(conn.TransactionDepth(), 2);
            conn.Execute("DELETE FROM cdinfo");
        }  // not committed: only the inner work is undone
        EXPECT_EQ(conn.TransactionDepth(), 1);
        EXPECT_EQ(conn.Scalar("SELECT remark FROM cdinfo"), Value("outer"));
        {
            Transaction inner(conn);
            conn.Execute("UPDATE cdinfo SET count = 9");
            inner.Commit();
        }
        outer.Commit();
    }
    EXPECT_EQ(Query1("SELECT remark || count FROM cdinfo"), "outer9");

    conn.Begin();
    conn.Execute("DELETE FROM cdinfo");
    conn.Rollback();
    EXPECT_EQ(Query1("SELECT count(*) FROM cdinfo"), "1");
    EXPECT_NO_THROW(conn.Rollback());  // nothing begun: nothing to do
    EXPECT_FALSE(ErrorOf([&] { conn.Commit(); }).isEmpty());
}

// The seam counts what writes (INSERT, UPDATE, DELETE and the outermost commit), not reads
// or savepoints, and ends the process before the chosen one runs: nothing of it, nor of
// its transaction, reaches the file.
TEST_F(ConnectionTest, CrashInjectionCountsWritesAndStopsBeforeTheChosenOne) {
    SetCrashAtStatement(0);
    {
        Transaction outer(conn);
        conn.Execute("INSERT INTO type (typeid, type) VALUES (1, 'DVD')");
        conn.Scalar("SELECT count(*) FROM type");
        {
            Transaction inner(conn);
            conn.Execute("UPDATE type SET type = 'VCD' WHERE typeid = 1");
            inner.Commit();
        }
        outer.Commit();
    }
    EXPECT_EQ(WritingStatementsRun(), 3);
    conn.Execute("DELETE FROM type");

    EXPECT_EXIT(
        {
            SetCrashAtStatement(2);
            Transaction t(conn);
            conn.Execute("INSERT INTO type (typeid, type) VALUES (2, 'A')");
            conn.Execute("INSERT INTO type (typeid, type) VALUES (3, 'B')");
            t.Commit();
        },
        ::testing::ExitedWithCode(70), "");
    EXPECT_EXIT(
        {
            SetCrashAtStatement(2);
            Transaction t(conn);
            conn.Execute("INSERT INTO type (typeid, type) VALUES (2, 'A')");
            t.Commit();
        },
        ::testing::ExitedWithCode(70), "");
    EXPECT_EQ(Query1("SELECT count(*) FROM type"), "0");
    SetCrashAtStatement(0);
}
