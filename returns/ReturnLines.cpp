#include "returns/ReturnLines.h"

#include <algorithm>

#include "core/CopyList.h"
#include "core/OpenBaskets.h"
#include "core/RentDue.h"
#include "platform/db/Recordset.h"

namespace {
const char* const kOpenLinesOf =
    "select a.borrowid as borrowid, a.borrowlst as borrowlst, a.isnotpaylst as isnotpaylst, "
    "a.borrowdate as borrowdate, a.borrowcount as borrowcount, a.CredenceType as CredenceType, "
    "a.foregift as foregift, a.Guaranty as Guaranty, a.IsReturnGuaranty as IsReturnGuaranty, "
    "b.id as id, b.name as moviename, b.borrowprice as borrowprice, "
    "b.memberborrowprice as memberborrowprice, b.borrowpricetype as borrowpricetype "
    "from borrowinfo as a, cdinfo as b "
    "where substr(a.borrowid,1,12) = b.cdid and a.name = ?1 and a.isreturnall = 0 and %1 "
    "order by a.borrowdate, a.borrowid";

const char* const kReturnsOfLine =
    "select returnlst, returndate, returncount from returninfo "
    "where substr(returnid,1,16) = ?1 order by returnid";

const char* const kMemberExists = "select 1 from userinfo where userid = ?1";

// Whether a copy list names at least one copy: a list of blanks names none.
bool NamesCopies(const QString& list) {
    return !CopyList::Numbers(list).empty();
}

// The copies of an earlier return, the rent of its unpaid ones up to the return, and how
// many it brought back.
void AddEarlierReturn(ReturnLine& line, const QString& returnList, const QDateTime& returnDate,
                      int returnCount, QString& returnedAll) {
    line.returnedBefore += returnCount;
    returnedAll += returnList;
    for (int copy : CopyList::Numbers(returnList))
        if (line.IsUnpaid(copy))
            line.earlierRent +=
                RentDue::Of(line.price, line.priceType, 1, line.borrowDate, returnDate);
}

void ReadReturns(Connection& conn, ReturnLine& line) {
    Recordset returns;
    returns.Open(kReturnsOfLine, conn, adLockReadOnly, {line.borrowid});
    QString returned;
    for (; !returns.AtEOF(); returns.MoveNext())
        AddEarlierReturn(line, returns.GetValue(0).ToString(), returns.GetValue(1).ToDateTime(),
                         static_cast<int>(returns.GetValue(2).ToInt()), returned);
    line.out = CopyList::Numbers(CopyList::RemoveAll(line.borrowList, returned));
    line.ticked.assign(line.out.size(), true);
}

ReturnLine LineOfRow(const Recordset& rs, bool member) {
    ReturnLine line;
    line.borrowid = rs["borrowid"].ToString();
    line.id = rs["id"].ToString();
    line.movieName = rs["moviename"].ToString();
    line.borrowDate = rs["borrowdate"].ToDateTime();
    line.borrowCount = static_cast<int>(rs["borrowcount"].ToInt());
    line.borrowList = rs["borrowlst"].ToString();
    line.unpaid = rs["isnotpaylst"].ToString();
    line.priceType = rs["borrowpricetype"].ToString();
    line.price =
        Money::FromStored((member ? rs["memberborrowprice"] : rs["borrowprice"]).ToDouble());
    line.credenceType = rs["CredenceType"].ToString();
    line.foregift = Money::FromStored(rs["foregift"].ToDouble());
    line.guaranty = rs["Guaranty"].ToString();
    line.credenceBack = rs["IsReturnGuaranty"].ToBool();
    return line;
}
}  // namespace

// ---- One line ---------------------------------------------------------------------------

QString ReturnLine::PayState() const {
    if (!NamesCopies(unpaid)) return QStringLiteral("已付租金");
    if (CopyList::Numbers(unpaid).size() == CopyList::Numbers(borrowList).size())
        return QStringLiteral("未付租金");
    return QStringLiteral("付部分租金");
}

bool ReturnLine::IsUnpaid(int copy) const {
    return CopyList::Contains(unpaid, copy);
}

Money ReturnLine::CopyRent() const {
    if (priceType == QString::fromUtf8(RentDue::kPerRental)) return price;
    return price.Times(days);
}

std::vector<int> ReturnLine::TickedCopies() const {
    std::vector<int> copies;
    for (std::size_t i = 0; i < out.size(); ++i)
        if (ticked[i]) copies.push_back(out[i]);
    return copies;
}

int ReturnLine::TickedCount() const {
    return static_cast<int>(std::count(ticked.begin(), ticked.end(), true));
}

bool ReturnLine::AllTicked() const {
    return TickedCount() == static_cast<int>(out.size());
}

int ReturnLine::ChargedCount() const {
    if (!payRent) return 0;
    int charged = 0;
    for (int copy : TickedCopies())
        if (IsUnpaid(copy)) ++charged;
    return charged;
}

Money ReturnLine::Rent() const {
    if (!payRent) return Money();
    return earlierRent + CopyRent().Times(ChargedCount());
}

Money ReturnLine::DepositBack() const {
    if (!backCre || credenceBack || credenceType != QStringLiteral("现金")) return Money();
    return foregift;
}

QString ReturnLine::PledgeBack() const {
    if (!backCre || credenceBack || credenceType == QStringLiteral("现金")) return QString();
    return guaranty.trimmed().isEmpty() ? QString() : guaranty;
}

// ---- The lines of one customer ----------------------------------------------------------

void ReturnLines::Load(Connection& conn, const QString& customer, const QDateTime& now) {
    lines_.clear();
    const bool member = !conn.Scalar(kMemberExists, {customer}).IsNull();
    Recordset rs;
    rs.Open(QString::fromUtf8(kOpenLinesOf).arg(OpenBaskets::NotInRentalBasket("a")), conn,
            adLockReadOnly, {customer});
    for (; !rs.AtEOF(); rs.MoveNext()) {
        ReturnLine line = LineOfRow(rs, member);
        line.days = RentDue::Days(line.borrowDate, now);
        ReadReturns(conn, line);
        lines_.push_back(std::move(line));
    }
}

void ReturnLines::SetTicked(int line, int copyIndex, bool ticked) {
    ReturnLine& l = At(line);
    l.ticked.at(static_cast<std::size_t>(copyIndex)) = ticked;
    if (!ticked) {
        l.payRent = false;
        l.backCre = false;
    } else if (l.AllTicked()) {
        l.payRent = true;
        l.backCre = true;
    }
}

void ReturnLines::SetPayRent(int line, bool on) {
    At(line).payRent = on;
}

void ReturnLines::SetBackCre(int line, bool on) {
    At(line).backCre = on;
}

void ReturnLines::Remove(int line) {
    lines_.erase(lines_.begin() + line);
}

Money ReturnLines::RentDue() const {
    Money sum;
    for (const ReturnLine& l : lines_) sum += l.Rent();
    return sum;
}

Money ReturnLines::DepositDue() const {
    Money sum;
    for (const ReturnLine& l : lines_) sum += l.DepositBack();
    return sum;
}

QStringList ReturnLines::Pledges() const {
    QStringList items;
    for (const ReturnLine& l : lines_) {
        const QString pledge = l.PledgeBack();
        if (!pledge.isEmpty() && !items.contains(pledge)) items << pledge;
    }
    return items;
}

int ReturnLines::ReturnedBefore() const {
    int sum = 0;
    for (const ReturnLine& l : lines_) sum += l.returnedBefore;
    return sum;
}

int ReturnLines::StillOut() const {
    int sum = 0;
    for (const ReturnLine& l : lines_) sum += static_cast<int>(l.out.size());
    return sum;
}

int ReturnLines::TickedCount() const {
    int sum = 0;
    for (const ReturnLine& l : lines_) sum += l.TickedCount();
    return sum;
}

int ReturnLines::ChargedCount() const {
    int sum = 0;
    for (const ReturnLine& l : lines_) sum += l.ChargedCount();
    return sum;
}

bool ReturnLines::EveryLineHasACopy() const {
    if (lines_.empty()) return false;
    for (const ReturnLine& l : lines_)
        if (l.TickedCount() == 0) return false;
    return true;
}
