#pragma once
#include <QDate>
#include <QString>

#include "platform/db/Connection.h"

// The yearly fold of old rentals and sales. Rows dated before the first day of last year
// are added to the history counters of their member and disc, summed into one summary
// row per table (named '汇总', dated in the year two back), and deleted with their return
// rows. An earlier summary row is itself folded into the new one, so each table keeps
// exactly one summary row. The whole fold is one transaction.
class YearFold {
  public:
    // What a fold took away (the summary rows written aside).
    struct Folded {
        int rentals = 0;
        int returns = 0;
        int sales = 0;
    };

    explicit YearFold(Connection& conn) : conn_(conn) {}

    // The fold of the year of today is due when the year two back has rentals and no
    // summary row yet.
    bool IsDue(const QDate& today);
    // Folds every rental and sale dated before the first day of the year before today's.
    Folded Run(const QDate& today);

    // The first day of last year: rows dated before it are folded.
    static QString CutOff(const QDate& today);
    // The date of the summary rows: today two years back, kept inside that year.
    static QString SummaryDate(const QDate& today);

  private:
    void FoldRentals(const QString& before, const QString& summaryDate, Folded& folded);
    void FoldSales(const QString& before, const QString& summaryDate, Folded& folded);

    Connection& conn_;
};
