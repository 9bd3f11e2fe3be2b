#include "tools/demodata/CustomerPicker.h"

#include <algorithm>

#include "tools/demodata/Padded.h"

CustomerPicker::CustomerPicker(Random& random, const DemoCalendar& calendar,
                               const std::vector<DemoMember>& members, double memberShare)
    : random_(random),
      calendar_(calendar),
      members_(members),
      memberShare_(memberShare),
      walkInsOfDay_(static_cast<std::size_t>(calendar.Today()) + 1, 0) {}

std::optional<Customer> CustomerPicker::Pick(std::int64_t moment) {
    const int day = DemoCalendar::DayOf(moment);
    if (random_.Chance(memberShare_)) {
        if (auto member = AnyMember(day)) return member;
    }
    if (auto walkIn = WalkIn(day)) return walkIn;
    return AnyMember(day);
}

// Members who joined long ago come more often.
std::optional<Customer> CustomerPicker::AnyMember(int day) {
    const auto joined = std::upper_bound(members_.begin(), members_.end(), day,
                                         [](int d, const DemoMember& m) { return d < m.joinDay; });
    const auto count = static_cast<int>(joined - members_.begin());
    if (count == 0) return std::nullopt;
    const double u = random_.Unit();
    const auto index =
        static_cast<std::size_t>(std::min(count - 1, static_cast<int>(count * u * u)));
    return Customer{members_[index].userid, true};
}

std::optional<Customer> CustomerPicker::WalkIn(int day) {
    int& last = walkInsOfDay_[static_cast<std::size_t>(day)];
    if (last >= 999) return std::nullopt;
    ++last;
    return Customer{calendar_.CompactDate(day) + Padded(last, 3), false};
}
