#include "counter/DepositDue.h"

#include "core/Basket.h"
#include "core/MoneyShares.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

namespace {
const char* const kDepositRule = "select foregifttype, [money], membermoney from ForeGift limit 1";

Money AmountOr0(const Value& v) {
    return Money::FromStored(v.IsNull() ? 0 : v.ToDouble());
}
}  // namespace

DepositDue DepositDue::Read(Connection& conn) {
    DepositDue due;
    Statement rule(conn, kDepositRule);
    if (rule.Step()) {
        due.rule_ = rule.Column(0).IsNull() ? -1 : static_cast<int>(rule.Column(0).ToInt());
        due.walkInAmount_ = AmountOr0(rule.Column(1));
        due.memberAmount_ = AmountOr0(rule.Column(2));
    }
    return due;
}

Money DepositDue::OfCopies(Connection& conn, const QString& cdid, int copies,
                           const Basket& basket) {
    switch (basket.DepositRule) {
        case kPerTitlePurchase:
            return BuyMoneyOf(conn, cdid).Times(copies);
        case kPerCopy:
            return basket.DepositPerCopy.Times(copies);
        default:
            return Money();
    }
}

void DepositDue::SpreadFixedSum(Connection& conn, const Basket& basket) {
    if (basket.DepositRule != kPerBasket) return;
    const std::vector<BasketLines::Line> lines = BasketLines::Rental.OfBasket(conn, basket.No);
    std::vector<qint64> copies;
    for (const BasketLines::Line& line : lines) copies.push_back(line.copies);
    const std::vector<Money> shares = MoneyShares::Of(basket.FixedDeposit, copies);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i].amount != shares[i])
            BasketLines::Rental.SetAmount(conn, lines[i].lineId, shares[i]);
}
