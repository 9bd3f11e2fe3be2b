#include "counter/BasketRollback.h"

#include "core/OpenBasketRow.h"
#include "counter/LentState.h"
#include "counter/SaleState.h"
#include "platform/db/Connection.h"

namespace {
const char* const kDeleteBorrowBasket = "delete from borrowinfo where substr(borrowid,-4) = ?1";
const char* const kDeleteSellBasket = "delete from sellinfo where substr(sellid,-4) = ?1";
}  // namespace

void BasketRollback::Run(Connection& conn, Kind kind, const QString& basketNo) {
    Transaction t(conn);
    if (kind == Rental) {
        LentState::BasketGoes(conn, basketNo);
        conn.Execute(kDeleteBorrowBasket, {basketNo});
        OpenBasketRow::Close(conn, OpenBasketRow::Rental, basketNo);
    } else {
        SaleState::BasketGoes(conn, basketNo);
        conn.Execute(kDeleteSellBasket, {basketNo});
        OpenBasketRow::Close(conn, OpenBasketRow::Sale, basketNo);
    }
    t.Commit();
}
