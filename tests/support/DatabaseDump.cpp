#include "tests/support/DatabaseDump.h"

#include <sqlite3.h>

#include <algorithm>

namespace {
// A read-only connection that closes itself.
class Reader {
  public:
    explicit Reader(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            error_ = db_ ? QString::fromUtf8(sqlite3_errmsg(db_)) : QStringLiteral("no memory");
        }
        if (db_) sqlite3_busy_timeout(db_, 2000);
    }
    ~Reader() { sqlite3_close(db_); }
    Reader(const Reader&) = delete;
    Reader& operator=(const Reader&) = delete;

    bool Ok() const { return error_.isEmpty(); }
    QString Error() const { return error_; }
    sqlite3* Db() const { return db_; }

  private:
    sqlite3* db_ = nullptr;
    QString error_;
};

QString CellText(sqlite3_stmt* st, int column) {
    switch (sqlite3_column_type(st, column)) {
        case SQLITE_NULL:
            return QStringLiteral("NULL");
        case SQLITE_INTEGER:
            return QStringLiteral("i:%1").arg(sqlite3_column_int64(st, column));
        case SQLITE_FLOAT:
            return QStringLiteral("r:%1").arg(sqlite3_column_double(st, column), 0, 'g', 17);
        case SQLITE_BLOB: {
            const auto* bytes = static_cast<const char*>(sqlite3_column_blob(st, column));
            const QByteArray blob(bytes, sqlite3_column_bytes(st, column));
            return QStringLiteral("b:") + QString::fromLatin1(blob.toHex());
        }
        default: {
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(st, column));
            QString t = QString::fromUtf8(text, sqlite3_column_bytes(st, column));
            return QStringLiteral("t:'") + t.replace('\'', QStringLiteral("''")) + '\'';
        }
    }
}

// Runs sql and returns its rows, each as its cells joined; an error as one line.
QStringList Rows(sqlite3* db, const QString& sql, bool withHeader) {
    sqlite3_stmt* st = nullptr;
    if (sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr) != SQLITE_OK)
        return {QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db))};
    QStringList rows;
    QStringList header;
    for (int c = 0; c < sqlite3_column_count(st); ++c)
        header << QString::fromUtf8(sqlite3_column_name(st, c));
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QStringList cells;
        for (int c = 0; c < sqlite3_column_count(st); ++c) cells << CellText(st, c);
        rows << cells.join(QStringLiteral(" | "));
    }
    if (rc != SQLITE_DONE)
        rows << QStringLiteral("error: ") + QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    std::sort(rows.begin(), rows.end());
    if (withHeader) rows.prepend(QStringLiteral("columns: ") + header.join(QStringLiteral(", ")));
    return rows;
}

QStringList TableNames(sqlite3* db) {
    QStringList names;
    for (const QString& row : Rows(db,
                                   "select name from sqlite_master where type = 'table' and name "
                                   "not like 'sqlite_%' order by name",
                                   false)) {
        // Each row is "t:'name'".
        names << row.mid(3, row.size() - 4).replace(QStringLiteral("''"), QStringLiteral("'"));
    }
    names.sort();
    return names;
}

QString Quoted(QString name) {
    return '"' + name.replace('"', QStringLiteral("\"\"")) + '"';
}
}  // namespace

QStringList DatabaseDump(const QString& path) {
    const Reader reader(path);
    if (!reader.Ok()) return {QStringLiteral("cannot open: ") + reader.Error()};
    QStringList dump;
    for (const QString& table : TableNames(reader.Db())) {
        dump << QStringLiteral("table ") + table;
        for (const QString& row : Rows(reader.Db(), "select * from " + Quoted(table), true))
            dump << QStringLiteral("  ") + row;
    }
    return dump;
}

QString IntegrityCheck(const QString& path) {
    const Reader reader(path);
    if (!reader.Ok()) return QStringLiteral("cannot open: ") + reader.Error();
    QStringList rows = Rows(reader.Db(), "PRAGMA integrity_check", false);
    for (QString& row : rows)
        if (row.startsWith(QStringLiteral("t:'"))) row = row.mid(3, row.size() - 4);
    return rows.join('\n');
}

QString DumpDifference(const QStringList& expected, const QStringList& actual) {
    constexpr int kLinesShown = 6;
    QStringList missing;
    QStringList extra;
    for (const QString& line : expected)
        if (!actual.contains(line) && missing.size() < kLinesShown) missing << "  - " + line;
    for (const QString& line : actual)
        if (!expected.contains(line) && extra.size() < kLinesShown) extra << "  + " + line;
    return (missing + extra).join('\n');
}
