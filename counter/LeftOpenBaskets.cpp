#include "counter/LeftOpenBaskets.h"

#include <QStringList>

#include "core/CopyList.h"
#include "core/mdlMain.h"
#include "counter/BasketRollback.h"
#include "platform/db/Connection.h"

namespace {
const char* const kTitle = "未结帐的光盘已退回";
const char* const kLead =
    "上次程序没有正常退出，下面这些光盘还在柜台上没有结帐，现在已经全部退回（光盘放回架上，"
    "不算出租，也不算出售）：";
const char* const kRental = "出租";
const char* const kSale = "出售";
const char* const kMember = "会员编号：";
const char* const kWalkIn = "用户姓名：";
constexpr int kCdidLength = 12;

const BasketLines& LinesOf(OpenBasketRow::Kind kind) {
    return kind == OpenBasketRow::Rental ? BasketLines::Rental : BasketLines::Sale;
}

// "D001 星际穿越：第1张盘、第3张盘"; a title no longer there by its disc id.
QString LineText(const BasketLines::Line& line) {
    QStringList copies;
    for (int copy : CopyList::Numbers(line.copyList)) copies << CopyList::CopyText(copy);
    QString title = QStringList{line.id, line.name}.join(' ').trimmed();
    if (title.isEmpty()) title = line.lineId.left(kCdidLength);
    return title + QStringLiteral("：") + copies.join(QStringLiteral("、"));
}

QString BasketText(const LeftOpenBaskets::Left& left) {
    const OpenBasketRow& b = left.basket;
    QString text = QString::fromUtf8(b.kind == OpenBasketRow::Rental ? kRental : kSale) +
                   QStringLiteral("　") +
                   QString::fromUtf8(b.userType == kMemberUser ? kMember : kWalkIn) + b.customer;
    for (const BasketLines::Line& line : left.lines)
        text += QStringLiteral("\n    ") + LineText(line);
    return text;
}
}  // namespace

std::vector<LeftOpenBaskets::Left> LeftOpenBaskets::RollBack(Connection& conn) {
    std::vector<Left> left;
    if (OpenBasketRow::All(conn).empty()) return left;  // nothing to write
    Transaction t(conn);
    for (const OpenBasketRow& basket : OpenBasketRow::All(conn)) {
        left.push_back({basket, LinesOf(basket.kind).OfBasket(conn, basket.no)});
        BasketRollback::Run(
            conn,
            basket.kind == OpenBasketRow::Rental ? BasketRollback::Rental : BasketRollback::Sale,
            basket.no);
    }
    t.Commit();
    return left;
}

QString LeftOpenBaskets::Message(const std::vector<Left>& left) {
    QStringList baskets;
    for (const Left& l : left)
        if (!l.lines.empty()) baskets << BasketText(l);
    if (baskets.isEmpty()) return QString();
    return QString::fromUtf8(kLead) + QStringLiteral("\n\n") + baskets.join(QStringLiteral("\n\n"));
}

QString LeftOpenBaskets::Title() {
    return QString::fromUtf8(kTitle);
}
