#include "core/MoneyShares.h"

#include <algorithm>

std::vector<Money> MoneyShares::Of(Money amount, const std::vector<qint64>& weights) {
    std::vector<Money> shares(weights.size());
    if (weights.empty()) return shares;
    // In 128 bits: a weight times the amount's cents never overflows, nor does their total.
    using Wide = __int128;
    Wide total = 0;
    for (const qint64 w : weights) total += std::max<qint64>(w, 0);
    const bool equal = total == 0;
    if (equal) total = static_cast<Wide>(weights.size());
    const Wide cents = amount.InFen();
    Money given;
    for (std::size_t i = 0; i + 1 < weights.size(); ++i) {
        const Wide weight = equal ? 1 : std::max<qint64>(weights[i], 0);
        // The part is at most the amount: it fits, and division cuts toward zero.
        shares[i] = Money::FromFen(static_cast<qint64>(cents * weight / total));
        given += shares[i];
    }
    shares.back() = amount - given;
    return shares;
}

std::vector<Money> MoneyShares::Of(Money amount, const std::vector<Money>& weights) {
    std::vector<qint64> cents;
    cents.reserve(weights.size());
    for (const Money w : weights) cents.push_back(w.InFen());
    return Of(amount, cents);
}
