#pragma once
#include "platform/text/Money.h"

// Stores the membership fee. Raises DbError when the database refuses.
class MembershipFeeWrite {
  public:
    static void Run(Money fee);
};
