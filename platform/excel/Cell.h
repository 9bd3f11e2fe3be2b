#pragma once
#include <cstdint>

// One cell of a worksheet: its value and its cell format (an index into the workbook's
// style tables). Texts live in the workbook's shared text table.
struct Cell {
    enum class Kind : std::uint8_t { Empty, Number, Text, Bool, Error };

    Kind kind = Kind::Empty;
    int style = 0;
    double number = 0;  // Number; Bool as 0 or 1
    int text = -1;      // Text and Error: index into the shared texts

    bool HasValue() const { return kind != Kind::Empty; }
    void ClearValue() {
        kind = Kind::Empty;
        number = 0;
        text = -1;
    }
};
