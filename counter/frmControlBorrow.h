#pragma once
#include <QString>

#include "counter/CheckOutForm.h"
#include "platform/ui/FormOf.h"

class RentalBasketPanel;

// The rental check-out dialog "出租登记": one title into the open rental basket, with its
// customer, the copies that go out and a remark. Modeless, owned by the main window; the
// counter's rental basket panel opens it for a title or for a line of the basket, and
// confirming hides it until the next opening. Its close box cancels, as "不借这张光盘(&C)".
class frmControlBorrow : public FormOf<frmControlBorrow, CheckOutForm> {
    Q_OBJECT
    friend class FormOf<frmControlBorrow, CheckOutForm>;

  public:
    // The opener: the panel the dialog writes, and the basket line being edited (empty for
    // a title). Arms the dialog for one confirmation ("确认出租(&N)") or cancel
    // ("不借这张光盘(&C)").
    void OpenFor(RentalBasketPanel* panel, const QString& editedLine = QString());

    void Form_Load() override;

  private:
    frmControlBorrow();
    bool Confirm() override;

    RentalBasketPanel* panel_ = nullptr;
};
