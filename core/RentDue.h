#pragma once
#include <QDateTime>
#include <QString>

#include "platform/text/Money.h"

// What a customer owes for a rental line still out: "每次" lines pay the price once per
// copy; every other kind ("每天" or empty) pays it per day. Days are the time from the
// rental to the end of the period, rounded half to even; any result below one day (less
// than half a day, or a rental dated after the end) counts one day. The caller chooses the price
// per copy (member or normal rent), as the file holds it to the cent: a member's rent is the
// member price (the rent at the member's rate, to the cent) times the copies and days.
class RentDue {
  public:
    static constexpr const char* kPerRental = "每次";

    // Whole days from the rental to the end of the period, as the rent counts them.
    static qint64 Days(const QDateTime& borrowDate, const QDateTime& periodEnd);
    static Money Of(Money pricePerCopy, const QString& priceType, qint64 copies,
                    const QDateTime& borrowDate, const QDateTime& periodEnd);
};
