#pragma once
#include <optional>
#include <string>
#include <vector>

#include "tools/demodata/DemoCalendar.h"
#include "tools/demodata/DemoMember.h"
#include "tools/demodata/Random.h"

// The customer key of a basket: a member's userid or a walk-in name.
struct Customer {
    std::string key;
    bool member = false;
};

// Picks the customers of one kind of basket (rentals or sales). A walk-in customer gets
// the name the counter offers: the date as yyyymmdd and the day's next 3-digit number,
// counted for this kind of basket alone.
class CustomerPicker {
  public:
    CustomerPicker(Random& random, const DemoCalendar& calendar,
                   const std::vector<DemoMember>& members, double memberShare);

    // Nothing when no member has joined yet and the day's walk-in numbers are used up.
    std::optional<Customer> Pick(std::int64_t moment);

  private:
    std::optional<Customer> AnyMember(int day);
    std::optional<Customer> WalkIn(int day);

    Random& random_;
    const DemoCalendar& calendar_;
    const std::vector<DemoMember>& members_;
    double memberShare_;
    std::vector<int> walkInsOfDay_;
};
