#pragma once
#include "platform/text/Money.h"

// The stored money of a member: a pay-in adds the amount to the balance; a refund takes
// it off, or, when the balance holds less, refunds the whole balance. A refund never
// raises a balance: with nothing stored (a balance of 0, or below 0 after the monthly
// fees) there is nothing to refund and the balance stays.
class MemberAccount {
  public:
    struct Refund {
        Money balance;         // what is left
        bool whole = false;    // the amount was more than the balance: all of it goes back
        bool nothing = false;  // no money stored: nothing goes back, the balance stays
    };

    static Money PaidIn(Money balance, Money amount);
    static Refund RefundOf(Money balance, Money amount);
    // "全部退还": the whole balance goes back, when there is one.
    static Refund RefundAll(Money balance);
};
