#include "counter/RentalCheckOut.h"

#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/DepositDue.h"
#include "platform/db/Connection.h"

namespace {
// Rental lines of the title with some copies returned and some still out.
const char* const kPartlyReturnedLine =
    "select 1 from borrowinfo as a, "
    "(select substr(returnid,1,16) as borrowid, sum(returncount) as returncount from returninfo "
    " where substr(returnid,1,12) = ?1 group by substr(returnid,1,16)) as b "
    "where a.borrowid = b.borrowid and b.returncount < a.borrowcount "
    "and substr(a.borrowid,1,12) = ?1 limit 1";
const char* const kMarkTitleLent =
    "update cdinfo set station = ?2, outcount = coalesce(outcount,0) + ?3 where cdid = ?1";

const char* const kAllLent = "全部借出";
const char* const kSomeLent = "借出部分";
}  // namespace

RentalCheckOut::Result RentalCheckOut::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.copies.empty()) return result;
    const bool newBasket = !request.basket.Open;
    Transaction t(conn);
    const std::optional<Basket> numbered =
        BasketLines::Rental.Numbered(conn, request.basket, request.userType, request.userName);
    if (!numbered) {
        result.outcome = Outcome::NumbersUsedUp;
        return result;
    }
    Basket basket = *numbered;
    result.borrowid = request.cdid + basket.No;
    result.newLine = BasketLines::Rental.Write(
        conn, result.borrowid,
        {basket.UserName, request.copies, request.remark, request.now, request.rewritesLine});
    MarkTitleLent(conn, request, !request.rewritesLine || result.newLine);

    const DepositDue due = DepositDue::Read(conn, basket.UserName);
    const int count = static_cast<int>(request.copies.size());
    result.deposit = due.OfCopies(conn, request.cdid, count) + (newBasket ? due.OfNewBasket() : 0);
    t.Commit();

    basket.Open = true;
    basket.CountSum += count;
    result.basket = basket;
    result.outcome = Outcome::Written;
    return result;
}

// Every listed copy going out, with no partly returned rental of the title, lends the title
// wholly; a line edit does not count as another rental of it.
void RentalCheckOut::MarkTitleLent(Connection& conn, const Request& request, bool newRental) {
    const bool everyCopy = static_cast<int>(request.copies.size()) == request.offered &&
                           conn.Scalar(kPartlyReturnedLine, {request.cdid}).IsNull();
    conn.Execute(kMarkTitleLent,
                 {request.cdid, QString(everyCopy ? kAllLent : kSomeLent), newRental ? 1 : 0});
}
