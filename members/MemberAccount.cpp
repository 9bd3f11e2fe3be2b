#include "members/MemberAccount.h"

#include "platform/text/VbText.h"

double MemberAccount::PaidIn(double balance, double amount) {
    return RoundHalfUp(balance + amount, 2);
}

MemberAccount::Refund MemberAccount::RefundOf(double balance, double amount) {
    const double stored = RoundHalfUp(balance, 2);
    if (stored <= 0) return {stored, false, true};
    const double left = RoundHalfUp(stored - amount, 2);
    if (left >= 0) return {left, false, false};
    return {0, true, false};
}

MemberAccount::Refund MemberAccount::RefundAll(double balance) {
    const double stored = RoundHalfUp(balance, 2);
    if (stored <= 0) return {stored, false, true};
    return {0, true, false};
}
