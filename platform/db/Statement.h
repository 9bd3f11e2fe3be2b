#pragma once
#include <QString>
#include <cstdint>
#include <optional>

#include "platform/db/Connection.h"
#include "platform/db/DateText.h"
#include "platform/db/SqlKey.h"

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
    // The current row's column read in place, for statements that read many rows: no
    // Value is made. A key's bytes stay valid until the next Step.
    bool IsNull(int index) const;
    bool IsNumber(int index) const;  // an integer or a double
    double Double(int index) const;  // Null gives 0; a text, the number it starts with
    SqlKey Key(int index) const;
    // The column as year(), month() and day() read it: a text in a date's form, else none.
    std::optional<DateText> Date(int index) const;
    sqlite3_stmt* Handle() const { return st_; }

  private:
    Connection& conn_;
    QString sql_;
    sqlite3_stmt* st_ = nullptr;
    bool started_ = false;
};
