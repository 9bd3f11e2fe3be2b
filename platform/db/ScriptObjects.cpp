#include "platform/db/ScriptObjects.h"

#include <sqlite3.h>

#include "platform/db/SqliteError.h"

namespace {
const char* const kObjects =
    "select type, name, sql from sqlite_master where sql is not null and type in "
    "('table', 'index', 'trigger') order by rowid";

QString Text(sqlite3_stmt* st, int column) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, column)));
}

// The database in memory, closed on every way out.
struct MemoryDb {
    sqlite3* db = nullptr;
    ~MemoryDb() { sqlite3_close_v2(db); }
};
}  // namespace

std::vector<ScriptObjects::Object> ScriptObjects::Of(const char* script) {
    MemoryDb memory;
    int rc = sqlite3_open_v2(":memory:", &memory.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    if (rc == SQLITE_OK) rc = sqlite3_exec(memory.db, script, nullptr, nullptr, nullptr);
    sqlite3_stmt* st = nullptr;
    if (rc == SQLITE_OK) rc = sqlite3_prepare_v2(memory.db, kObjects, -1, &st, nullptr);
    std::vector<Object> objects;
    while (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW) {
        objects.push_back({Text(st, 0), Text(st, 1), Text(st, 2)});
        rc = SQLITE_OK;
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE) throw SqliteError(memory.db, rc);
    return objects;
}
