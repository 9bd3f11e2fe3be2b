#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "core/Basket.h"
#include "counter/CheckOutOutcome.h"

class Connection;

// The confirmation of the rental check-out dialog, in one transaction. It first checks what
// it writes against the file as it stands: the title is still there, every copy chosen is
// on the shelf (or, for a line edit, on the line), and a new member's basket has a member.
// Then the title's line of the open rental basket is written (new, extended, or rewritten
// after a line edit) holding the deposit its copies add, and the title is marked lent. A
// new basket takes the lowest free rental number and is stored as open with its first line
// (OpenBasketRow), keeping the customer's kind and the deposit terms of its opening for all
// its lines; the result's basket is the stored one. Raises DbError and writes nothing when
// the database refuses; the caller's basket is changed only from the result.
class RentalCheckOut {
  public:
    struct Request {
        Basket basket;     // the rental basket as it stands
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
        QString borrowid;
        bool newLine = false;
        Money deposit;  // what the line now holds of the basket's deposit
        // The copies that can go on the line as the file stands (the shelf's, and for a line
        // edit the line's own), in rising order; ownCopies the line's.
        std::vector<int> available;
        std::vector<int> ownCopies;
    };

    static Result Run(Connection& conn, const Request& request);

  private:
    static void MarkTitleLent(Connection& conn, const Request& request, bool everyCopy,
                              bool newRental);
};
