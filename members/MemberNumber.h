#pragma once
#include <QString>
#include <optional>

#include "platform/db/Connection.h"

// The number a new member gets: "000001" for the first, then the largest number plus 1,
// padded with "0" to six digits. Nothing once the six digits are used up.
class MemberNumber {
  public:
    static constexpr int kDigits = 6;
    static constexpr qint64 kLargest = 999999;

    static std::optional<QString> Next(Connection& conn);
    // The message that tells the operator no number is left.
    static QString ExhaustedMessage();
};
