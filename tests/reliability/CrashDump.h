#pragma once
#include <QString>
#include <QStringList>

#include "platform/db/Connection.h"

// What a shop file holds, as canonical text: the schema, then every row of every table as
// "table: quoted values" (quote() keeps the storage class: 3, 3.0 and '3' differ), sorted,
// so two files with the same content give the same dump whatever order rows were written in.
class CrashDump {
  public:
    static QStringList Of(Connection& conn);
    // PRAGMA integrity_check's answer: "ok" for a sound file.
    static QString Integrity(Connection& conn);
    // The first lines where two dumps differ, for a failure message.
    static QString Difference(const QStringList& expected, const QStringList& actual);

  private:
    static QStringList Column(Connection& conn, const QString& sql, const Params& params = {});
    static QStringList Rows(Connection& conn, const QString& table);
};
