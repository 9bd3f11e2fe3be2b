#include "returns/RentalDetail.h"

#include "core/CopyList.h"
#include "core/RentDue.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kReturnsOfLine =
    "select returnlst, returndate, returncount from returninfo "
    "where substr(returnid,1,16) = ?1";
const char* const kMemberExists = "select 1 from userinfo where userid = ?1";
}  // namespace

RentalDetail RentalDetail::Of(Connection& conn, const Recordset& row, const QDateTime& now) {
    RentalDetail detail;
    const QString priceType = row["BorrowPriceType"].ToString();
    const Money walkInPrice = Money::FromStored(row["BorrowPrice"].ToDouble());
    const QDateTime borrowDate = row["borrowdate"].ToDateTime();
    const qint64 lent = row["borrowcount"].ToInt();

    QString returnedList;
    Money returnedRent;
    qint64 returnedCount = 0;
    Recordset returns;
    returns.Open(kReturnsOfLine, conn, adLockReadOnly, {row["borrowid"].ToString()});
    for (; !returns.AtEOF(); returns.MoveNext()) {
        const qint64 count = returns.GetValue(2).ToInt();
        returnedList += returns.GetValue(0).ToString();
        if (priceType != QString::fromUtf8(RentDue::kPerRental))
            returnedRent += RentDue::Of(walkInPrice, priceType, count, borrowDate,
                                        returns.GetValue(1).ToDateTime());
        returnedCount += count;
    }

    const bool member = !conn.Scalar(kMemberExists, {row["name"].ToString()}).IsNull();
    const Money price =
        member ? Money::FromStored(row["MemberBorrowPrice"].ToDouble()) : walkInPrice;
    if (priceType == QString::fromUtf8(RentDue::kPerRental))
        detail.rentDue = price.Times(lent);
    else
        detail.rentDue =
            returnedRent + RentDue::Of(price, priceType, lent - returnedCount, borrowDate, now);

    detail.returned = CopyList::Numbers(returnedList);
    detail.out = CopyList::Numbers(CopyList::RemoveAll(row["borrowlst"].ToString(), returnedList));
    return detail;
}
