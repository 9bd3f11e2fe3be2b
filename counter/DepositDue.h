#pragma once
#include <QString>

#include "platform/text/Money.h"

struct Basket;
class Connection;

// What a rental basket asks as deposit, by the shop's deposit rule as the settings page
// stored it (ForeGift: foregifttype, money for walk-in customers, membermoney for members):
//  0 each copy costs what its title cost the shop (GetBuyMoney);
//  1 each copy costs the amount of the customer's kind;
//  2 the basket costs one fixed sum of the customer's kind, once, whatever it holds.
// Each line stores what its copies add when it is confirmed; under rule 2 the basket's one
// sum lies over its lines by their copies instead, so that a return gives each back its part.
class DepositDue {
  public:
    static constexpr int kPerTitlePurchase = 0;
    static constexpr int kPerCopy = 1;
    static constexpr int kPerBasket = 2;

    static DepositDue Read(Connection& conn);

    // The deposit of copies of one title under the terms the basket was opened with (its
    // rule and the amount of its customer's kind), the title's purchase price as it stands
    // for rule 0; to the cent. Rule 2: nothing, the basket's one sum is apart.
    static Money OfCopies(Connection& conn, const QString& cdid, int copies, const Basket& basket);
    int Rule() const { return rule_; }
    // The rule's amounts for walk-in customers and for members, as stored.
    Money WalkInAmount() const { return walkInAmount_; }
    Money MemberAmount() const { return memberAmount_; }

    // Under rule 2, lays the basket's fixed sum over its stored lines by their copies
    // (MoneyShares); other rules: nothing.
    static void SpreadFixedSum(Connection& conn, const Basket& basket);

  private:
    int rule_ = -1;
    Money walkInAmount_;
    Money memberAmount_;
};
