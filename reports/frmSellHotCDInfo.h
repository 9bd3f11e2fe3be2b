#pragma once
#include "platform/ui/FormOf.h"
#include "reports/ListingWindow.h"

// The 50 titles that brought the most sales money, with their purchase date and cost; read
// once, when the window loads.
class frmSellHotCDInfo : public FormOf<frmSellHotCDInfo, ListingWindow> {
    Q_OBJECT
    friend class FormOf<frmSellHotCDInfo, ListingWindow>;

  public:
    void Form_Load() override;
    bool Refill(int period) override;
    ReportPages Pages() const override;

  private:
    frmSellHotCDInfo();
};
