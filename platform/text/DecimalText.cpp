#include "platform/text/DecimalText.h"

#include <algorithm>
#include <charconv>
#include <system_error>

DecimalText DecimalText::FromDouble(double value) {
    // Shortest round-trip text in fixed notation: the largest double needs 309 integer
    // digits, the smallest subnormal about 330 characters.
    char buffer[512];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    const std::string text(buffer, result.ptr);

    DecimalText d;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '-') {
        d.negative = true;
        ++pos;
    }
    const std::size_t point = text.find('.', pos);
    d.intDigits = text.substr(pos, point == std::string::npos ? std::string::npos : point - pos);
    if (point != std::string::npos) d.fracDigits = text.substr(point + 1);
    d.TrimLeadingZeros();
    return d;
}

DecimalText DecimalText::FromDigits(bool negative, std::string intDigits, std::string fracDigits) {
    DecimalText d;
    d.negative = negative;
    d.intDigits = std::move(intDigits);
    d.fracDigits = std::move(fracDigits);
    d.TrimLeadingZeros();
    return d;
}

bool DecimalText::IsZero() const {
    const auto isZeroDigit = [](char c) { return c == '0'; };
    return std::all_of(intDigits.begin(), intDigits.end(), isZeroDigit) &&
           std::all_of(fracDigits.begin(), fracDigits.end(), isZeroDigit);
}

void DecimalText::ShiftPoint(int places) {
    if (places > 0) {
        const std::size_t n = static_cast<std::size_t>(places);
        if (fracDigits.size() < n) fracDigits.append(n - fracDigits.size(), '0');
        intDigits += fracDigits.substr(0, n);
        fracDigits.erase(0, n);
    } else if (places < 0) {
        const std::size_t n = static_cast<std::size_t>(-static_cast<long long>(places));
        if (intDigits.size() < n) intDigits.insert(0, n - intDigits.size(), '0');
        fracDigits.insert(0, intDigits.substr(intDigits.size() - n));
        intDigits.resize(intDigits.size() - n);
    }
    TrimLeadingZeros();
}

void DecimalText::RoundTo(int decimals) {
    const std::size_t keep = static_cast<std::size_t>(std::max(decimals, 0));
    if (fracDigits.size() <= keep) {
        fracDigits.append(keep - fracDigits.size(), '0');
        return;
    }
    // Working on the magnitude, a first dropped digit of 5 or more rounds away from zero.
    const bool roundUp = fracDigits[keep] >= '5';
    fracDigits.resize(keep);
    if (!roundUp) return;

    std::string all = intDigits + fracDigits;
    std::size_t i = all.size();
    while (i > 0 && all[i - 1] == '9') all[--i] = '0';
    if (i == 0)
        all.insert(all.begin(), '1');
    else
        ++all[i - 1];
    intDigits = all.substr(0, all.size() - keep);
    fracDigits = all.substr(all.size() - keep);
    TrimLeadingZeros();
}

void DecimalText::RoundToSignificant(int significant) {
    if (IsZero()) {
        intDigits.clear();
        fracDigits.clear();
        return;
    }
    int decimals;
    if (!intDigits.empty()) {
        decimals = significant - static_cast<int>(intDigits.size());
    } else {
        const std::size_t firstNonZero = fracDigits.find_first_not_of('0');
        decimals = significant + static_cast<int>(firstNonZero);
    }
    if (decimals >= 0) {
        RoundTo(decimals);
    } else {
        ShiftPoint(decimals);
        RoundTo(0);
        ShiftPoint(-decimals);
    }
    while (!fracDigits.empty() && fracDigits.back() == '0') fracDigits.pop_back();
}

std::optional<double> DecimalText::ToDouble() const {
    const std::string text = ToPlainText();
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (!intDigits.empty()) return std::nullopt;  // too large for a double
        return 0.0;                                   // too small: rounds to zero
    }
    if (result.ec != std::errc()) return std::nullopt;
    return value == 0 ? 0.0 : value;  // never a negative zero
}

std::string DecimalText::ToPlainText() const {
    std::string text;
    if (negative && !IsZero()) text += '-';
    text += intDigits.empty() ? std::string("0") : intDigits;
    if (!fracDigits.empty()) text += '.' + fracDigits;
    return text;
}

void DecimalText::TrimLeadingZeros() {
    const std::size_t first = intDigits.find_first_not_of('0');
    intDigits.erase(0, first == std::string::npos ? intDigits.size() : first);
}
