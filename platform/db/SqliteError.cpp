#include "platform/db/SqliteError.h"

#include <sqlite3.h>

QString SqliteErrorLead(int resultCode, const QString& file) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return QStringLiteral("数据库文件被其他程序锁定");
        case SQLITE_CANTOPEN:
            return QStringLiteral("无法打开数据库文件“%1”").arg(file);
        case SQLITE_NOTADB:
            return QStringLiteral("文件“%1”不是数据库文件").arg(file);
        case SQLITE_READONLY:
            return QStringLiteral("数据库文件是只读的，不能写入");
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return QStringLiteral("没有访问数据库文件的权限");
        case SQLITE_CORRUPT:
            return QStringLiteral("数据库文件已损坏");
        case SQLITE_FULL:
            return QStringLiteral("磁盘已满，不能写入数据库");
        case SQLITE_IOERR:
            return QStringLiteral("读写数据库文件时出错");
        case SQLITE_CONSTRAINT:
            return QStringLiteral("数据不符合数据库的约束（例如主键重复或必填项为空）");
        case SQLITE_MISMATCH:
            return QStringLiteral("数据类型不匹配");
        case SQLITE_RANGE:
            return QStringLiteral("SQL 语句的参数个数不符");
        case SQLITE_TOOBIG:
            return QStringLiteral("数据太长");
        case SQLITE_NOMEM:
            return QStringLiteral("内存不足");
        case SQLITE_INTERRUPT:
            return QStringLiteral("数据库操作被中断");
        case SQLITE_ERROR:
            return QStringLiteral("SQL 语句执行出错");
        default:
            return QStringLiteral("数据库操作失败");
    }
}

DbError SqliteError(sqlite3* db, int resultCode, const QString& file) {
    const char* message = db ? sqlite3_errmsg(db) : nullptr;
    QString text = message ? QString::fromUtf8(message) : QString();
    // sqlite3_errmsg may describe a later call; the result code is authoritative.
    if (text.isEmpty() || text == QLatin1String("not an error"))
        text = QString::fromUtf8(sqlite3_errstr(resultCode));
    const int code = db ? sqlite3_extended_errcode(db) : resultCode;
    return DbError(SqliteErrorLead(resultCode, file) + QStringLiteral("：") + text,
                   (code & 0xff) == (resultCode & 0xff) ? code : resultCode);
}
