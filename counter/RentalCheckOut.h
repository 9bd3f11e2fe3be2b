#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "core/Basket.h"

class Connection;

// The confirmation of the rental check-out dialog, in one transaction: the title's line of
// the open rental basket is written (new, extended, or rewritten after a line edit), the
// title is marked lent, and what the copies add to the basket is returned. A new basket
// takes the lowest free rental number. Raises DbError and writes nothing when the database
// refuses; the caller's basket is changed only from the result.
class RentalCheckOut {
  public:
    struct Request {
        Basket basket;     // the rental basket as it stands
        int userType = 0;  // kMemberUser or kWalkInUser: for a new basket only
        QString userName;  // the customer key: for a new basket only
        QString cdid;
        std::vector<int> copies;  // the copies checked, in the list's order
        int offered = 0;          // the copies the dialog listed
        QString remark;
        QDateTime now;
        bool rewritesLine = false;  // confirms an edit of the title's line
    };
    enum class Outcome { Written, NumbersUsedUp, NoCopies };
    struct Result {
        Outcome outcome = Outcome::NoCopies;
        Basket basket;  // the basket afterwards (its totals grown by the copies)
        QString borrowid;
        bool newLine = false;
        double deposit = 0;  // what the copies add to the basket's deposit
    };

    static Result Run(Connection& conn, const Request& request);

  private:
    static void MarkTitleLent(Connection& conn, const Request& request, bool newRental);
};
