#pragma once
#include <QString>

#include "platform/db/Connection.h"

struct sqlite3_stmt;

// One prepared statement of a connection, for the length of one use: prepared (or
// taken from the connection's cache) on construction, reset and handed back on
// destruction. Every failure raises DbError.
class Statement {
  public:
    Statement(Connection& conn, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds ?1, ?2... in order; the count must match the statement's parameters.
    void Bind(const Params& params);
    // True when a row is ready; false when the statement has finished.
    bool Step();
    // Steps to the end; returns the rows the statement itself changed.
    int Run();

    int ColumnCount() const;
    Value Column(int index) const;
    sqlite3_stmt* Handle() const { return st_; }
    Connection& Conn() const { return conn_; }

  private:
    Connection& conn_;
    QString sql_;
    sqlite3_stmt* st_ = nullptr;
    bool started_ = false;
};
