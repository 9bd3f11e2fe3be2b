#pragma once
#include <ostream>

#include "platform/text/Money.h"

// An amount written in a test as the clerk writes it: Yuan(12.5) is ￥12.50.
inline Money Yuan(double yuan) {
    return Money::FromStored(yuan);
}
// gtest prints an amount as its money text.
inline void PrintTo(Money m, std::ostream* os) {
    *os << m.Text().toStdString();
}
