#include "catalogue/CatalogueTitleWrite.h"

#include "catalogue/DiscIdAllocator.h"
#include "catalogue/TitleUsage.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kNotLent = "未借出";

// Binds the stored cdid as ?1.
QString TitleInUse() {
    return QStringLiteral("select 1 from cdinfo where cdid = ?1 and ") +
           TitleUsage::OpenLinesCondition();
}

// A field keeps its edit state when the value does not change.
void SetIfChanged(Recordset& row, const char* field, const Value& value) {
    if (row[field].ToString() != value.ToString()) row.Fields(field) = value;
}
}  // namespace

bool CatalogueTitleWrite::StoredIdInUse(const QString& stored) {
    if (stored.isEmpty()) return false;
    return !conn_.Scalar(TitleInUse(), {stored}).IsNull();
}

void CatalogueTitleWrite::SetFields(const Fields& fields, const QString& newId) {
    if (!newId.isEmpty()) row_.Fields("cdid") = newId;
    if (row_["station"].IsNull()) row_.Fields("station") = QString::fromUtf8(kNotLent);
    SetIfChanged(row_, "borrowprice", fields.borrowPrice.ToStored());
    SetIfChanged(row_, "sellprice", fields.sellPrice.ToStored());
    SetIfChanged(row_, "memberborrowprice", fields.memberBorrowPrice.ToStored());
    SetIfChanged(row_, "membersellprice", fields.memberSellPrice.ToStored());
    // What a copy cost is what the purchase-amount deposit rule asks for it; a title saved
    // with its price as stored keeps its buymoney (GetBuyMoney reads a Null one as price).
    // Against the stored price, not the row's: leaving the price box or its grid cell has
    // written the new price into the row already.
    const Value price(fields.price.ToStored());
    if (row_.Fields("price").OriginalValue().ToString() != price.ToString())
        row_.Fields("buymoney") = price;
    SetIfChanged(row_, "price", price);
    SetIfChanged(row_, "restcount", fields.copies);
    SetIfChanged(row_, "count", fields.copies);
    SetIfChanged(row_, "buydate", fields.buyDate);
    SetIfChanged(row_, "movietype", fields.movieType);
    SetIfChanged(row_, "type", fields.type);
}

CatalogueTitleWrite::Result CatalogueTitleWrite::Run(const Request& request) {
    Result result;
    const QString stored = row_.Fields("cdid").OriginalValue().ToString();
    Transaction t(conn_);
    QString newId;
    if (request.needsNewId) {
        // Its open rentals and basket lines carry the stored id: they would lose their title.
        if (StoredIdInUse(stored)) {
            result.outcome = Outcome::InUse;
            return result;
        }
        DiscIdAllocator allocator(conn_);
        const auto next = allocator.Next(request.typeCode, request.movieTypeCode);
        if (!next) {
            result.outcome = Outcome::NoIdLeft;
            result.refusal = allocator.Refusal();
            return result;
        }
        newId = *next;
    }
    // The transaction is declared first: the row is put back before it rolls back.
    Recordset::RowAttempt attempt(row_);
    SetFields(request.fields, newId);
    row_.UpdateBatch(adAffectAll);
    t.Commit();
    attempt.Keep();
    result.cdid = row_["cdid"].ToString();
    return result;
}
