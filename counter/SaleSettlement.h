#pragma once
#include <QString>

class Connection;

// Settles the open sale basket, in one transaction with the payment: every line keeps the
// money it holds when the amount received is what the lines add up to; another amount is
// shared out in cents in proportion to their money (by copies when they hold none), the
// last line taking the remainder (LineShares). A payment from the member's stored money
// leaves the balance less the amount, or 0 when that would be negative (the shortfall is
// paid in cash); a negative amount adds to the balance. The basket is no longer stored as
// open (OpenBasketRow): its lines are a sale from now on. Raises DbError and writes nothing
// when the database refuses or the basket has no line.
class SaleSettlement {
  public:
    struct Request {
        QString basketNo;
        double amount = 0;
        bool fromStoredMoney = false;
        QString customerKey;  // the member whose stored money pays
    };
    struct Result {
        int copies = 0;
        double storedMoneyAfter = 0;  // when paid from stored money
    };
    static Result Run(Connection& conn, const Request& request);
    // The stored money left after paying amount from balance (0 when it would be negative).
    static double BalanceAfter(double balance, double amount);
};
