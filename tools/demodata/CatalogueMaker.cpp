#include "tools/demodata/CatalogueMaker.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "tools/demodata/DemoRules.h"
#include "tools/demodata/Padded.h"
#include "tools/demodata/WordLists.h"

namespace {
std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The shop's own number: A0001 .. A9999, then B0001 ...
std::string ShopNumber(int index) {
    return std::string(1, static_cast<char>('A' + index / 9999)) + Padded(index % 9999 + 1, 4);
}
}  // namespace

CatalogueMaker::CatalogueMaker(Random& random, const DemoCalendar& calendar)
    : random_(random), calendar_(calendar), text_(random) {}

std::vector<int> CatalogueMaker::SortedDays(int count, double openingShare) {
    std::vector<int> days;
    days.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        days.push_back(
            random_.Chance(openingShare) ? 0 : calendar_.BusyDay(random_, 1, calendar_.Today()));
    }
    std::sort(days.begin(), days.end());
    return days;
}

// The distributor delivers on Tuesdays and Fridays: a day of buying is the last delivery
// day on or before it (or the first day, when none is before it).
int CatalogueMaker::DeliveryDay(int day) const {
    for (int d = day; d > 0; --d) {
        const int weekday = calendar_.DateOf(d).dayOfWeek();
        if (weekday == Qt::Tuesday || weekday == Qt::Friday) return d;
    }
    return day;
}

// The opening stock, then titles bought at the deliveries since, the newest few in the
// delivery of this week (or today, when this week has had none yet).
std::vector<int> CatalogueMaker::PurchaseDays(int count) {
    std::vector<int> days = SortedDays(count, 0.3);
    for (int& d : days) {
        if (d > 0) d = DeliveryDay(d);
    }
    std::sort(days.begin(), days.end());
    const int today = calendar_.Today();
    const int monday = today - (calendar_.DateOf(today).dayOfWeek() - 1);
    int thisWeek = DeliveryDay(today);
    if (thisWeek < monday) thisWeek = today;
    const int newest = std::min(count, std::max(1, count / 200));
    for (int i = count - newest; i < count; ++i) days[static_cast<std::size_t>(i)] = thisWeek;
    return days;
}

std::vector<DemoTitle> CatalogueMaker::Titles(int count) {
    std::vector<DemoTitle> titles;
    titles.reserve(static_cast<std::size_t>(count));
    const std::vector<int> days = PurchaseDays(count);
    for (int i = 0; i < count; ++i) titles.push_back(Title(i, days[static_cast<std::size_t>(i)]));
    Number(titles);
    return titles;
}

DemoTitle CatalogueMaker::Title(int number, int buyDay) {
    DemoTitle t;
    const InitialedText name = text_.FilmTitle();
    const InitialedText actors = text_.Actors();
    t.id = ShopNumber(number);
    t.name = name.text;
    t.actor = actors.text;
    t.key = name.initials + " " + actors.initials + " " + Lower(t.id);
    t.format = WordLists::Formats()[static_cast<std::size_t>(
        random_.Weighted(WordLists::FormatWeights()))];
    t.movieType = random_.Pick(WordLists::MovieTypes());
    t.content = text_.Summary();
    t.remark = random_.Chance(0.15) ? random_.Pick(WordLists::TitleRemarks()) : "";
    t.location = text_.Location();
    t.born = random_.Pick(WordLists::Regions());
    // A rental shop keeps several copies of most titles.
    static const int kCopyWeights[] = {15, 30, 25, 18, 12};
    t.count = random_.Weighted(kCopyWeights) + 1;
    t.buyDay = buyDay;
    t.perDay = random_.Chance(0.7);
    Price(t);
    return t;
}

void CatalogueMaker::Price(DemoTitle& t) {
    t.price = random_.Between(10, 40);
    t.borrowPrice = random_.Between(4, 10) / 2.0;
    t.sellPrice = random_.Between(std::max(15, static_cast<int>(t.price) + 3), 50);
    t.memberBorrowPrice = DemoRules::Round2(t.borrowPrice * DemoRules::kMemberRentFactor);
    t.memberSellPrice = DemoRules::Round2(t.sellPrice * DemoRules::kMemberSaleFactor);
}

// cdid: format code, movie-type code, then the sequence within those four digits.
void CatalogueMaker::Number(std::vector<DemoTitle>& titles) {
    const auto formats = WordLists::Formats();
    const auto movieTypes = WordLists::MovieTypes();
    std::map<std::string, int> lastSequence;
    for (DemoTitle& t : titles) {
        const auto format = std::find_if(formats.begin(), formats.end(),
                                         [&](const char* f) { return t.format == f; });
        const auto movieType = std::find_if(movieTypes.begin(), movieTypes.end(),
                                            [&](const char* m) { return t.movieType == m; });
        const std::string prefix = Padded(static_cast<int>(format - formats.begin()) + 1, 2) +
                                   Padded(static_cast<int>(movieType - movieTypes.begin()) + 1, 2);
        t.cdid = prefix + Padded(++lastSequence[prefix], 8);
    }
}

std::vector<DemoMember> CatalogueMaker::Members(int count) {
    std::vector<DemoMember> members;
    members.reserve(static_cast<std::size_t>(count));
    const std::vector<int> days = SortedDays(count, 0.2);
    for (int i = 0; i < count; ++i)
        members.push_back(Member(i + 1, days[static_cast<std::size_t>(i)]));
    return members;
}

DemoMember CatalogueMaker::Member(int number, int joinDay) {
    DemoMember m;
    m.userid = Padded(number, 6);
    m.name = text_.PersonName().text;
    m.telephone = text_.Telephone();
    m.address = text_.Address();
    m.joinDay = joinDay;
    m.money = random_.Chance(0.15) ? -5.0 * random_.Between(1, 12) : 5.0 * random_.Between(0, 60);
    // The monthly fee is charged in the first half of the month and re-armed after it.
    const QDate today = calendar_.DateOf(calendar_.Today());
    const QDate joined = calendar_.DateOf(joinDay);
    m.ispay = today.day() <= 15 ? 1 : 0;
    const int months = (today.year() - joined.year()) * 12 + today.month() - joined.month();
    m.tax = DemoRules::kMonthlyFee * (months + m.ispay);
    return m;
}
