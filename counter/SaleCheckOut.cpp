#include "counter/SaleCheckOut.h"

#include "core/CopyList.h"
#include "core/RecordNumber.h"
#include "platform/db/Connection.h"
#include "platform/text/VbText.h"

namespace {
const char* const kLineExists = "select 1 from sellinfo where sellid = ?1";
const char* const kInsertLine =
    "insert into Sellinfo(Sellid, name, Selldate, Sellcount, Selllst, remark) "
    "values (?1, ?2, ?3, ?4, ?5, ?6)";
const char* const kExtendLine =
    "update Sellinfo set Sellcount = Sellcount + ?2, Selllst = Selllst || ?3 where Sellid = ?1";
// After a line edit the line holds exactly the copies confirmed, each once.
const char* const kRewriteLine =
    "update Sellinfo set Sellcount = ?2, Selllst = ?3 where Sellid = ?1";
const char* const kMarkTitleSold = "update cdinfo set issell = ?2 where cdid = ?1";

constexpr int kSomeSold = 1;
constexpr int kAllSold = 2;
}  // namespace

SaleCheckOut::Result SaleCheckOut::Run(Connection& conn, const Request& request) {
    Result result;
    if (request.copies.empty()) return result;
    Basket basket = request.basket;
    Transaction t(conn);
    if (!basket.Open) {
        const std::optional<QString> number = RecordNumber::Lowest(conn, RecordNumber::Sale);
        if (!number) {
            result.outcome = Outcome::NumbersUsedUp;
            return result;
        }
        basket.No = *number;
        basket.UserType = request.userType;
        basket.UserName = request.userName;
    }
    result.sellid = request.cdid + basket.No;
    const QString remark = request.remark.isEmpty() ? QStringLiteral(" ") : request.remark;
    result.newLine = WriteLine(conn, request, result.sellid, remark);
    const int count = static_cast<int>(request.copies.size());
    conn.Execute(kMarkTitleSold, {request.cdid, count == request.offered ? kAllSold : kSomeSold});
    t.Commit();

    result.money = RoundHalfUp(count * request.pricePerCopy, 2);
    basket.Open = true;
    basket.CountSum += count;
    basket.MoneySum = RoundHalfUp(basket.MoneySum + result.money, 2);
    result.basket = basket;
    result.outcome = Outcome::Written;
    return result;
}

// True when the line is new.
bool SaleCheckOut::WriteLine(Connection& conn, const Request& request, const QString& sellid,
                             const QString& remark) {
    const QString copies = CopyList::Of(request.copies);
    const int count = static_cast<int>(request.copies.size());
    if (conn.Scalar(kLineExists, {sellid}).IsNull()) {
        const QString customer = request.basket.Open ? request.basket.UserName : request.userName;
        conn.Execute(kInsertLine,
                     {sellid, customer, request.now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                      count, copies, remark});
        return true;
    }
    conn.Execute(request.rewritesLine ? kRewriteLine : kExtendLine, {sellid, count, copies});
    return false;
}
