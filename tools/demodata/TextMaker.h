#pragma once
#include <string>

#include "tools/demodata/Random.h"

// A text made of words of the word lists, with its lower-case pinyin initials as the
// program's search key holds them (a blank stays a blank, a digit stays a digit).
struct InitialedText {
    std::string text;
    std::string initials;
};

// Composes the Chinese texts of a demo shop: film titles, actors, people, addresses.
class TextMaker {
  public:
    explicit TextMaker(Random& random) : random_(random) {}

    InitialedText FilmTitle();
    InitialedText PersonName();
    InitialedText Actors();  // one to three names separated by a blank
    std::string Telephone();
    std::string Address();
    std::string Summary();
    std::string Location();  // where the copies stand: 货架 and shelf

  private:
    Random& random_;
};
