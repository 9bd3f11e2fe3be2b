#pragma once
#include <QString>
#include <vector>

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"

class Connection;

// The baskets the program left open when it last stopped without closing (a crash, a kill,
// a power cut): their rows are still stored as open (OpenBasketRow). Their lines were never
// settled, so they are no rental or sale: start-up rolls each back as closing the program
// does (BasketRollback), before anything counts them, and tells the operator which they were.
class LeftOpenBaskets {
  public:
    struct Left {
        OpenBasketRow basket;
        std::vector<BasketLines::Line> lines;  // what it held
    };

    // Rolls every basket stored as open back, all in one transaction, and returns what each
    // held. Raises DbError and changes nothing when the file refuses.
    static std::vector<Left> RollBack(Connection& conn);
    // What the operator is told: which baskets went back, rental or sale, the customer, each
    // title with its copies. Empty when none held a line.
    static QString Message(const std::vector<Left>& left);
    static QString Title();
};
