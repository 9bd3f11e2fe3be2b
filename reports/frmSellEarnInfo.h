#pragma once
#include "platform/ui/FormOf.h"
#include "reports/ListingWindow.h"

// The disc sales of today, yesterday, the day before yesterday or this week: every member's
// sale, then every walk-in customer's, each group by sale time, then the total.
class frmSellEarnInfo : public FormOf<frmSellEarnInfo, ListingWindow> {
    Q_OBJECT
    friend class FormOf<frmSellEarnInfo, ListingWindow>;

  public:
    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    frmSellEarnInfo();
};
