#include "counter/BasketRollback.h"

#include "platform/db/Connection.h"

namespace {
// A rental basket: each title returns to "未借出" when the basket held all its copies,
// else to "借出部分"; its rental count drops by the basket's line.
const char* const kBorrowBasketAllCopiesBack =
    "update cdinfo set Station = '未借出', outcount = cdinfo.outcount - 1 "
    "from borrowinfo as b "
    "where cdinfo.cdid = substr(b.borrowid,1,12) and substr(b.borrowid,-4) = ?1 "
    "and b.borrowcount = cdinfo.count";
const char* const kBorrowBasketSomeCopiesBack =
    "update cdinfo set Station = '借出部分', outcount = cdinfo.outcount - 1 "
    "from borrowinfo as b "
    "where cdinfo.cdid = substr(b.borrowid,1,12) and substr(b.borrowid,-4) = ?1 "
    "and (cdinfo.count - b.borrowcount) > 0";
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
    const char* const rental[] = {kBorrowBasketAllCopiesBack, kBorrowBasketSomeCopiesBack,
                                  kDeleteBorrowBasket};
    const char* const sale[] = {kSellBasketAllCopiesBack, kSellBasketSomeCopiesBack,
                                kDeleteSellBasket};
    Transaction t(conn);
    for (const char* statement : kind == Rental ? rental : sale)
        conn.Execute(statement, {basketNo});
    t.Commit();
}
