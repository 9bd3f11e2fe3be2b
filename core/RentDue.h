#pragma once
#include <QDateTime>
#include <QString>

// What a customer owes for a rental line still out: "每次" lines pay the price once per
// copy; every other kind ("每天" or empty) pays it per day. Days are the time from the
// rental to the end of the period, rounded half to even; any result below one day (less
// than half a day, or a rental dated after the end) counts one day. The caller chooses the price
// per copy (member or normal rent).
class RentDue {
  public:
    static constexpr const char* kPerRental = "每次";

    // Whole days from the rental to the end of the period, as the rent counts them.
    static qint64 Days(const QDateTime& borrowDate, const QDateTime& periodEnd);
    static double Of(double pricePerCopy, const QString& priceType, qint64 copies,
                     const QDateTime& borrowDate, const QDateTime& periodEnd);
};
