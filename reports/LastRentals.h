#pragma once
#include <QSet>
#include <QString>

#include "platform/db/Value.h"

class Connection;

// The time of a customer's last rental, by the value of the rental dates. The customer
// report takes each customer's largest stored date text, which is the last rental while
// every date is written in the program's own form; these are the customers for whom it may
// not be: one who has a rental dated in another form ("2024-3-1 9:05:00" sorts after
// "2024-12-01 ..."), or whose largest text is no date at all. Their dates are read again and
// the latest taken by its value. A customer key reads as its column compares it: the case
// of its letters aside, and Null as the empty key.
class LastRentals {
  public:
    // Notes the customers who have a rental dated in another form; the lines of the basket
    // still open at the counter are no rental yet. DbError when a statement fails.
    static LastRentals Read(Connection& conn);

    // The last rental of the customer whose largest stored date text is largest: that text,
    // or the latest date by its value; the text itself when none of the customer's dates is
    // a date. DbError when a statement fails.
    Value Of(Connection& conn, const Value& customer, const Value& largest) const;

  private:
    QSet<QString> oddCustomers_;
};
