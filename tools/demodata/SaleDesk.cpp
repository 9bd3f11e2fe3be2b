#include "tools/demodata/SaleDesk.h"

#include <algorithm>

#include "tools/demodata/CopyDraw.h"
#include "tools/demodata/DemoRules.h"
#include "tools/demodata/Padded.h"

SaleDesk::SaleDesk(Random& random, const DemoCalendar& calendar, std::vector<DemoTitle>& titles,
                   const std::vector<DemoMember>& members, DemoWriter& writer)
    : random_(random),
      calendar_(calendar),
      writer_(writer),
      customers_(random, calendar, members, 0.4),
      shelves_(random, titles, [this](const DemoTitle& t) { return Spare(t) > 0; }),
      saleNumbers_(DemoRules::kLastNumber) {}

// Copies of the title this sale may take, the one kept for rent aside.
int SaleDesk::Spare(const DemoTitle& title) const {
    const int unsold = title.count - title.SoldCopies();
    return clearance_ ? unsold : unsold - 1;
}

int SaleDesk::Basket(std::int64_t moment, int lines) {
    clearance_ = random_.Chance(0.04);
    const std::vector<DemoTitle*> titles = shelves_.PickBasket(moment, lines);
    if (titles.empty()) return 0;
    const std::optional<Customer> customer = customers_.Pick(moment);
    if (!customer) return 0;
    const int number = saleNumbers_.Take([&](int n) {
        return std::any_of(titles.begin(), titles.end(),
                           [n](const DemoTitle* t) { return DemoTitle::Uses(t->saleNos, n); });
    });
    if (number == 0) return 0;
    for (DemoTitle* title : titles) Sell(*title, number, moment, *customer);
    return static_cast<int>(titles.size());
}

void SaleDesk::Sell(DemoTitle& title, int number, std::int64_t moment, const Customer& customer) {
    const std::vector<int> shelf = title.ShelfCopies(moment);
    const int count =
        std::min({random_.Chance(0.85) ? 1 : 2, static_cast<int>(shelf.size()), Spare(title)});
    const std::vector<int> copies = DrawCopies(random_, shelf, count);
    for (int c : copies) title.Sell(c);
    title.saleNos.push_back(static_cast<std::uint16_t>(number));
    const double price = customer.member ? title.memberSellPrice : title.sellPrice;
    writer_.Sale({title.cdid + Padded(number, 4), customer.key, calendar_.DateTime(moment),
                  CopyListText(copies), count, DemoRules::Round2(price * count)});
}
