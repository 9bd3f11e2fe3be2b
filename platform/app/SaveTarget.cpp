#include "platform/app/SaveTarget.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/app/AppPath.h"
#include "platform/app/ShopSettings.h"

namespace {
// The database as start-up opens it, in the program folder, and the files its engine keeps
// beside it while it writes.
const char* const kDatabase = "cdmanage.mdb";
const char* const kJournals[] = {"-journal", "-wal", "-shm"};
const char* const kExecutable = "Lumtrak";
const char* const kSupport = "support";
// A chain of links longer than this is not followed (a loop of links ends there).
constexpr int kMaxLinks = 32;

struct ProgramFile {
    QString path;
    const char* what;
};

// Where the file system would write path: its links followed, "." and ".." and doubled
// separators gone. A file not there yet is its folder's resolved path and its own name.
QString Resolved(const QString& path, int links = 0) {
    const QFileInfo info(path);
    if (info.isSymLink() && links < kMaxLinks) {
        const QString target = info.symLinkTarget();
        if (!target.isEmpty()) return Resolved(target, links + 1);
    }
    const QString canonical = info.canonicalFilePath();
    if (!canonical.isEmpty()) return canonical;
    const QString folder = info.absoluteDir().canonicalPath();
    if (folder.isEmpty()) return QDir::cleanPath(info.absoluteFilePath());
    return QDir(folder).filePath(info.fileName());
}

// Two names of one file on the disk (hard links included); false when either is missing.
bool SameFile(const QString& a, const QString& b) {
    std::error_code error;
    const bool same = std::filesystem::equivalent(QFile::encodeName(a).toStdString(),
                                                  QFile::encodeName(b).toStdString(), error);
    return same && !error;
}

std::vector<ProgramFile> ProgramFiles() {
    const QDir folder(AppPath());
    std::vector<ProgramFile> files{{folder.filePath(kDatabase), "本店的数据库文件"}};
    for (const char* journal : kJournals)
        files.push_back({folder.filePath(QString(kDatabase) + journal), "本店数据库的日志文件"});
    files.push_back({ShopSettings::FilePath(), "本程序的设置文件"});
    files.push_back({folder.filePath(kExecutable), "本程序的程序文件"});
    if (QCoreApplication::instance())
        files.push_back({QCoreApplication::applicationFilePath(), "本程序的程序文件"});
    return files;
}

bool Within(const QString& resolved, const QString& folder) {
    return resolved == folder || resolved.startsWith(folder + u'/');
}

// A file under support/ reached through a hard link from elsewhere.
bool IsSupportFile(const QString& path, const QString& support) {
    QDirIterator files(support, QDir::Files | QDir::Hidden | QDir::System,
                       QDirIterator::Subdirectories);
    while (files.hasNext()) {
        if (SameFile(path, files.next())) return true;
    }
    return false;
}

QString Refused(const QString& path, const char* what) {
    return QString("%1是%2，不能保存到这个文件上，请另选一个文件名。")
        .arg(QDir::toNativeSeparators(path), QString::fromUtf8(what));
}
}  // namespace

QString SaveTarget::Refusal(const QString& path) {
    const QString target = Resolved(path);
    const bool exists = QFileInfo::exists(target);
    for (const ProgramFile& file : ProgramFiles()) {
        if (target == Resolved(file.path) || (exists && SameFile(target, file.path)))
            return Refused(path, file.what);
    }
    const QString support = Resolved(QDir(AppPath()).filePath(kSupport));
    if (Within(target, support) || (exists && IsSupportFile(target, support)))
        return Refused(path, "本程序support文件夹中的文件");
    return QString();
}
