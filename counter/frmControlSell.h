#pragma once
#include <QString>

#include "counter/CheckOutForm.h"
#include "platform/text/Money.h"
#include "platform/ui/FormOf.h"

class SaleBasketPanel;

// The sale check-out dialog "出售登记": one title into the open sale basket, with its
// customer, the copies sold and a remark; the copies cost MemberPrice each for a member,
// Price for a walk-in customer, as the title's row holds them when the sale is confirmed.
// Modeless, owned by the main window; the counter's sale basket panel opens it for a title
// or for a line of the basket. Its close box cancels, as "不买这张光盘(&C)".
class frmControlSell : public FormOf<frmControlSell, CheckOutForm> {
    Q_OBJECT
    friend class FormOf<frmControlSell, CheckOutForm>;

  public:
    // Arms the dialog for one confirmation ("确认出售(&N)") or cancel ("不买这张光盘(&C)");
    // editedLine is the basket line being edited (empty for a title).
    void OpenFor(SaleBasketPanel* panel, const QString& editedLine = QString());

    void Form_Load() override;

    Money Price;        // a walk-in customer's price of one copy, as the opener read it
    Money MemberPrice;  // a member's price of one copy, as the opener read it

  private:
    frmControlSell();
    bool Confirm() override;

    SaleBasketPanel* panel_ = nullptr;
};
