#include "counter/RentalLineRemoval.h"

#include "core/OpenBasketRow.h"
#include "counter/BasketLines.h"
#include "counter/DepositDue.h"
#include "counter/LentState.h"
#include "platform/db/Connection.h"

RentalLineRemoval::Result RentalLineRemoval::Run(Connection& conn, const Basket& basket,
                                                 const QString& borrowid) {
    Result result;
    Transaction t(conn);
    const std::optional<BasketLines::Line> line = BasketLines::Rental.Of(conn, borrowid);
    if (!line) return result;
    result.copies = line->copies;
    result.deposit = line->amount;
    LentState::LineGoes(conn, borrowid);
    result.removed = BasketLines::Rental.Remove(conn, borrowid);
    result.basketEmpty = BasketLines::Rental.OfBasket(conn, basket.No).empty();
    if (result.basketEmpty)
        OpenBasketRow::Close(conn, OpenBasketRow::Rental, basket.No);
    else
        DepositDue::SpreadFixedSum(conn, basket);
    t.Commit();
    return result;
}
