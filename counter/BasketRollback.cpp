#include "counter/BasketRollback.h"

#include "counter/LentState.h"
#include "platform/db/Connection.h"

namespace {
const char* const kDeleteBorrowBasket = "delete from borrowinfo where substr(borrowid,-4) = ?1";

// A sale basket: each title is on sale again, wholly or in part.
const char* const kSellBasketAllCopiesBack =
    "update cdinfo set issell = 0 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and substr(b.sellid,-4) = ?1 "
    "and b.sellcount = cdinfo.count";
const char* const kSellBasketSomeCopiesBack =
    "update cdinfo set issell = 1 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and substr(b.sellid,-4) = ?1 "
    "and (cdinfo.count - b.sellcount) > 0";
const char* const kDeleteSellBasket = "delete from sellinfo where substr(sellid,-4) = ?1";
}  // namespace

void BasketRollback::Run(Connection& conn, Kind kind, const QString& basketNo) {
    Transaction t(conn);
    if (kind == Rental) {
        LentState::BasketGoes(conn, basketNo);
        conn.Execute(kDeleteBorrowBasket, {basketNo});
    } else {
        conn.Execute(kSellBasketAllCopiesBack, {basketNo});
        conn.Execute(kSellBasketSomeCopiesBack, {basketNo});
        conn.Execute(kDeleteSellBasket, {basketNo});
    }
    t.Commit();
}
