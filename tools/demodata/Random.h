#pragma once
#include <cstdint>
#include <span>

// A small pseudo-random generator (xoshiro256**, seeded through splitmix64) with its
// own arithmetic, so a seed gives the same shop on every compiler and library.
class Random {
  public:
    explicit Random(std::uint64_t seed);

    std::uint64_t Next();
    int Below(int n);                // 0 .. n-1 (0 when n <= 0)
    int Between(int low, int high);  // low .. high, both included
    double Unit();                   // [0, 1)
    bool Chance(double p);

    template <class T>
    const T& Pick(std::span<const T> items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }
    // An index drawn with the given weights (which need not add up to anything).
    int Weighted(std::span<const int> weights);

  private:
    std::uint64_t s_[4];
};
