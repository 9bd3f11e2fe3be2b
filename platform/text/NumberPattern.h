#pragma once
#include <QString>
#include <vector>

#include "platform/text/DecimalText.h"

// One section of a number format such as "￥#,##0.00" or "##%", parsed once and then
// applied to magnitudes. Digit placeholders: "0" shows a digit or a zero, "#" a digit or
// nothing; "." the decimal point; "," between placeholders groups thousands, and each
// "," just before the point (or after the last integer placeholder) divides by 1000;
// "%" shows itself and multiplies by 100; "\x" and "..." are literal; any other
// character stands for itself.
class NumberPattern {
  public:
    explicit NumberPattern(const QString& section);

    // Places after the decimal point the pattern shows.
    int Decimals() const;
    // The magnitude scaled (percent, thousands) and rounded the way this pattern shows it.
    DecimalText Shown(const DecimalText& magnitude) const;
    // The magnitude (not negative) written with this pattern; the caller adds any sign.
    QString Render(const DecimalText& magnitude) const;

  private:
    enum class Kind { Literal, Digit, Percent };
    struct Token {
        Kind kind;
        QString text;       // Literal
        bool zero = false;  // Digit: "0" rather than "#"
    };

    void Add(std::vector<Token>& tokens, Kind kind, const QString& text = QString(),
             bool zero = false);
    QString RenderInteger(const std::string& intDigits) const;
    QString RenderFraction(const std::string& fracDigits) const;

    std::vector<Token> intTokens_;   // before the decimal point
    std::vector<Token> fracTokens_;  // after it
    bool hasPoint_ = false;
    bool grouping_ = false;
    int thousandsScale_ = 0;
    int percents_ = 0;
};
