#pragma once
#include <QString>
#include <optional>

#include "counter/BasketLines.h"

#include "platform/text/Money.h"

class Connection;

// Settles the open rental basket, in one transaction: every line of the basket gets what
// secures it, and every copy's rent stays unpaid (isnotpaylst = borrowlst):
//  - a member let off the deposit: cash, no deposit;
//  - a cash deposit: each line keeps the share it holds when the amount is the deposit the
//    basket asks; another amount is shared out in proportion to those shares (by copies
//    when the lines hold none), by the one rule for shares (LineShares);
//  - a pledge: "证件" with the pledged item as typed, no deposit.
// The basket is no longer stored as open (OpenBasketRow): its lines are a rental from now on.
// Returns the basket's copies. What it writes on is read again in its transaction: the
// basket's lines as they stand (BasketLines::ForSettlement: none left, a line of another
// customer under its number, or other lines than the panel showed, refuse) and, for the
// waiver, the member (one who has left is a walk-in: no waiver). A cash deposit below zero
// is refused too. A refusal writes nothing and says why, in the words the operator is
// shown. Raises DbError and writes nothing when the database refuses.
class RentalSettlement {
  public:
    enum Kind { MemberWaived, Cash, Pledge };
    struct Request {
        QString basketNo;
        Kind kind = Cash;
        Money amount;    // Cash: the deposit received
        QString pledge;  // Pledge: the item
        // The basket as the panel showed it when the settlement was asked for.
        std::optional<BasketLines::Shown> shown = std::nullopt;
    };
    struct Result {
        int copies = 0;   // the basket's copies, once settled
        QString refusal;  // why nothing was written; empty when the basket is settled
    };
    static Result Run(Connection& conn, const Request& request);
};
