#pragma once
#include "platform/ui/FormOf.h"
#include "reports/ListingWindow.h"

// The 50 titles rented most often, with the rent received for each and what its copies
// cost; read once, when the window loads.
class frmHotCDInfo : public FormOf<frmHotCDInfo, ListingWindow> {
    Q_OBJECT
    friend class FormOf<frmHotCDInfo, ListingWindow>;

  public:
    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    frmHotCDInfo();
};
