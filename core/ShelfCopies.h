#pragma once
#include <QString>
#include <optional>
#include <vector>

#include "platform/db/Connection.h"

// Which copies of a title are on the shelf: 1..count, minus the copies still out on
// rental lines and minus the copies sold. The one place this is worked out.
//
// A copy is out when a rental line of the title that is not wholly returned lists it and
// none of that line's own return rows does; a line whose returned total reaches its
// borrowcount takes nothing off, whatever its lists say. Every such line counts, those
// with nothing returned as well as those partly returned, so no copy that is out is
// offered again. A copy is sold when a sale line of the title lists it.
//
// The copies out and sold are read from the lines themselves, those of a basket still open
// at the counter too, never from the title's own marks (station, issell): a title marked
// "未借出" or unsold by another program still has its copies out or sold kept off the shelf,
// so that none is lent or sold twice.
struct ShelfCopies {
    std::vector<int> Copies;  // in rising order
    // borrowdate of the first partly returned line, else of the first line with nothing
    // returned (lines in rental-number order); Null when there is neither.
    Value OutDate;
    // None of the title's rental lines is still out (the counter then shows it as "未借出",
    // whatever it is marked).
    bool NothingOut = false;

    // The title's copies 1..count; a count below 1 lists no copy.
    static ShelfCopies Of(Connection& conn, const QString& cdid, int count);
    // The same, from the title's row as it stands; nothing when the title is not there.
    static std::optional<ShelfCopies> OfTitle(Connection& conn, const QString& cdid);
};
