#pragma once
#include <QString>
#include <vector>

#include "platform/db/Connection.h"

// Which copies of a title are on the shelf: 1..count, minus the copies still out on
// rental lines and minus the copies sold.
struct ShelfCopies {
    std::vector<int> Copies;  // in rising order
    Value OutDate;            // borrowdate of the first rental line found out; Null if none
    // The title is marked lent but no rental line of it is out (the counter then shows
    // it as "未借出").
    bool NothingOut = false;

    // station and issell as the title's row holds them.
    static ShelfCopies Of(Connection& conn, const QString& cdid, int count, const QString& station,
                          int issell);
};
