#include "core/ShopFileAdditions.h"

#include "platform/db/Connection.h"

namespace {
// The table as support/schema.sql defines it; %1 the schema it goes into (main: the file,
// temp: the connection only).
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

QString CreateIn(const char* schema) {
    return QString::fromUtf8(kCreateOpenBaskets).arg(QString::fromUtf8(schema));
}

bool InFile(Connection& conn) {
    return !conn.Scalar(kInFile).IsNull();
}
}  // namespace

bool ShopFileAdditions::BringUp(Connection& conn) {
    try {
        if (InFile(conn)) return true;
        Transaction t(conn);
        conn.Execute(CreateIn("main"));
        t.Commit();
        return true;
    } catch (const DbError&) {
        // Refused by the file: the program goes on reading it, as it did before the table.
    }
    conn.Execute(CreateIn("temp"));
    return false;
}

void ShopFileAdditions::IntoFile(Connection& conn) {
    if (InFile(conn)) return;
    conn.Execute(CreateIn("main"));
    conn.Execute(kDropOnConnection);
}
