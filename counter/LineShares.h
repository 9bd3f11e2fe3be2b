#pragma once
#include <vector>

#include "counter/BasketLines.h"

// What each line of a basket holds once the basket is settled for an amount: what it holds
// already when the amount is what the lines add up to; otherwise the amount shared out in
// cents in proportion to what they hold (by their copies when they hold nothing), the last
// line taking the remainder (CentShares).
class LineShares {
  public:
    static std::vector<double> Of(const std::vector<BasketLines::Line>& lines, double amount);
};
