#pragma once
#include <QString>

// The lines of the baskets still open at the counter. A check-out writes its line, with
// the deposit share or the sale money it will bring, as soon as it is confirmed; but the
// line is no rental or sale yet: it can still be removed, and closing the program rolls
// the basket back. Only the settlement makes its money change hands. Whatever counts
// rentals or sales, or adds up their money, leaves these lines out, always with the
// conditions below, so that every figure draws the line at the same place.
//
// Which baskets are open is read from the file in the same statement (their rows in the
// table openbasket, OpenBasketRow), never from the program's memory: a basket a crash left
// open is left out too, until start-up rolls it back. A condition names the row it tests
// (the name of a borrowinfo or sellinfo row in the statement) and binds no parameter. With
// no basket of the kind open it holds at once, without a look at the line; else the open
// baskets' few lines are found through the index of the line numbers, once for the whole
// statement. The lines are left out by their rowid, which every index of the table holds,
// so that a statement counting lines in an index alone still reads only the index.
class OpenBaskets {
  public:
    // "line is no line of an open rental basket".
    static QString NotInRentalBasket(const QString& line);
    // "line is no line of an open sale basket".
    static QString NotInSaleBasket(const QString& line);
    // "the number (an expression of 4 characters) is the number of an open rental basket",
    // and the same for sale baskets.
    static QString IsOpenRentalNo(const QString& number);
    static QString IsOpenSaleNo(const QString& number);
};
