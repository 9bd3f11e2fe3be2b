#pragma once
#include <span>

// A word and the lower-case pinyin initials the program computes for it from the
// GB2312 code table (every character is of the table's first level).
struct Word {
    const char* text;
    const char* initials;
};

// The words the demo shop's titles and people are made of. Nothing is downloaded:
// the lists are part of the source.
namespace WordLists {
std::span<const Word> TitleWords();     // two-character words: 风云, 江湖 ...
std::span<const Word> TitleJoins();     // 之, 的 ... between two title words
std::span<const Word> TitleSuffixes();  // 传, 之战, 前传 ... after a title word
std::span<const Word> Surnames();
std::span<const Word> GivenNames();  // one character of a given name

std::span<const char* const> Formats();     // disc formats, typeid 1..n in this order
std::span<const int> FormatWeights();       // how common each format is
std::span<const char* const> MovieTypes();  // movie types, typeid 1..n in this order
std::span<const char* const> Regions();     // 产地
std::span<const char* const> Districts();
std::span<const char* const> Streets();
std::span<const char* const> Pledges();  // items left as a pledge
std::span<const char* const> SummaryHeroes();
std::span<const char* const> SummaryDeeds();
std::span<const char* const> TitleRemarks();
}  // namespace WordLists
