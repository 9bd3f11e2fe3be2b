#pragma once
#include <QString>
#include <optional>

#include "platform/db/Connection.h"

// The number a new member gets: "000001" for the first, then one more than the highest
// member number ever used, padded with "0" to six digits. A number is used while a member
// holds it and for as long as rental or sale lines carry it as their customer: a member
// who left keeps their number, so a new member never inherits their history. Only
// six-digit numbers take part ("ABC" or "1000000" typed by hand are not member numbers of
// the shop's series). Once 999999 is used (typed by hand, or a walk-in's name), the lowest
// number still unused is given; nothing only when every six-digit number is used.
class MemberNumber {
  public:
    static constexpr int kDigits = 6;
    static constexpr qint64 kLargest = 999999;

    static std::optional<QString> Next(Connection& conn);
    // A member number as the shop writes them: exactly six digits, "000123".
    static bool IsWellFormed(const QString& number);
    // The message that tells the operator no number is left.
    static QString ExhaustedMessage();
};
