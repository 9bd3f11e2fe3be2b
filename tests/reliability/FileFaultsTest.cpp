// The shop's file failing under the program: corrupt at start-up, locked by another program,
// read-only, full. Each case checks what the operator is told and what the file holds after.
#include <grp.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QComboBox>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <thread>

#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "core/mdlMain.h"
#include "counter/frmControlBorrow.h"
#include "members/MemberPage.h"
#include "platform/app/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/Form.h"
#include "reports/StatisticsPage.h"
#include "reports/frmReport.h"
#include "returns/ReturnPage.h"
#include "shell/Startup.h"
#include "shell/frmMain.h"
#include "tests/reliability/ProgramWindows.h"
#include "tests/shell/CounterAtTheFrame.h"
#include "tests/support/DatabaseDump.h"
#include "tests/support/Pipes.h"
#include "tests/support/TestSupport.h"

namespace {

// Another program holding a write transaction on the shop's file until it goes: one that
// is about to write (others may still read), or one writing now (nobody may even read).
class WriteLockHolder {
  public:
    enum Kind { AboutToWrite, Writing };
    explicit WriteLockHolder(const QString& path, Kind kind = AboutToWrite) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, kind == Writing ? "BEGIN EXCLUSIVE" : "BEGIN IMMEDIATE", nullptr, nullptr,
                     nullptr);
    }
    ~WriteLockHolder() {
        if (releaser_.joinable()) releaser_.join();
        Release();
    }
    WriteLockHolder(const WriteLockHolder&) = delete;
    WriteLockHolder& operator=(const WriteLockHolder&) = delete;

    void Release() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }
    // The other program lets go after a while, from its own thread (the program's own
    // thread is waiting inside SQLite meanwhile).
    void ReleaseAfter(std::chrono::milliseconds wait) {
        releaser_ = std::thread([this, wait] {
            std::this_thread::sleep_for(wait);
            Release();
        });
    }

  private:
    sqlite3* db_ = nullptr;
    std::thread releaser_;
};

QByteArray FileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

class FileFaultsTest : public ShopTest {
  protected:
    void SetUp() override {
        ShopTest::SetUp();
        ResetGlobalState();
        SetNow(QDateTime(QDate(2026, 12, 8), QTime(10, 0)));
        Sql("insert into type values (3, 'DVD'), (5, 'VCD');"
            "insert into movietype values (1, '动作'), (12, '科幻');"
            "update pricepercent set percentb = 0.8, percents = 0.9, tax = 20");
        AddTitles(1, 2);
    }

    void TearDown() override {
        CloseProgram();
        ShopTest::TearDown();
    }

    // Titles numbered first to last, of format DVD and movie type 动作, prices in whole yuan.
    void AddTitles(int first, int last) {
        Sql(QString("with recursive n(i) as (select %1 union all select i + 1 from n where i < %2) "
                    "insert into cdinfo (cdid, id, name, type, movietype, [key], count, "
                    "restcount, price, borrowprice, sellprice, memberborrowprice, "
                    "membersellprice, buydate, borrowpricetype, station, issell, isabandon) "
                    "select printf('0301%08d', i), printf('A%d', i), printf('影片%d', i), 'DVD', "
                    "'动作', printf('a%d', i), 2, 2, 20, 3, 30, 3, 30, '2004-03-07', '每天', "
                    "'未借出', 0, 0 from n")
                .arg(first)
                .arg(last));
    }

    frmMain& StartProgram() {
        Main();
        EXPECT_FALSE(gQuit);
        ShowActive(&frmMain::instance());
        Settle();
        return frmMain::instance();
    }

    static SettingsPage& Settings() {
        frmMain::instance().Image3_Click(4);
        Settle();
        return *frmMain::instance().Settings();
    }
    static CataloguePage& Catalogue() {
        frmMain::instance().Image3_Click(2);
        Settle();
        return *frmMain::instance().Catalogue();
    }
    static ClassificationLists& Lists() {
        frmMain& main = frmMain::instance();
        return ClassificationLists::Of(*main.Settings(), *main.Catalogue());
    }

    // The operator names the current row of a classification list in its cell and leaves
    // the grid for another control.
    static void NameCellAndLeave(DataGrid* grid, const QString& name, QWidget* next) {
        const QModelIndex cell = grid->model()->index(grid->Row(), 0);
        grid->setFocus();
        grid->edit(cell);
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        ASSERT_NE(editor, nullptr);
        editor->setText(name);
        QTest::keyClick(editor, Qt::Key_Return);
        next->setFocus();
        Settle();
    }

    // The message boxes shown so far, as one text for failure messages.
    static QString Shown() {
        QStringList prompts;
        for (const QString& p : Prompts()) prompts << p;
        return prompts.join(" | ");
    }

    static bool OneBoxSaying(const QString& sentence) {
        return Prompts().size() == 1 && Prompts()[0].contains(sentence);
    }

    // What the operator reads of each way the shop's file fails: one Chinese sentence each.
    QString Locked() const { return Named() + "正被其他程序使用，请稍后再试。"; }
    QString ReadOnly() const { return Named() + "是只读的，不能写入。"; }
    QString Full() const { return "磁盘已满，不能写入" + Named() + "。"; }
    QString Damaged() const { return Named() + "已损坏，或者不是本程序能读的文件。"; }
    QString Named() const { return "数据库文件“" + DbPath() + "”"; }

    // Start-up on a refused file: one error box saying why, no window, the file unchanged.
    void ExpectRefusedAtStartup(const QString& sentence) {
        const QByteArray before = FileBytes(DbPath());
        const QDateTime modified = QFileInfo(DbPath()).lastModified();
        Main();
        EXPECT_TRUE(gQuit);
        ASSERT_EQ(MsgBoxLog::Get().Calls().size(), 1u) << Shown().toStdString();
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_EQ(Prompts()[0], sentence) << Shown().toStdString();
        EXPECT_FALSE(frmMain::isLoaded());
        EXPECT_EQ(FileBytes(DbPath()), before);
        EXPECT_EQ(QFileInfo(DbPath()).lastModified(), modified);
        EXPECT_FALSE(QFile::exists(DbPath() + "-journal"));
    }

    void UseWholePagesOnly() {
        const qint64 pages = gConn.Scalar("PRAGMA page_count").ToInt();
        gConn.Execute(QString("PRAGMA max_page_count = %1").arg(pages));
    }
    static void FreeTheDisk() { gConn.Execute("PRAGMA max_page_count = 1073741823"); }
};
}  // namespace

// ---- Start-up ------------------------------------------------------------------------
// A missing file, a zero-byte file, another program's database and a shop file without some
// of its tables are refused, with the file unchanged, in tests/shell/StartupTest.cpp.

TEST_F(FileFaultsTest, StartUpRefusesAFileWhoseTableListIsDamagedAndLeavesItAsItWas) {
    QByteArray bytes = FileBytes(DbPath());
    ASSERT_GT(bytes.size(), 1024);
    // The first page's table list, after the 100-byte file header, overwritten.
    bytes.replace(100, 400, QByteArray(400, '\x5a'));
    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
    f.close();
    ExpectRefusedAtStartup(Damaged());
}

TEST_F(FileFaultsTest, StartUpRefusesATextFileAndLeavesItAsItWas) {
    QFile f(DbPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write("价目表\n这是一个文本文件，不是数据库。\n");
    f.close();
    ExpectRefusedAtStartup(Damaged());
}

// ---- Locked by another program --------------------------------------------------------
// The catalogue's save refused by a locked file keeps the new title pending and writes it
// later: tests/catalogue/CatalogueSaveTest.cpp (ASaveRefusedByALockedFile...).

TEST_F(FileFaultsTest, ALockHeldBrieflyIsWaitedOutAndTheWriteGoesThrough) {
    StartProgram();
    SettingsPage& page = Settings();
    WriteLockHolder other(DbPath());
    other.ReleaseAfter(std::chrono::milliseconds(400));
    TypeAndLeave(page.MaskEdBox4, "25", page.MaskEdBox2);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select tax from pricepercent"), "25.0");
}

TEST_F(FileFaultsTest, ASettingRefusedByALockedFileIsToldAndWrittenWhenTypedAgain) {
    StartProgram();
    SettingsPage& page = Settings();
    gConn.SetBusyTimeout(100);
    const QStringList before = DatabaseDump(DbPath());
    {
        WriteLockHolder other(DbPath());
        TypeAndLeave(page.MaskEdBox4, "25", page.MaskEdBox2);
    }
    EXPECT_TRUE(OneBoxSaying(Locked())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(page.MaskEdBox4->Text(), "￥20.00") << "the box shows what is stored";

    ForgetPrompts();
    TypeAndLeave(page.MaskEdBox4, "25", page.MaskEdBox2);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select tax from pricepercent"), "25.0");
}

TEST_F(FileFaultsTest, ANewClassificationRefusedByALockedFileStaysPendingAndIsWrittenLater) {
    StartProgram();
    SettingsPage& page = Settings();
    gConn.SetBusyTimeout(100);
    const QStringList before = DatabaseDump(DbPath());
    Lists().Command7_Click();
    Settle();
    {
        WriteLockHolder other(DbPath());
        NameCellAndLeave(page.dgType, "蓝光", page.MaskEdBox2);
    }
    EXPECT_TRUE(OneBoxSaying(Locked())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    ASSERT_EQ(page.adoType->RecordCount(), 3) << "the new entry is still in the list";
    EXPECT_TRUE(page.adoType->HasPendingChanges());

    ForgetPrompts();
    Leave(page.dgType, page.MaskEdBox2);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select group_concat(typeid || type, ',') from (select * from type order "
                     "by typeid)"),
              "1蓝光,3DVD,5VCD");
}

TEST_F(FileFaultsTest, AClassificationDeleteRefusedByALockedFileDeletesNothing) {
    StartProgram();
    SettingsPage& page = Settings();
    gConn.SetBusyTimeout(100);
    const QStringList before = DatabaseDump(DbPath());
    {
        WriteLockHolder other(DbPath());
        MsgBoxLog::Get().QueueAnswer(vbYes);
        page.Command8->click();
        Settle();
    }
    ASSERT_EQ(Prompts().size(), 2u) << Shown().toStdString();
    EXPECT_TRUE(Prompts()[1].contains(Locked())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(gConn.TransactionDepth(), 0);

    ForgetPrompts();
    MsgBoxLog::Get().QueueAnswer(vbYes);
    page.Command8->click();
    Settle();
    EXPECT_EQ(Prompts().size(), 1u) << Shown().toStdString();
    EXPECT_EQ(Count("select count(*) from type"), 1);
    EXPECT_EQ(Count("select count(*) from cdinfo"), 0) << "the format's titles went with it";
}

// The return page refills its list whenever it is shown. Another program writing the file
// lets go only after longer than the page's wait and shorter than a write's: the page tells
// before it lets go, a write waits it out.
namespace {
const auto kLongerThanARefillWaits = std::chrono::milliseconds(ReturnPage::kRefillWaitMs + 1500);
}

TEST_F(FileFaultsTest, TheReturnPageOnALockedFileTellsAtOnceKeepsItsListAndReadsItNextTime) {
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
        "CredenceType, foregift, isreturnall) values ('0301000000010001', '李四', "
        "'2026-12-07 10:00:00', 1, '&1#', '&1#', '现金', 10, 0);"
        "update cdinfo set station = '借出部分' where cdid = '030100000001'");
    frmMain& main = StartProgram();
    main.Image3_Click(1);
    Settle();
    ReturnPage& page = *main.Returns();
    ASSERT_EQ(page.adoDispBorrow->RecordCount(), 1);
    const Recordset* shown = page.adoDispBorrow.get();
    main.Image3_Click(3);  // the statistics page reads nothing
    Settle();
    {
        WriteLockHolder other(DbPath(), WriteLockHolder::Writing);
        other.ReleaseAfter(kLongerThanARefillWaits);
        main.Image3_Click(1);
        Settle();
        EXPECT_EQ(Prompts(),
                  std::vector<QString>{"未还光盘列表没有刷新，仍显示原来的内容：\n" + Locked()})
            << "told once, before the other program let go";
        EXPECT_EQ(page.adoDispBorrow.get(), shown) << "the list shown stays";
        EXPECT_EQ(page.dgBorrow->model()->rowCount(), 1);
        EXPECT_EQ(page.LblUserName->Caption(), "李四");
        EXPECT_TRUE(page.Command5->isEnabled());
    }

    // Let go: the next refill reads the file as it stands.
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
        "CredenceType, foregift, isreturnall) values ('0301000000010002', '王五', "
        "'2026-12-08 09:00:00', 1, '&2#', '&2#', '现金', 10, 0)");
    ForgetPrompts();
    main.Image3_Click(3);
    main.Image3_Click(1);
    Settle();
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(page.adoDispBorrow->RecordCount(), 2);
    EXPECT_EQ(page.LblUserName->Caption(), "王五");

    // A write still waits for the other program as long as ever.
    SettingsPage& settings = Settings();
    {
        WriteLockHolder other(DbPath(), WriteLockHolder::Writing);
        other.ReleaseAfter(kLongerThanARefillWaits);
        TypeAndLeave(settings.MaskEdBox4, "25", settings.MaskEdBox2);
    }
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select tax from pricepercent"), "25.0");
}

TEST_F(FileFaultsTest, TheReturnPageFirstShownOnALockedFileTellsOnceAndReadsItNextTime) {
    Sql("insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
        "CredenceType, foregift, isreturnall) values ('0301000000010001', '李四', "
        "'2026-12-07 10:00:00', 1, '&1#', '&1#', '现金', 10, 0);"
        "update cdinfo set station = '借出部分' where cdid = '030100000001'");
    frmMain& main = StartProgram();
    {
        WriteLockHolder other(DbPath(), WriteLockHolder::Writing);
        other.ReleaseAfter(kLongerThanARefillWaits);
        main.Image3_Click(1);  // the page is built, loads and is shown: one refill tells
        Settle();
        EXPECT_EQ(Prompts(), std::vector<QString>{"未还光盘列表没有读出：\n" + Locked()});
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_EQ(main.Returns()->dgBorrow->model()->rowCount(), 0);
        EXPECT_FALSE(main.Returns()->Command5->isEnabled());
    }
    ForgetPrompts();
    main.Image3_Click(3);
    main.Image3_Click(1);
    Settle();
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(main.Returns()->adoDispBorrow->RecordCount(), 1);
}

// ---- Read-only ------------------------------------------------------------------------
// Root writes any file, so as root the program runs as the user nobody in a forked child;
// the shop's file belongs to root and nobody may only read it. The child starts the program,
// types the fee on the settings page and hands back through a pipe what the operator met.
// Any other user needs no child: the file is made read-only for everyone.

namespace {
constexpr uid_t kNobody = 65534;

// What the operator met: the boxes shown, and what the window shows afterwards (the fee's
// box, the lists).
struct OperatorSaw {
    QStringList prompts;
    QString shown;
};

QByteArray Encode(const OperatorSaw& saw) {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << saw.prompts << saw.shown;
    return bytes;
}

OperatorSaw Decode(const QByteArray& bytes) {
    OperatorSaw saw;
    QDataStream in(bytes);
    in >> saw.prompts >> saw.shown;
    return saw;
}

// The child's ways of ending, besides a crash.
enum ChildExit {
    kChildDone = 0,
    kCannotBecomeNobody = 2,
    kPipeBroken = 3,
    kNobodyCannotRead = 4,
    kChildThrew = 5
};

int ThreadsOfThisProcess() {
    return QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// Leaves root's groups and then root itself; true when the process is nobody for good.
bool BecomeNobody() {
    return setgroups(0, nullptr) == 0 && setgid(kNobody) == 0 && setuid(kNobody) == 0 &&
           setuid(0) != 0;
}

[[noreturn]] void RunChild(int pipeEnd, const QString& file,
                           const std::function<QByteArray()>& fn) {
    if (!BecomeNobody()) std::_Exit(kCannotBecomeNobody);
    if (access(file.toLocal8Bit().constData(), R_OK) != 0) std::_Exit(kNobodyCannotRead);
    QByteArray out;
    // An error must end the child here: past this frame it would run the parent's next tests.
    try {
        out = fn();
    } catch (...) {
        std::_Exit(kChildThrew);
    }
    const ssize_t written = write(pipeEnd, out.constData(), out.size());
    std::_Exit(written == out.size() ? kChildDone : kPipeBroken);
}

// Why a child that ended this way did not run the test, or empty when it did run it.
QString WhyNotRun(int status) {
    if (!WIFEXITED(status)) return QString();
    if (WEXITSTATUS(status) == kCannotBecomeNobody) return "the child could not become nobody";
    if (WEXITSTATUS(status) == kNobodyCannotRead)
        return "nobody cannot read the shop's file (a folder above it is closed to others)";
    return QString();
}

// Runs fn in a forked child as nobody and returns what fn produced. A crash or a failed
// report fails the test. Returns nothing, with the reason in whyNot, when no child could run
// fn as nobody. Only a process with one thread forks: a child keeps no other thread, and a
// lock another thread held at the fork would never be released in it.
std::optional<QByteArray> RunAsNobody(const QString& file, const std::function<QByteArray()>& fn,
                                      QString* whyNot) {
    if (ThreadsOfThisProcess() != 1) {
        *whyNot =
            "this process runs other threads, so a forked child is unsound (ctest runs "
            "each test in a process of its own)";
        return std::nullopt;
    }
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        *whyNot = "no pipe to the child";
        return std::nullopt;
    }
    const pid_t child = fork();
    if (child < 0) {
        *whyNot = "no child process";
        return std::nullopt;
    }
    if (child == 0) {
        close(pipeEnds[0]);
        RunChild(pipeEnds[1], file, fn);
    }
    close(pipeEnds[1]);
    const QByteArray out = ReadToEnd(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    *whyNot = WhyNotRun(status);
    if (!whyNot->isEmpty()) return std::nullopt;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == kChildDone)
        << "the child as nobody ended with status " << status;
    return out;
}

// The folder open to others and the file readable by all; for root the file stays root's to
// write (nobody will run the program), for any other user no one may write it.
// One rental of copy 1 of the first title, settled and still out.
const QString kOneRentalOut =
    "insert into borrowinfo (borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
    "CredenceType, foregift, isreturnall) values ('0301000000010001', '李四', "
    "'2026-12-07 10:00:00', 1, '&1#', '&1#', '现金', 10, 0);"
    "update cdinfo set station = '借出部分' where cdid = '030100000001';";
// The table of open baskets on the program's connection only.
const char* const kOnTheConnection =
    "select count(*) from temp.sqlite_master where name = 'openbasket'";

// Statements wait for another program a short while only, while the guard lives.
class BriefWaits {
  public:
    BriefWaits() { gConn.SetBusyTimeout(300); }
    ~BriefWaits() { gConn.SetBusyTimeout(kUsualWait); }
    BriefWaits(const BriefWaits&) = delete;
    BriefWaits& operator=(const BriefWaits&) = delete;

  private:
    static constexpr int kUsualWait = 5000;
};

// Runs fn as a user who may only read the file (MakeReadOnlyForThisUser): root's child as
// nobody, any other user in this process. Nothing, with the reason in whyNot, when root's
// child cannot run as nobody.
std::optional<QByteArray> AsAReader(const QString& file, const std::function<QByteArray()>& fn,
                                    QString* whyNot) {
    if (getuid() != 0) return fn();
    const std::optional<QByteArray> report = RunAsNobody(file, fn, whyNot);
    if (!report)
        *whyNot = "only root is available and the program cannot run as nobody: " + *whyNot +
                  "; the read-only file is not tested here";
    return report;
}

void MakeReadOnlyForThisUser(const QString& dir, const QString& file) {
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                   QFileDevice::ExeOwner | QFileDevice::ReadOther |
                                   QFileDevice::ExeOther);
    QFileDevice::Permissions readable = QFileDevice::ReadOwner | QFileDevice::ReadOther;
    if (getuid() == 0) readable |= QFileDevice::WriteOwner;
    QFile::setPermissions(file, readable);
}
}  // namespace

TEST_F(FileFaultsTest, AReadOnlyFileIsToldAtTheFirstWriteAndLosesNothing) {
    MakeReadOnlyForThisUser(Dir(), DbPath());
    const QByteArray bytesBefore = FileBytes(DbPath());
    const QStringList before = DatabaseDump(DbPath());
    // The operator starts the program and types a new fee on the settings page. No gtest
    // check in here: a child's failures would not reach the parent.
    const auto typeTheFee = [this] {
        OperatorSaw saw;
        Main();
        if (!gQuit) {
            ShowActive(&frmMain::instance());
            Settle();
            SettingsPage& page = Settings();
            TypeAndLeave(page.MaskEdBox4, "25", page.MaskEdBox2);
            saw.shown = page.MaskEdBox4->Text();
        }
        for (const QString& p : Prompts()) saw.prompts << p;
        return Encode(saw);
    };
    QString whyNot;
    const std::optional<QByteArray> report = AsAReader(DbPath(), typeTheFee, &whyNot);
    if (!report) GTEST_SKIP() << whyNot.toStdString();
    const OperatorSaw saw = Decode(*report);
    const QString shown = saw.prompts.join(" | ");
    ASSERT_EQ(saw.prompts.size(), 1) << "one box, at the first write: " << shown.toStdString();
    EXPECT_TRUE(saw.prompts[0].contains(ReadOnly())) << shown.toStdString();
    EXPECT_EQ(saw.shown, "￥20.00") << "the box shows what is stored";
    EXPECT_EQ(FileBytes(DbPath()), bytesBefore);
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
    EXPECT_FALSE(QFile::exists(DbPath() + "-journal"));
}

// A file made before the program's own indexes and tables, and read-only: start-up cannot
// add them and makes the table of open baskets on the connection only, tells nothing, and
// the counter and the return page list the file as it stands; the file stays as it was.
TEST_F(FileFaultsTest, AnOlderReadOnlyFileOpensAndListsWithTheTableOnTheConnectionOnly) {
    MakeOlder();
    Sql(kOneRentalOut);
    MakeReadOnlyForThisUser(Dir(), DbPath());
    const QByteArray bytesBefore = FileBytes(DbPath());
    const auto look = [] {
        OperatorSaw saw;
        Main();
        if (!gQuit) {
            frmMain& main = frmMain::instance();
            ShowActive(&main);
            Settle();
            main.Image3_Click(0);
            Settle();
            const int titles = main.Counter->adoDispCDInfo->RecordCount();
            const int shelf = main.Counter->ListView1->ListItems().Count();
            main.Image3_Click(1);
            Settle();
            saw.shown = QString("%1 titles, %2 on the shelf, %3 open rentals, %4 on the connection")
                            .arg(titles)
                            .arg(shelf)
                            .arg(main.Returns()->adoDispBorrow->RecordCount())
                            .arg(gConn.Scalar(kOnTheConnection).ToInt());
        }
        for (const QString& p : Prompts()) saw.prompts << p;
        return Encode(saw);
    };
    QString whyNot;
    const std::optional<QByteArray> report = AsAReader(DbPath(), look, &whyNot);
    if (!report) GTEST_SKIP() << whyNot.toStdString();
    const OperatorSaw saw = Decode(*report);
    EXPECT_TRUE(saw.prompts.isEmpty()) << saw.prompts.join(" | ").toStdString();
    EXPECT_EQ(saw.shown, "2 titles, 1 on the shelf, 1 open rentals, 1 on the connection");
    EXPECT_EQ(FileBytes(DbPath()), bytesBefore);
    EXPECT_FALSE(QFile::exists(DbPath() + "-journal"));
}

// The same older file held by another program while the program starts: the table goes on
// the connection, and start-up tells no more than it tells of a held file that has it. Once
// the other program lets go, the first basket takes the table into the file with its line,
// so that a crash then still finds the basket at the next start; its number is found among
// the lines, and the next start brings the file up.
TEST_F(FileFaultsTest, AnOlderFileLockedAtStartTakesTheTableInWithItsFirstBasket) {
    const BriefWaits brief;
    Sql(kOneRentalOut);
    std::vector<QString> toldOfAHeldFile;
    {
        WriteLockHolder other(DbPath());
        StartProgram();
        toldOfAHeldFile = Prompts();
    }
    CloseProgram();
    ForgetPrompts();
    MakeOlder();
    {
        WriteLockHolder other(DbPath());
        frmMain& main = StartProgram();
        EXPECT_EQ(Prompts(), toldOfAHeldFile);
        EXPECT_EQ(gConn.Scalar(kOnTheConnection).ToInt(), 1);
        main.Image3_Click(1);
        Settle();
        EXPECT_EQ(main.Returns()->adoDispBorrow->RecordCount(), 1);
    }
    ForgetPrompts();
    CounterAtTheFrame::CheckOut<frmControlBorrow>(0, "030100000002", {1});
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select kind || basketno from openbasket"), "borrow0002");
    EXPECT_EQ(gConn.Scalar(kOnTheConnection).ToInt(), 0) << "the file's table is read now";

    CloseProgram();  // killed
    StartProgram();
    EXPECT_EQ(Prompts().size(), 1u) << Shown().toStdString();
    EXPECT_EQ(Count("select count(*) from borrowinfo"), 1) << "the basket went back";
    EXPECT_EQ(Query1("select min(no) from freenumber where kind = 'borrow'"), "0002")
        << "brought up at this start, once the file was free";
}

// ---- Disk full --------------------------------------------------------------------------
// The file may not grow by a page (max_page_count): what needs a new page is refused.

TEST_F(FileFaultsTest, ANewTitleOnAFullDiskIsRefusedWholeAndSavedLater) {
    StartProgram();
    CataloguePage& page = Catalogue();
    page.Command1->click();
    Settle();
    Type(page.TxtName, "新片");
    Type(page.Text1, "N1");
    page.TxtContent->setPlainText(QString(QStringLiteral("很长的简介")).repeated(2000));
    page.CboType->setCurrentText("DVD");
    page.CboMovieType->setCurrentText("科幻");
    UseWholePagesOnly();
    const QStringList before = DatabaseDump(DbPath());
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(OneBoxSaying(Full())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_EQ(gConn.TransactionDepth(), 0);
    EXPECT_EQ(page.adoCDInfo->EditMode(), adEditAdd) << "the new title is still being added";
    EXPECT_EQ(page.TxtName->text(), "新片");

    FreeTheDisk();
    ForgetPrompts();
    page.CmdSave->click();
    Settle();
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select name || '/' || length(content) from cdinfo where id = 'N1'"),
              "新片/10000");
}

TEST_F(FileFaultsTest, AMemberPercentageOnAFullDiskIsRefusedWholeAndWrittenLater) {
    // Enough titles that their member prices, growing from whole yuan to decimals, need pages.
    AddTitles(3, 602);
    StartProgram();
    SettingsPage& page = Settings();
    UseWholePagesOnly();
    const QStringList before = DatabaseDump(DbPath());
    TypeAndLeave(page.MaskEdBox2, "73%", page.MaskEdBox3);
    EXPECT_TRUE(OneBoxSaying(Full())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before) << "neither the percentage nor any title changed";
    EXPECT_EQ(page.MaskEdBox2->Text(), "80%");
    EXPECT_EQ(gConn.TransactionDepth(), 0);

    FreeTheDisk();
    ForgetPrompts();
    TypeAndLeave(page.MaskEdBox2, "73%", page.MaskEdBox3);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select percentb from pricepercent"), "0.73");
    EXPECT_EQ(Count("select count(*) from cdinfo where memberborrowprice = 3 * 0.73"), 602);
}

TEST_F(FileFaultsTest, ANewClassificationOnAFullDiskIsRefusedAndWrittenLater) {
    StartProgram();
    SettingsPage& page = Settings();
    UseWholePagesOnly();
    const QStringList before = DatabaseDump(DbPath());
    Lists().Command7_Click();
    Settle();
    const QString longName = QString(QStringLiteral("格式")).repeated(3000);
    NameCellAndLeave(page.dgType, longName, page.MaskEdBox2);
    EXPECT_TRUE(OneBoxSaying(Full())) << Shown().toStdString();
    EXPECT_EQ(DatabaseDump(DbPath()), before);
    EXPECT_TRUE(page.adoType->HasPendingChanges()) << "the new entry waits";

    FreeTheDisk();
    ForgetPrompts();
    Leave(page.dgType, page.MaskEdBox2);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Count("select length(type) from type where typeid = 1"), 6000);
}

// ---- Saves over the program's own files ------------------------------------------------
// A workbook or a printout saved as the shop's database, the settings file or a template
// under another spelling of its path is refused with one box naming the file, before any
// question; the file stays as it was and the program goes on with its database.

namespace {
// The templates shipped with the program, in the program folder's support/.
void CopyTemplates(const QString& programFolder) {
    const QString support = QDir(programFolder).filePath("support");
    QDir().mkpath(support);
    const QDir shipped(QStringLiteral(LUMTRAK_SOURCE_DIR "/support"));
    for (const QString& name : shipped.entryList({"*.xltx"}, QDir::Files))
        QFile::copy(shipped.filePath(name), QDir(support).filePath(name));
}

// What a file holds and when it was last written.
struct FileState {
    QByteArray bytes;
    QDateTime modified;
    bool operator==(const FileState&) const = default;
};
FileState StateOf(const QString& path) {
    return {FileBytes(path), QFileInfo(path).lastModified()};
}

// The print button of Qt's preview window ("Print", or its Chinese once translated).
QAction* PrintActionOf(QPrintPreviewDialog* preview) {
    for (QAction* action : preview->findChildren<QAction*>()) {
        const QString text = action->text().remove(u'&');
        if (text == "Print" || text == QStringLiteral("打印")) return action;
    }
    return nullptr;
}
}  // namespace

TEST_F(FileFaultsTest, AnExportIsNeverSavedOverTheDatabaseTheSettingsOrATemplate) {
    CopyTemplates(Dir());
    const QString ini = QDir(Dir()).filePath("Lumtrak.ini");
    {
        QFile f(ini);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[Shop]\nName=星光\nTel=12345\n");
    }
    const QString templ = QDir(Dir()).filePath("support/YearReport.xltx");
    const QStringList targets{DbPath(), QDir(Dir()).filePath("./support/../cdmanage.mdb"), ini,
                              QDir(Dir()).filePath("support/../support//YearReport.xltx")};
    const std::vector<FileState> before{StateOf(DbPath()), StateOf(ini), StateOf(templ)};
    StartProgram();
    frmMain::instance().Image3_Click(3);
    Settle();
    frmMain::instance().Statistics()->LblReport_Click(1);
    Settle();
    frmReport& report = frmReport::instance();
    for (const QString& target : targets) {
        ForgetPrompts();
        SetSaveFileResponder([target](const SaveFileCall&) { return target; });
        MsgBoxLog::Get().QueueAnswer(vbYes);
        report.CmdOutput->click();
        Settle();
        ASSERT_EQ(Prompts().size(), 1u) << "no replace question: " << Shown().toStdString();
        EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
        EXPECT_TRUE(Prompts()[0].startsWith(target)) << Shown().toStdString();
        EXPECT_TRUE(Prompts()[0].contains("不能保存到这个文件上")) << Shown().toStdString();
    }
    ClearSaveFileResponder();
    EXPECT_TRUE(Prompts()[0].contains("support文件夹")) << Shown().toStdString();
    EXPECT_EQ((std::vector<FileState>{StateOf(DbPath()), StateOf(ini), StateOf(templ)}), before);
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
    EXPECT_TRUE(report.CmdOutput->isEnabled());

    // The program goes on writing into its database.
    report.Unload();
    ShowActive(&frmMain::instance());
    ForgetPrompts();
    SettingsPage& page = Settings();
    TypeAndLeave(page.MaskEdBox4, "25", page.MaskEdBox2);
    EXPECT_TRUE(Prompts().empty()) << Shown().toStdString();
    EXPECT_EQ(Query1("select tax from pricepercent"), "25.0");
}

// The member card's preview prints to a file named in Qt's print dialog: the database typed
// there is refused, and nothing is written into it.
TEST_F(FileFaultsTest, TheMemberCardIsNeverPrintedIntoTheDatabase) {
    CopyTemplates(Dir());
    Data().Add(ShopData::Member("000001", "张三").Money(30));
    StartProgram();
    frmMain::instance().Image3_Click(5);
    Settle();
    ForgetPrompts();  // the month's fee question at start-up
    const FileState before = StateOf(DbPath());
    MemberPage& members = *frmMain::instance().Members();
    bool printed = false;
    QStringList otherBoxes;
    QTimer driver;
    QObject::connect(&driver, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property("driven").toBool()) return;
        if (auto* preview = qobject_cast<QPrintPreviewDialog*>(modal)) {
            QAction* print = PrintActionOf(preview);
            if (!print) return;
            modal->setProperty("driven", true);
            QTimer::singleShot(0, print, &QAction::trigger);
        } else if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
            // Print to a file, named as the operator types it.
            auto* printers = dialog->findChild<QComboBox*>("printers");
            auto* file = dialog->findChild<QLineEdit*>("filename");
            if (!printers || !file) return;
            modal->setProperty("driven", true);
            for (int i = 0; i < printers->count(); ++i)
                if (printers->itemText(i).contains("PDF")) printers->setCurrentIndex(i);
            file->setText(DbPath());
            printed = true;
            QTimer::singleShot(0, dialog, &QDialog::accept);
        } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            otherBoxes << box->text();
            if (QAbstractButton* yes = box->button(QMessageBox::Yes))
                QTimer::singleShot(0, yes, &QAbstractButton::click);
            else
                QTimer::singleShot(0, box, &QDialog::accept);
        }
    });
    driver.start(20);
    members.CmdPrint->click();
    Settle();
    driver.stop();
    ASSERT_TRUE(printed) << "the print dialog was reached";
    ASSERT_EQ(Prompts().size(), 1u) << Shown().toStdString();
    EXPECT_EQ(MsgBoxLog::Get().Calls()[0].title, "错误");
    EXPECT_TRUE(Prompts()[0].contains(DbPath() + "是本店的数据库文件")) << Shown().toStdString();
    EXPECT_EQ(StateOf(DbPath()), before) << otherBoxes.join(" | ").toStdString();
    EXPECT_EQ(IntegrityCheck(DbPath()), "ok");
    EXPECT_FALSE(QApplication::activeModalWidget());
}
