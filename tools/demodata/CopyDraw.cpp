#include "tools/demodata/CopyDraw.h"

#include <algorithm>

std::string CopyListText(const std::vector<int>& copies) {
    std::string list;
    for (int c : copies) list += "&" + std::to_string(c) + "#";
    return list;
}

std::vector<int> DrawCopies(Random& random, std::vector<int> copies, int count) {
    for (int i = 0; i < count; ++i) {
        const int j = i + random.Below(static_cast<int>(copies.size()) - i);
        std::swap(copies[static_cast<std::size_t>(i)], copies[static_cast<std::size_t>(j)]);
    }
    copies.resize(static_cast<std::size_t>(count));
    std::sort(copies.begin(), copies.end());
    return copies;
}
