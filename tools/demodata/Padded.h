#pragma once
#include <string>

// n in decimal, padded on the left with "0" to `width` digits, as the record keys hold
// their numbers (Padded(7, 4) is "0007").
std::string Padded(int n, int width);
