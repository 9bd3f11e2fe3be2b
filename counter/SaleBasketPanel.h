#pragma once
#include <QString>

#include "counter/BasketPanel.h"
#include "counter/SaleCheckOut.h"

// The sale basket of the counter page (frame "出售信息"): the check-out of the current
// title, the edit and removal of a line, the settlement, and the panel they write (lvwSell,
// the copies and the money due, the customer, the amount received MskFactSellMoney). Every
// button acts only while the counter page is the one shown, and acts once; none that would
// change the basket acts while the check-out dialog holds a line edit. The panel's copies
// and money are those of the basket's stored lines, shown again after every change.
class SaleBasketPanel : public BasketPanel {
    Q_OBJECT
  public:
    explicit SaleBasketPanel(CounterPage& page);

    void Command15_Click();     // "售出此光盘(&S)"
    void CmdSellEdit_Click();   // "编辑此光盘(&E)"
    void CmdDelSellCD_Click();  // "删除此光盘(&I)"
    void CmdSellTax_Click();    // "结    算(&M)"
    // The amount received follows the money due.
    void LblSellMoney_Change();

    // What the check-out dialog asks of the panel.
    void LineWritten(const SaleCheckOut::Result& result);
    void KeepOpen() override;
    void CloseEmpty() override;

  private:
    // The basket as its stored lines are; the amount received offers the money due when
    // offerTotal or the lines changed, and otherwise stays as typed.
    void ShowBasket(bool offerTotal);
    bool EditHeld() const;
    void EnableButtons(bool enabled);
    // Tells the shop what was written; each page that shows it follows from there.
    void Refresh();
};
