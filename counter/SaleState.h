#pragma once
#include <QString>

class Connection;

// What a title's sale state (issell) is, from its sale lines as they stand: 0 when no copy
// is sold, 2 when every copy is, 1 when some are. The counter lists a title while its state
// is below 2, so a title with copies out on rental stays listed however many of the others
// were sold. Runs in the caller's transaction, after the lines are written or deleted.
//
// Copies of a sale line removed, edited away or rolled back before its basket is settled
// come back to the shelf: a title marked "全部借出" (every copy not sold was out) then has
// copies on the shelf again beside those out, and is "借出部分", so that the counter offers
// them.
class SaleState {
  public:
    static void Follow(Connection& conn, const QString& cdid);
    // The title of a sale line that gave copies back to the shelf (deleted, or edited down):
    // its rental state, now that copies are on the shelf. Run with Follow.
    static void CopiesBack(Connection& conn, const QString& cdid);
    // Every title of the sale basket numbered basketNo, as if its lines were gone: run
    // before they are deleted.
    static void BasketGoes(Connection& conn, const QString& basketNo);
};
