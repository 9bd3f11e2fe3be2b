#include "platform/db/SqliteError.h"

#include <sqlite3.h>

namespace {
// The kind of a failure to open the file (or a journal beside it): what the file system
// shows now.
FailureKind CantOpenKind(const QString& file) {
    if (file.isEmpty()) return FailureKind::Other;
    const FailureKind read = ReadFailureKind(file);
    if (read != FailureKind::Other) return read;
    return WriteFailureKind(file, QFileDevice::NoError);
}

FailureKind KindOf(int resultCode, const QString& file) {
    switch (resultCode & 0xff) {
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            return FailureKind::Busy;
        case SQLITE_READONLY:
            return FailureKind::ReadOnly;
        case SQLITE_FULL:
            return FailureKind::DiskFull;
        case SQLITE_NOTADB:
        case SQLITE_CORRUPT:
            return FailureKind::Damaged;
        case SQLITE_PERM:
        case SQLITE_AUTH:
            return FailureKind::NoAccess;
        case SQLITE_CANTOPEN:
            return CantOpenKind(file);
        default:
            return FailureKind::Other;
    }
}

// The lead of a failure of no kind of its own.
QString LeadOf(int resultCode) {
    switch (resultCode & 0xff) {
        case SQLITE_CANTOPEN:
            return QStringLiteral("无法打开数据库文件");
        case SQLITE_IOERR:
            return QStringLiteral("读写数据库文件时出错");
        case SQLITE_CONSTRAINT:
            return QStringLiteral("数据不符合数据库的约束，例如编号重复或必填项为空");
        case SQLITE_MISMATCH:
            return QStringLiteral("数据类型不匹配");
        case SQLITE_RANGE:
            return QStringLiteral("数据库命令的参数个数不符");
        case SQLITE_TOOBIG:
            return QStringLiteral("数据太长");
        case SQLITE_NOMEM:
            return QStringLiteral("内存不足");
        case SQLITE_INTERRUPT:
            return QStringLiteral("数据库操作被中断");
        case SQLITE_ERROR:
            return QStringLiteral("数据库命令执行出错");
        default:
            return QStringLiteral("数据库操作失败");
    }
}

QString DatabaseFile(const QString& file) {
    const QString noun = QStringLiteral("数据库文件");
    return file.isEmpty() ? noun : FileNamed(noun, file);
}
}  // namespace

DbError SqliteError(sqlite3* db, int resultCode, const QString& file) {
    const char* message = db ? sqlite3_errmsg(db) : nullptr;
    QString engineText = message ? QString::fromUtf8(message) : QString();
    // sqlite3_errmsg may describe a later call; the result code is authoritative.
    if (engineText.isEmpty() || engineText == QLatin1String("not an error"))
        engineText = QString::fromUtf8(sqlite3_errstr(resultCode));
    const int extended = db ? sqlite3_extended_errcode(db) : resultCode;
    const int code = (extended & 0xff) == (resultCode & 0xff) ? extended : resultCode;
    const FailureKind kind = KindOf(resultCode, file);
    const QString description = kind == FailureKind::Other
                                    ? OtherFailure(LeadOf(resultCode), code)
                                    : FailureSentence(kind, DatabaseFile(file));
    return DbError(description, code, kind, engineText);
}
