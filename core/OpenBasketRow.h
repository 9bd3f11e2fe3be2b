#pragma once
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "platform/text/Money.h"

struct Basket;
class Connection;

// A basket open at the counter as the file stores it: one row of the program's table
// openbasket (support/schema.sql). Which basket is open is this row, not the program's
// memory: it is written in the transaction that writes the basket's first line and deleted
// in the one that settles the basket, rolls it back or removes its last line, so a basket
// that a crash left open is found at the next start. The row keeps what the basket was
// opened with: the customer, whether a member, and for a rental the deposit terms.
// Every function runs in the caller's transaction.
struct OpenBasketRow {
    enum Kind { Rental, Sale };

    Kind kind = Rental;
    QString no;        // 4 digits: the last four characters of its lines' ids
    QString customer;  // the customer key
    int userType = 0;  // kMemberUser or kWalkInUser, as the operator chose it
    bool member = false;
    // Rentals: the deposit rule and its amounts for walk-in customers and for members, as
    // ForeGift held them when the basket opened (-1 and 0 for a sale).
    int depositRule = -1;
    Money walkInDeposit;
    Money memberDeposit;

    // The row of a basket that opens now: a row left with the same number (its lines gone
    // from outside) is replaced.
    void Open(Connection& conn) const;
    // The row of a basket already open stays as stored; only a row gone missing is put back
    // (from this one), so that no line of the basket is written without it.
    void Keep(Connection& conn) const;
    // A check-out's row: Open when the basket opens with this check-out, else Keep; then the
    // basket in memory as the row now stands (Into).
    void Store(Connection& conn, bool opens, Basket& basket) const;
    // The basket is settled, rolled back or empty: its row goes.
    static void Close(Connection& conn, Kind kind, const QString& no);

    static std::optional<OpenBasketRow> Of(Connection& conn, Kind kind, const QString& no);
    // Every basket open, rentals first, each kind by number.
    static std::vector<OpenBasketRow> All(Connection& conn);
    // The numbers of the baskets of the kind open, in order.
    static QStringList Numbers(Connection& conn, Kind kind);
    // Whether the line (a borrowid or sellid) belongs to a basket still open.
    static bool HoldsLine(Connection& conn, Kind kind, const QString& lineId);

    // The basket as the counter keeps it in memory, from this row: number, customer, kind,
    // whether a member, the deposit rule and the amount of the customer's kind it asks (a
    // copy's under the per-copy rule, the one sum under the fixed-sum rule).
    void Into(Basket& basket) const;
};
