#pragma once
#include <QDate>

#include "platform/db/Connection.h"
#include "platform/text/Money.h"

// The monthly membership fee: on the first fifteen days of a month every member not yet
// charged this month pays the fee of the settings (money goes down, tax up, marked paid);
// from the 16th every member is marked unpaid again, ready for next month's charge.
// Each write runs in one transaction.
class MonthFeeCharge {
  public:
    static constexpr int kLastChargeDay = 15;

    explicit MonthFeeCharge(Connection& conn) : conn_(conn) {}

    // Whether the day belongs to the charge (true) or to the re-arming (false).
    static bool IsChargeDay(const QDate& today) { return today.day() <= kLastChargeDay; }

    // The fee of the first settings row; 0 when there is none (nothing is charged).
    Money StoredFee();
    bool AnyMemberUnpaid();

    // Charges every unpaid member the fee and marks them paid (a Null money or tax
    // counts as 0), money and tax written to the cent; returns how many members were
    // charged.
    int Charge(Money fee);
    // Marks every member unpaid; returns how many were marked paid before.
    int Rearm();

  private:
    Connection& conn_;
};
