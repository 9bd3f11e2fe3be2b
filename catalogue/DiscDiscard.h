#pragma once
#include <QString>

#include "platform/db/Connection.h"

// Removing titles for good, with their rental and return history (their sale lines stay
// for the reports). A title with copies out or lines in an open basket (TitleUsage) is
// never removed. Each removal runs in one transaction, the check with it; the windows
// showing the titles read them again afterwards.
class DiscDiscard {
  public:
    // Removes the title with the stored id cdid. False, with nothing removed, when the
    // title is in use.
    static bool Discard(Connection& conn, const QString& cdid);

    // Removes every stored bad title (isabandon) that is not in use, whatever the
    // catalogue shows; returns how many bad titles were kept because they are in use.
    static int ClearBadDiscs(Connection& conn);
};
