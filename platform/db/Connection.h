#pragma once
#include <QHash>
#include <QString>
#include <functional>
#include <vector>

#include "platform/db/DbError.h"
#include "platform/db/Value.h"

struct sqlite3;
struct sqlite3_stmt;

using Params = std::vector<Value>;

// The one connection to the shop's database file (an SQLite 3 file).
// Open never creates a file: a missing, unreadable or foreign file raises DbError.
// Registers year(), month(), day() (integers from a "yyyy-mm-dd..." text) and len()
// (characters of a text), each Null for a Null argument.
class Connection {
  public:
    Connection() = default;
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Takes the file from "Data Source=...;" of a connection string; the provider
    // and password keys are ignored (the file is protected by permissions only).
    void Open(const QString& connectionString);
    void OpenFile(const QString& path);
    void Close();
    bool IsOpen() const { return db_ != nullptr; }
    QString DataSource() const { return path_; }

    // Runs one statement with bound parameters (?1, ?2... or ?); returns rows changed.
    int Execute(const QString& sql, const Params& params = {});
    // First column of the first row, Null when there is no row.
    Value Scalar(const QString& sql, const Params& params = {});

    sqlite3* Handle() const;  // throws DbError when closed
    int TransactionDepth() const { return depth_; }

    // The savepoints behind Transaction; prefer the scoped guard, which cannot forget
    // to end what it began. Rollback with nothing begun does nothing.
    void Begin();
    void Commit();
    void Rollback();

    // Work that must wait until what the current transaction wrote is really in the file:
    // run once the outermost transaction commits (at once when none is open), dropped
    // when the transaction open now, or one around it, rolls back.
    void AfterCommit(std::function<void()> work);
    // Work that puts back what was done in memory for the transaction open now: run, the
    // latest first, when it or one around it rolls back; dropped once the outermost commits.
    // Nothing to undo when no transaction is open.
    void OnRollback(std::function<void()> undo);

    static QString DataSourceOf(const QString& connectionString);

    // Work that must be done before the file changes or the connection closes: a recordset
    // still reading its rows on demand reads the rest before a write, so that its rows all
    // come from one state of the file, and stops reading at Close. Run before every writing
    // statement and at Close; the key given back takes the work off again.
    enum class Change { Writing, Closing };
    int BeforeChange(std::function<void(Change)> work);
    void ForgetBeforeChange(int key);

    // How long a statement waits for a lock held by another program before it fails
    // with "数据库文件被其他程序锁定" (milliseconds; default a few seconds). BusyDeadline
    // shortens it for a while.
    void SetBusyTimeout(int milliseconds);
    int BusyTimeout() const { return busyTimeoutMs_; }

  private:
    friend class Statement;
    void AboutToChange(Change change);
    // Prepared statements are kept for reuse while idle; one in use is never shared.
    sqlite3_stmt* AcquireStatement(const QString& sql);
    void ReleaseStatement(const QString& sql, sqlite3_stmt* st);
    void FinalizeIdleStatements();

    sqlite3* db_ = nullptr;
    QString path_;
    // What waits on one open savepoint.
    struct Frame {
        std::vector<std::function<void()>> afterCommit;
        std::vector<std::function<void()>> undo;
    };
    static void RunAll(std::vector<std::function<void()>>& work);
    void UndoAll();

    int depth_ = 0;
    std::vector<Frame> frames_;  // one per open savepoint, innermost last
    int busyTimeoutMs_ = 5000;
    QHash<QString, sqlite3_stmt*> idle_;
    std::vector<std::pair<int, std::function<void(Change)>>> beforeChange_;
    int nextBeforeChange_ = 0;
};

// A scoped transaction: commits on Commit(), rolls back if destroyed without it
// (an exception left the block). Nests by savepoints.
class Transaction {
  public:
    explicit Transaction(Connection& conn);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void Commit();

  private:
    Connection& conn_;
    bool done_ = false;
};
