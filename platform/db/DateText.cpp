#include "platform/db/DateText.h"

namespace {

// A day of the Gregorian calendar (which has no year 0), as QDate::isValid tells it: the
// reports read every date of their tables through here, so it is worked out inline.
inline bool IsCalendarDay(int year, int month, int day) {
    if (year < 1 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

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

// The two-digit number s begins with, or -1 when either character is no digit.
inline int TwoDigits(const char* s) {
    const unsigned tens = static_cast<unsigned char>(s[0]) - '0';
    const unsigned ones = static_cast<unsigned char>(s[1]) - '0';
    return tens < 10 && ones < 10 ? static_cast<int>(tens * 10 + ones) : -1;
}

// The form the program writes, "yyyy-mm-dd" or "yyyy-mm-dd hh:mm:ss", read at once: the
// same parts and the same checks as the general reading below, which takes the rest.
std::optional<std::optional<DateText>> ParseWritten(std::string_view s) {
    if ((s.size() != 10 && s.size() != 19) || s[4] != '-' || s[7] != '-') return std::nullopt;
    const char* p = s.data();
    const int century = TwoDigits(p);
    const int years = TwoDigits(p + 2);
    DateText d;
    d.month = TwoDigits(p + 5);
    d.day = TwoDigits(p + 8);
    if (century < 0 || years < 0 || d.month < 0 || d.day < 0) return std::nullopt;
    d.year = century * 100 + years;
    if (s.size() == 19) {
        if (s[10] != ' ' || s[13] != ':' || s[16] != ':') return std::nullopt;
        d.hour = TwoDigits(p + 11);
        d.minute = TwoDigits(p + 14);
        d.second = TwoDigits(p + 17);
        if (d.hour < 0 || d.minute < 0 || d.second < 0) return std::nullopt;
        d.hasTime = true;
    }
    const bool valid =
        IsCalendarDay(d.year, d.month, d.day) && d.hour < 24 && d.minute < 60 && d.second < 60;
    return valid ? std::optional<DateText>(d) : std::optional<DateText>();
}

}  // namespace

std::optional<DateText> DateText::Parse(std::string_view s) {
    if (const auto written = ParseWritten(s)) return *written;
    std::size_t pos = 0;
    while (pos < s.size() && s[pos] == ' ') ++pos;
    DateText d;
    if (!ReadNumber(s, pos, 4, 4, d.year) || !Expect(s, pos, '-') ||
        !ReadNumber(s, pos, 1, 2, d.month) || !Expect(s, pos, '-') ||
        !ReadNumber(s, pos, 1, 2, d.day))
        return std::nullopt;
    if (!IsCalendarDay(d.year, d.month, d.day)) return std::nullopt;
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
