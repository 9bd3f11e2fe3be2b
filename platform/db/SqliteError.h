#pragma once
#include <QString>

#include "platform/db/DbError.h"

struct sqlite3;

// DbError for a failed SQLite call, in Chinese: the sentence of the failure's kind (busy,
// read-only, disk full, damaged, missing...), naming the database file, or a Chinese lead
// for the result code and the engine's number, "读写数据库文件时出错（错误代码 778）。".
// SQLite's own English message goes only into EngineText. file names the database file.
DbError SqliteError(sqlite3* db, int resultCode, const QString& file = QString());
