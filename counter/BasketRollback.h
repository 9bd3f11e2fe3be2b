#pragma once
#include <QString>

class Connection;

// Rolling an unsettled basket back, in one transaction: its lines are deleted and each
// title returns to what it was before the basket took copies of it (a rental's titles as
// LentState says). Raises DbError and changes nothing when any statement fails.
class BasketRollback {
  public:
    enum Kind { Rental, Sale };
    static void Run(Connection& conn, Kind kind, const QString& basketNo);
};
