#pragma once
#include <QHash>
#include <QString>
#include <vector>

#include "platform/db/Value.h"

class Connection;
struct sqlite3_stmt;

// The fields of a query and the base tables behind them, read once per Open from
// SQLite's column metadata. A table is updatable when its primary key is among the
// fields and no column of it appears twice (which would make a write ambiguous).
class RecordsetSchema {
  public:
    struct Field {
        QString name;          // as the query names it
        QString column;        // the base table's column; empty for a computed value
        QString declaredType;  // of the base column
        int table = -1;        // index into tables; -1 for a computed value
    };
    struct Table {
        QString database;  // "main" for the shop's file
        QString name;
        std::vector<int> fields;     // the fields that come from this table
        std::vector<int> keyFields;  // the fields that hold its primary key, in key order
        bool hasRowid = true;
        bool updatable = false;
        QString QualifiedName() const;  // quoted for SQL: "main"."cdinfo"
    };

    // Reads the metadata of a prepared (not yet stepped) statement.
    static RecordsetSchema Read(sqlite3_stmt* st, Connection& conn);

    int FieldCount() const { return static_cast<int>(fields.size()); }
    int FieldIndex(const QString& name) const;  // case-insensitive; -1 when absent
    bool IsUpdatable(int field) const;
    bool HasUpdatableTable() const;
    // The table a deleted row is removed from: the named one, or else the table of the
    // first updatable field (a join deletes from one table, never from all).
    int DeleteTable(const QString& uniqueTable) const;
    // Why a field cannot be written, for the error text.
    QString WhyNotUpdatable(int field) const;
    // A value set into a field, as its column will hold it: a number typed as text in a
    // numeric column becomes the number, an empty text there becomes Null, a number in
    // a text column becomes its text. DbError for a text that is no number in an
    // INTEGER or REAL column.
    Value Coerce(int field, const Value& v) const;

    static QString Quote(const QString& identifier);

    std::vector<Field> fields;
    std::vector<Table> tables;

  private:
    void ReadKeys(Connection& conn, Table& table) const;
    QHash<QString, int> byName_;
};
