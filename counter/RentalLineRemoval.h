#pragma once
#include <QString>

#include "core/Basket.h"

class Connection;

// Takes one title's line out of the open rental basket, in one transaction: the title's
// rental state as LentState says, the line deleted. The basket loses exactly what the line
// held: its copies and its stored deposit; under the fixed-sum rule the basket keeps its one
// sum, laid again over the lines that stay; an empty basket is no longer stored as open
// (OpenBasketRow). Returns what the line held and whether the basket is now empty. Raises DbError
// and changes nothing when the database refuses.
class RentalLineRemoval {
  public:
    struct Result {
        bool removed = false;  // false: the line was not there
        int copies = 0;
        Money deposit;  // the deposit the line held
        bool basketEmpty = false;
    };
    static Result Run(Connection& conn, const Basket& basket, const QString& borrowid);
};
