#pragma once
#include <optional>
#include <string_view>

// The parts of a stored date text: "yyyy-mm-dd" or "yyyy-mm-dd hh:mm[:ss]" (a "T" may
// stand for the blank). Month and day may have one digit. Anything else is not a date.
struct DateText {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    bool hasTime = false;

    // Checks the calendar too: "2023-02-30" is not a date.
    static std::optional<DateText> Parse(std::string_view text);
};
