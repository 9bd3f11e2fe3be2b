#pragma once
#include <QString>
#include <optional>

#include "counter/BasketLines.h"

#include "platform/text/Money.h"

class Connection;

// Settles the open sale basket, in one transaction with the payment: every line keeps the
// money it holds when the amount received is what the lines add up to; another amount is
// shared out in proportion to their money (by copies when they hold none), by the one rule
// for shares (LineShares). A payment from the member's stored money leaves the balance less
// the amount, or 0 when that would be negative (the shortfall is paid in cash); a negative
// amount adds to the balance. The basket is no longer stored as open (OpenBasketRow): its
// lines are a sale from now on. What it writes on is read again in its transaction: the
// basket's lines as they stand (BasketLines::ForSettlement: none left, a line of another
// customer under its number, or other lines than the panel showed, refuse) and, for stored
// money, the member row and its balance (a member who has left, another customer than the
// basket's, or a balance other than the dialog showed, refuse). A refusal writes nothing and
// says why, in the words the operator is shown. Raises DbError and writes nothing when the
// database refuses.
class SaleSettlement {
  public:
    struct Request {
        QString basketNo;
        Money amount;
        bool fromStoredMoney = false;
        QString customerKey;  // the member whose stored money pays
        // The basket as the panel showed it, and the stored money the payment dialog showed.
        std::optional<BasketLines::Shown> shown = std::nullopt;
        std::optional<Money> balanceShown = std::nullopt;
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
