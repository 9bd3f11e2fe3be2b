#include "counter/RentalCheckOut.h"

#include <algorithm>

#include "core/OpenBasketRow.h"
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
const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";

const char* const kAllLent = "全部借出";
const char* const kSomeLent = "借出部分";
}  // namespace

RentalCheckOut::Result RentalCheckOut::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.copies.empty()) return result;
    Transaction t(conn);
    const BasketLines::Checked checked =
        BasketLines::Rental.Check(conn, request.basket, request.userType, request.userName,
                                  request.cdid, request.copies, request.rewritesLine);
    result.borrowid = checked.lineId;
    result.available = checked.offer.available;
    result.ownCopies = checked.offer.own;
    if (checked.outcome != Outcome::Written) {
        result.outcome = checked.outcome;
        return result;
    }
    Basket basket = checked.basket;

    const DepositDue due = DepositDue::Read(conn);
    if (!request.basket.Open) {
        basket.Member = !conn.Scalar(kMemberById, {basket.UserName}).IsNull();
        if (basket.UserType == kMemberUser && !basket.Member) {
            result.outcome = Outcome::NoMember;
            return result;
        }
        basket.DepositRule = due.Rule();
    }
    // The basket opens with the deposit terms of the moment; the file's row is its truth.
    const OpenBasketRow row{OpenBasketRow::Rental, basket.No,         basket.UserName,
                            basket.UserType,       basket.Member,     basket.DepositRule,
                            due.WalkInAmount(),    due.MemberAmount()};
    row.Store(conn, !request.basket.Open, basket);
    const int count = static_cast<int>(request.copies.size());
    // The basket's terms, not today's, say what the copies new to the line add.
    const Money added =
        DepositDue::OfCopies(conn, request.cdid, checked.offer.NewCopies(request.copies), basket);
    result.newLine = BasketLines::Rental.Write(conn, result.borrowid,
                                               {basket.UserName, request.copies, added,
                                                request.remark, request.now, request.rewritesLine});
    DepositDue::SpreadFixedSum(conn, basket);
    MarkTitleLent(conn, request, count == static_cast<int>(result.available.size()),
                  !request.rewritesLine || result.newLine);
    result.deposit = BasketLines::Rental.Of(conn, result.borrowid)->amount;
    t.Commit();

    basket.Open = true;
    result.basket = basket;
    result.outcome = Outcome::Written;
    return result;
}

// Every copy that could go out going out, with no partly returned rental of the title,
// lends the title wholly; a line edit does not count as another rental of it.
void RentalCheckOut::MarkTitleLent(Connection& conn, const Request& request, bool everyCopy,
                                   bool newRental) {
    const bool wholly = everyCopy && conn.Scalar(kPartlyReturnedLine, {request.cdid}).IsNull();
    conn.Execute(kMarkTitleLent,
                 {request.cdid, QString(wholly ? kAllLent : kSomeLent), newRental ? 1 : 0});
}
