#pragma once
#include <vector>

#include "counter/BasketLines.h"

// What each line of a basket holds once the basket is settled for an amount: what it holds
// already when the amount is what the lines add up to; otherwise the amount shared out in
// proportion to what they hold (by their copies when they hold nothing), by the one rule for
// shares (MoneyShares).
class LineShares {
  public:
    static std::vector<Money> Of(const std::vector<BasketLines::Line>& lines, Money amount);
};
