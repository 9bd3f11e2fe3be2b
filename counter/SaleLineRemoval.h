#pragma once
#include <QString>

#include "core/Basket.h"

class Connection;

// Takes one title's line out of the open sale basket, in one transaction: the title is on
// sale again (wholly when the line held every copy, else in part), the line deleted.
// Returns the copies and the money the line held in the basket: its copies at its own
// price per copy (the member's price for a member's basket), not a share of the total.
// Raises DbError and changes nothing when the database refuses.
class SaleLineRemoval {
  public:
    struct Result {
        bool removed = false;  // false: the line was not there
        int copies = 0;
        double money = 0;
        bool basketEmpty = false;
    };
    static Result Run(Connection& conn, const Basket& basket, const QString& sellid);
    // A title's price per copy in a basket: the member's price when the customer key is a
    // member's number, else the walk-in price; none counts 0.
    static double PricePerCopy(Connection& conn, const QString& cdid, const QString& customerKey);
};
