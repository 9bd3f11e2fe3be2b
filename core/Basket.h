#pragma once
#include <QString>

// A basket at the counter: the rental or the sale being put together for one customer,
// written line by line and settled (or rolled back) as a whole.
struct Basket {
    bool Open = false;
    QString No;        // 4 digits: the last four of each of its lines' ids
    int UserType = 0;  // kMemberUser or kWalkInUser
    QString UserName;
    double CountSum = 0;  // copies in the basket
    double MoneySum = 0;  // what the sale comes to (rentals: unused)

    void Clear() { *this = Basket(); }
};
