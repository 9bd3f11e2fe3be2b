#pragma once
#include <QString>
#include <QStringList>

// What a shop file holds, read through a connection of its own (read-only), for tests that
// compare the file before and after an action.

// Every table of the file in a canonical text: the tables in name order, each with its
// columns and its rows, every value with its storage class (NULL, integer, real, text, blob),
// the rows sorted. Two files with the same content give the same dump, whatever order the
// rows were written in. A file that cannot be read gives one line saying why.
QStringList DatabaseDump(const QString& path);

// The result of PRAGMA integrity_check ("ok" for a sound file).
QString IntegrityCheck(const QString& path);

// The first lines where two dumps differ ("  - " missing, "  + " extra), for a failure
// message.
QString DumpDifference(const QStringList& expected, const QStringList& actual);
