#pragma once
#include <QFileDevice>
#include <QString>

// What went wrong with a file the program reads or writes (the database, a template, a
// saved workbook, a printed page), as far as the operator can do something about it. Each
// kind is told in one Chinese sentence; a failure of no kind here is told by a Chinese lead
// and the engine's number.
enum class FailureKind {
    Other,
    Busy,               // locked or in use by another program
    ReadOnly,           // a read-only file or disk
    DiskFull,           // no room left on the disk
    Damaged,            // not a file of the kind expected, or damaged
    Missing,            // no such file
    NoAccess,           // the file system refuses to let the program read or write it
    NoFolder,           // the folder it lies in (or is to lie in) does not exist
    FolderNotWritable,  // its folder cannot be written
    IsFolder,           // the name is that of a folder
};

// The sentence of a kind, about the file `what` as the sentence names it, e.g.
// FileNamed("数据库文件", path). Other has no sentence of its own: see OtherFailure.
QString FailureSentence(FailureKind kind, const QString& what);

// A failure of no kind: the lead and the engine's number, "读写数据库文件时出错（错误代码 778）。".
QString OtherFailure(const QString& lead, int code);

// A file as the sentences name it: the noun and the path, "文件“/home/shop/x.xlsx”".
QString FileNamed(const QString& noun, const QString& path);

// The kind of a failed write of path, looked up on the file system once the write failed:
// the name a folder, the folder missing or not writable, a read-only file, a full disk
// (error is what the file device reported, ResourceError for a full disk; bytes, when
// known, what was to be written: a disk with less room is full).
FailureKind WriteFailureKind(const QString& path, QFileDevice::FileError error, qint64 bytes = 0);
// The kind of a failed read (or open) of path: missing, a folder, not readable.
FailureKind ReadFailureKind(const QString& path);

// The one sentence for a failed write or read of the file `noun` at path: the sentence of
// its kind, or lead and number when it is of no kind.
QString WriteFailure(const QString& noun, const QString& path, QFileDevice::FileError error,
                     qint64 bytes = 0);
QString ReadFailure(const QString& noun, const QString& path, QFileDevice::FileError error);
