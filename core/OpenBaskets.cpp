#include "core/OpenBaskets.h"

namespace {
// %1 the row tested. The unary + keeps the number's text affinity off the comparison, so
// that the lines are found through the index of substr(id,-4).
const char* const kNotInRentalBasket =
    "(not exists (select 1 from openbasket where kind = 'borrow') or %1.rowid not in "
    "(select l.rowid from openbasket as o, borrowinfo as l "
    "where o.kind = 'borrow' and substr(l.borrowid, -4) = +o.basketno))";
const char* const kNotInSaleBasket =
    "(not exists (select 1 from openbasket where kind = 'sell') or %1.rowid not in "
    "(select l.rowid from openbasket as o, sellinfo as l "
    "where o.kind = 'sell' and substr(l.sellid, -4) = +o.basketno))";
// %1 the number tested.
const char* const kIsOpenRentalNo =
    "(%1 in (select basketno from openbasket where kind = 'borrow'))";
const char* const kIsOpenSaleNo = "(%1 in (select basketno from openbasket where kind = 'sell'))";
}  // namespace

QString OpenBaskets::NotInRentalBasket(const QString& line) {
    return QString::fromUtf8(kNotInRentalBasket).arg(line);
}

QString OpenBaskets::NotInSaleBasket(const QString& line) {
    return QString::fromUtf8(kNotInSaleBasket).arg(line);
}

QString OpenBaskets::IsOpenRentalNo(const QString& number) {
    return QString::fromUtf8(kIsOpenRentalNo).arg(number);
}

QString OpenBaskets::IsOpenSaleNo(const QString& number) {
    return QString::fromUtf8(kIsOpenSaleNo).arg(number);
}
