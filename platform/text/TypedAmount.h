#pragma once
#include <QString>

// Whether a money box takes a negative amount: most do not; the sale basket's amount
// received does (a negative amount is money going back to the customer), and so does the
// deposit box, which reads a negative amount as an amount so as to show it as money: no
// deposit is below zero, and the rental settlement refuses it (Money::FromTyped reads every
// money box).
enum class AmountSign { NotNegative, MayBeNegative };

// The one message that refuses a typed amount, naming the box (what) and what was typed
// (cut to 20 characters).
QString AmountRefusal(const QString& what, const QString& typed,
                      AmountSign sign = AmountSign::NotNegative);
