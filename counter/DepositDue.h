#pragma once
#include <QString>

class Connection;

// What a rental basket asks as deposit, by the shop's deposit rule as the settings page
// stored it (ForeGift: foregifttype, money for walk-in customers, membermoney for members):
//  0 each copy costs its title's purchase amount (buymoney; none counts 0);
//  1 each copy costs the amount of the customer's kind;
//  2 the basket costs one fixed sum of the customer's kind, once, whatever it holds.
// The customer is a member when a member has the basket's customer key as number.
class DepositDue {
  public:
    static DepositDue Read(Connection& conn, const QString& customerKey);

    // The deposit of copies of one title (rule 2: nothing; the basket's sum is apart).
    double OfCopies(Connection& conn, const QString& cdid, int copies) const;
    // The fixed sum a new basket adds under rule 2 (0 under the other rules).
    double OfNewBasket() const;

    int Rule() const { return rule_; }
    bool Member() const { return member_; }

  private:
    int rule_ = -1;
    double walkInAmount_ = 0;
    double memberAmount_ = 0;
    bool member_ = false;
    double AmountOfKind() const { return member_ ? memberAmount_ : walkInAmount_; }
};
