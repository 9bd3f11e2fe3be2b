#pragma once
#include <QString>
#include <optional>

class Connection;

// The 4-digit number of a new rental basket, sale basket or return settlement: the lowest
// of 0001 to 9999 that no line of its table carries as its last four characters. A number
// is free again only once every line carrying it is gone. Nothing when all 9999 are in use:
// a fifth digit would break the 16- and 20-character keys.
class RecordNumber {
  public:
    enum Kind { Rental, Sale, Return };
    static std::optional<QString> Lowest(Connection& conn, Kind kind);
    static constexpr int kLast = 9999;
};
