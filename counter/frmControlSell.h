#pragma once
#include <optional>

#include "counter/CheckOutForm.h"
#include "platform/ui/FormOf.h"

class SaleBasketPanel;

// The sale check-out dialog "出售登记": one title into the open sale basket, with its
// customer, the copies sold and a remark; the copies cost MemberPrice each for a member,
// Price for a walk-in customer. Modeless, owned by the main window; the counter's sale
// basket panel opens it for a title or for a line of the basket. Its close box cancels, as
// "不买这张光盘(&C)".
class frmControlSell : public FormOf<frmControlSell, CheckOutForm> {
    Q_OBJECT
    friend class FormOf<frmControlSell, CheckOutForm>;

  public:
    // A basket line reopened for editing: what the edit took out of the basket's totals.
    struct LineEdit {
        QString sellid;
        int copies = 0;
        double money = 0;
    };

    // Arms the dialog for one confirmation ("确认出售(&N)") or cancel ("不买这张光盘(&C)").
    void OpenFor(SaleBasketPanel* panel, std::optional<LineEdit> edit);

    void Form_Load() override;

    double Price = 0;        // a walk-in customer's price of one copy
    double MemberPrice = 0;  // a member's price of one copy

  private:
    frmControlSell();
    bool Confirm() override;
    void ForgetEdit() override;
    void PutBackEdit() override;

    SaleBasketPanel* panel_ = nullptr;
    std::optional<LineEdit> editing_;
};
