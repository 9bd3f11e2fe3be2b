#include "tools/demodata/TitlePicker.h"

#include <algorithm>

#include "tools/demodata/DemoCalendar.h"

TitlePicker::TitlePicker(Random& random, std::vector<DemoTitle>& titles,
                         std::function<bool(const DemoTitle&)> wanted)
    : random_(random), titles_(titles), wanted_(std::move(wanted)) {}

DemoTitle* TitlePicker::Pick(std::int64_t moment, const std::vector<DemoTitle*>& basket) {
    const int day = DemoCalendar::DayOf(moment);
    const auto end = std::upper_bound(titles_.begin(), titles_.end(), day,
                                      [](int d, const DemoTitle& t) { return d < t.buyDay; });
    const auto bought = static_cast<int>(end - titles_.begin());
    if (bought == 0) return nullptr;
    for (int attempt = 0; attempt < 64; ++attempt) {
        DemoTitle& title = titles_[static_cast<std::size_t>(RandomIndex(bought))];
        if (Fits(title, moment, basket)) return &title;
    }
    // A busy day: walk the shelves from a random place.
    const int start = random_.Below(bought);
    for (int i = 0; i < bought; ++i) {
        DemoTitle& title = titles_[static_cast<std::size_t>((start + i) % bought)];
        if (Fits(title, moment, basket)) return &title;
    }
    return nullptr;
}

std::vector<DemoTitle*> TitlePicker::PickBasket(std::int64_t moment, int count) {
    std::vector<DemoTitle*> basket;
    for (int i = 0; i < count; ++i) {
        DemoTitle* title = Pick(moment, basket);
        if (!title) break;
        basket.push_back(title);
    }
    return basket;
}

bool TitlePicker::Fits(DemoTitle& title, std::int64_t moment,
                       const std::vector<DemoTitle*>& basket) const {
    return std::find(basket.begin(), basket.end(), &title) == basket.end() &&
           title.HasShelfCopy(moment) && (!wanted_ || wanted_(title));
}

// Four customers in ten ask for the newest twentieth of the titles.
int TitlePicker::RandomIndex(int bought) {
    if (random_.Chance(0.4)) {
        const int newest = std::max(1, bought / 20);
        return bought - newest + random_.Below(newest);
    }
    return random_.Below(bought);
}
