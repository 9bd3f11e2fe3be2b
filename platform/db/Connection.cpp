#include "platform/db/Connection.h"

#include <sqlite3.h>

#include <algorithm>
#include <functional>

#include "platform/db/CrashInjection.h"
#include "platform/db/PageCacheMemory.h"
#include "platform/db/SqlFunctions.h"
#include "platform/db/SqliteError.h"
#include "platform/db/Statement.h"

namespace {

constexpr int kMaxIdleStatements = 200;

// Reads "key=value;key=value", values optionally quoted with " or ' (a doubled quote
// stands for itself). Returns the value of the first key accepted by isWanted.
QString ConnectionStringValue(const QString& cs,
                              const std::function<bool(const QString&)>& isWanted) {
    int i = 0;
    const int n = cs.size();
    while (i < n) {
        const int eq = cs.indexOf(QLatin1Char('='), i);
        if (eq < 0) break;
        const QString key = cs.mid(i, eq - i);
        i = eq + 1;
        while (i < n && cs[i].isSpace()) ++i;
        QString value;
        if (i < n && (cs[i] == QLatin1Char('"') || cs[i] == QLatin1Char('\''))) {
            const QChar quote = cs[i++];
            while (i < n) {
                if (cs[i] == quote) {
                    if (i + 1 < n && cs[i + 1] == quote) {
                        value += quote;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += cs[i++];
            }
            while (i < n && cs[i] != QLatin1Char(';')) ++i;
        } else {
            const int semi = cs.indexOf(QLatin1Char(';'), i);
            const int end = semi < 0 ? n : semi;
            value = cs.mid(i, end - i).trimmed();
            i = end;
        }
        if (i < n) ++i;  // the ';'
        // A piece without "=" before the key ("junk;Data Source=...") is not part of it.
        QString normalized = key.mid(key.lastIndexOf(QLatin1Char(';')) + 1);
        normalized.remove(QLatin1Char(' '));
        if (isWanted(normalized)) return value;
    }
    return QString();
}

bool OnlyBlanksAndSemicolons(const char* tail) {
    for (; tail && *tail; ++tail)
        if (*tail != ';' && *tail != ' ' && *tail != '\t' && *tail != '\r' && *tail != '\n')
            return false;
    return true;
}

// Accepts the rest of a prepared text only when it holds no further statement.
void CheckSingleStatement(sqlite3* db, const char* tail) {
    if (OnlyBlanksAndSemicolons(tail)) return;
    sqlite3_stmt* next = nullptr;
    const int rc = sqlite3_prepare_v2(db, tail, -1, &next, nullptr);
    sqlite3_finalize(next);
    if (rc == SQLITE_OK && !next) return;  // only comments
    throw DbError(QStringLiteral("SQL 语句执行出错：一次只能执行一条 SQL 语句。"), SQLITE_ERROR);
}

}  // namespace

Connection::~Connection() {
    Close();
}

QString Connection::DataSourceOf(const QString& connectionString) {
    if (!connectionString.contains(QLatin1Char('='))) return connectionString.trimmed();
    return ConnectionStringValue(connectionString, [](const QString& key) {
        return key.compare(QLatin1String("DataSource"), Qt::CaseInsensitive) == 0;
    });
}

void Connection::Open(const QString& connectionString) {
    const QString path = DataSourceOf(connectionString);
    if (path.isEmpty())
        throw DbError(QStringLiteral("连接字符串中没有指定数据库文件（Data Source）。"));
    OpenFile(path);
}

void Connection::OpenFile(const QString& path) {
    Close();
    if (path.isEmpty()) throw DbError(QStringLiteral("没有指定数据库文件。"));
    PageCacheMemory::Reserve();
    sqlite3* db = nullptr;
    // Never CREATE: a missing file is an error and nothing appears on disk. The connection
    // is used by one thread only, so SQLite need not lock it around every call (a recordset
    // fill reads each of its cells through a few calls).
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_extended_result_codes(db, 1);
        sqlite3_busy_timeout(db, busyTimeoutMs_);
        rc = RegisterSqlFunctions(db);
    }
    // A shop's file grows to a few hundred megabytes over the years: a larger page cache
    // (up to 64 MB, taken only as pages are read) keeps big writes such as the yearly
    // fold from re-reading the same pages. Temporary work stays in memory.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "PRAGMA cache_size = -65536; PRAGMA temp_store = MEMORY", nullptr,
                          nullptr, nullptr);
    // Opening is lazy: reading the schema shows a foreign, unreadable or locked file now.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        const DbError error = SqliteError(db, rc, path);
        sqlite3_close_v2(db);
        throw error;
    }
    db_ = db;
    path_ = path;
    depth_ = 0;
    frames_.clear();
}

void Connection::Close() {
    if (!db_) return;
    AboutToChange(Change::Closing);
    FinalizeIdleStatements();
    sqlite3_close_v2(db_);  // an open transaction is rolled back
    db_ = nullptr;
    depth_ = 0;
    frames_.clear();
}

int Connection::BeforeChange(std::function<void(Change)> work) {
    beforeChange_.emplace_back(++nextBeforeChange_, std::move(work));
    return nextBeforeChange_;
}

void Connection::ForgetBeforeChange(int key) {
    std::erase_if(beforeChange_, [key](const auto& entry) { return entry.first == key; });
}

// The work usually takes itself off as it runs: each runs from a copy of the list.
void Connection::AboutToChange(Change change) {
    if (beforeChange_.empty()) return;
    const auto pending = beforeChange_;
    for (const auto& [key, work] : pending) {
        const bool stillWaiting =
            std::any_of(beforeChange_.begin(), beforeChange_.end(),
                        [key = key](const auto& entry) { return entry.first == key; });
        if (stillWaiting) work(change);
    }
}

void Connection::SetBusyTimeout(int milliseconds) {
    busyTimeoutMs_ = milliseconds;
    if (db_) sqlite3_busy_timeout(db_, milliseconds);
}

sqlite3* Connection::Handle() const {
    if (!db_) throw DbError(QStringLiteral("数据库连接没有打开。"));
    return db_;
}

int Connection::Execute(const QString& sql, const Params& params) {
    Statement st(*this, sql);
    st.Bind(params);
    return st.Run();
}

Value Connection::Scalar(const QString& sql, const Params& params) {
    Statement st(*this, sql);
    st.Bind(params);
    return st.Step() ? st.Column(0) : Value();
}

sqlite3_stmt* Connection::AcquireStatement(const QString& sql) {
    sqlite3* db = Handle();
    if (sqlite3_stmt* st = idle_.take(sql)) return st;
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), utf8.size(), &st, &tail);
    if (rc != SQLITE_OK) throw SqliteError(db, rc, path_);
    if (!st) throw DbError(QStringLiteral("SQL 语句执行出错：语句是空的。"), SQLITE_ERROR);
    try {
        CheckSingleStatement(db, tail);
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    return st;
}

void Connection::ReleaseStatement(const QString& sql, sqlite3_stmt* st) {
    if (!st) return;
    sqlite3_reset(st);
    sqlite3_clear_bindings(st);
    const bool keep = db_ && sqlite3_db_handle(st) == db_ && !idle_.contains(sql) &&
                      idle_.size() < kMaxIdleStatements;
    if (keep)
        idle_.insert(sql, st);
    else
        sqlite3_finalize(st);
}

void Connection::FinalizeIdleStatements() {
    for (sqlite3_stmt* st : std::as_const(idle_)) sqlite3_finalize(st);
    idle_.clear();
}

void Connection::Begin() {
    Execute(QStringLiteral("SAVEPOINT lumtrak_%1").arg(depth_ + 1));
    ++depth_;
    frames_.emplace_back();
}

void Connection::Commit() {
    if (depth_ == 0) throw DbError(QStringLiteral("没有可以提交的事务。"));
    if (sqlite3_get_autocommit(Handle())) {
        // SQLite has already rolled everything back (a disk full or I/O error).
        UndoAll();
        throw DbError(QStringLiteral("事务已被数据库回滚，修改没有保存。"));
    }
    if (depth_ == 1) AboutToWrite();
    Execute(QStringLiteral("RELEASE lumtrak_%1").arg(depth_));
    --depth_;
    Frame done = std::move(frames_.back());
    frames_.pop_back();
    if (depth_ > 0) {
        Frame& outer = frames_.back();
        for (auto& fn : done.afterCommit) outer.afterCommit.push_back(std::move(fn));
        for (auto& fn : done.undo) outer.undo.push_back(std::move(fn));
        return;
    }
    RunAll(done.afterCommit);
}

void Connection::Rollback() {
    if (depth_ == 0 || !db_) return;
    if (sqlite3_get_autocommit(db_)) {
        UndoAll();
        return;
    }
    if (depth_ == 1) {
        // The whole transaction goes: a plain ROLLBACK needs no lock that a reader of
        // another program could withhold (RELEASE of the outermost savepoint would).
        Execute(QStringLiteral("ROLLBACK"));
    } else {
        Execute(QStringLiteral("ROLLBACK TO lumtrak_%1").arg(depth_));
        Execute(QStringLiteral("RELEASE lumtrak_%1").arg(depth_));
    }
    --depth_;
    Frame undone = std::move(frames_.back());
    frames_.pop_back();
    std::reverse(undone.undo.begin(), undone.undo.end());
    RunAll(undone.undo);
}

// SQLite rolled the whole transaction back by itself: every savepoint's work is undone.
void Connection::UndoAll() {
    std::vector<std::function<void()>> undo;
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame)
        for (auto fn = frame->undo.rbegin(); fn != frame->undo.rend(); ++fn)
            undo.push_back(std::move(*fn));
    frames_.clear();
    depth_ = 0;
    RunAll(undo);
}

void Connection::AfterCommit(std::function<void()> work) {
    if (depth_ == 0) {
        work();
        return;
    }
    frames_.back().afterCommit.push_back(std::move(work));
}

void Connection::OnRollback(std::function<void()> undo) {
    if (depth_ > 0) frames_.back().undo.push_back(std::move(undo));
}

// Each piece of work runs, even when one before it failed; the first failure is raised
// afterwards.
void Connection::RunAll(std::vector<std::function<void()>>& work) {
    std::exception_ptr first;
    for (auto& fn : work) {
        try {
            fn();
        } catch (...) {
            if (!first) first = std::current_exception();
        }
    }
    if (first) std::rethrow_exception(first);
}

Transaction::Transaction(Connection& conn) : conn_(conn) {
    conn_.Begin();
}

Transaction::~Transaction() {
    if (done_) return;
    try {
        conn_.Rollback();
    } catch (...) {
        // A destructor must not throw; closing the connection rolls back in any case.
    }
}

void Transaction::Commit() {
    if (done_) return;
    conn_.Commit();
    done_ = true;
}
