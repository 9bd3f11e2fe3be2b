#pragma once
#include "platform/text/Money.h"

// Stores the deposit rule (0 the purchase price, 1 per disc, 2 a fixed amount) with both
// deposit amounts, as one write. Raises DbError when the database refuses.
class DepositRuleWrite {
  public:
    static void Run(int rule, Money walkInAmount, Money memberAmount);
};
