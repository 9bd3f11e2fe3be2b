#include "members/MemberHistoryView.h"

#include <QVBoxLayout>

#include "core/OpenBaskets.h"
#include "core/mdlMain.h"
#include "members/MemberLinesGrid.h"
#include "platform/db/Recordset.h"
#include "platform/ui/Controls.h"

namespace {
// ?1 the customer key; %1 leaves out the baskets still open at the counter, which are no
// rental or sale yet. A rental line with any return row, even a partial one, is
// not listed.
const char* const kOpenRentals =
    "select a.money as borrowprice, b.BorrowPriceType as BorrowPriceType, a.borrowid as borrowid,"
    " b.name as moviename, a.borrowdate as borrowdate"
    " from borrowinfo as a, cdinfo as b"
    " where a.borrowid not in (select substr(returnid, 1, 16) from returninfo)"
    " and substr(a.borrowid, 1, 12) = b.cdid and a.name = ?1 and %1";
const char* const kPurchases =
    "select a.money as sellprice, a.sellid as sellid, b.name as moviename, a.selldate as selldate"
    " from sellinfo as a, cdinfo as b"
    " where substr(a.sellid, 1, 12) = b.cdid and a.name = ?1 and %1";
}  // namespace

const MemberHistoryView::Kind MemberHistoryView::kRentals{
    {QStringLiteral("影片名称"), QStringLiteral("出租日期"), QStringLiteral("已付租金")},
    kOpenRentals,
    "borrowdate",
    "borrowprice",
    &OpenBaskets::NotInRentalBasket};
const MemberHistoryView::Kind MemberHistoryView::kSales{
    {QStringLiteral("影片名称"), QStringLiteral("出售日期"), QStringLiteral("购买金额")},
    kPurchases,
    "selldate",
    "sellprice",
    &OpenBaskets::NotInSaleBasket};

MemberHistoryView::MemberHistoryView(QWidget* window, const Kind& kind) : kind_(kind) {
    grid_ = Named<FlexGrid>("MSHFlexGrid1");
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(grid_);
    window->resize(TwipsToPixels(7200), TwipsToPixels(4200));
}

void MemberHistoryView::Fill(const QString& UserID) {
    Recordset lines;
    const QString sql = QString::fromUtf8(kind_.sql).arg(kind_.notInOpenBasket("a"));
    lines.Open(sql, gConn, adLockReadOnly, {UserID});
    MemberLinesGrid grid(grid_);
    grid.Start(kind_.headings, lines.RecordCount());
    Money sum;
    for (int i = 0; !lines.AtEOF(); ++i, lines.MoveNext()) {
        const Money money = Money::FromStored(lines[kind_.money].ToDouble());
        grid.Line(i, NullToStr(lines["moviename"]), NullToStr(lines[kind_.date]), money);
        sum += money;
    }
    grid.Total(sum);
}
