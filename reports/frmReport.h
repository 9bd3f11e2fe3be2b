#pragma once
#include <QString>
#include <array>
#include <memory>

#include "platform/db/Connection.h"
#include "platform/ui/FormOf.h"
#include "printout/ReportWindow.h"

class Recordset;

// The shop's income and expenditure by year, by month of this year or by day of this
// month: seven grouped queries (rentals, returns, purchases, rent collected on return,
// members' stored money, paid rent of rentals still open, sales) merged on the period,
// newest first, then a totals row.
class frmReport : public FormOf<frmReport, ReportWindow> {
    Q_OBJECT
    friend class FormOf<frmReport, ReportWindow>;

  public:
    static constexpr int kColumns = 13;
    static constexpr int kSets = 7;

    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

    // The seven statements of a view, in set order, with their parameters, for the year
    // and month given (the view's own "now").
    struct Statement {
        QString sql;
        Params params;
    };
    static std::array<Statement, kSets> Statements(int view, int year, int month);

  private:
    using Sets = std::array<std::unique_ptr<Recordset>, kSets>;
    struct Totals;

    frmReport();
    void LayOutHeader();
    void Merge(Sets& sets, const QString& suffix, Totals& totals);
    void WriteTotals(int row, const Totals& totals);
};
