#pragma once
#include <QDateTime>
#include <QString>
#include <vector>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"

class Recordset;

// What the return page's detail panel tells of one open rental line: the rent due up to
// now and which copies are back and which are still out.
struct RentalDetail {
    std::vector<int> returned;  // in the order of the return rows and of each list
    std::vector<int> out;       // in the order of borrowlst
    Money rentDue;

    // The current row of the open-rentals list; now ends the rent of the copies still out.
    // Copies back before now pay the walk-in rent up to their return, the rest the
    // customer's own rent up to now; "每次" lines pay each lent copy once.
    static RentalDetail Of(Connection& conn, const Recordset& row, const QDateTime& now);
};
