#pragma once
#include <QString>

class Connection;

// What a title's sale state (issell) is, from its sale lines as they stand: 0 when no copy
// is sold, 2 when every copy is, 1 when some are. The counter lists a title while its state
// is below 2, so a title with copies out on rental stays listed however many of the others
// were sold. Runs in the caller's transaction, after the lines are written or deleted.
class SaleState {
  public:
    static void Follow(Connection& conn, const QString& cdid);
    // Every title of the sale basket numbered basketNo, as if its lines were gone: run
    // before they are deleted.
    static void BasketGoes(Connection& conn, const QString& basketNo);
};
