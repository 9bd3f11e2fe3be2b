#pragma once
#include <QString>

#include "counter/BasketPanel.h"
#include "counter/RentalCheckOut.h"
#include "counter/frmUseTaxPay.h"

// The rental basket of the counter page (frame "出租信息"): the check-out of the current
// title, the edit and removal of a line, the settlement, and the panel they all write
// (LvwReturn, the copies and the deposit due, the customer, the amount box TxtCredence).
// Every button acts only while the counter page is the one shown, and acts once: a second
// activation while the first runs, or after it closed what it acted on, does nothing; and
// none that would change the basket acts while the check-out dialog holds a line edit.
// The panel's copies, deposit and amount offered are those of the basket's stored lines,
// shown again after every change.
class RentalBasketPanel : public BasketPanel {
    Q_OBJECT
  public:
    explicit RentalBasketPanel(CounterPage& page);

    void CmdBorrow_Click();      // "出租此光盘(&B)"
    void CmdBorrowEdit_Click();  // "编辑此光盘(&E)"
    void CmdDel_Click();         // "删除此光盘(&I)"
    void CmdTax_Click();         // "结    算(&M)"
    // An amount typed is shown as money ("50" as "￥50.00"); a pledge stays as typed.
    void TxtCredence_LostFocus();

    // What the check-out dialog asks of the panel.
    void LineWritten(const RentalCheckOut::Result& result);
    void KeepOpen() override;
    void CloseEmpty() override;

  private:
    // What TxtCredence does when the basket changes: it offers the new deposit, follows it
    // unless a pledge was typed, or stays as typed.
    enum class Credence { Offer, FollowAmount, Keep };
    void ShowBasket(Credence credence);
    // The deposit box read once: an amount, shown as money, or else a pledged item.
    frmUseTaxPay::Credence ReadCredence();
    bool EditHeld() const;
    void EnableButtons(bool enabled);
    // Tells the shop what was written; each page that shows it follows from there.
    void Refresh();
};
