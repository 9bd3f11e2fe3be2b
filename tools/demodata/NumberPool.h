#pragma once
#include <functional>

// Hands out the 4-digit basket and settlement numbers of a demo shop. Three years of a
// busy shop need more baskets than four digits hold, so numbers come round again:
// each is the next one after the last handed out that the caller does not refuse
// (because a title of the basket already has a line with it, or its basket is still
// open), wrapping after the last number. For a small shop this is the program's own
// rule, the lowest number not yet used. Numbers above `last` stay free, so the counter
// can still open baskets in a shop made from a demo database.
class NumberPool {
  public:
    explicit NumberPool(int last) : last_(last) {}

    // The next number not refused, or 0 when every number is refused.
    int Take(const std::function<bool(int)>& refused);

  private:
    int last_;
    int previous_ = 0;
};
