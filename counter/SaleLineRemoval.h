#pragma once
#include <QString>

#include "core/Basket.h"

class Connection;

// Takes one title's line out of the open sale basket, in one transaction: the line deleted,
// the title's sale state following the copies still sold and its copies back on the shelf
// (SaleState). The basket loses exactly what the line held: its copies and its stored
// money, whatever the prices are now; an empty basket is no longer stored as open
// (OpenBasketRow).
// Raises DbError and changes nothing when the database refuses.
class SaleLineRemoval {
  public:
    struct Result {
        bool removed = false;  // false: the line was not there
        int copies = 0;
        Money money;  // the money the line held
        bool basketEmpty = false;
    };
    static Result Run(Connection& conn, const Basket& basket, const QString& sellid);
};
