#include "tools/demodata/DemoTitle.h"

#include <algorithm>

std::vector<int> DemoTitle::ShelfCopies(std::int64_t moment) const {
    std::vector<int> copies;
    for (int c = 1; c <= count; ++c) {
        const auto i = static_cast<std::size_t>(c - 1);
        if (!sold_[i] && backAt_[i] <= moment) copies.push_back(c);
    }
    return copies;
}

bool DemoTitle::HasShelfCopy(std::int64_t moment) const {
    for (std::size_t i = 0; i < static_cast<std::size_t>(count); ++i) {
        if (!sold_[i] && backAt_[i] <= moment) return true;
    }
    return false;
}

int DemoTitle::SoldCopies() const {
    return static_cast<int>(std::count(sold_.begin(), sold_.begin() + count, true));
}

int DemoTitle::OutCopies(std::int64_t moment) const {
    int out = 0;
    for (int c = 0; c < count; ++c) {
        if (backAt_[static_cast<std::size_t>(c)] > moment) ++out;
    }
    return out;
}

const char* DemoTitle::Station(std::int64_t moment) const {
    const int out = OutCopies(moment);
    if (out == 0) return "未借出";
    return out + SoldCopies() == count ? "全部借出" : "借出部分";
}

int DemoTitle::IsSell() const {
    const int sold = SoldCopies();
    return sold == 0 ? 0 : sold == count ? 2 : 1;
}

bool DemoTitle::Uses(const std::vector<std::uint16_t>& numbers, int number) {
    return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}
