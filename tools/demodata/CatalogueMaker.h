#pragma once
#include <vector>

#include "tools/demodata/DemoCalendar.h"
#include "tools/demodata/DemoMember.h"
#include "tools/demodata/DemoTitle.h"
#include "tools/demodata/Random.h"
#include "tools/demodata/TextMaker.h"

// Makes the titles and members of a demo shop. About a third of the titles are the stock the
// shop opened the three years with; the rest were bought at the weekly deliveries since,
// more of them in the busy seasons and as the shop grew, some in this week's delivery. Titles come
// in order of purchase, numbered in that order (shop number and cdid sequence), and
// members in order of joining.
class CatalogueMaker {
  public:
    CatalogueMaker(Random& random, const DemoCalendar& calendar);

    std::vector<DemoTitle> Titles(int count);
    std::vector<DemoMember> Members(int count);

  private:
    std::vector<int> SortedDays(int count, double openingShare);
    std::vector<int> PurchaseDays(int count);
    int DeliveryDay(int day) const;
    DemoTitle Title(int number, int buyDay);
    void Price(DemoTitle& title);
    void Number(std::vector<DemoTitle>& titles);
    DemoMember Member(int number, int joinDay);

    Random& random_;
    const DemoCalendar& calendar_;
    TextMaker text_;
};
