#pragma once
#include <vector>

// One amount shared out over several lines in whole cents, in proportion to the lines'
// weights (their copies, or what each holds): every line but the last gets its part cut to
// the cent, and the last takes the remainder, so the shares add up to the amount exactly
// and no share of a positive amount is negative. Lines that all weigh nothing share by
// equal parts.
class CentShares {
  public:
    static std::vector<double> Of(double amount, const std::vector<double>& weights);
};
