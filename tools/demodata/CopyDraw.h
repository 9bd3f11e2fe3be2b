#pragma once
#include <string>
#include <vector>

#include "tools/demodata/Random.h"

// Copy lists as the counter stores them: "&" n "#" for each copy, in the given order.
std::string CopyListText(const std::vector<int>& copies);

// `count` of the given copies, drawn at random, in ascending order (the order in which
// the counter's check boxes list them).
std::vector<int> DrawCopies(Random& random, std::vector<int> copies, int count);
