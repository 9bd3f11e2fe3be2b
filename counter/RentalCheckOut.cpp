#include "counter/RentalCheckOut.h"

#include "core/CopyList.h"
#include "core/RecordNumber.h"
#include "core/mdlMain.h"
#include "counter/DepositDue.h"
#include "platform/db/Connection.h"

namespace {
const char* const kLineExists = "select 1 from borrowinfo where borrowid = ?1";
const char* const kInsertLine =
    "insert into borrowinfo(borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
    "remark, CredenceType) values (?1, ?2, ?3, ?4, ?5, ?5, ?6, '现金')";
const char* const kExtendLine =
    "update borrowinfo set borrowcount = borrowcount + ?2, borrowlst = borrowlst || ?3, "
    "isnotpaylst = borrowlst || ?3 where borrowid = ?1";
// After a line edit the line holds exactly the copies confirmed, each once.
const char* const kRewriteLine =
    "update borrowinfo set borrowcount = ?2, borrowlst = ?3, isnotpaylst = ?3 "
    "where borrowid = ?1";
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
    Basket basket = request.basket;
    const bool newBasket = !basket.Open;
    Transaction t(conn);
    if (newBasket) {
        const std::optional<QString> number = RecordNumber::Lowest(conn, RecordNumber::Rental);
        if (!number) {
            result.outcome = Outcome::NumbersUsedUp;
            return result;
        }
        basket.No = *number;
        basket.UserType = request.userType;
        basket.UserName = request.userName;
    }
    result.borrowid = request.cdid + basket.No;
    const QString remark = request.remark.isEmpty() ? QStringLiteral(" ") : request.remark;
    result.newLine = WriteLine(conn, request, result.borrowid, remark);
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

// True when the line is new.
bool RentalCheckOut::WriteLine(Connection& conn, const Request& request, const QString& borrowid,
                               const QString& remark) {
    const QString copies = CopyList::Of(request.copies);
    const int count = static_cast<int>(request.copies.size());
    if (conn.Scalar(kLineExists, {borrowid}).IsNull()) {
        const QString customer = request.basket.Open ? request.basket.UserName : request.userName;
        conn.Execute(kInsertLine, {borrowid, customer,
                                   request.now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                   count, copies, remark});
        return true;
    }
    conn.Execute(request.rewritesLine ? kRewriteLine : kExtendLine, {borrowid, count, copies});
    return false;
}

// Every listed copy going out, with no partly returned rental of the title, lends the title
// wholly; a line edit does not count as another rental of it.
void RentalCheckOut::MarkTitleLent(Connection& conn, const Request& request, bool newRental) {
    const bool everyCopy = static_cast<int>(request.copies.size()) == request.offered &&
                           conn.Scalar(kPartlyReturnedLine, {request.cdid}).IsNull();
    conn.Execute(kMarkTitleLent,
                 {request.cdid, QString(everyCopy ? kAllLent : kSomeLent), newRental ? 1 : 0});
}
