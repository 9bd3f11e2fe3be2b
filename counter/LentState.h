#pragma once
#include <QString>

class Connection;

// What a title's rental state becomes when rental lines of an unsettled basket go: each
// title they held drops one rental, and is "借出部分" when another rental line of it still
// has copies out (a line not wholly returned), else "未借出". Run before the lines are
// deleted, in the caller's transaction.
class LentState {
  public:
    // One line goes (a line removed from the open basket).
    static void LineGoes(Connection& conn, const QString& borrowid);
    // Every line of the basket numbered basketNo goes (the basket rolled back).
    static void BasketGoes(Connection& conn, const QString& basketNo);
};
