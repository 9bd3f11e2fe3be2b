#include "counter/BasketLines.h"

#include <algorithm>

#include "core/CopyList.h"
#include "core/MoneyShares.h"
#include "core/OpenBasketRow.h"
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
    "coalesce(b.foregift,0), coalesce(b.name,'') from borrowinfo as b left join cdinfo as c "
    "on c.cdid = substr(b.borrowid,1,12) where b.borrowid = ?1";
const char* const kLinesOfBasket =
    "select b.borrowid, c.id, c.name, coalesce(b.borrowcount,0), coalesce(b.borrowlst,''), "
    "coalesce(b.foregift,0), coalesce(b.name,'') from borrowinfo as b left join cdinfo as c "
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
    "coalesce(s.[money],0), coalesce(s.name,'') from sellinfo as s left join cdinfo as c "
    "on c.cdid = substr(s.sellid,1,12) where s.sellid = ?1";
const char* const kLinesOfBasket =
    "select s.sellid, c.id, c.name, coalesce(s.sellcount,0), coalesce(s.selllst,''), "
    "coalesce(s.[money],0), coalesce(s.name,'') from sellinfo as s left join cdinfo as c "
    "on c.cdid = substr(s.sellid,1,12) where substr(s.sellid,-4) = ?1 order by s.rowid";
const char* const kSetAmount = "update sellinfo set [Money] = ?2 where sellid = ?1";
const char* const kDeleteLine = "delete from sellinfo where sellid = ?1";
}  // namespace sale

const char* const kNoCopiesLeft = "这一单%1已经没有光盘了，不能结算。";
const char* const kTakenByOthers =
    "这一单%1的编号 %2 已经被别的顾客的%1记录占用（在别处被改动过），没有结算。"
    "请关闭程序后重新打开。";
const char* const kChangedSince =
    "这一单%1的光盘刚在别处被改动过（现在共 %2 张，合计 %3），没有结算。请核对后重新结算。";

BasketLines::Line LineOfRow(const Statement& row) {
    return {row.Column(0).ToString(), row.Column(1).ToString(),
            row.Column(2).ToString(), static_cast<int>(row.Column(3).ToInt()),
            row.Column(4).ToString(), Money::FromStored(row.Column(5).ToDouble()),
            row.Column(6).ToString()};
}
}  // namespace

const BasketLines BasketLines::Rental(RecordNumber::Rental, "出租",
                                      {rental::kLineHolds, rental::kInsertLine, rental::kExtendLine,
                                       rental::kRewriteLine, rental::kLine, rental::kLinesOfBasket,
                                       rental::kSetAmount, rental::kDeleteLine});
const BasketLines BasketLines::Sale(RecordNumber::Sale, "出售",
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
        const Money amount = KeptShare(conn, lineId, write.copies) + write.amount;
        conn.Execute(sql_.rewrite, {lineId, count, copies, amount.ToStored()});
        return false;
    }
    const Money extended = Money::FromStored(held.ToDouble()) + write.amount;
    conn.Execute(sql_.extend, {lineId, count, copies, extended.ToStored()});
    return false;
}

Money BasketLines::KeptShare(Connection& conn, const QString& lineId,
                             const std::vector<int>& copies) const {
    const std::optional<Line> line = Of(conn, lineId);
    if (!line) return Money();
    const std::vector<int> own = CopyList::Numbers(line->copyList);
    const std::vector<Money> shares =
        MoneyShares::Of(line->amount, std::vector<qint64>(own.size(), 1));
    Money kept;
    for (std::size_t i = 0; i < own.size(); ++i)
        if (std::find(copies.begin(), copies.end(), own[i]) != copies.end()) kept += shares[i];
    return kept;
}

int BasketLines::Offer::NewCopies(const std::vector<int>& copies) const {
    return static_cast<int>(std::count_if(copies.begin(), copies.end(), [this](int copy) {
        return std::find(own.begin(), own.end(), copy) == own.end();
    }));
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

BasketLines::ToSettle BasketLines::ForSettlement(Connection& conn, const QString& basketNo,
                                                 const std::optional<Shown>& shown) const {
    ToSettle basket;
    basket.lines = OfBasket(conn, basketNo);
    Money amount;
    for (const Line& line : basket.lines) {
        basket.copies += line.copies;
        amount += line.amount;
    }
    const QString action = QString::fromUtf8(action_);
    if (basket.copies <= 0) {
        basket.refusal = QString::fromUtf8(kNoCopiesLeft).arg(action);
        return basket;
    }
    const OpenBasketRow::Kind kind =
        numbers_ == RecordNumber::Rental ? OpenBasketRow::Rental : OpenBasketRow::Sale;
    const std::optional<OpenBasketRow> row = OpenBasketRow::Of(conn, kind, basketNo);
    basket.customer = row ? row->customer : basket.lines.front().customer;
    const bool others =
        std::any_of(basket.lines.begin(), basket.lines.end(),
                    [&basket](const Line& l) { return l.customer != basket.customer; });
    if (others)
        basket.refusal = QString::fromUtf8(kTakenByOthers).arg(action, basketNo);
    else if (shown && (shown->copies != basket.copies || shown->amount != amount))
        basket.refusal = QString::fromUtf8(kChangedSince)
                             .arg(action, QString::number(basket.copies), amount.Text());
    return basket;
}

void BasketLines::SetAmount(Connection& conn, const QString& lineId, Money amount) const {
    conn.Execute(sql_.amount, {lineId, amount.ToStored()});
}

bool BasketLines::Remove(Connection& conn, const QString& lineId) const {
    return conn.Execute(sql_.remove, {lineId}) > 0;
}
