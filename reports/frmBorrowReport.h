#pragma once
#include "platform/ui/FormOf.h"
#include "reports/ListingWindow.h"

// The rentals lent out today, yesterday, the day before yesterday or this week, returned or
// not: members' and walk-in customers' rentals in one list, newest first, with the rent
// received and the deposit or pledge, then the totals.
class frmBorrowReport : public FormOf<frmBorrowReport, ListingWindow> {
    Q_OBJECT
    friend class FormOf<frmBorrowReport, ListingWindow>;

  public:
    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    frmBorrowReport();
};
