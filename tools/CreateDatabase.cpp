#include "tools/CreateDatabase.h"

#include <sqlite3.h>

#include <QFile>
#include <QFileInfo>
#include <string>

#include "core/ShopSchema.h"

namespace {
bool Fail(QString* error, const QString& message) {
    if (error) *error = message;
    return false;
}
}  // namespace

bool CreateDatabase(const QString& path, QString* error) {
    if (QFileInfo::exists(path)) return Fail(error, path + " already exists; it is left as it is.");
    sqlite3* db = nullptr;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_EXCLUSIVE;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr) != SQLITE_OK) {
        const QString message =
            db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString("out of memory");
        sqlite3_close(db);
        return Fail(error, message);
    }
    char* raw = nullptr;
    const int rc = sqlite3_exec(db, (std::string("BEGIN;") + ShopSchemaSql() + "\nCOMMIT;").c_str(),
                                nullptr, nullptr, &raw);
    const QString message = raw ? QString::fromUtf8(raw) : QString();
    sqlite3_free(raw);
    sqlite3_close(db);
    if (rc != SQLITE_OK) {
        QFile::remove(path);
        return Fail(error, message);
    }
    return true;
}
