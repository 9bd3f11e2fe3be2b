#pragma once
#include "platform/ui/FormOf.h"
#include "reports/ListingWindow.h"

// The rent taken in on returned discs today, yesterday, the day before yesterday or this
// week: members' and walk-in customers' returns in one list, newest first, then the total.
class frmEarnReport : public FormOf<frmEarnReport, ListingWindow> {
    Q_OBJECT
    friend class FormOf<frmEarnReport, ListingWindow>;

  public:
    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    frmEarnReport();
};
