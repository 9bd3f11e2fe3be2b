#pragma once
#include <QString>

#include "core/Basket.h"

class Connection;

// Takes one title's line out of the open rental basket, in one transaction: the title's
// rental state as LentState says, the line deleted. Returns the copies and the deposit the
// line held in the basket (its own deposit: nothing under the fixed-sum rule while other
// lines stay), and whether the basket is now empty. Raises DbError and changes nothing when
// the database refuses.
class RentalLineRemoval {
  public:
    struct Result {
        bool removed = false;  // false: the line was not there
        int copies = 0;
        double deposit = 0;
        bool basketEmpty = false;
    };
    static Result Run(Connection& conn, const Basket& basket, const QString& borrowid);
};
