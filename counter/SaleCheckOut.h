#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "core/Basket.h"

class Connection;

// The confirmation of the sale check-out dialog, in one transaction: the title's line of
// the open sale basket is written (new, extended, or rewritten after a line edit) and the
// title marked sold in part or in whole; what the copies add to the basket is returned.
// A new basket takes the lowest free sale number. No money is written before settlement.
// Raises DbError and writes nothing when the database refuses.
class SaleCheckOut {
  public:
    struct Request {
        Basket basket;     // the sale basket as it stands
        int userType = 0;  // kMemberUser or kWalkInUser: for a new basket only
        QString userName;  // the customer key: for a new basket only
        QString cdid;
        std::vector<int> copies;  // the copies checked, in the list's order
        int offered = 0;          // the copies the dialog listed
        double pricePerCopy = 0;  // the member's or the walk-in price the dialog shows
        QString remark;
        QDateTime now;
        bool rewritesLine = false;  // confirms an edit of the title's line
    };
    enum class Outcome { Written, NumbersUsedUp, NoCopies };
    struct Result {
        Outcome outcome = Outcome::NoCopies;
        Basket basket;  // the basket afterwards (copies and money grown)
        QString sellid;
        bool newLine = false;
        double money = 0;  // what the copies cost
    };

    static Result Run(Connection& conn, const Request& request);
};
