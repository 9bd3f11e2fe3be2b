#pragma once
#include <functional>
#include <vector>

#include "tools/demodata/DemoTitle.h"
#include "tools/demodata/Random.h"

// Picks the titles a customer takes: one bought by then with a copy on the shelf, not
// already in the basket. New titles are asked for more often than old ones.
class TitlePicker {
  public:
    // wanted, when given, tells which titles this desk takes at all.
    TitlePicker(Random& random, std::vector<DemoTitle>& titles,
                std::function<bool(const DemoTitle&)> wanted = {});

    // Nothing when no title bought by then has a copy on the shelf.
    DemoTitle* Pick(std::int64_t moment, const std::vector<DemoTitle*>& basket);
    // Up to `count` different titles for one basket (fewer when the shelves run short).
    std::vector<DemoTitle*> PickBasket(std::int64_t moment, int count);

  private:
    bool Fits(DemoTitle& title, std::int64_t moment, const std::vector<DemoTitle*>& basket) const;
    int RandomIndex(int bought);

    Random& random_;
    std::vector<DemoTitle>& titles_;
    std::function<bool(const DemoTitle&)> wanted_;
};
