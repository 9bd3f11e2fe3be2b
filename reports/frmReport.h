#pragma once
#include <QString>
#include <array>

#include "platform/ui/FormOf.h"
#include "printout/ReportWindow.h"

class IncomeFigures;

// The shop's income and expenditure by year, by month of this year or by day of this
// month: seven figure families (rentals, returns, purchases, rent collected on return,
// members' stored money, paid rent of rentals still open, sales; IncomeFigures) merged
// on the period, newest first, then a totals row.
class frmReport : public FormOf<frmReport, ReportWindow> {
    Q_OBJECT
    friend class FormOf<frmReport, ReportWindow>;

  public:
    static constexpr int kColumns = 13;

    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    struct Totals;

    frmReport();
    void LayOutHeader();
    void Merge(const IncomeFigures& figures, const QString& suffix, Totals& totals);
    void WriteTotals(int row, const Totals& totals);
};
