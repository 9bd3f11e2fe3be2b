#pragma once
#include <QString>

#include "platform/text/Money.h"

// A basket at the counter: the rental or the sale being put together for one customer,
// written line by line and settled (or rolled back) as a whole. What it holds and costs is
// in its stored lines.
struct Basket {
    bool Open = false;  // its lines are written and not yet settled
    QString No;         // 4 digits: the last four of each of its lines' ids
    int UserType = 0;   // kMemberUser or kWalkInUser
    QString UserName;
    // Fixed when the basket opens, so that every later line is priced alike:
    bool Member = false;             // the customer was a member: a member's deposit and prices
    int DepositRule = -1;            // rentals: the deposit rule in force (foregifttype)
    Money FixedDeposit = Money();    // rentals under the fixed-sum rule: the one sum asked
    Money DepositPerCopy = Money();  // rentals under the per-copy rule: what a copy asks

    void Clear() { *this = Basket(); }
};
