#pragma once
#include <QString>
#include <compare>
#include <optional>

#include "platform/text/TypedAmount.h"

// An amount of money in whole cents (fen), exact: sums and differences never drift, and a
// product is rounded once, half away from zero in decimal, as a clerk writes it. The program
// holds every amount this way from the moment it is read to the moment it is written or
// shown; a double amount lives only in the file (a REAL column) and in the widgets' texts.
//
// Arithmetic saturates at about ±92 thousand trillion yuan instead of overflowing: no amount
// of the shop comes near it (typed amounts stop at ten trillion yuan), and a corrupt file or
// a held-down key then gives an absurd figure, never undefined behaviour.
class Money {
  public:
    constexpr Money() = default;
    // An amount of so many fen (cents): FromFen(145) is ￥1.45.
    static constexpr Money FromFen(qint64 fen) { return Money(Bounded(fen)); }

    // A REAL as the file holds it, read as the decimal a person reads at 15 significant
    // digits, then to the cent, half away from zero: 1.4449999999999998 (1.70 × 0.85 in
    // binary) reads 1.445 and so 1.45; 12.5 reads 12.50. A value that is no number reads 0.
    static Money FromStored(double stored);
    // What the operator typed in a money box ("￥1,200.00", "12.5", "3.456", the full-width
    // "５０"), read strictly and to the cent as a clerk writes it (3.456 is 3.46). Nothing for
    // an empty text, a text that is no amount ("二十元", "3元", "1,2", "50%", "1e308", more
    // than ten trillion yuan) or, unless the box takes one, a negative amount: such a text is
    // refused with AmountRefusal and never written.
    static std::optional<Money> FromTyped(const QString& typed,
                                          AmountSign sign = AmountSign::NotNegative);

    // The double the file stores: the one nearest the decimal amount (1.45, not 1.4449...).
    double ToStored() const;
    // "￥1,234.50"; a negative amount leads with the minus sign: "-￥3.00".
    QString Text() const;
    // A plain decimal number, without sign of money or grouping and without trailing zeros:
    // "1234.5", "12", "0", "-3.05".
    QString PlainText() const;
    qint64 InFen() const { return cents_; }  // ￥1.45 is 145

    // Copies × the price of one, days × a day's rent.
    Money Times(qint64 count) const;
    // The amount multiplied by a rate (0.85 for 85%, as the file holds it: read at 15
    // significant digits), rounded half away from zero to the cent: 1.70 at 0.85 is 1.45.
    Money AtRate(double rate) const;

    Money operator-() const { return Money(-cents_); }
    friend Money operator+(Money a, Money b) { return a.Plus(b.cents_); }
    friend Money operator-(Money a, Money b) { return a.Plus(-b.cents_); }
    Money& operator+=(Money other) { return *this = *this + other; }
    Money& operator-=(Money other) { return *this = *this - other; }
    friend constexpr auto operator<=>(Money, Money) = default;

  private:
    static constexpr qint64 kLargest = 0x7fffffffffffffff;
    constexpr explicit Money(qint64 cents) : cents_(cents) {}
    // Never the one value whose negation overflows.
    static constexpr qint64 Bounded(qint64 cents) { return cents < -kLargest ? -kLargest : cents; }
    Money Plus(qint64 cents) const;

    qint64 cents_ = 0;
};
