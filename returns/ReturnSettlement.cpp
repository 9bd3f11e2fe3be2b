#include "returns/ReturnSettlement.h"

#include <algorithm>
#include <set>

#include "core/CopyList.h"
#include "core/MoneyShares.h"
#include "core/OpenBasketRow.h"
#include "core/RecordNumber.h"
#include "platform/db/Recordset.h"
#include "platform/text/CharacterLength.h"

namespace {
const char* const kLineOfReturn =
    "select borrowlst, isnotpaylst, isreturnall, CredenceType, Guaranty, [money] "
    "from borrowinfo where borrowid = ?1";
const char* const kReturnListsOfLine =
    "select returnlst from returninfo where substr(returnid,1,16) = ?1";

const char* const kInsertReturn =
    "insert into returninfo (returnid, returndate, returncount, returnlst, remark) "
    "values (?1, ?2, ?3, ?4, ?5)";
// Every copy ever lent of the title is back when its rental lines and its return rows
// count the same copies.
const char* const kEveryCopyBack =
    "select (select coalesce(sum(borrowcount),0) from borrowinfo "
    "        where substr(borrowid,1,12) = ?1) = "
    "       (select coalesce(sum(returncount),0) from returninfo "
    "        where substr(returnid,1,12) = ?1)";
const char* const kSetStation = "update cdinfo set station = ?2 where cdid = ?1";
const char* const kGiveBackDeposit =
    "update borrowinfo set foregift = 0, IsReturnGuaranty = 1 "
    "where CredenceType = '现金' and borrowid = ?1";
// A pledge covers every line of its rental that names the same item.
const char* const kGiveBackPledge =
    "update borrowinfo set IsReturnGuaranty = 1 "
    "where CredenceType = '证件' and Guaranty = ?1 and substr(borrowid,-4) = ?2";
const char* const kTakeRent =
    "update borrowinfo set [money] = ?2, isnotpaylst = ?3 "
    "where borrowid = ?1";
const char* const kCloseLine = "update borrowinfo set isreturnall = 1 where borrowid = ?1";

const char* const kStoredMoney = "select [money] from userinfo where userid = ?1";
const char* const kSetStoredMoney = "update userinfo set [money] = ?2 where userid = ?1";
const char* const kMemberExists = "select 1 from userinfo where userid = ?1";

const char* const kNoCopyChosen = "没有选择归还的光盘！";
const char* const kNumbersUsedUp =
    "归还编号 0001 至 9999 已经全部用完，不能再登记归还。请先做年度数据整理。";
const char* const kLinesChanged =
    "这位顾客的出租记录已经改变（光盘已经归还或记录已被删除），请关闭归还登记后重新打开。";
const char* const kRentWithoutLine =
    "没有选择支付租金的光盘，用户实收租金应为零。请勾选“支付租金”或把实收租金改为 0。";
const char* const kNegativeRent = "用户实收租金不能小于零。";
const char* const kStoredMoneyShort = "会员的储值现在只有 %1，不够支付 %2，没有结算。请重新结算。";
const char* const kMemberGone =
    "会员 %1 已经不在了（会员资料已被删除），不能用会费结算，没有结算。请改用现金结算。";
const char* const kNotYetSettled =
    "出租编号为 %1 的光盘还在柜台没有结算（还没有收押金），请先在出租页面结算，再办理归还。";

// What a line holds in the file now.
struct StoredLine {
    bool found = false;
    bool closed = false;
    QString unpaid;
    QString credenceType;
    QString guaranty;
    Money rentTaken;       // [money]: the rent received for it so far
    std::vector<int> out;  // copies still out, in the order of borrowlst
};

StoredLine ReadLine(Connection& conn, const QString& borrowid) {
    StoredLine line;
    Recordset rs;
    rs.Open(kLineOfReturn, conn, adLockReadOnly, {borrowid});
    if (rs.AtEOF()) return line;
    line.found = true;
    line.closed = rs["isreturnall"].ToInt() != 0;
    line.unpaid = rs["isnotpaylst"].ToString();
    line.credenceType = rs["CredenceType"].ToString();
    line.guaranty = rs["Guaranty"].ToString();
    line.rentTaken = Money::FromStored(rs["money"].ToDouble());
    QString returned;
    Recordset returns;
    returns.Open(kReturnListsOfLine, conn, adLockReadOnly, {borrowid});
    for (; !returns.AtEOF(); returns.MoveNext()) returned += returns.GetValue(0).ToString();
    line.out = CopyList::Numbers(CopyList::RemoveAll(rs["borrowlst"].ToString(), returned));
    return line;
}

bool Covers(const std::vector<int>& out, const std::vector<int>& copies) {
    std::set<int> seen;
    for (int copy : copies) {
        if (!seen.insert(copy).second) return false;
        if (std::find(out.begin(), out.end(), copy) == out.end()) return false;
    }
    return true;
}

std::vector<int> StayingOut(const std::vector<int>& out, const std::vector<int>& back) {
    std::vector<int> staying;
    for (int copy : out)
        if (std::find(back.begin(), back.end(), copy) == back.end()) staying.push_back(copy);
    return staying;
}

// The line's unpaid copies that stay out, in the order of its unpaid list; " " when none.
QString UnpaidStayingOut(const QString& unpaid, const std::vector<int>& staying) {
    QString kept;
    for (int copy : CopyList::Numbers(unpaid))
        if (std::find(staying.begin(), staying.end(), copy) != staying.end() &&
            !CopyList::Contains(kept, copy))
            kept += CopyList::Item(copy);
    return kept.isEmpty() ? QStringLiteral(" ") : kept;
}

Money StoredMoneyOf(Connection& conn, const QString& customer) {
    return Money::FromStored(conn.Scalar(kStoredMoney, {customer}).ToDouble());
}
}  // namespace

QString ReturnSettlement::NextReturnNo(Connection& conn) {
    return RecordNumber::Lowest(conn, RecordNumber::Return).value_or(QString());
}

QString ReturnSettlement::Refusal(Connection& conn, const Request& request, QString* returnNo) {
    if (request.lines.empty()) return QString::fromUtf8(kNoCopyChosen);
    for (const Line& line : request.lines)
        if (line.copies.empty()) return QString::fromUtf8(kNoCopyChosen);
    const QString number = NextReturnNo(conn);
    if (number.isEmpty()) return QString::fromUtf8(kNumbersUsedUp);
    if (returnNo) *returnNo = number;
    if (request.rentReceived < Money()) return QString::fromUtf8(kNegativeRent);
    const bool anyRent = std::any_of(request.lines.begin(), request.lines.end(),
                                     [](const Line& l) { return l.payRent; });
    if (!anyRent && request.rentReceived != Money()) return QString::fromUtf8(kRentWithoutLine);
    const QString lines = LinesRefusal(conn, request);
    return lines.isEmpty() ? StoredMoneyRefusal(conn, request) : lines;
}

Money ReturnSettlement::StoredMoneyAfter(Connection& conn, const Request& request) {
    return StoredMoneyOf(conn, request.customer) - request.fromStoredMoney.value_or(Money()) +
           request.paidIn;
}

// Paying from the stored money never takes it below zero: the money may have changed since
// the payment dialog showed it. Money coming back goes in whatever the balance.
QString ReturnSettlement::StoredMoneyRefusal(Connection& conn, const Request& request) {
    if (!request.fromStoredMoney) return QString();
    // Money paid from, or credited to, a member who has left would be lost.
    if (conn.Scalar(kMemberExists, {request.customer}).IsNull())
        return QString::fromUtf8(kMemberGone).arg(request.customer);
    if (*request.fromStoredMoney <= Money()) return QString();
    if (request.paidIn >= Money() && StoredMoneyAfter(conn, request) >= Money()) return QString();
    const Money stored = StoredMoneyOf(conn, request.customer);
    return QString::fromUtf8(kStoredMoneyShort)
        .arg((stored + std::max(request.paidIn, Money())).Text(), request.fromStoredMoney->Text());
}

QString ReturnSettlement::LinesRefusal(Connection& conn, const Request& request) {
    std::set<QString> seen;
    for (const Line& line : request.lines) {
        if (OpenBasketRow::HoldsLine(conn, OpenBasketRow::Rental, line.borrowid))
            return QString::fromUtf8(kNotYetSettled).arg(line.borrowid.right(4));
        if (!seen.insert(line.borrowid).second) return QString::fromUtf8(kLinesChanged);
        const StoredLine stored = ReadLine(conn, line.borrowid);
        if (!stored.found || stored.closed || !Covers(stored.out, line.copies))
            return QString::fromUtf8(kLinesChanged);
    }
    return QString();
}

std::vector<Money> ReturnSettlement::Shares(const Request& request) {
    std::vector<Money> rents;
    for (const Line& line : request.lines)
        if (line.payRent) rents.push_back(line.rent);
    const std::vector<Money> paying = MoneyShares::Of(request.rentReceived, rents);
    std::vector<Money> shares(request.lines.size());
    std::size_t next = 0;
    for (std::size_t i = 0; i < request.lines.size(); ++i)
        if (request.lines[i].payRent) shares[i] = paying[next++];
    return shares;
}

ReturnSettlement::Outcome ReturnSettlement::Settle(Connection& conn, const Request& request) {
    Outcome outcome;
    Transaction t(conn);
    outcome.refusal = Refusal(conn, request, &outcome.returnNo);
    if (!outcome.refusal.isEmpty()) return outcome;
    const std::vector<Money> shares = Shares(request);
    for (std::size_t i = 0; i < request.lines.size(); ++i)
        SettleLine(conn, request, request.lines[i], shares[i], outcome.returnNo);
    if (request.fromStoredMoney)
        conn.Execute(kSetStoredMoney,
                     {request.customer, StoredMoneyAfter(conn, request).ToStored()});
    t.Commit();
    outcome.done = true;
    return outcome;
}

void ReturnSettlement::SettleLine(Connection& conn, const Request& request, const Line& line,
                                  Money share, const QString& returnNo) {
    const StoredLine stored = ReadLine(conn, line.borrowid);
    const QString remark = request.remark.isEmpty() ? QStringLiteral(" ")
                                                    : LeftCharacters(request.remark, kRemarkLength);
    conn.Execute(kInsertReturn,
                 {line.borrowid + returnNo, Value::FromDateTime(request.now),
                  static_cast<int>(line.copies.size()), CopyList::Of(line.copies), remark});
    const QString cdid = line.borrowid.left(12);
    const bool everyCopyBack = conn.Scalar(kEveryCopyBack, {cdid}).ToBool();
    conn.Execute(kSetStation,
                 {cdid, everyCopyBack ? QStringLiteral("未借出") : QStringLiteral("借出部分")});
    if (line.giveBack) {
        conn.Execute(kGiveBackDeposit, {line.borrowid});
        if (stored.credenceType != QStringLiteral("现金") && !stored.guaranty.trimmed().isEmpty())
            conn.Execute(kGiveBackPledge, {stored.guaranty, line.borrowid.right(4)});
    }
    const std::vector<int> staying = StayingOut(stored.out, line.copies);
    if (line.payRent)
        conn.Execute(kTakeRent, {line.borrowid, (stored.rentTaken + share).ToStored(),
                                 UnpaidStayingOut(stored.unpaid, staying)});
    if (staying.empty()) conn.Execute(kCloseLine, {line.borrowid});
}
