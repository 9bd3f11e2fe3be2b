#include "core/OpenBasketRow.h"

#include "core/Basket.h"
#include "core/ShopFileAdditions.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"

namespace {
const char* const kOpen =
    "insert or replace into main.openbasket "
    "(kind, basketno, name, usertype, ismember, foregifttype, money, membermoney) "
    "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";
const char* const kKeep =
    "insert or ignore into main.openbasket "
    "(kind, basketno, name, usertype, ismember, foregifttype, money, membermoney) "
    "values (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)";
const char* const kClose = "delete from openbasket where kind = ?1 and basketno = ?2";
const char* const kColumns =
    "select kind, basketno, name, usertype, ismember, foregifttype, money, membermoney "
    "from openbasket ";
const char* const kOf = "where kind = ?1 and basketno = ?2";
const char* const kAll = "order by kind, basketno";
const char* const kNumbers = "select basketno from openbasket where kind = ?1 order by basketno";
const char* const kHoldsLine =
    "select 1 from openbasket where kind = ?1 and basketno = substr(?2, -4)";

const char* const kRentalKind = "borrow";
const char* const kSaleKind = "sell";
constexpr int kPerCopyRule = 1;
constexpr int kFixedSumRule = 2;

QString KindText(OpenBasketRow::Kind kind) {
    return QString::fromUtf8(kind == OpenBasketRow::Rental ? kRentalKind : kSaleKind);
}

Value DepositValue(const OpenBasketRow& row, const Value& v) {
    return row.kind == OpenBasketRow::Rental ? v : Null;
}

Params ParamsOf(const OpenBasketRow& row) {
    return {KindText(row.kind),
            row.no,
            row.customer,
            row.userType,
            row.member ? 1 : 0,
            DepositValue(row, row.depositRule),
            DepositValue(row, row.walkInDeposit.ToStored()),
            DepositValue(row, row.memberDeposit.ToStored())};
}

OpenBasketRow RowOf(const Statement& st) {
    OpenBasketRow row;
    row.kind = st.Column(0).ToString() == QString::fromUtf8(kSaleKind) ? OpenBasketRow::Sale
                                                                       : OpenBasketRow::Rental;
    row.no = st.Column(1).ToString();
    row.customer = st.Column(2).ToString();
    row.userType = static_cast<int>(st.Column(3).ToInt());
    row.member = st.Column(4).ToBool();
    row.depositRule = st.Column(5).IsNull() ? -1 : static_cast<int>(st.Column(5).ToInt());
    row.walkInDeposit = Money::FromStored(st.Column(6).ToDouble());  // Null reads 0
    row.memberDeposit = Money::FromStored(st.Column(7).ToDouble());
    return row;
}
}  // namespace

void OpenBasketRow::Open(Connection& conn) const {
    ShopFileAdditions::IntoFile(conn);
    conn.Execute(kOpen, ParamsOf(*this));
}

void OpenBasketRow::Keep(Connection& conn) const {
    ShopFileAdditions::IntoFile(conn);
    conn.Execute(kKeep, ParamsOf(*this));
}

void OpenBasketRow::Store(Connection& conn, bool opens, Basket& basket) const {
    std::optional<OpenBasketRow> stored = opens ? std::nullopt : Of(conn, kind, no);
    if (!stored) {
        if (opens)
            Open(conn);
        else
            Keep(conn);
        stored = Of(conn, kind, no);
    }
    if (stored) stored->Into(basket);
}

void OpenBasketRow::Close(Connection& conn, Kind kind, const QString& no) {
    conn.Execute(kClose, {KindText(kind), no});
}

std::optional<OpenBasketRow> OpenBasketRow::Of(Connection& conn, Kind kind, const QString& no) {
    Statement st(conn, QString::fromUtf8(kColumns) + QString::fromUtf8(kOf));
    st.Bind({KindText(kind), no});
    if (!st.Step()) return std::nullopt;
    return RowOf(st);
}

std::vector<OpenBasketRow> OpenBasketRow::All(Connection& conn) {
    std::vector<OpenBasketRow> rows;
    Statement st(conn, QString::fromUtf8(kColumns) + QString::fromUtf8(kAll));
    while (st.Step()) rows.push_back(RowOf(st));
    return rows;
}

QStringList OpenBasketRow::Numbers(Connection& conn, Kind kind) {
    QStringList numbers;
    Statement st(conn, kNumbers);
    st.Bind({KindText(kind)});
    while (st.Step()) numbers << st.Column(0).ToString();
    return numbers;
}

bool OpenBasketRow::HoldsLine(Connection& conn, Kind kind, const QString& lineId) {
    return !conn.Scalar(kHoldsLine, {KindText(kind), lineId}).IsNull();
}

void OpenBasketRow::Into(Basket& basket) const {
    basket.No = no;
    basket.UserType = userType;
    basket.UserName = customer;
    basket.Member = member;
    basket.DepositRule = depositRule;
    const Money ofKind = member ? memberDeposit : walkInDeposit;
    basket.FixedDeposit = depositRule == kFixedSumRule ? ofKind : Money();
    basket.DepositPerCopy = depositRule == kPerCopyRule ? ofKind : Money();
}
