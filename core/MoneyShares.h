#pragma once
#include <QtGlobal>
#include <vector>

#include "platform/text/Money.h"

// One amount shared over several lines in whole cents, by the lines' weights (what each
// holds, its rent, or its copies): each line but the last gets its proportional part of the
// amount, cut to the whole cent (toward zero), and the last line takes the remainder. So the
// shares add up to the amount, and no share of a positive amount is below zero (nor one of a
// negative amount above it). A weight below zero counts as nothing; lines that all weigh
// nothing share by equal parts. The counter's settlements, the fixed deposit of a rental
// basket and the return settlement all share this way.
class MoneyShares {
  public:
    static std::vector<Money> Of(Money amount, const std::vector<qint64>& weights);
    static std::vector<Money> Of(Money amount, const std::vector<Money>& weights);
};
