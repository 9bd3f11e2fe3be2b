#include "counter/BasketLines.h"

#include "core/CopyList.h"
#include "platform/db/Connection.h"

namespace {
namespace rental {
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
// Null when the line is not there.
const char* const kLineCopies =
    "select coalesce(borrowcount,0) from borrowinfo where borrowid = ?1";
const char* const kDeleteLine = "delete from borrowinfo where borrowid = ?1";
const char* const kLinesOfBasket = "select count(*) from borrowinfo where substr(borrowid,-4) = ?1";
}  // namespace rental

namespace sale {
const char* const kLineExists = "select 1 from sellinfo where sellid = ?1";
const char* const kInsertLine =
    "insert into Sellinfo(Sellid, name, Selldate, Sellcount, Selllst, remark) "
    "values (?1, ?2, ?3, ?4, ?5, ?6)";
const char* const kExtendLine =
    "update Sellinfo set Sellcount = Sellcount + ?2, Selllst = Selllst || ?3 where Sellid = ?1";
// After a line edit the line holds exactly the copies confirmed, each once.
const char* const kRewriteLine =
    "update Sellinfo set Sellcount = ?2, Selllst = ?3 where Sellid = ?1";
// Null when the line is not there.
const char* const kLineCopies = "select coalesce(sellcount,0) from sellinfo where sellid = ?1";
const char* const kDeleteLine = "delete from sellinfo where sellid = ?1";
const char* const kLinesOfBasket = "select count(*) from sellinfo where substr(sellid,-4) = ?1";
}  // namespace sale
}  // namespace

const BasketLines BasketLines::Rental(RecordNumber::Rental,
                                      {rental::kLineExists, rental::kInsertLine,
                                       rental::kExtendLine, rental::kRewriteLine,
                                       rental::kLineCopies, rental::kDeleteLine,
                                       rental::kLinesOfBasket});
const BasketLines BasketLines::Sale(RecordNumber::Sale,
                                    {sale::kLineExists, sale::kInsertLine, sale::kExtendLine,
                                     sale::kRewriteLine, sale::kLineCopies, sale::kDeleteLine,
                                     sale::kLinesOfBasket});

std::optional<Basket> BasketLines::Numbered(Connection& conn, Basket basket, int userType,
                                            const QString& userName) const {
    if (basket.Open) return basket;
    const std::optional<QString> number = RecordNumber::Lowest(conn, numbers_);
    if (!number) return std::nullopt;
    basket.No = *number;
    basket.UserType = userType;
    basket.UserName = userName;
    return basket;
}

bool BasketLines::Write(Connection& conn, const QString& lineId, const LineWrite& write) const {
    const QString copies = CopyList::Of(write.copies);
    const int count = static_cast<int>(write.copies.size());
    if (conn.Scalar(sql_.exists, {lineId}).IsNull()) {
        const QString remark = write.remark.isEmpty() ? QStringLiteral(" ") : write.remark;
        conn.Execute(sql_.insert, {lineId, write.customer,
                                   write.now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), count,
                                   copies, remark});
        return true;
    }
    conn.Execute(write.rewritesLine ? sql_.rewrite : sql_.extend, {lineId, count, copies});
    return false;
}

std::optional<int> BasketLines::Copies(Connection& conn, const QString& lineId) const {
    const Value copies = conn.Scalar(sql_.copies, {lineId});
    if (copies.IsNull()) return std::nullopt;
    return static_cast<int>(copies.ToInt());
}

bool BasketLines::Remove(Connection& conn, const QString& lineId) const {
    return conn.Execute(sql_.remove, {lineId}) > 0;
}

bool BasketLines::BasketEmpty(Connection& conn, const QString& basketNo) const {
    return conn.Scalar(sql_.ofBasket, {basketNo}).ToInt() == 0;
}
