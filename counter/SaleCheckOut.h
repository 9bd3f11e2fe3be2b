#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "core/Basket.h"
#include "counter/CheckOutOutcome.h"

class Connection;

// The confirmation of the sale check-out dialog, in one transaction. It first checks what
// it writes against the file as it stands: the title is still there, every copy chosen is
// on the shelf (or, for a line edit, on the line), and a member's new basket has a member.
// Then the title's line of the open sale basket is written (new, extended, or rewritten
// after a line edit) holding the money of its copies at the title's price as it stands
// (the member's price for a member's basket), and the title's sale state follows its
// copies (SaleState). A new basket takes the lowest free sale number and is stored as open
// with its first line (OpenBasketRow), keeping the customer's kind for all its lines; the
// result's basket is the stored one. Raises DbError and writes nothing when the database
// refuses.
class SaleCheckOut {
  public:
    struct Request {
        Basket basket;     // the sale basket as it stands
        int userType = 0;  // kMemberUser or kWalkInUser: for a new basket only
        QString userName;  // the customer key: for a new basket only
        QString cdid;
        std::vector<int> copies;  // the copies checked, in the list's order
        QString remark;
        QDateTime now;
        bool rewritesLine = false;  // confirms an edit of the title's line
    };
    using Outcome = CheckOutOutcome;
    struct Result {
        Outcome outcome = Outcome::NoCopies;
        Basket basket;  // the basket afterwards
        QString sellid;
        bool newLine = false;
        Money money;  // what the line now holds
        // As for the rental check-out: the copies that can be sold on the line as the file
        // stands, in rising order, and the line's own.
        std::vector<int> available;
        std::vector<int> ownCopies;
    };

    static Result Run(Connection& conn, const Request& request);
    // A title's price of one copy: the member's price for a member, else the walk-in price;
    // a title without a sale price is sold at 0 to everyone, a member's price not set is 0.
    static Money PricePerCopy(Connection& conn, const QString& cdid, bool member);
};
