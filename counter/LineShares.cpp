#include "counter/LineShares.h"

#include <cmath>

#include "counter/CentShares.h"

std::vector<double> LineShares::Of(const std::vector<BasketLines::Line>& lines, double amount) {
    std::vector<double> held;
    std::vector<double> copies;
    double total = 0;
    for (const BasketLines::Line& line : lines) {
        held.push_back(line.amount);
        copies.push_back(line.copies);
        total += line.amount;
    }
    if (std::llround(total * 100) == std::llround(amount * 100)) return held;
    bool anyHeld = false;
    for (double h : held) anyHeld = anyHeld || h > 0;
    return CentShares::Of(amount, anyHeld ? held : copies);
}
