#pragma once
#include <QString>

#include "platform/db/Value.h"

// The lines of the baskets still open at the counter. A check-out writes its line, with
// the deposit share or the sale money it will bring, as soon as it is confirmed; but the
// line is no rental or sale yet: it can still be removed, and closing the program rolls
// the basket back. Only the settlement makes its money change hands. Whatever counts
// rentals or sales, or adds up their money, leaves these lines out, always with the
// conditions below, so that every figure draws the line at the same place.
//
// A condition names the row it tests (the name of a borrowinfo or sellinfo row in the
// statement) and the parameter the statement binds the basket's number at: RentalNo() or
// SaleNo(), which are Null while no basket of the kind is open: then nothing is left out
// (where "number <> ?" would leave every line out, nothing being unequal to Null). The
// lines are left out by their rowid, which every index of the table holds, so that a
// statement counting lines in an index alone still reads only the index.
class OpenBaskets {
  public:
    // "line is no line of the open rental basket", its number bound at ?param.
    static QString NotInRentalBasket(const QString& line, int param);
    // "line is no line of the open sale basket", its number bound at ?param.
    static QString NotInSaleBasket(const QString& line, int param);

    // The number of the open basket (the last four characters of each of its line ids);
    // Null when none is open.
    static Value RentalNo();
    static Value SaleNo();
};
