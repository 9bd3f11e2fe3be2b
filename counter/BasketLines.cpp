#include "counter/BasketLines.h"

#include <algorithm>

#include "core/CopyList.h"
#include "core/ShelfCopies.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

namespace {
namespace rental {
const char* const kLineHolds = "select coalesce(foregift,0) from borrowinfo where borrowid = ?1";
const char* const kInsertLine =
    "insert into borrowinfo(borrowid, name, borrowdate, borrowcount, borrowlst, isnotpaylst, "
    "remark, CredenceType, foregift) values (?1, ?2, ?3, ?4, ?5, ?5, ?6, '现金', ?7)";
const char* const kExtendLine =
    "update borrowinfo set borrowcount = borrowcount + ?2, borrowlst = borrowlst || ?3, "
    "isnotpaylst = borrowlst || ?3, foregift = ?4 where borrowid = ?1";
// After a line edit the line holds exactly the copies confirmed, each once.
const char* const kRewriteLine =
    "update borrowinfo set borrowcount = ?2, borrowlst = ?3, isnotpaylst = ?3, foregift = ?4 "
    "where borrowid = ?1";
const char* const kLine =
    "select b.borrowid, c.id, c.name, coalesce(b.borrowcount,0), coalesce(b.borrowlst,''), "
    "coalesce(b.foregift,0) from borrowinfo as b left join cdinfo as c "
    "on c.cdid = substr(b.borrowid,1,12) where b.borrowid = ?1";
const char* const kLinesOfBasket =
    "select b.borrowid, c.id, c.name, coalesce(b.borrowcount,0), coalesce(b.borrowlst,''), "
    "coalesce(b.foregift,0) from borrowinfo as b left join cdinfo as c "
    "on c.cdid = substr(b.borrowid,1,12) where substr(b.borrowid,-4) = ?1 order by b.rowid";
const char* const kSetAmount = "update borrowinfo set foregift = ?2 where borrowid = ?1";
const char* const kDeleteLine = "delete from borrowinfo where borrowid = ?1";
}  // namespace rental

namespace sale {
const char* const kLineHolds = "select coalesce([Money],0) from sellinfo where sellid = ?1";
const char* const kInsertLine =
    "insert into Sellinfo(Sellid, name, Selldate, Sellcount, Selllst, remark, [Money]) "
    "values (?1, ?2, ?3, ?4, ?5, ?6, ?7)";
const char* const kExtendLine =
    "update Sellinfo set Sellcount = Sellcount + ?2, Selllst = Selllst || ?3, "
    "[Money] = ?4 where Sellid = ?1";
// After a line edit the line holds exactly the copies confirmed, each once.
const char* const kRewriteLine =
    "update Sellinfo set Sellcount = ?2, Selllst = ?3, [Money] = ?4 where Sellid = ?1";
const char* const kLine =
    "select s.sellid, c.id, c.name, coalesce(s.sellcount,0), coalesce(s.selllst,''), "
    "coalesce(s.[money],0) from sellinfo as s left join cdinfo as c "
    "on c.cdid = substr(s.sellid,1,12) where s.sellid = ?1";
const char* const kLinesOfBasket =
    "select s.sellid, c.id, c.name, coalesce(s.sellcount,0), coalesce(s.selllst,''), "
    "coalesce(s.[money],0) from sellinfo as s left join cdinfo as c "
    "on c.cdid = substr(s.sellid,1,12) where substr(s.sellid,-4) = ?1 order by s.rowid";
const char* const kSetAmount = "update sellinfo set [Money] = ?2 where sellid = ?1";
const char* const kDeleteLine = "delete from sellinfo where sellid = ?1";
}  // namespace sale

BasketLines::Line LineOfRow(const Statement& row) {
    return {row.Column(0).ToString(), row.Column(1).ToString(),
            row.Column(2).ToString(), static_cast<int>(row.Column(3).ToInt()),
            row.Column(4).ToString(), Money::FromStored(row.Column(5).ToDouble())};
}
}  // namespace

const BasketLines BasketLines::Rental(RecordNumber::Rental,
                                      {rental::kLineHolds, rental::kInsertLine, rental::kExtendLine,
                                       rental::kRewriteLine, rental::kLine, rental::kLinesOfBasket,
                                       rental::kSetAmount, rental::kDeleteLine});
const BasketLines BasketLines::Sale(RecordNumber::Sale,
                                    {sale::kLineHolds, sale::kInsertLine, sale::kExtendLine,
                                     sale::kRewriteLine, sale::kLine, sale::kLinesOfBasket,
                                     sale::kSetAmount, sale::kDeleteLine});

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
    const Value held = conn.Scalar(sql_.holds, {lineId});
    if (held.IsNull()) {
        const QString remark = write.remark.isEmpty() ? QStringLiteral(" ") : write.remark;
        conn.Execute(sql_.insert, {lineId, write.customer,
                                   write.now.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")), count,
                                   copies, remark, write.amount.ToStored()});
        return true;
    }
    if (write.rewritesLine) {
        conn.Execute(sql_.rewrite, {lineId, count, copies, write.amount.ToStored()});
        return false;
    }
    const Money extended = Money::FromStored(held.ToDouble()) + write.amount;
    conn.Execute(sql_.extend, {lineId, count, copies, extended.ToStored()});
    return false;
}

bool BasketLines::Offer::Covers(const std::vector<int>& copies) const {
    return std::all_of(copies.begin(), copies.end(), [this](int copy) {
        return std::find(available.begin(), available.end(), copy) != available.end();
    });
}

BasketLines::Offer BasketLines::OfferFor(Connection& conn, const QString& lineId,
                                         const std::vector<int>& shelf, bool rewritesLine) const {
    Offer offer;
    if (rewritesLine)
        if (const std::optional<Line> line = Of(conn, lineId))
            offer.own = CopyList::Numbers(line->copyList);
    offer.available = shelf;
    offer.available.insert(offer.available.end(), offer.own.begin(), offer.own.end());
    std::sort(offer.available.begin(), offer.available.end());
    return offer;
}

BasketLines::Checked BasketLines::Check(Connection& conn, const Basket& basket, int userType,
                                        const QString& userName, const QString& cdid,
                                        const std::vector<int>& copies, bool rewritesLine) const {
    Checked checked;
    const std::optional<ShelfCopies> shelf = ShelfCopies::OfTitle(conn, cdid);
    if (!shelf) {
        checked.outcome = CheckOutOutcome::TitleGone;
        return checked;
    }
    const std::optional<Basket> numbered = Numbered(conn, basket, userType, userName);
    if (!numbered) {
        checked.outcome = CheckOutOutcome::NumbersUsedUp;
        return checked;
    }
    checked.basket = *numbered;
    checked.lineId = cdid + checked.basket.No;
    checked.offer = OfferFor(conn, checked.lineId, shelf->Copies, rewritesLine);
    if (!checked.offer.Covers(copies)) checked.outcome = CheckOutOutcome::CopiesGone;
    return checked;
}

std::optional<BasketLines::Line> BasketLines::Of(Connection& conn, const QString& lineId) const {
    Statement row(conn, sql_.line);
    row.Bind({lineId});
    if (!row.Step()) return std::nullopt;
    return LineOfRow(row);
}

std::vector<BasketLines::Line> BasketLines::OfBasket(Connection& conn,
                                                     const QString& basketNo) const {
    std::vector<Line> lines;
    Statement rows(conn, sql_.ofBasket);
    rows.Bind({basketNo});
    while (rows.Step()) lines.push_back(LineOfRow(rows));
    return lines;
}

void BasketLines::SetAmount(Connection& conn, const QString& lineId, Money amount) const {
    conn.Execute(sql_.amount, {lineId, amount.ToStored()});
}

bool BasketLines::Remove(Connection& conn, const QString& lineId) const {
    return conn.Execute(sql_.remove, {lineId}) > 0;
}
