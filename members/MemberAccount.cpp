#include "members/MemberAccount.h"

Money MemberAccount::PaidIn(Money balance, Money amount) {
    return balance + amount;
}

MemberAccount::Refund MemberAccount::RefundOf(Money balance, Money amount) {
    if (balance <= Money()) return {balance, false, true};
    const Money left = balance - amount;
    if (left >= Money()) return {left, false, false};
    return {Money(), true, false};
}

MemberAccount::Refund MemberAccount::RefundAll(Money balance) {
    if (balance <= Money()) return {balance, false, true};
    return {Money(), true, false};
}
