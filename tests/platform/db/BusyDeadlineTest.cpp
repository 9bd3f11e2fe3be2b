// A connection's wait for another program's lock, shortened for a while. The other program
// lets its lock go from a thread of its own well after the short wait and well before the
// connection's own.
#include <chrono>
#include <thread>

#include "platform/db/BusyDeadline.h"
#include "tests/platform/db/DbFixture.h"

namespace {
constexpr int kShortWait = 100;
constexpr auto kLetGoAfter = std::chrono::milliseconds(1500);

// Another program writing the file: nobody may read it until it lets go.
class OtherProgram {
  public:
    explicit OtherProgram(const QString& path) {
        sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READWRITE, nullptr);
        sqlite3_exec(db_, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
    }
    ~OtherProgram() {
        if (letGo_.joinable()) letGo_.join();
        LetGo();
    }
    void LetGoLater() {
        letGo_ = std::thread([this] {
            std::this_thread::sleep_for(kLetGoAfter);
            LetGo();
        });
    }

  private:
    void LetGo() {
        if (!db_) return;
        sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db_);
        db_ = nullptr;
    }
    sqlite3* db_ = nullptr;
    std::thread letGo_;
};

QString Read(Connection& conn) {
    return ErrorOf([&] { conn.Scalar("SELECT count(*) FROM cdinfo"); });
}
}  // namespace

using BusyDeadlineTest = DbTest;

TEST_F(BusyDeadlineTest, UnderTheGuardEveryStatementGivesUpOnceTheDeadlineHasPassed) {
    OtherProgram other(DbPath());
    other.LetGoLater();
    {
        BusyDeadline quick(conn, kShortWait);
        EXPECT_EQ(Read(conn), LockedSentence())
            << "the first statement waits out the deadline, no more";
        EXPECT_EQ(Read(conn), LockedSentence());
        EXPECT_EQ(ErrorOf([&] { conn.Execute("UPDATE ForeGift SET money = 2"); }),
                  LockedSentence());
    }
    EXPECT_EQ(conn.BusyTimeout(), 5000);
    EXPECT_EQ(Read(conn), "") << "past the guard the connection waits its own time again";
    EXPECT_EQ(conn.Execute("UPDATE ForeGift SET money = 2"), 1);
}

TEST_F(BusyDeadlineTest, AGuardInsideAnotherKeepsTheOuterDeadline) {
    OtherProgram other(DbPath());
    other.LetGoLater();
    BusyDeadline outer(conn, kShortWait);
    {
        BusyDeadline inner(conn, 60000);
        EXPECT_EQ(Read(conn), LockedSentence());
    }
    EXPECT_EQ(Read(conn), LockedSentence())
        << "the inner guard's end leaves the outer one's deadline";
}

TEST_F(BusyDeadlineTest, AFreeFileIsReadAsEverAndAClosedConnectionIsLeftAlone) {
    {
        BusyDeadline quick(conn, 0);
        EXPECT_EQ(Read(conn), "");
    }
    conn.Close();
    {
        BusyDeadline nothing(conn, kShortWait);
        EXPECT_FALSE(conn.IsOpen());
    }
    conn.OpenFile(DbPath());
    EXPECT_EQ(Read(conn), "");
}
