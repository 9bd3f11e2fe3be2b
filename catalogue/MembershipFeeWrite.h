#pragma once

// Stores the membership fee. Raises DbError when the database refuses.
class MembershipFeeWrite {
  public:
    static void Run(double fee);
};
