#include "tools/demodata/SqlStatement.h"

#include <sqlite3.h>

#include <stdexcept>

SqlStatement::SqlStatement(sqlite3* db, const char* sql) : db_(db) {
    Check(sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr));
}

SqlStatement::~SqlStatement() {
    sqlite3_finalize(stmt_);
}

SqlStatement& SqlStatement::Bind(int index, const std::string& text) {
    Check(sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()),
                            SQLITE_TRANSIENT));
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, double value) {
    Check(sqlite3_bind_double(stmt_, index, value));
    return *this;
}

SqlStatement& SqlStatement::Bind(int index, int value) {
    Check(sqlite3_bind_int(stmt_, index, value));
    return *this;
}

SqlStatement& SqlStatement::BindNull(int index) {
    Check(sqlite3_bind_null(stmt_, index));
    return *this;
}

void SqlStatement::Run() {
    const int rc = sqlite3_step(stmt_);
    sqlite3_reset(stmt_);
    sqlite3_clear_bindings(stmt_);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW) Check(rc);
}

bool SqlStatement::NextRow() {
    const int rc = sqlite3_step(stmt_);
    if (rc == SQLITE_ROW) return true;
    if (rc != SQLITE_DONE) Check(rc);
    return false;
}

std::string SqlStatement::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
    return text ? text : "";
}

void SqlStatement::Exec(sqlite3* db, const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(db, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        const std::string text = message ? message : sqlite3_errmsg(db);
        sqlite3_free(message);
        throw std::runtime_error(text);
    }
}

void SqlStatement::Check(int rc) const {
    if (rc != SQLITE_OK) throw std::runtime_error(sqlite3_errmsg(db_));
}
