#pragma once
#include <vector>

#include "platform/db/Connection.h"
#include "platform/db/RecordsetSchema.h"
#include "platform/db/Row.h"

// Writes pending rows of a snapshot back to their base tables, by primary key. The
// caller runs the writes in one transaction and changes the snapshot only after it
// committed, so a failure leaves both database and snapshot as they were.
class RowWriter {
  public:
    RowWriter(Connection& conn, const RecordsetSchema& schema) : conn_(conn), schema_(schema) {}

    // An edited row: UPDATE each table with changed fields where the key and each
    // changed column still hold what was read. Returns the values read back.
    std::vector<Value> Update(const Row& row);
    // A new row: INSERT the set fields of each table; returns the values read back,
    // so defaults and a numbered key show.
    std::vector<Value> Insert(const Row& row);
    // A deleted row: DELETE from the given table by the key as read.
    void Delete(const Row& row, int table);

  private:
    using Table = RecordsetSchema::Table;
    bool HasChanges(const Row& row, const Table& t) const;
    void UpdateTable(const Row& row, const Table& t);
    void InsertTable(const Row& row, const Table& t, std::vector<Value>& values);
    void ReadBackByKey(const Table& t, std::vector<Value>& values);
    void ReadBack(const Table& t, const QString& where, const Params& params,
                  std::vector<Value>& values);
    QString KeyCondition(const Table& t) const;

    Connection& conn_;
    const RecordsetSchema& schema_;
};
