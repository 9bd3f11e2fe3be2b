#include "tests/reliability/CrashDump.h"

#include <algorithm>

#include "platform/db/Statement.h"

namespace {
const char* const kSchema =
    "select type || ' ' || name || ': ' || coalesce(sql, '') from sqlite_master";
const char* const kTables =
    "select name from sqlite_master where type = 'table' and name not like 'sqlite_%' "
    "order by name";
const char* const kColumns = "select name from pragma_table_info(?1) order by cid";
// {columns} is quote() of each column joined by '|'; {table} the table: both from the schema.
const char* const kRowsOfTable = "select {columns} from [{table}]";
const char* const kIntegrityCheck = "pragma integrity_check";
constexpr int kLinesShown = 6;
}  // namespace

QStringList CrashDump::Column(Connection& conn, const QString& sql, const Params& params) {
    Statement st(conn, sql);
    st.Bind(params);
    QStringList out;
    while (st.Step()) out << st.Column(0).ToString();
    return out;
}

QStringList CrashDump::Rows(Connection& conn, const QString& table) {
    QStringList quoted;
    for (const QString& column : Column(conn, kColumns, {table}))
        quoted << QStringLiteral("quote([%1])").arg(column);
    const QString sql = QString::fromUtf8(kRowsOfTable)
                            .replace(QStringLiteral("{columns}"), quoted.join(" || '|' || "))
                            .replace(QStringLiteral("{table}"), table);
    QStringList rows;
    for (const QString& row : Column(conn, sql)) rows << table + QStringLiteral(": ") + row;
    return rows;
}

QStringList CrashDump::Of(Connection& conn) {
    QStringList dump = Column(conn, kSchema);
    std::sort(dump.begin(), dump.end());
    for (const QString& table : Column(conn, kTables)) {
        QStringList rows = Rows(conn, table);
        std::sort(rows.begin(), rows.end());
        dump << rows;
    }
    return dump;
}

QString CrashDump::Integrity(Connection& conn) {
    return Column(conn, kIntegrityCheck).join('\n');
}

QString CrashDump::Difference(const QStringList& expected, const QStringList& actual) {
    QStringList missing;
    QStringList extra;
    for (const QString& line : expected)
        if (!actual.contains(line) && missing.size() < kLinesShown) missing << "  - " + line;
    for (const QString& line : actual)
        if (!expected.contains(line) && extra.size() < kLinesShown) extra << "  + " + line;
    return (missing + extra).join('\n');
}
