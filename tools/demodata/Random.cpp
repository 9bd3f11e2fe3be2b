#include "tools/demodata/Random.h"

namespace {
std::uint64_t SplitMix(std::uint64_t& x) {
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint64_t Rotl(std::uint64_t x, int k) {
    return (x << k) | (x >> (64 - k));
}
}  // namespace

Random::Random(std::uint64_t seed) {
    for (auto& s : s_) s = SplitMix(seed);
}

std::uint64_t Random::Next() {
    const std::uint64_t result = Rotl(s_[1] * 5, 7) * 9;
    const std::uint64_t t = s_[1] << 17;
    s_[2] ^= s_[0];
    s_[3] ^= s_[1];
    s_[1] ^= s_[2];
    s_[0] ^= s_[3];
    s_[2] ^= t;
    s_[3] = Rotl(s_[3], 45);
    return result;
}

int Random::Below(int n) {
    if (n <= 0) return 0;
    return static_cast<int>(Next() % static_cast<std::uint64_t>(n));
}

int Random::Between(int low, int high) {
    return low + Below(high - low + 1);
}

double Random::Unit() {
    return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

bool Random::Chance(double p) {
    return Unit() < p;
}

int Random::Weighted(std::span<const int> weights) {
    int total = 0;
    for (int w : weights) total += w;
    int r = Below(total);
    for (std::size_t i = 0; i < weights.size(); ++i) {
        if (r < weights[i]) return static_cast<int>(i);
        r -= weights[i];
    }
    return static_cast<int>(weights.size()) - 1;
}
