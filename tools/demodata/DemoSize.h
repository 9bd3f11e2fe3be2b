#pragma once
#include <optional>
#include <string>

// How much a demo shop holds. Y is the year of the shop's "today".
// Rental lines are spread over the years Y-2 up to today. When foldRentalLines is set,
// they fall in Y-1 up to today instead, and exactly foldRentalLines more are dated in
// Y-2: the lines the yearly fold will fold at the next start.
struct DemoSize {
    int titles = 0;
    int members = 0;
    int rentalLines = 0;
    int saleLines = 0;
    int foldRentalLines = 0;
};

// "small", "large" or "fold"; nothing for any other name.
std::optional<DemoSize> DemoSizeNamed(const std::string& name);
