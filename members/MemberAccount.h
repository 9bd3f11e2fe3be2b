#pragma once

// The stored money of a member: a pay-in adds the amount to the balance; a refund takes
// it off, or, when the balance holds less, refunds the whole balance. Amounts are kept to
// the fen, as the clerk writes them.
class MemberAccount {
  public:
    struct Refund {
        double balance = 0;  // what is left
        bool whole = false;  // the amount was more than the balance: all of it goes back
    };

    static double PaidIn(double balance, double amount);
    static Refund RefundOf(double balance, double amount);
};
