#include "counter/DepositDue.h"

#include "platform/db/Connection.h"
#include "platform/db/Statement.h"

namespace {
const char* const kDepositRule = "select foregifttype, [money], membermoney from ForeGift limit 1";
const char* const kMemberById = "select 1 from userinfo where userid = ?1 limit 1";
const char* const kBuyMoneyOfTitle = "select buymoney from cdinfo where cdid = ?1";

constexpr int kPerTitlePurchase = 0;
constexpr int kPerCopy = 1;
constexpr int kPerBasket = 2;

double AmountOr0(const Value& v) {
    return v.IsNull() ? 0 : v.ToDouble();
}
}  // namespace

DepositDue DepositDue::Read(Connection& conn, const QString& customerKey) {
    DepositDue due;
    Statement rule(conn, kDepositRule);
    if (rule.Step()) {
        due.rule_ = rule.Column(0).IsNull() ? -1 : static_cast<int>(rule.Column(0).ToInt());
        due.walkInAmount_ = AmountOr0(rule.Column(1));
        due.memberAmount_ = AmountOr0(rule.Column(2));
    }
    due.member_ = !conn.Scalar(kMemberById, {customerKey}).IsNull();
    return due;
}

double DepositDue::OfCopies(Connection& conn, const QString& cdid, int copies) const {
    switch (rule_) {
        case kPerTitlePurchase:
            return copies * AmountOr0(conn.Scalar(kBuyMoneyOfTitle, {cdid}));
        case kPerCopy:
            return copies * AmountOfKind();
        default:
            return 0;
    }
}

double DepositDue::OfNewBasket() const {
    return rule_ == kPerBasket ? AmountOfKind() : 0;
}
