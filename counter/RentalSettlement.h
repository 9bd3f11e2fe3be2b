#pragma once
#include <QString>

class Connection;

// Settles the open rental basket, in one transaction: every line of the basket gets what
// secures it, and every copy's rent stays unpaid (isnotpaylst = borrowlst):
//  - a member let off the deposit: cash, no deposit;
//  - a cash deposit: each line keeps the share it holds when the amount is the deposit the
//    basket asks; another amount is shared out in cents in proportion to those shares (by
//    copies when the lines hold none), the last line taking the remainder;
//  - a pledge: "证件" with the pledged item as typed, no deposit.
// The basket is no longer stored as open (OpenBasketRow): its lines are a rental from now on.
// Returns the basket's copies. Raises DbError and writes nothing when the database refuses
// or the basket has no line left.
class RentalSettlement {
  public:
    enum Kind { MemberWaived, Cash, Pledge };
    struct Request {
        QString basketNo;
        Kind kind = Cash;
        double amount = 0;  // Cash: the deposit received
        QString pledge;     // Pledge: the item
    };
    static int Run(Connection& conn, const Request& request);
};
