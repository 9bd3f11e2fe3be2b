#include "platform/db/DateText.h"

#include <QDate>

namespace {

// Reads 1..maxDigits decimal digits at pos; advances pos. False when none.
bool ReadNumber(std::string_view s, std::size_t& pos, int minDigits, int maxDigits, int& out) {
    int n = 0;
    int value = 0;
    while (pos < s.size() && n < maxDigits && s[pos] >= '0' && s[pos] <= '9') {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++n;
    }
    out = value;
    return n >= minDigits;
}

bool Expect(std::string_view s, std::size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

bool ReadTime(std::string_view s, std::size_t& pos, DateText& d) {
    if (!ReadNumber(s, pos, 1, 2, d.hour) || !Expect(s, pos, ':') ||
        !ReadNumber(s, pos, 1, 2, d.minute))
        return false;
    if (Expect(s, pos, ':') && !ReadNumber(s, pos, 1, 2, d.second)) return false;
    // Fractions of a second are ignored.
    if (Expect(s, pos, '.'))
        while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9') ++pos;
    return d.hour < 24 && d.minute < 60 && d.second < 60;
}

}  // namespace

std::optional<DateText> DateText::Parse(std::string_view s) {
    std::size_t pos = 0;
    while (pos < s.size() && s[pos] == ' ') ++pos;
    DateText d;
    if (!ReadNumber(s, pos, 4, 4, d.year) || !Expect(s, pos, '-') ||
        !ReadNumber(s, pos, 1, 2, d.month) || !Expect(s, pos, '-') ||
        !ReadNumber(s, pos, 1, 2, d.day))
        return std::nullopt;
    if (!QDate::isValid(d.year, d.month, d.day)) return std::nullopt;
    if (pos < s.size() && (s[pos] == ' ' || s[pos] == 'T')) {
        ++pos;
        while (pos < s.size() && s[pos] == ' ') ++pos;
        if (pos < s.size()) {
            if (!ReadTime(s, pos, d)) return std::nullopt;
            d.hasTime = true;
        }
    }
    while (pos < s.size() && s[pos] == ' ') ++pos;
    if (pos != s.size()) return std::nullopt;
    return d;
}
