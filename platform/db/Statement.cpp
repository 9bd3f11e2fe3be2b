#include "platform/db/Statement.h"

#include <sqlite3.h>

#include "platform/db/CrashInjection.h"
#include "platform/db/SqliteError.h"

namespace {

void BindOne(sqlite3_stmt* st, int index, const Value& v) {
    if (v.IsNull())
        sqlite3_bind_null(st, index);
    else if (v.IsInteger())
        sqlite3_bind_int64(st, index, v.ToInt());
    else if (v.IsDouble())
        sqlite3_bind_double(st, index, v.ToDouble());
    else {
        const QByteArray utf8 = v.ToString().toUtf8();
        sqlite3_bind_text64(st, index, utf8.constData(), utf8.size(), SQLITE_TRANSIENT,
                            SQLITE_UTF8);
    }
}

}  // namespace

Statement::Statement(Connection& conn, const QString& sql) : conn_(conn), sql_(sql) {
    st_ = conn_.AcquireStatement(sql_);
}

Statement::~Statement() {
    conn_.ReleaseStatement(sql_, st_);
}

void Statement::Bind(const Params& params) {
    const int wanted = sqlite3_bind_parameter_count(st_);
    if (wanted != static_cast<int>(params.size()))
        throw DbError(QStringLiteral("SQL 语句的参数个数不符：需要 %1 个，给出 %2 个。")
                          .arg(wanted)
                          .arg(params.size()),
                      SQLITE_RANGE);
    for (int i = 0; i < wanted; ++i) BindOne(st_, i + 1, params[i]);
}

bool Statement::Step() {
    // Transaction statements read as read-only here; the outermost commit is counted by
    // the connection.
    if (!started_ && !sqlite3_stmt_readonly(st_)) {
        conn_.AboutToChange(Connection::Change::Writing);
        AboutToWrite();
    }
    started_ = true;
    const int rc = sqlite3_step(st_);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    throw SqliteError(sqlite3_db_handle(st_), rc, conn_.DataSource());
}

int Statement::Run() {
    sqlite3* db = sqlite3_db_handle(st_);
    const sqlite3_int64 before = sqlite3_total_changes64(db);
    while (Step()) {
    }
    // changes() keeps the count of an earlier statement when this one changed nothing.
    return sqlite3_total_changes64(db) == before ? 0 : sqlite3_changes(db);
}

int Statement::ColumnCount() const {
    return sqlite3_column_count(st_);
}

Value Statement::Column(int index) const {
    switch (sqlite3_column_type(st_, index)) {
        case SQLITE_INTEGER:
            return Value(static_cast<std::int64_t>(sqlite3_column_int64(st_, index)));
        case SQLITE_FLOAT:
            return Value(sqlite3_column_double(st_, index));
        case SQLITE_NULL:
            return Value();
        default: {  // text, and blobs read as text
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st_, index));
            return Value(QString::fromUtf8(text, sqlite3_column_bytes(st_, index)));
        }
    }
}

bool Statement::IsNull(int index) const {
    return sqlite3_column_type(st_, index) == SQLITE_NULL;
}

bool Statement::IsNumber(int index) const {
    const int type = sqlite3_column_type(st_, index);
    return type == SQLITE_INTEGER || type == SQLITE_FLOAT;
}

double Statement::Double(int index) const {
    return sqlite3_column_double(st_, index);
}

// Keys and dates are read through the column's value, in one column call: the reports read
// them by the hundred thousand, and each column call checks the statement and the column
// again. (No lock is taken: the connection is opened with SQLITE_OPEN_NOMUTEX and has none.)
SqlKey Statement::Key(int index) const {
    sqlite3_value* value = sqlite3_column_value(st_, index);
    const int type = sqlite3_value_type(value);
    if (type == SQLITE_NULL) return SqlKey();
    // A blob's bytes as they are; any other value as its text.
    const void* bytes = type == SQLITE_BLOB ? sqlite3_value_blob(value) : sqlite3_value_text(value);
    return SqlKey(QByteArrayView(static_cast<const char*>(bytes), sqlite3_value_bytes(value)),
                  type == SQLITE_BLOB);
}

std::optional<DateText> Statement::Date(int index) const {
    sqlite3_value* value = sqlite3_column_value(st_, index);
    if (sqlite3_value_type(value) != SQLITE_TEXT) return std::nullopt;
    const auto* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
    return DateText::Parse(std::string_view(text, sqlite3_value_bytes(value)));
}
