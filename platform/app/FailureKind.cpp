#include "platform/app/FailureKind.h"

#include <QDir>
#include <QFileInfo>
#include <QStorageInfo>
#include <QTemporaryFile>

QString FailureSentence(FailureKind kind, const QString& what) {
    switch (kind) {
        case FailureKind::Busy:
            return QStringLiteral("%1正被其他程序使用，请稍后再试。").arg(what);
        case FailureKind::ReadOnly:
            return QStringLiteral("%1是只读的，不能写入。").arg(what);
        case FailureKind::DiskFull:
            return QStringLiteral("磁盘已满，不能写入%1。").arg(what);
        case FailureKind::Damaged:
            return QStringLiteral("%1已损坏，或者不是本程序能读的文件。").arg(what);
        case FailureKind::Missing:
            return QStringLiteral("找不到%1。").arg(what);
        case FailureKind::NoAccess:
            return QStringLiteral("没有读写%1的权限。").arg(what);
        case FailureKind::NoFolder:
            return QStringLiteral("%1所在的文件夹不存在。").arg(what);
        case FailureKind::FolderNotWritable:
            return QStringLiteral("%1所在的文件夹不能写入（它是只读的，或者没有写入的权限）。")
                .arg(what);
        case FailureKind::IsFolder:
            return QStringLiteral("%1是一个文件夹，不能作为文件使用。").arg(what);
        case FailureKind::Other:
            break;
    }
    return QStringLiteral("%1出错。").arg(what);
}

QString OtherFailure(const QString& lead, int code) {
    if (code == 0) return lead + QStringLiteral("。");  // nothing reported a number
    return QStringLiteral("%1（错误代码 %2）。").arg(lead).arg(code);
}

QString FileNamed(const QString& noun, const QString& path) {
    return QStringLiteral("%1“%2”").arg(noun, QDir::toNativeSeparators(path));
}

namespace {
// Whether a new file can be made in folder: the one sure test, whoever runs the program
// (the superuser passes every permission check but not a read-only disk).
bool FolderTakesFiles(const QString& folder) {
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".lumtrak-XXXXXX")));
    return probe.open();
}

// Less room left on the disk of folder than bytes.
bool NoRoomFor(const QString& folder, qint64 bytes) {
    if (bytes <= 0) return false;
    const QStorageInfo disk(folder);
    return disk.isValid() && disk.bytesAvailable() >= 0 && disk.bytesAvailable() < bytes;
}
}  // namespace

FailureKind WriteFailureKind(const QString& path, QFileDevice::FileError error, qint64 bytes) {
    const QFileInfo target(path);
    if (target.isDir()) return FailureKind::IsFolder;
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) return FailureKind::NoFolder;
    if (target.exists() && !target.isWritable()) return FailureKind::ReadOnly;
    // A write under way that found no room: the folder took the file.
    if (error == QFileDevice::ResourceError) return FailureKind::DiskFull;
    if (!FolderTakesFiles(folder.absoluteFilePath())) return FailureKind::FolderNotWritable;
    if (NoRoomFor(folder.absoluteFilePath(), bytes)) return FailureKind::DiskFull;
    return FailureKind::Other;
}

FailureKind ReadFailureKind(const QString& path) {
    const QFileInfo file(path);
    if (!file.exists()) return FailureKind::Missing;
    if (file.isDir()) return FailureKind::IsFolder;
    if (!file.isReadable()) return FailureKind::NoAccess;
    return FailureKind::Other;
}

QString WriteFailure(const QString& noun, const QString& path, QFileDevice::FileError error,
                     qint64 bytes) {
    const FailureKind kind = WriteFailureKind(path, error, bytes);
    if (kind != FailureKind::Other) return FailureSentence(kind, FileNamed(noun, path));
    return OtherFailure(QStringLiteral("写入%1时出错").arg(FileNamed(noun, path)), error);
}

QString ReadFailure(const QString& noun, const QString& path, QFileDevice::FileError error) {
    const FailureKind kind = ReadFailureKind(path);
    if (kind != FailureKind::Other) return FailureSentence(kind, FileNamed(noun, path));
    return OtherFailure(QStringLiteral("读取%1时出错").arg(FileNamed(noun, path)), error);
}
