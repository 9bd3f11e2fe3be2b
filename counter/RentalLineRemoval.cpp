#include "counter/RentalLineRemoval.h"

#include "counter/DepositDue.h"
#include "counter/LentState.h"
#include "platform/db/Connection.h"

namespace {
// Null when the line is not there.
const char* const kLineCopies =
    "select coalesce(borrowcount,0) from borrowinfo where borrowid = ?1";
const char* const kDeleteLine = "delete from borrowinfo where borrowid = ?1";
const char* const kLinesOfBasket = "select count(*) from borrowinfo where substr(borrowid,-4) = ?1";
constexpr int kCdidLength = 12;
}  // namespace

RentalLineRemoval::Result RentalLineRemoval::Run(Connection& conn, const Basket& basket,
                                                 const QString& borrowid) {
    Result result;
    Transaction t(conn);
    const Value copies = conn.Scalar(kLineCopies, {borrowid});
    if (copies.IsNull()) return result;
    result.copies = static_cast<int>(copies.ToInt());
    result.deposit = DepositDue::Read(conn, basket.UserName)
                         .OfCopies(conn, borrowid.left(kCdidLength), result.copies);
    LentState::LineGoes(conn, borrowid);
    result.removed = conn.Execute(kDeleteLine, {borrowid}) > 0;
    result.basketEmpty = conn.Scalar(kLinesOfBasket, {basket.No}).ToInt() == 0;
    t.Commit();
    return result;
}
