#pragma once
#include <QString>

// The files the program itself needs, which no save may write over: the shop's database
// in the program folder (with the journal files the database engine keeps beside it), the
// settings file Lumtrak.ini, the program's executable and everything under support/.
// A path is compared as the file system resolves it (symbolic links, "." and "..",
// doubled separators), and an existing file also by its identity on the disk, so that
// another spelling of one of those files is refused as well.
class SaveTarget {
  public:
    // Empty when a save may write path; otherwise the one message that refuses it,
    // naming the file and what it is to the program.
    static QString Refusal(const QString& path);
};
