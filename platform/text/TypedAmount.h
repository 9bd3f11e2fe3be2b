#pragma once
#include <QString>
#include <optional>

// Whether a box takes a negative amount: most do not; the sale basket's amount received
// does (a negative amount is money going back to the customer), and so does the deposit
// box, where a negative amount is no deposit and is refused by the settlement.
enum class AmountSign { NotNegative, MayBeNegative };

// An amount of money the operator typed in a box ("￥1,200.00", "12.5", "3.456", the
// full-width "５０"), read strictly with ParseAmount and rounded to two decimals as a clerk
// writes it. Every money box of the program reads through this one function. Nothing for an
// empty text, a text that is no amount ("二十元", "3元", "1,2", "5O", "50%": a percent
// sign belongs to the settings page's percentages only) or, unless the box takes one, a
// negative amount: such a text is refused with AmountRefusal and never written.
std::optional<double> ReadTypedAmount(const QString& typed,
                                      AmountSign sign = AmountSign::NotNegative);

// The one message that refuses a typed amount, naming the box (what) and what was typed
// (cut to 20 characters).
QString AmountRefusal(const QString& what, const QString& typed,
                      AmountSign sign = AmountSign::NotNegative);
