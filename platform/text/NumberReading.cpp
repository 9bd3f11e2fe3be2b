// Val, IsNumeric, ParseAmount and ParsePercentage: reading numbers back from what the operator
// typed or a box shows.
#include <charconv>
#include <cmath>
#include <string>
#include <system_error>

#include "platform/text/DecimalText.h"
#include "platform/text/VbText.h"

namespace {

// No amount of the shop comes near ten trillion yuan; a larger "amount" is a typing
// slip (a pasted serial number, a held-down key), and refusing it keeps every sum and
// every "￥#,##0.00" text in a sane range.
constexpr double kLargestAmount = 1e13;

bool IsAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
bool IsCurrencySign(QChar c) {
    return c == u'￥' || c == u'¥';
}

// A Chinese input method types digits, the point, the sign, the comma and "%" in their
// full-width forms ("５０", "１２．５"); they are read as the characters they stand for.
// Nothing else is folded: "①" or "²" stays what it is, no digit.
QString FoldFullWidth(const QString& text) {
    QString folded = text;
    for (QChar& c : folded) {
        const char16_t u = c.unicode();
        if ((u >= u'０' && u <= u'９') || u == u'．' || u == u'，' || u == u'－' || u == u'＋' ||
            u == u'％')
            c = QChar(static_cast<char16_t>(u - 0xFEE0));
    }
    return folded;
}

std::optional<double> ReadDouble(const std::string& text) {
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value == 0 ? 0.0 : value;  // never a negative zero
}

// What a strict reading accepts beyond plain digits.
struct ReadingRules {
    bool exponent = false;  // "1e3"
    bool percent = false;   // a trailing "%" divides by 100
    double largest = HUGE_VAL;
};

// Reads the text as a whole: blanks around it, an optional sign, an optional currency
// sign, digits whose thousands groups (if any) are exactly three digits after a first
// group of one to three, an optional decimal part, then what the rules allow.
class StrictReader {
  public:
    StrictReader(const QString& text, const ReadingRules& rules)
        : text_(FoldFullWidth(text).trimmed()), rules_(rules) {}

    std::optional<double> Read() {
        bool negative = false;
        if (Accept(u'-'))
            negative = true;
        else
            Accept(u'+');
        if (pos_ < text_.size() && IsCurrencySign(text_[pos_])) ++pos_;
        if (!ReadIntegerPart()) return std::nullopt;
        if (Accept(u'.')) fracDigits_ = Digits();
        if (intDigits_.empty() && fracDigits_.empty()) return std::nullopt;
        std::string exponent;
        if (rules_.exponent && !ReadExponent(exponent)) return std::nullopt;
        const bool percent = rules_.percent && Accept(u'%');
        if (pos_ != text_.size()) return std::nullopt;

        std::optional<double> value;
        if (percent) {
            DecimalText d = DecimalText::FromDigits(negative, intDigits_, fracDigits_);
            d.ShiftPoint(-2);
            value = d.ToDouble();
        } else {
            value = ReadDouble(
                DecimalText::FromDigits(negative, intDigits_, fracDigits_).ToPlainText() +
                exponent);
        }
        if (!value || std::fabs(*value) > rules_.largest) return std::nullopt;
        return value;
    }

  private:
    bool Accept(char16_t c) {
        if (pos_ < text_.size() && text_[pos_] == c) {
            ++pos_;
            return true;
        }
        return false;
    }

    std::string Digits() {
        std::string digits;
        while (pos_ < text_.size() && IsAsciiDigit(text_[pos_]))
            digits += static_cast<char>(text_[pos_++].unicode());
        return digits;
    }

    bool ReadIntegerPart() {
        intDigits_ = Digits();
        if (pos_ >= text_.size() || text_[pos_] != u',') return true;
        // Grouped: "1,234,567". A first group of 1-3 digits, then groups of exactly 3.
        if (intDigits_.empty() || intDigits_.size() > 3) return false;
        while (Accept(u',')) {
            const std::string group = Digits();
            if (group.size() != 3) return false;
            intDigits_ += group;
        }
        return true;
    }

    bool ReadExponent(std::string& exponent) {
        if (!Accept(u'e') && !Accept(u'E')) return true;
        exponent = "e";
        if (Accept(u'-'))
            exponent += '-';
        else
            Accept(u'+');
        const std::string digits = Digits();
        exponent += digits;
        return !digits.empty();
    }

    QString text_;
    ReadingRules rules_;
    qsizetype pos_ = 0;
    std::string intDigits_;
    std::string fracDigits_;
};

bool IsValBlank(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

}  // namespace

double Val(const QString& text) {
    // Val reads as far as the text looks like a number and ignores blanks anywhere in it
    // ("1 2" is 12), as the original does. It never fails: a number too large for a double
    // reads as 0 (where the original stops with an overflow error).
    qsizetype i = 0;
    const auto next = [&]() -> QChar {
        while (i < text.size() && IsValBlank(text[i])) ++i;
        return i < text.size() ? text[i] : QChar();
    };
    const auto digits = [&] {
        std::string read;
        while (IsAsciiDigit(next())) read += static_cast<char>(text[i++].unicode());
        return read;
    };
    bool negative = false;
    if (next() == u'-' || next() == u'+') negative = text[i++] == u'-';
    const std::string intDigits = digits();
    std::string fracDigits;
    if (next() == u'.') {
        ++i;
        fracDigits = digits();
    }
    if (intDigits.empty() && fracDigits.empty()) return 0.0;
    // An exponent counts only when digits follow it: "2e3" is 2000, "2e" is 2.
    std::string exponent;
    if (QStringView(u"eEdD").contains(next())) {
        ++i;
        std::string sign;
        if (next() == u'-' || next() == u'+') sign = text[i++] == u'-' ? "-" : "";
        const std::string expDigits = digits();
        if (!expDigits.empty()) exponent = "e" + sign + expDigits;
    }
    const std::string number =
        DecimalText::FromDigits(negative, intDigits, fracDigits).ToPlainText();
    return ReadDouble(number + exponent).value_or(0.0);
}

bool IsNumeric(const QString& text) {
    // Stricter than the original about grouping ("1,2" is no number here), so that every
    // text this accepts without an exponent is also read by ParseAmount.
    return StrictReader(text, ReadingRules{true, false}).Read().has_value();
}

std::optional<double> ParseAmount(const QString& text) {
    return StrictReader(text, ReadingRules{false, false, kLargestAmount}).Read();
}

std::optional<double> ParsePercentage(const QString& text) {
    return StrictReader(text, ReadingRules{false, true, kLargestAmount}).Read();
}
