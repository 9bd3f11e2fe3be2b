#include "platform/db/RowWriter.h"

#include <sqlite3.h>

#include <QStringList>

#include "platform/db/Statement.h"

namespace {

const QString kUpdateGone =
    QStringLiteral("找不到要更新的记录：它可能已被删除或已被其他操作修改。");
const QString kDeleteGone =
    QStringLiteral("找不到要删除的记录：它可能已被删除或已被其他操作修改。");

}  // namespace

bool RowWriter::HasChanges(const Row& row, const Table& t) const {
    for (int f : t.fields)
        if (row.Changed(f)) return true;
    return false;
}

QString RowWriter::KeyCondition(const Table& t) const {
    QStringList parts;
    for (int f : t.keyFields)
        parts << RecordsetSchema::Quote(schema_.fields[f].column) + QStringLiteral(" = ?");
    return parts.join(QStringLiteral(" AND "));
}

std::vector<Value> RowWriter::Update(const Row& row) {
    std::vector<Value> values = row.values.ToVector();
    for (const Table& t : schema_.tables) {
        if (!t.updatable || !HasChanges(row, t)) continue;
        UpdateTable(row, t);
        ReadBackByKey(t, values);
    }
    return values;
}

void RowWriter::UpdateTable(const Row& row, const Table& t) {
    QStringList sets;
    Params params;
    for (int f : t.fields) {
        if (!row.Changed(f)) continue;
        sets << RecordsetSchema::Quote(schema_.fields[f].column) + QStringLiteral(" = ?");
        params.push_back(row.values.Get(f));
    }
    QString where = KeyCondition(t);
    for (int f : t.keyFields) params.push_back(row.Original(f));
    // Nobody else may have changed what we change: each such column still as read.
    for (int f : t.fields) {
        if (!row.Changed(f)) continue;
        where += QStringLiteral(" AND ") + RecordsetSchema::Quote(schema_.fields[f].column) +
                 QStringLiteral(" IS ?");
        params.push_back(row.Original(f));
    }
    Statement st(conn_, QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(t.QualifiedName(), sets.join(QStringLiteral(", ")), where));
    st.Bind(params);
    if (st.Run() == 0) throw DbError(kUpdateGone);
}

std::vector<Value> RowWriter::Insert(const Row& row) {
    std::vector<Value> values = row.values.ToVector();
    bool anySet = false;
    for (const Table& t : schema_.tables) anySet = anySet || (t.updatable && HasChanges(row, t));
    for (const Table& t : schema_.tables) {
        // A row with nothing set is added with the defaults of every table.
        if (t.updatable && (!anySet || HasChanges(row, t))) InsertTable(row, t, values);
    }
    return values;
}

void RowWriter::InsertTable(const Row& row, const Table& t, std::vector<Value>& values) {
    QStringList columns, marks;
    Params params;
    for (int f : t.fields) {
        if (!row.Changed(f)) continue;
        columns << RecordsetSchema::Quote(schema_.fields[f].column);
        marks << QStringLiteral("?");
        params.push_back(row.values.Get(f));
    }
    const QString sql = columns.isEmpty()
                            ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(t.QualifiedName())
                            : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                                  .arg(t.QualifiedName(), columns.join(QStringLiteral(", ")),
                                       marks.join(QStringLiteral(", ")));
    Statement st(conn_, sql);
    st.Bind(params);
    st.Run();
    if (t.hasRowid)
        ReadBack(t, QStringLiteral("rowid = ?"),
                 {static_cast<std::int64_t>(sqlite3_last_insert_rowid(conn_.Handle()))}, values);
    else
        ReadBackByKey(t, values);
}

void RowWriter::ReadBackByKey(const Table& t, std::vector<Value>& values) {
    Params key;
    for (int f : t.keyFields) key.push_back(values[f]);
    ReadBack(t, KeyCondition(t), key, values);
}

void RowWriter::ReadBack(const Table& t, const QString& where, const Params& params,
                         std::vector<Value>& values) {
    QStringList columns;
    for (int f : t.fields) columns << RecordsetSchema::Quote(schema_.fields[f].column);
    Statement st(conn_, QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                            .arg(columns.join(QStringLiteral(", ")), t.QualifiedName(), where));
    st.Bind(params);
    if (!st.Step()) return;  // a trigger took it away: keep what was written
    for (std::size_t i = 0; i < t.fields.size(); ++i)
        values[t.fields[i]] = st.Column(static_cast<int>(i));
}

void RowWriter::Delete(const Row& row, int table) {
    const Table& t = schema_.tables[table];
    Params key;
    for (int f : t.keyFields) key.push_back(row.Original(f));
    Statement st(conn_,
                 QStringLiteral("DELETE FROM %1 WHERE %2").arg(t.QualifiedName(), KeyCondition(t)));
    st.Bind(key);
    if (st.Run() == 0) throw DbError(kDeleteGone);
}
