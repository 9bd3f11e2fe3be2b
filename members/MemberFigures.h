#pragma once
#include <QString>

#include "platform/db/Connection.h"

// How many rental (or sale) lines a customer key has and what they brought in: the
// figures of the member page's account panel and of the member information window. The
// lines of the basket still open at the counter are no rental or sale yet and are not
// counted; the yearly fold's counters are not added in.
class MemberFigures {
  public:
    struct Lines {
        qint64 count = 0;
        double money = 0;  // a line without an amount counts 0
    };

    static Lines Rentals(Connection& conn, const QString& userId);
    static Lines Sales(Connection& conn, const QString& userId);
    // "3次"
    static QString CountText(qint64 count);
};
