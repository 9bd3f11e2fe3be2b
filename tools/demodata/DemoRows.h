#pragma once
#include <optional>
#include <string>

// Rows of the counter's tables as the demo shop writes them.

struct RentalLineRow {
    std::string borrowid, name, borrowdate, borrowlst, isnotpaylst, credenceType;
    std::optional<std::string> guaranty;
    int borrowcount = 0;
    double foregift = 0;
    double money = 0;
    bool guarantyReturned = false;
    bool returnedAll = false;
};

struct ReturnRow {
    std::string returnid, returndate, returnlst;
    int returncount = 0;
};

struct SaleRow {
    std::string sellid, name, selldate, selllst;
    int sellcount = 0;
    double money = 0;
};
