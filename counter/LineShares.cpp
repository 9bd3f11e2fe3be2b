#include "counter/LineShares.h"

#include "core/MoneyShares.h"

std::vector<Money> LineShares::Of(const std::vector<BasketLines::Line>& lines, Money amount) {
    std::vector<Money> held;
    std::vector<qint64> copies;
    Money total;
    bool anyHeld = false;
    for (const BasketLines::Line& line : lines) {
        held.push_back(line.amount);
        copies.push_back(line.copies);
        total += line.amount;
        anyHeld = anyHeld || line.amount > Money();
    }
    if (total == amount) return held;
    return anyHeld ? MoneyShares::Of(amount, held) : MoneyShares::Of(amount, copies);
}
