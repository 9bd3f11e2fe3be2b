#pragma once
#include <QString>
#include <optional>

// An amount of money the operator typed in a box ("￥1,200.00", "12.5", "3.456"), read
// strictly with ParseAmount and rounded to two decimals as a clerk writes it. Nothing for
// an empty text, a text that is no amount ("二十元", "3元", "1,2") or a negative amount:
// such a text is refused with AmountRefusal and never written.
std::optional<double> ReadTypedAmount(const QString& typed);

// The one message that refuses a typed amount, naming the box (what) and what was typed.
QString AmountRefusal(const QString& what, const QString& typed);
