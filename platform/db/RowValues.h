#pragma once
#include <cstddef>
#include <memory>
#include <vector>

#include "platform/db/Value.h"

struct sqlite3_stmt;

// The field values of one row. A row read from the database keeps SQLite's values as they
// came (UTF-8 bytes, integers, doubles, Null tags) in a block of memory shared with the
// other rows read with it, and makes a Value of a field only when it is read: filling a
// snapshot then costs one copy per row instead of a Value and a QString per cell. Setting
// a field turns the row into Values, as edited and new rows always are. Copies share the
// block, so keeping a row as read is cheap.
class RowValues {
  public:
    RowValues() = default;
    explicit RowValues(std::vector<Value> values) : values_(std::move(values)) {}

    // Reads the rows of one query: each Read takes the statement's current row.
    class Reader {
      public:
        RowValues Read(sqlite3_stmt* st);

      private:
        char* Reserve(std::size_t bytes);

        std::shared_ptr<char[]> block_;
        std::size_t used_ = 0;
        std::size_t size_ = 0;
    };

    int Size() const { return IsPacked() ? count_ : static_cast<int>(values_.size()); }
    Value Get(int field) const;
    void Set(int field, Value v);
    std::vector<Value> ToVector() const;

  private:
    bool IsPacked() const { return count_ > 0; }
    void Expand();

    std::shared_ptr<const char> packed_;  // the fields as read; null once the row holds Values
    int count_ = 0;                       // fields in packed_
    std::vector<Value> values_;
};
