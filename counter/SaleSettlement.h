#pragma once
#include <QString>

#include "platform/text/Money.h"

class Connection;

// Settles the open sale basket, in one transaction with the payment: every line keeps the
// money it holds when the amount received is what the lines add up to; another amount is
// shared out in proportion to their money (by copies when they hold none), by the one rule
// for shares (LineShares). A payment from the member's stored money leaves the balance less
// the amount, or 0 when that would be negative (the shortfall is paid in cash); a negative
// amount adds to the balance. The basket is no longer stored as open (OpenBasketRow): its
// lines are a sale from now on. A basket with no line left is refused: nothing is written
// and the refusal says why, in the words the operator is shown. Raises DbError and writes
// nothing when the database refuses.
class SaleSettlement {
  public:
    struct Request {
        QString basketNo;
        Money amount;
        bool fromStoredMoney = false;
        QString customerKey;  // the member whose stored money pays
    };
    struct Result {
        int copies = 0;
        Money storedMoneyAfter;  // when paid from stored money
        QString refusal;         // why nothing was written; empty when the basket is settled
    };
    static Result Run(Connection& conn, const Request& request);
    // The stored money left after paying amount from balance (0 when it would be negative).
    static Money BalanceAfter(Money balance, Money amount);
};
