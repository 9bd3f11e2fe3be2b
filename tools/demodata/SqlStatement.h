#pragma once
#include <string>

struct sqlite3;
struct sqlite3_stmt;

// A prepared statement run many times with new values. Failures throw
// std::runtime_error with SQLite's message.
class SqlStatement {
  public:
    SqlStatement(sqlite3* db, const char* sql);
    ~SqlStatement();
    SqlStatement(const SqlStatement&) = delete;
    SqlStatement& operator=(const SqlStatement&) = delete;

    SqlStatement& Bind(int index, const std::string& text);
    SqlStatement& Bind(int index, double value);
    SqlStatement& Bind(int index, int value);
    SqlStatement& BindNull(int index);
    // Runs the statement with the values bound, then clears them for the next run.
    void Run();
    // Steps a query to its next row (false after the last one) and reads its columns.
    bool NextRow();
    std::string Text(int column) const;

    // Runs SQL text without values (BEGIN, COMMIT, PRAGMA).
    static void Exec(sqlite3* db, const char* sql);

  private:
    void Check(int rc) const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};
