#pragma once
#include <vector>

#include "tools/demodata/CustomerPicker.h"
#include "tools/demodata/DemoWriter.h"
#include "tools/demodata/NumberPool.h"
#include "tools/demodata/TitlePicker.h"

// The sale side of the demo counter: a basket of copies from the shelf, paid in full
// at the sale price (the member price for members). A sold copy never comes back. The
// shop sells its spare copies and keeps one of each title for rent; only now and then
// does a clearance sale take a title's last copy.
class SaleDesk {
  public:
    SaleDesk(Random& random, const DemoCalendar& calendar, std::vector<DemoTitle>& titles,
             const std::vector<DemoMember>& members, DemoWriter& writer);

    // Sells up to `lines` titles to one customer; returns the number of lines written.
    int Basket(std::int64_t moment, int lines);

  private:
    void Sell(DemoTitle& title, int number, std::int64_t moment, const Customer& customer);
    int Spare(const DemoTitle& title) const;

    Random& random_;
    const DemoCalendar& calendar_;
    DemoWriter& writer_;
    CustomerPicker customers_;
    TitlePicker shelves_;
    NumberPool saleNumbers_;
    bool clearance_ = false;  // this basket may take a title's last copy
};
