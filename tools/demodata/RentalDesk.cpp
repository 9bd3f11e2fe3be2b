#include "tools/demodata/RentalDesk.h"

#include <algorithm>

#include "tools/demodata/CopyDraw.h"
#include "tools/demodata/DemoRules.h"
#include "tools/demodata/Padded.h"
#include "tools/demodata/WordLists.h"

RentalDesk::RentalDesk(Random& random, const DemoCalendar& calendar, std::vector<DemoTitle>& titles,
                       const std::vector<DemoMember>& members, DemoWriter& writer)
    : random_(random),
      calendar_(calendar),
      writer_(writer),
      customers_(random, calendar, members, 0.6),
      shelves_(random, titles),
      rentalNumbers_(DemoRules::kLastNumber),
      returnNumbers_(DemoRules::kLastNumber),
      openUntil_(DemoRules::kLastNumber + 1, 0) {
    for (int back = 2; back >= 0; --back) daysWithoutReturns_.push_back(calendar.Today() - back);
}

int RentalDesk::Basket(std::int64_t moment, int lines) {
    std::vector<Line> basket = ChooseLines(moment, lines);
    if (basket.empty()) return 0;
    const std::optional<Customer> customer = customers_.Pick(moment);
    if (!customer) return 0;
    const int number = RentalNumber(moment, basket);
    if (number == 0) return 0;
    const Credential credential = ChooseCredential(customer->member);
    PlanReturns(moment, basket);
    const std::vector<Settlement> settlements = Settlements(basket);
    for (const Line& line : basket) {
        const std::string borrowid = line.title->cdid + Padded(number, 4);
        WriteLine(line, borrowid, moment, *customer, credential);
        WriteReturns(line, borrowid, settlements);
        Lend(line, number);
    }
    return static_cast<int>(basket.size());
}

std::vector<RentalDesk::Line> RentalDesk::ChooseLines(std::int64_t moment, int lines) {
    std::vector<Line> basket;
    static const int kCopyWeights[] = {80, 15, 5};
    for (DemoTitle* title : shelves_.PickBasket(moment, lines)) {
        const std::vector<int> shelf = title->ShelfCopies(moment);
        const int wanted = random_.Weighted(kCopyWeights) + 1;
        const int count = std::min(wanted, static_cast<int>(shelf.size()));
        basket.push_back(Line{title, DrawCopies(random_, shelf, count), {}});
    }
    return basket;
}

// A number no title of the basket has a line with, and not held by a basket that
// still has copies out.
int RentalDesk::RentalNumber(std::int64_t moment, const std::vector<Line>& basket) {
    return rentalNumbers_.Take([&](int n) {
        if (openUntil_[static_cast<std::size_t>(n)] > moment) return true;
        return std::any_of(basket.begin(), basket.end(),
                           [n](const Line& l) { return DemoTitle::Uses(l.title->rentalNos, n); });
    });
}

RentalDesk::Credential RentalDesk::ChooseCredential(bool member) {
    const int roll = random_.Below(100);
    if (roll < (member ? 15 : 25))
        return {"证件", 0, std::string(random_.Pick(WordLists::Pledges()))};
    if (member && roll < 40) return {"现金", 0, std::nullopt};  // a known member leaves no deposit
    return {"现金", member ? DemoRules::kMemberDeposit : DemoRules::kWalkInDeposit, std::nullopt};
}

// Most baskets come back together; now and then a copy comes back days later, and
// very rarely a basket never comes back.
void RentalDesk::PlanReturns(std::int64_t moment, std::vector<Line>& basket) {
    const bool lost = random_.Chance(0.001);
    const std::int64_t back =
        lost ? DemoCalendar::kNever : OnAQuietDay(moment, ReturnMoment(moment));
    std::size_t copies = 0;
    for (const Line& line : basket) copies += line.copies.size();
    for (Line& line : basket) {
        for (std::size_t c = 0; c < line.copies.size(); ++c) {
            std::int64_t at = back;
            if (lost) {
                at = DemoCalendar::kNever;
            } else if (copies > 1 && random_.Chance(0.3)) {
                at += random_.Between(2, 20) * DemoCalendar::kDay;
            }
            line.backAt.push_back(at);
        }
    }
    MarkReturnDays(basket);
}

// A basket of the week before one of the last three days that has no return yet comes
// back on that day.
std::int64_t RentalDesk::OnAQuietDay(std::int64_t moment, std::int64_t back) {
    const int out = DemoCalendar::DayOf(moment);
    for (int day : daysWithoutReturns_) {
        if (day > out && day - out <= 7) return calendar_.ShopTime(random_, day, day);
    }
    return back;
}

void RentalDesk::MarkReturnDays(const std::vector<Line>& basket) {
    for (const Line& line : basket) {
        for (std::int64_t at : line.backAt) {
            if (at > calendar_.End()) continue;
            const int day = DemoCalendar::DayOf(at);
            std::erase(daysWithoutReturns_, day);
        }
    }
}

std::int64_t RentalDesk::ReturnMoment(std::int64_t moment) {
    static const int kSpanWeights[] = {70, 25, 5};
    static const int kSpanFirst[] = {1, 4, 11};
    static const int kSpanLast[] = {3, 10, 40};
    const auto span = static_cast<std::size_t>(random_.Weighted(kSpanWeights));
    const int day =
        DemoCalendar::DayOf(moment) + random_.Between(kSpanFirst[span], kSpanLast[span]);
    return day * DemoCalendar::kDay + random_.Between(9 * 3600, 22 * 3600 - 1);
}

// One settlement per moment at which copies of the basket come back by the end of the
// data, each with its own return number.
std::vector<RentalDesk::Settlement> RentalDesk::Settlements(const std::vector<Line>& basket) {
    std::vector<std::int64_t> moments;
    for (const Line& line : basket) {
        for (std::int64_t at : line.backAt) {
            if (at <= calendar_.End()) moments.push_back(at);
        }
    }
    std::sort(moments.begin(), moments.end());
    moments.erase(std::unique(moments.begin(), moments.end()), moments.end());
    std::vector<Settlement> settlements;
    for (std::int64_t at : moments) {
        const int number = returnNumbers_.Take([&](int n) {
            return std::any_of(settlements.begin(), settlements.end(),
                               [n](const Settlement& s) { return s.number == n; });
        });
        settlements.push_back({at, number});
    }
    return settlements;
}

void RentalDesk::WriteLine(const Line& line, const std::string& borrowid, std::int64_t moment,
                           const Customer& customer, const Credential& credential) {
    std::vector<int> stillOut;
    for (std::size_t c = 0; c < line.copies.size(); ++c) {
        if (line.backAt[c] > calendar_.End()) stillOut.push_back(line.copies[c]);
    }
    const bool allBack = stillOut.empty();
    RentalLineRow row;
    row.borrowid = borrowid;
    row.name = customer.key;
    row.borrowdate = calendar_.DateTime(moment);
    row.borrowcount = static_cast<int>(line.copies.size());
    row.borrowlst = CopyListText(line.copies);
    row.isnotpaylst = allBack ? " " : CopyListText(stillOut);  // returned copies were paid for
    row.credenceType = credential.type;
    row.guaranty = credential.pledge;
    row.foregift = allBack ? 0 : credential.perCopy * row.borrowcount;
    row.guarantyReturned = allBack;
    row.returnedAll = allBack;
    row.money = Rent(line, moment, customer.member);
    writer_.RentalLine(row);
}

// One return row for each settlement that brings back copies of the line.
void RentalDesk::WriteReturns(const Line& line, const std::string& borrowid,
                              const std::vector<Settlement>& settlements) {
    for (const Settlement& s : settlements) {
        std::vector<int> back;
        for (std::size_t c = 0; c < line.copies.size(); ++c) {
            if (line.backAt[c] == s.moment) back.push_back(line.copies[c]);
        }
        if (back.empty()) continue;
        writer_.Return({borrowid + Padded(s.number, 4), calendar_.DateTime(s.moment),
                        CopyListText(back), static_cast<int>(back.size())});
        ++returnRows_;
    }
}

// The rent paid for the copies back by the end of the data: per rental, or per whole
// day out (at least one).
double RentalDesk::Rent(const Line& line, std::int64_t moment, bool member) const {
    const DemoTitle& t = *line.title;
    const double price = member ? t.memberBorrowPrice : t.borrowPrice;
    double rent = 0;
    for (std::int64_t at : line.backAt) {
        if (at > calendar_.End()) continue;
        const auto days = std::max<std::int64_t>(1, (at - moment) / DemoCalendar::kDay);
        rent += t.perDay ? price * static_cast<double>(days) : price;
    }
    return DemoRules::Round2(rent);
}

void RentalDesk::Lend(const Line& line, int number) {
    DemoTitle& t = *line.title;
    for (std::size_t c = 0; c < line.copies.size(); ++c) t.Lend(line.copies[c], line.backAt[c]);
    ++t.rentalLines;
    t.rentalNos.push_back(static_cast<std::uint16_t>(number));
    auto& until = openUntil_[static_cast<std::size_t>(number)];
    until = std::max(until, *std::max_element(line.backAt.begin(), line.backAt.end()));
}
