#pragma once
#include <QString>

class Connection;

// Rolling an unsettled basket back, in one transaction: its lines are deleted and each
// title's state follows the lines that stay (a rental's titles as LentState says, a sale's
// as SaleState says), and the basket is no longer stored as open (OpenBasketRow). Raises
// DbError and changes nothing when any statement fails.
class BasketRollback {
  public:
    enum Kind { Rental, Sale };
    static void Run(Connection& conn, Kind kind, const QString& basketNo);
};
