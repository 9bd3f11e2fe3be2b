#pragma once
#include <QString>

#include "platform/db/Connection.h"

// Titles that must keep their rows: a title with copies still out (a rental line not all
// returned) or with lines in the open rental or sale basket. Deleting such a title would
// leave those rentals and the basket without their title, so deleting a classification,
// discarding a title and clearing the bad discs all ask here first.
class TitleUsage {
  public:
    // An SQL condition on a row of cdinfo (the table named cdinfo, without an alias) that
    // is true when the title has such lines. It binds no parameter: the open baskets are
    // read from the file (OpenBaskets).
    static QString OpenLinesCondition();

    // How many titles of cdinfo matching where (a condition on cdinfo, with its own
    // parameters, "" for every title) have such lines.
    static int CountWithOpenLines(const QString& where, const Params& params = {});
    static bool HasOpenLines(const QString& where, const Params& params = {});
    static bool TitleHasOpenLines(const QString& cdid);
};
