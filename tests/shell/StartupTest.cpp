#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/frmWait.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"
#include "tests/core/CoreTest.h"

namespace {
class StartupTest : public ShopTest {
  protected:
    void TearDown() override {
        if (frmMain::isLoaded()) frmMain::unload();
        ResetGlobalState();
        ShopTest::TearDown();
    }

    // The program folder as it stands: each file's name, size, time and content.
    QStringList FolderState() const {
        QStringList state;
        for (const QFileInfo& f : QDir(Dir()).entryInfoList(QDir::Files, QDir::Name)) {
            QFile file(f.filePath());
            const QByteArray bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : "?";
            state << QString("%1 %2 %3 %4")
                         .arg(f.fileName())
                         .arg(f.size())
                         .arg(f.lastModified().toMSecsSinceEpoch())
                         .arg(QString::fromLatin1(bytes.toHex()));
        }
        return state;
    }

    // Start-up on a file that is refused: one error box, no window, the folder untouched.
    void ExpectRefusedUntouched(const QString& expectedPrompt) {
        const QStringList before = FolderState();
        EXPECT_EQ(StartRefused(), expectedPrompt);
        EXPECT_FALSE(gConn.IsOpen());
        EXPECT_EQ(FolderState(), before);
    }

    // Start-up that fails: one error box, no window. The box's text.
    static QString StartRefused() {
        Main();
        EXPECT_TRUE(gQuit);
        EXPECT_FALSE(frmMain::isLoaded());
        if (MsgBoxLog::Get().Calls().size() != 1u) {
            ADD_FAILURE() << MsgBoxLog::Get().Calls().size() << " boxes instead of one";
            return QString();
        }
        const MsgBoxCall& box = MsgBoxLog::Get().Calls()[0];
        EXPECT_EQ(box.title, "错误");
        EXPECT_EQ(box.buttons, vbOKOnly + vbCritical);
        return box.prompt;
    }
};
}  // namespace

TEST_F(StartupTest, MissingDatabaseGivesOneErrorAndNoWindow) {
    QFile::remove(DbPath());
    SetToday(2026, 12, 3);
    const QString prompt = StartRefused();
    EXPECT_EQ(prompt, "找不到数据库文件“" + DbPath() + "”。");
    EXPECT_FALSE(QFile::exists(DbPath()));  // opening never creates the file
}

TEST_F(StartupTest, FileThatIsNoDatabaseGivesOneError) {
    QFile::remove(DbPath());
    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("this is a text file, not a database\n");
    f.close();
    EXPECT_EQ(StartRefused(), "数据库文件“" + DbPath() + "”已损坏，或者不是本程序能读的文件。");
}

// SQLite opens an empty file as an empty database and another program's database as
// well; neither holds the shop's tables, and neither may be written to.
TEST_F(StartupTest, FileWithoutTheShopsTablesGivesOneErrorAndIsLeftAsItWas) {
    const QString notOurs = "文件“" + DbPath() + "”不是本程序的数据库。";
    ASSERT_TRUE(QFile::resize(DbPath(), 0));
    ExpectRefusedUntouched(notOurs);
    EXPECT_EQ(QFileInfo(DbPath()).size(), 0);

    MsgBoxLog::Get().Reset();
    Sql("create table notes (id integer primary key, text text)");
    ExpectRefusedUntouched(notOurs);
}

TEST_F(StartupTest, AShopFileMissingATableNamesItAndIsLeftAsItWas) {
    Sql("drop table ForeGift; drop table sellinfo");
    ExpectRefusedUntouched("文件“" + DbPath() +
                           "”不是本程序的数据库：缺少数据表 sellinfo、ForeGift。");
}

TEST_F(StartupTest, StartRemovesUnnamedClassificationsAndShowsTheWindow) {
    Sql("insert into type (typeid, type) values (1, 'DVD'), (2, null), (3, '');"
        "insert into movietype (typeid, type) values (1, ''), (2, '动作片'), (3, null)");
    SetToday(2026, 12, 20);
    Main();
    EXPECT_FALSE(gQuit);
    EXPECT_EQ(Query1("select group_concat(type) from type"), "DVD");
    EXPECT_EQ(Query1("select group_concat(type) from movietype"), "动作片");
    ASSERT_TRUE(frmMain::isLoaded());
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_EQ(frmMain::instance().windowTitle(), "Vadrin光盘出租出售");
    EXPECT_FALSE(gBorrowBasket.Open);
    EXPECT_FALSE(gSellBasket.Open);
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
}

TEST_F(StartupTest, ShopNameAndTelephoneComeFromTheIniFile) {
    QFile ini(QDir(Dir()).filePath("Lumtrak.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write("[Shop]\nName=星光影碟\nTel=010-1234567\n");
    ini.close();
    SetToday(2026, 12, 20);
    Main();
    EXPECT_EQ(gShopName, "星光影碟");
    EXPECT_EQ(gShopTel, "010-1234567");
}

TEST_F(StartupTest, MaintenanceJobsRunBeforeTheWindow) {
    Sql("insert into userinfo (userid, username, money, ispay) values ('000001', 'a', 10, 1)");
    SetToday(2026, 12, 16);
    Main();
    EXPECT_EQ(Query1("select ispay from userinfo"), "0");
}

// A file made before the program's indexes and tables of its own gets them as a file made
// from the schema has them, before the window shows, with nothing to tell.
TEST_F(StartupTest, AnOlderFileIsBroughtUpBeforeTheWindowShows) {
    const QString fresh = Additions();
    MakeOlder();
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, isreturnall) values "
        "('0301000000010001', '李四', '2026-12-07 10:00:00', 1, 1)");
    SetToday(2026, 12, 20);
    Main();
    EXPECT_FALSE(gQuit);
    EXPECT_TRUE(frmMain::instance().isVisible());
    EXPECT_FALSE(frmWait::isLoaded());
    EXPECT_TRUE(MsgBoxLog::Get().Calls().empty());
    EXPECT_EQ(Additions(), fresh);
    EXPECT_EQ(Query1("select min(no) from freenumber where kind = 'borrow'"), "0002");
}

TEST(ConnectionString, RootFolderGetsNoSecondSlash) {
    EXPECT_TRUE(ConnectionStringFor("/").contains("Data Source=/cdmanage.mdb;"));
    EXPECT_TRUE(ConnectionStringFor("/srv/shop").contains("Data Source=/srv/shop/cdmanage.mdb;"));
    EXPECT_EQ(Connection::DataSourceOf(ConnectionStringFor("/srv/shop")), "/srv/shop/cdmanage.mdb");
}
