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
        days.push_back(random_.Chance(openingShare) ? 0 : random_.Between(1, calendar_.Today()));
    }
    std::sort(days.begin(), days.end());
    return days;
}

std::vector<DemoTitle> CatalogueMaker::Titles(int count) {
    std::vector<DemoTitle> titles;
    titles.reserve(static_cast<std::size_t>(count));
    const std::vector<int> days = SortedDays(count, 0.3);
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
    static const int kCopyWeights[] = {30, 30, 20, 12, 8};
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
