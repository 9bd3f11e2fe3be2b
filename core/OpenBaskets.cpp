#include "core/OpenBaskets.h"

#include "core/mdlMain.h"

namespace {
// %1 the row tested, %2 the parameter of the basket's number. With no basket open (Null) the
// condition holds at once, without a look at the line; else the basket's few lines are
// found through the index of the line numbers.
const char* const kNotInRentalBasket =
    "(?%2 is null or %1.rowid not in "
    "(select rowid from borrowinfo where substr(borrowid, -4) = ?%2))";
const char* const kNotInSaleBasket =
    "(?%2 is null or %1.rowid not in "
    "(select rowid from sellinfo where substr(sellid, -4) = ?%2))";

Value NumberOf(const Basket& basket) {
    return basket.Open ? Value(basket.No) : Null;
}
}  // namespace

QString OpenBaskets::NotInRentalBasket(const QString& line, int param) {
    return QString::fromUtf8(kNotInRentalBasket).arg(line).arg(param);
}

QString OpenBaskets::NotInSaleBasket(const QString& line, int param) {
    return QString::fromUtf8(kNotInSaleBasket).arg(line).arg(param);
}

Value OpenBaskets::RentalNo() {
    return NumberOf(gBorrowBasket);
}

Value OpenBaskets::SaleNo() {
    return NumberOf(gSellBasket);
}
