#include "tests/support/TestSupport.h"

#include <sqlite3.h>

#include <QDir>

#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "tools/CreateDatabase.h"

void LumtrakTestEnvironment::SetUp() {
    SetMsgBoxResponder([](const MsgBoxCall& call) { return MsgBoxLog::Get().Answer(call); });
}

MsgBoxLog& MsgBoxLog::Get() {
    static MsgBoxLog log;
    return log;
}

void MsgBoxLog::Reset() {
    calls_.clear();
    answers_.clear();
}

void MsgBoxLog::QueueAnswer(int answer) {
    answers_.push_back(answer);
}

int MsgBoxLog::Answer(const MsgBoxCall& call) {
    calls_.push_back(call);
    if (!answers_.empty()) {
        const int a = answers_.front();
        answers_.pop_front();
        return a;
    }
    return (call.buttons & 0x7) == vbYesNo ? vbNo : vbOK;
}

std::vector<QString> MsgBoxLog::Prompts() const {
    std::vector<QString> out;
    for (const auto& c : calls_) out.push_back(c.prompt);
    return out;
}

void ShopTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    SetAppPath(dir_.path());
    ResetNow();
    MsgBoxLog::Get().Reset();
    QString error;
    ASSERT_TRUE(CreateDatabase(DbPath(), &error)) << error.toStdString();
}

void ShopTest::TearDown() {
    SetAppPath(QString());
    ResetNow();
    MsgBoxLog::Get().Reset();
}

void ShopTest::SetToday(int y, int m, int d) {
    SetNow(QDateTime(QDate(y, m, d), QTime(10, 0)));
}

QString ShopTest::DbPath() const {
    return QDir(dir_.path()).filePath("cdmanage.mdb");
}

void ShopTest::Sql(const QString& script) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open_v2(DbPath().toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    char* err = nullptr;
    const int rc = sqlite3_exec(db, script.toUtf8().constData(), nullptr, nullptr, &err);
    const QString message = err ? QString::fromUtf8(err) : QString();
    sqlite3_free(err);
    sqlite3_close(db);
    ASSERT_EQ(rc, SQLITE_OK) << message.toStdString();
}

void ShopTest::MakeOlder() {
    Sql(Query1("select group_concat('drop ' || type || ' ' || name, ';') from sqlite_master "
               "where sql is not null and type in ('index', 'trigger')") +
        ";drop table openbasket; drop table freenumber");
}

QString ShopTest::Query1(const QString& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(DbPath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* st = nullptr;
    QString out;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK) {
        out = QString("<error: %1>").arg(QString::fromUtf8(sqlite3_errmsg(db)));
    } else if (sqlite3_step(st) == SQLITE_ROW) {
        const unsigned char* t = sqlite3_column_text(st, 0);
        out = t ? QString::fromUtf8(reinterpret_cast<const char*>(t)) : QString("<null>");
    } else {
        out = QString("<none>");
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}
