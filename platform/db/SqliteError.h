#pragma once
#include <QString>

#include "platform/db/DbError.h"

struct sqlite3;

// DbError for a failed SQLite call: a Chinese lead text for the kind of failure, then
// SQLite's own message, e.g. "数据库文件被其他程序锁定：database is locked".
// file names the database file in the texts that mention it.
DbError SqliteError(sqlite3* db, int resultCode, const QString& file = QString());

// The Chinese lead text for a result code (primary or extended).
QString SqliteErrorLead(int resultCode, const QString& file = QString());
