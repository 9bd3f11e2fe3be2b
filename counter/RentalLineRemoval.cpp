#include "counter/RentalLineRemoval.h"

#include "counter/BasketLines.h"
#include "counter/DepositDue.h"
#include "counter/LentState.h"
#include "platform/db/Connection.h"

namespace {
constexpr int kCdidLength = 12;
}  // namespace

RentalLineRemoval::Result RentalLineRemoval::Run(Connection& conn, const Basket& basket,
                                                 const QString& borrowid) {
    Result result;
    Transaction t(conn);
    const std::optional<int> copies = BasketLines::Rental.Copies(conn, borrowid);
    if (!copies) return result;
    result.copies = *copies;
    result.deposit = DepositDue::Read(conn, basket.UserName)
                         .OfCopies(conn, borrowid.left(kCdidLength), result.copies);
    LentState::LineGoes(conn, borrowid);
    result.removed = BasketLines::Rental.Remove(conn, borrowid);
    result.basketEmpty = BasketLines::Rental.BasketEmpty(conn, basket.No);
    t.Commit();
    return result;
}
