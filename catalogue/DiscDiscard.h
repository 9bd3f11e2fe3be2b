#pragma once
#include <QString>

#include "platform/db/Connection.h"

class Recordset;

// Removing titles for good, with their rental and return history (their sale lines stay
// for the reports). A title with copies out or lines in an open basket (TitleUsage) is never removed. Each removal runs in
// one transaction.
class DiscDiscard {
public:
    // Removes the current title of the catalogue recordset, which lands on the next row.
    // Its pending edits go with it. False, with nothing removed, when the title is in use.
    static bool DiscardCurrent(Connection& conn, Recordset& catalogue);

    // Removes every stored bad title (isabandon) that is not in use, whatever the
    // catalogue shows; returns how many bad titles were kept because they are in use.
    static int ClearBadDiscs(Connection& conn);
};
