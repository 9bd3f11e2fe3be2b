#include "members/MemberAccount.h"

#include "platform/text/VbText.h"

double MemberAccount::PaidIn(double balance, double amount) {
    return RoundHalfUp(balance + amount, 2);
}

MemberAccount::Refund MemberAccount::RefundOf(double balance, double amount) {
    const double left = RoundHalfUp(balance - amount, 2);
    if (left >= 0) return {left, false};
    return {0, true};
}
