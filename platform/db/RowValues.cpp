#include "platform/db/RowValues.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// One field of a packed row: a kind, then the number itself or where its text lies. A
// packed row is a cell per field, then the bytes of every text one after another.
struct Cell {
    enum class Kind : std::uint32_t { Null, Integer, Real, Text, TextWithoutData };
    Kind kind = Kind::Null;
    std::uint32_t size = 0;  // bytes of a text
    union {
        std::int64_t integer = 0;
        double real;
        std::uint64_t offset;  // of a text's bytes, from the start of the row
    };
};

// Rows are packed into blocks of this size (a wider row gets a block of its own): a
// snapshot of thousands of rows then takes a few dozen allocations.
constexpr std::size_t kBlockBytes = 256 * 1024;

// What SQLite holds for one column of the current row; a text's bytes stay SQLite's own
// until the row is packed (they live until the next step). The value is read through
// sqlite3_column_value once rather than a column call per question: the connection is used
// by one thread only, so the value needs no protection.
struct Column {
    Cell cell;
    const char* text = nullptr;
};

Column ReadColumn(sqlite3_stmt* st, int index) {
    sqlite3_value* v = sqlite3_column_value(st, index);
    Column c;
    switch (sqlite3_value_type(v)) {
        case SQLITE_INTEGER:
            c.cell.kind = Cell::Kind::Integer;
            c.cell.integer = sqlite3_value_int64(v);
            return c;
        case SQLITE_FLOAT:
            c.cell.kind = Cell::Kind::Real;
            c.cell.real = sqlite3_value_double(v);
            return c;
        case SQLITE_NULL:
            c.cell.kind = Cell::Kind::Null;
            return c;
        default:  // text, and blobs read as text
            c.text = reinterpret_cast<const char*>(sqlite3_value_text(v));
            c.cell.kind = c.text ? Cell::Kind::Text : Cell::Kind::TextWithoutData;
            c.cell.size = static_cast<std::uint32_t>(sqlite3_value_bytes(v));
            return c;
    }
}

// Writes the cells and texts of one row at out (cellBytes + the texts' bytes long).
void Pack(const Column* columns, int n, char* out) {
    std::size_t offset = sizeof(Cell) * static_cast<std::size_t>(n);
    for (int i = 0; i < n; ++i) {
        Cell cell = columns[i].cell;
        if (columns[i].text) {
            cell.offset = offset;
            std::memcpy(out + offset, columns[i].text, cell.size);
            offset += cell.size;
        }
        std::memcpy(out + sizeof(Cell) * i, &cell, sizeof(Cell));
    }
}

Cell CellAt(const char* row, int field) {
    Cell cell;
    std::memcpy(&cell, row + sizeof(Cell) * field, sizeof(Cell));
    return cell;
}

}  // namespace

char* RowValues::Reader::Reserve(std::size_t bytes) {
    bytes = (bytes + alignof(Cell) - 1) / alignof(Cell) * alignof(Cell);
    if (!block_ || size_ - used_ < bytes) {
        size_ = std::max(kBlockBytes, bytes);
        block_ = std::shared_ptr<char[]>(new char[size_]);
        used_ = 0;
    }
    char* at = block_.get() + used_;
    used_ += bytes;
    return at;
}

RowValues RowValues::Reader::Read(sqlite3_stmt* st) {
    const int n = sqlite3_column_count(st);
    RowValues row;
    if (n == 0) return row;
    // Most queries have a few dozen columns; a wider one takes the heap.
    constexpr int kOnStack = 64;
    Column onStack[kOnStack];
    std::vector<Column> onHeap(n > kOnStack ? n : 0);
    Column* columns = n > kOnStack ? onHeap.data() : onStack;

    std::size_t bytes = sizeof(Cell) * static_cast<std::size_t>(n);
    for (int i = 0; i < n; ++i) {
        columns[i] = ReadColumn(st, i);
        if (columns[i].text) bytes += columns[i].cell.size;
    }
    char* out = Reserve(bytes);
    Pack(columns, n, out);
    row.packed_ = std::shared_ptr<const char>(block_, out);
    row.count_ = n;
    return row;
}

Value RowValues::Get(int field) const {
    if (!IsPacked()) return values_[field];
    const char* row = packed_.get();
    const Cell cell = CellAt(row, field);
    switch (cell.kind) {
        case Cell::Kind::Integer:
            return Value(cell.integer);
        case Cell::Kind::Real:
            return Value(cell.real);
        case Cell::Kind::Text:
            return Value(QString::fromUtf8(row + cell.offset, cell.size));
        case Cell::Kind::TextWithoutData:
            return Value(QString());
        case Cell::Kind::Null:
            break;
    }
    return Value();
}

void RowValues::Set(int field, Value v) {
    Expand();
    values_[field] = std::move(v);
}

std::vector<Value> RowValues::ToVector() const {
    if (!IsPacked()) return values_;
    std::vector<Value> values;
    values.reserve(count_);
    for (int i = 0; i < count_; ++i) values.push_back(Get(i));
    return values;
}

void RowValues::Expand() {
    if (!IsPacked()) return;
    values_ = ToVector();
    packed_.reset();
    count_ = 0;
}
