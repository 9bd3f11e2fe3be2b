#include "counter/CentShares.h"

#include <algorithm>
#include <cmath>

std::vector<double> CentShares::Of(double amount, const std::vector<double>& weights) {
    std::vector<double> shares(weights.size(), 0);
    if (weights.empty()) return shares;
    long double total = 0;
    for (double w : weights) total += std::max(0.0, w);
    const bool equal = total <= 0;
    if (equal) total = static_cast<long double>(weights.size());
    const long long cents = std::llround(static_cast<long double>(amount) * 100);
    long long given = 0;
    for (std::size_t i = 0; i + 1 < weights.size(); ++i) {
        const long double weight = equal ? 1 : std::max(0.0, weights[i]);
        const auto part = static_cast<long long>(std::trunc(cents * weight / total));
        shares[i] = static_cast<double>(part) / 100;
        given += part;
    }
    shares.back() = static_cast<double>(cents - given) / 100;
    return shares;
}
