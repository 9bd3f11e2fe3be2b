#pragma once
#include <optional>
#include <string>

// A decimal number held as its digits, so that rounding and scaling by powers of ten are
// exact: an amount of 2.675 rounds to 2.68 as the clerk reads it, not to the 2.67 its
// binary double would give. Used by the formatting and reading functions of VbText.h.
struct DecimalText {
    bool negative = false;
    std::string intDigits;   // no leading zeros; empty for a zero integer part
    std::string fracDigits;  // digits after the decimal point

    // The shortest decimal text that reads back as exactly this double (2.675 is "2.675").
    // The value must be finite.
    static DecimalText FromDouble(double value);
    // Built from digit texts as a reader found them (leading zeros allowed).
    static DecimalText FromDigits(bool negative, std::string intDigits, std::string fracDigits);

    bool IsZero() const;
    // Multiply by 10^places (negative places divide); exact.
    void ShiftPoint(int places);
    // Round to `decimals` places after the point (>= 0), half away from zero; afterwards
    // fracDigits has exactly `decimals` digits.
    void RoundTo(int decimals);
    // Round to `significant` digits, half away from zero, and drop trailing zeros after the point.
    void RoundToSignificant(int significant);
    // The nearest double; nullopt when the magnitude is beyond the range of a double.
    std::optional<double> ToDouble() const;
    // Plain decimal text without exponent: "-1234.5", "0".
    std::string ToPlainText() const;

  private:
    void TrimLeadingZeros();
};
