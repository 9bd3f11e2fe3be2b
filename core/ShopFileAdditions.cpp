#include "core/ShopFileAdditions.h"

#include <QSet>
#include <algorithm>

#include "core/ShopSchema.h"
#include "platform/db/Connection.h"
#include "platform/db/Recordset.h"
#include "platform/db/ScriptObjects.h"

namespace {
// The table of open baskets as support/schema.sql defines it; %1 the schema it goes into
// (main: the file, temp: the connection only).
const char* const kCreateOpenBaskets =
    "create table if not exists %1.openbasket ("
    " kind TEXT NOT NULL,"
    " basketno TEXT NOT NULL,"
    " name TEXT COLLATE NOCASE,"
    " usertype INTEGER NOT NULL,"
    " ismember INTEGER NOT NULL DEFAULT 0,"
    " foregifttype INTEGER,"
    " money REAL,"
    " membermoney REAL,"
    " PRIMARY KEY (kind, basketno))";
const char* const kInFile =
    "select 1 from main.sqlite_master where type = 'table' and name = 'openbasket'";
const char* const kDropOnConnection = "drop table if exists temp.openbasket";

// What the file holds, by name (SQLite's names are alike whatever their case).
const char* const kFileObjects = "select lower(name) from main.sqlite_master";

// The numbers no line carries, as the triggers of the schema keep them, from the lines
// there are: each number looked up in the index of its table's keys' last four characters.
const char* const kNumbersTable = "freenumber";
const char* const kFillNumbers[] = {
    "delete from freenumber",
    "with recursive n(x) as (select 1 union all select x + 1 from n where x < 9999), "
    "numbers(no) as (select substr(10000 + x, -4) from n) "
    "insert into freenumber (kind, no) "
    "select 'borrow', no from numbers "
    "  where not exists (select 1 from borrowinfo where substr(borrowid, -4) = no) "
    "union all select 'sell', no from numbers "
    "  where not exists (select 1 from sellinfo where substr(sellid, -4) = no) "
    "union all select 'return', no from numbers "
    "  where not exists (select 1 from returninfo where substr(returnid, -4) = no)"};

using Object = ScriptObjects::Object;

QString CreateIn(const char* schema) {
    return QString::fromUtf8(kCreateOpenBaskets).arg(QString::fromUtf8(schema));
}

bool InFile(Connection& conn) {
    return !conn.Scalar(kInFile).IsNull();
}

const std::vector<Object>& SchemaObjects() {
    static const std::vector<Object> objects = ScriptObjects::Of(ShopSchemaSql());
    return objects;
}

// The schema's objects the file has none of the name of, in the schema's order (a table
// before its indexes and triggers).
std::vector<Object> Lacking(Connection& conn) {
    QSet<QString> held;
    Recordset rs;
    rs.Open(kFileObjects, conn, adLockReadOnly);
    for (; !rs.AtEOF(); rs.MoveNext()) held.insert(rs.GetValue(0).ToString());
    std::vector<Object> lacking;
    for (const Object& o : SchemaObjects())
        if (!held.contains(o.name.toLower())) lacking.push_back(o);
    return lacking;
}

// Every trigger of the schema keeps the table of numbers: without one of them, or without
// the table, what the table holds cannot be trusted.
bool NumbersToFill(const std::vector<Object>& made) {
    return std::any_of(made.begin(), made.end(), [](const Object& o) {
        return o.type == "trigger" || o.name == QLatin1String(kNumbersTable);
    });
}
}  // namespace

bool ShopFileAdditions::BringUp(Connection& conn) {
    try {
        const std::vector<Object> lacking = Lacking(conn);
        if (lacking.empty()) return true;
        Transaction t(conn);
        for (const Object& o : lacking) conn.Execute(o.sql);
        if (NumbersToFill(lacking))
            for (const char* fill : kFillNumbers) conn.Execute(fill);
        t.Commit();
        return true;
    } catch (const DbError&) {
        // Refused by the file: the program goes on reading it as it is.
    }
    if (!InFile(conn)) conn.Execute(CreateIn("temp"));
    return false;
}

bool ShopFileAdditions::TakesLong(Connection& conn) {
    const std::vector<Object> lacking = Lacking(conn);
    return std::any_of(lacking.begin(), lacking.end(), [](const Object& o) {
        return o.type == "index" || o.name == QLatin1String(kNumbersTable);
    });
}

void ShopFileAdditions::IntoFile(Connection& conn) {
    if (InFile(conn)) return;
    conn.Execute(CreateIn("main"));
    conn.Execute(kDropOnConnection);
}
