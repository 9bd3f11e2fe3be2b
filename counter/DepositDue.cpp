#include "counter/DepositDue.h"

#include <cmath>

#include "core/Basket.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/CentShares.h"
#include "platform/db/Connection.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"

namespace {
const char* const kDepositRule = "select foregifttype, [money], membermoney from ForeGift limit 1";

double AmountOr0(const Value& v) {
    return v.IsNull() ? 0 : v.ToDouble();
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

double DepositDue::OfCopies(Connection& conn, const QString& cdid, int copies, bool member,
                            int basketRule) const {
    switch (basketRule) {
        case kPerTitlePurchase:
            return copies * RoundHalfUp(BuyMoneyOf(conn, cdid), 2);
        case kPerCopy:
            return copies * RoundHalfUp(AmountOfKind(member), 2);
        default:
            return 0;
    }
}

void DepositDue::SpreadFixedSum(Connection& conn, const Basket& basket) {
    if (basket.DepositRule != kPerBasket) return;
    const std::vector<BasketLines::Line> lines = BasketLines::Rental.OfBasket(conn, basket.No);
    std::vector<double> copies;
    for (const BasketLines::Line& line : lines) copies.push_back(line.copies);
    const std::vector<double> shares = CentShares::Of(basket.FixedDeposit, copies);
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (std::abs(lines[i].amount - shares[i]) > 1e-6)
            BasketLines::Rental.SetAmount(conn, lines[i].lineId, shares[i]);
}
