#include "tools/demodata/TextMaker.h"

#include "tools/demodata/WordLists.h"

namespace {
void Append(InitialedText& out, const Word& word) {
    out.text += word.text;
    out.initials += word.initials;
}

void AppendPlain(InitialedText& out, const std::string& text) {
    out.text += text;
    out.initials += text;  // blanks and digits are their own initials
}
}  // namespace

InitialedText TextMaker::FilmTitle() {
    InitialedText title;
    Append(title, random_.Pick(WordLists::TitleWords()));
    const int shape = random_.Below(10);
    if (shape < 4) {
        Append(title, random_.Pick(WordLists::TitleWords()));
    } else if (shape < 6) {
        Append(title, random_.Pick(WordLists::TitleJoins()));
        Append(title, random_.Pick(WordLists::TitleWords()));
    } else if (shape < 9) {
        Append(title, random_.Pick(WordLists::TitleSuffixes()));
    }
    if (random_.Chance(0.08)) AppendPlain(title, std::to_string(random_.Between(2, 4)));
    return title;
}

InitialedText TextMaker::PersonName() {
    InitialedText name;
    Append(name, random_.Pick(WordLists::Surnames()));
    Append(name, random_.Pick(WordLists::GivenNames()));
    if (random_.Chance(0.6)) Append(name, random_.Pick(WordLists::GivenNames()));
    return name;
}

InitialedText TextMaker::Actors() {
    InitialedText actors = PersonName();
    const int more = random_.Below(3);
    for (int i = 0; i < more; ++i) {
        const InitialedText next = PersonName();
        actors.text += " " + next.text;
        actors.initials += " " + next.initials;
    }
    return actors;
}

std::string TextMaker::Telephone() {
    std::string digits;
    if (random_.Chance(0.7)) {
        static const char* const kMobile[] = {"13", "15", "18"};
        digits = kMobile[random_.Below(3)];
        for (int i = 0; i < 9; ++i) digits += static_cast<char>('0' + random_.Below(10));
    } else {
        digits = std::to_string(random_.Between(2, 8));
        for (int i = 0; i < 7; ++i) digits += static_cast<char>('0' + random_.Below(10));
    }
    return digits;
}

std::string TextMaker::Address() {
    std::string address = random_.Pick(WordLists::Districts());
    address += random_.Pick(WordLists::Streets());
    address += std::to_string(random_.Between(1, 300)) + "号";
    if (random_.Chance(0.5)) {
        address += std::to_string(random_.Between(1, 20)) + "栋" +
                   std::to_string(random_.Between(1, 6)) + "0" +
                   std::to_string(random_.Between(1, 4)) + "室";
    }
    return address;
}

std::string TextMaker::Summary() {
    return std::string("讲述了") + random_.Pick(WordLists::SummaryHeroes()) +
           random_.Pick(WordLists::SummaryDeeds()) + "的故事。";
}

std::string TextMaker::Location() {
    const char shelf = static_cast<char>('A' + random_.Below(8));
    return std::string(1, shelf) + "架" + std::to_string(random_.Between(1, 5)) + "层";
}
