#pragma once
#include <QDate>
#include <QtGlobal>
#include <array>
#include <map>
#include <vector>

#include "platform/db/Connection.h"

// The seven figure families of the income and expenditure report, each summed by period
// for one view: every year, each month of this year or each day of this month. A figure
// whose date is missing or no date has no period and is in no sum. The lines of the baskets
// still open at the counter are no rental or sale yet and are in no family.
//
// The families and what they sum, in the order of Sums::figure:
//   Rentals       rental lines whose title is still in the catalogue, by rental date:
//                 copies rented, rent recorded, deposits
//   Returns       return lines, by return date: copies returned
//   Purchases     titles, by purchase date: copies bought, their cost (price x copies)
//   RentOnReturn  the rent of a rental once for each of its return lines, by return date
//   Members       members, by join date: their stored money
//   OpenPaid      rental lines with no return line yet and rent paid (above 0), by rental
//                 date: that rent, their deposits
//   Sales         sale lines, by sale date: income (and their number, in rows)
//
// Each table is read once, in the order of its keys: the rental lines and the return lines
// side by side, so that each rental meets its returns and its title without a look-up per
// line. A view of this year or this month reads only the lines dated in it, and looks up
// one by one the few they join outside it (a rental of last year returned this year).
class IncomeFigures {
  public:
    enum Family { Rentals, Returns, Purchases, RentOnReturn, Members, OpenPaid, Sales, kFamilies };
    enum View { EveryYear, MonthsOfThisYear, DaysOfThisMonth };

    // A family's lines in one period (it contributes to the period when it has any) and
    // the sums of their figures.
    struct Sums {
        qint64 rows = 0;
        std::array<double, 3> figure{};
    };

    // The figures of the view (today gives this year and this month); DbError when a
    // statement fails.
    static IncomeFigures Read(Connection& conn, View view, const QDate& today);

    // Every period some family has lines in, newest first.
    std::vector<int> Periods() const;
    // The family's sums in the period; null when it has no line there.
    const Sums* Of(Family family, int period) const;

  private:
    struct Bounds;
    class ReturnGroup;

    // The sums to add a line to: most lines fall in the period of the line before.
    Sums& At(Family family, int period);
    // Sums a table whose lines join nothing: sql reads the date of the period, then the
    // figures.
    void ReadPlain(Connection& conn, const Bounds& bounds, Family family, const QString& sql,
                   const Params& params);
    void ReadRentalsAndReturns(Connection& conn, const Bounds& bounds);

    std::array<std::map<int, Sums>, kFamilies> families_;
    struct Last {
        int period = 0;
        Sums* sums = nullptr;
    };
    std::array<Last, kFamilies> last_{};
};
