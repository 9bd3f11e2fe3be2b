#pragma once
#include "platform/text/Money.h"

// Stores the deposit of walk-in customers or of members together with the deposit rule
// shown beside it (0 the purchase price, 1 per disc, 2 a fixed amount): the amount means
// what the rule says, so the two are written as one. Raises DbError when the database
// refuses.
class DepositAmountWrite {
  public:
    enum Customer { WalkIn, Member };
    static void Run(Customer whose, int rule, Money amount);
};
