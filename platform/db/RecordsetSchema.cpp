#include "platform/db/RecordsetSchema.h"

#include <sqlite3.h>

#include <QSet>
#include <cmath>
#include <optional>

#include "platform/db/DbError.h"
#include "platform/db/Statement.h"
#include "platform/text/QuotedInput.h"

namespace {

QString Text(const char* s) {
    return s ? QString::fromUtf8(s) : QString();
}

enum class Affinity { Integer, Real, Numeric, Text, None };

// SQLite's rules for the affinity of a declared column type.
Affinity AffinityOf(const QString& declaredType) {
    const QString t = declaredType.toUpper();
    if (t.contains(QLatin1String("INT"))) return Affinity::Integer;
    if (t.contains(QLatin1String("CHAR")) || t.contains(QLatin1String("CLOB")) ||
        t.contains(QLatin1String("TEXT")))
        return Affinity::Text;
    if (t.isEmpty() || t.contains(QLatin1String("BLOB"))) return Affinity::None;
    if (t.contains(QLatin1String("REAL")) || t.contains(QLatin1String("FLOA")) ||
        t.contains(QLatin1String("DOUB")))
        return Affinity::Real;
    return Affinity::Numeric;
}

// The number a whole text stands for (blanks around it allowed).
std::optional<Value> NumberOfText(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const qlonglong i = t.toLongLong(&ok);
    if (ok) return Value(static_cast<std::int64_t>(i));
    const double d = t.toDouble(&ok);
    if (ok && std::isfinite(d)) return Value(d);
    return std::nullopt;
}

int FindTable(const std::vector<RecordsetSchema::Table>& tables, const QString& database,
              const QString& name) {
    for (std::size_t i = 0; i < tables.size(); ++i)
        if (tables[i].database.compare(database, Qt::CaseInsensitive) == 0 &&
            tables[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

}  // namespace

QString RecordsetSchema::Quote(const QString& identifier) {
    QString q = identifier;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

QString RecordsetSchema::Table::QualifiedName() const {
    return Quote(database) + '.' + Quote(name);
}

RecordsetSchema RecordsetSchema::Read(sqlite3_stmt* st, Connection& conn) {
    RecordsetSchema s;
    const int n = sqlite3_column_count(st);
    s.fields.resize(n);
    for (int i = 0; i < n; ++i) {
        Field& f = s.fields[i];
        f.name = Text(sqlite3_column_name(st, i));
        f.column = Text(sqlite3_column_origin_name(st, i));
        f.declaredType = Text(sqlite3_column_decltype(st, i));
        if (!s.byName_.contains(f.name.toCaseFolded())) s.byName_.insert(f.name.toCaseFolded(), i);
        const QString table = Text(sqlite3_column_table_name(st, i));
        if (f.column.isEmpty() || table.isEmpty()) continue;
        const QString database = Text(sqlite3_column_database_name(st, i));
        int t = FindTable(s.tables, database, table);
        if (t < 0) {
            t = static_cast<int>(s.tables.size());
            s.tables.push_back(Table{database, table, {}, {}, true, false});
        }
        f.table = t;
        s.tables[t].fields.push_back(i);
    }
    for (Table& t : s.tables) {
        try {
            s.ReadKeys(conn, t);
        } catch (const DbError&) {
            t.keyFields.clear();  // whatever hides the key, the table stays read-only
        }
    }
    return s;
}

void RecordsetSchema::ReadKeys(Connection& conn, Table& table) const {
    QSet<QString> columns;
    for (int f : table.fields) {
        const QString c = fields[f].column.toCaseFolded();
        if (columns.contains(c)) return;  // one column twice: which one to write is unclear
        columns.insert(c);
    }
    Statement keys(
        conn,
        QStringLiteral("SELECT name FROM pragma_table_info(?1, ?2) WHERE pk > 0 ORDER BY pk"));
    keys.Bind({table.name, table.database});
    while (keys.Step()) {
        const QString key = keys.Column(0).ToString();
        int found = -1;
        for (int f : table.fields)
            if (fields[f].column.compare(key, Qt::CaseInsensitive) == 0) found = f;
        if (found < 0) {
            table.keyFields.clear();
            return;  // the key is not selected: rows cannot be told apart
        }
        table.keyFields.push_back(found);
    }
    if (table.keyFields.empty()) return;
    Statement kind(
        conn,
        QStringLiteral(
            "SELECT wr FROM pragma_table_list WHERE schema = ?1 AND name = ?2 COLLATE NOCASE"));
    kind.Bind({table.database, table.name});
    table.hasRowid = !(kind.Step() && kind.Column(0).ToInt() != 0);
    table.updatable = true;
}

int RecordsetSchema::FieldIndex(const QString& name) const {
    return byName_.value(name.toCaseFolded(), -1);
}

bool RecordsetSchema::IsUpdatable(int field) const {
    if (field < 0 || field >= FieldCount()) return false;
    const int t = fields[field].table;
    return t >= 0 && tables[t].updatable;
}

bool RecordsetSchema::HasUpdatableTable() const {
    for (const Table& t : tables)
        if (t.updatable) return true;
    return false;
}

int RecordsetSchema::DeleteTable(const QString& uniqueTable) const {
    if (!uniqueTable.isEmpty()) {
        for (std::size_t i = 0; i < tables.size(); ++i)
            if (tables[i].updatable &&
                tables[i].name.compare(uniqueTable, Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    }
    for (const Field& f : fields)
        if (f.table >= 0 && tables[f.table].updatable) return f.table;
    return -1;
}

QString RecordsetSchema::WhyNotUpdatable(int field) const {
    const Field& f = fields[field];
    if (f.table < 0) return QStringLiteral("字段“%1”是计算出来的值，不能修改。").arg(f.name);
    return QStringLiteral("字段“%1”不能修改：查询没有选出表“%2”的主键，或者选出了同一列两次。")
        .arg(f.name, tables[f.table].name);
}

Value RecordsetSchema::Coerce(int field, const Value& v) const {
    const Field& f = fields[field];
    const Affinity a = AffinityOf(f.declaredType);
    if (a == Affinity::Text && v.IsNumber()) return Value(v.ToString());
    if (a == Affinity::Text || a == Affinity::None || !v.IsText()) return v;
    if (v.ToString().trimmed().isEmpty()) return Value();
    if (const auto n = NumberOfText(v.ToString())) return *n;
    if (a == Affinity::Numeric) return v;  // DATE, BOOLEAN...: SQLite keeps such a text
    // Told to the operator who typed it into a grid cell: the column's name in the database
    // would mean nothing to them.
    throw DbError(
        QStringLiteral("“%1”不是数字，这里只能填写数字。").arg(QuotedInput(v.ToString())));
}
