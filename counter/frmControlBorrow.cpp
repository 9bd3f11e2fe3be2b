#include "counter/frmControlBorrow.h"

#include <QLineEdit>

#include "core/mdlMain.h"
#include "counter/CopyChecks.h"
#include "counter/CustomerFrames.h"
#include "counter/RentalBasketPanel.h"
#include "counter/RentalCheckOut.h"
#include "platform/app/Clock.h"
#include "platform/ui/Controls.h"

frmControlBorrow::frmControlBorrow() {
    setObjectName("frmControlBorrow");
    setWindowTitle(QStringLiteral("出租登记"));
    SetKeyPreview(true);
    BuildControls({QStringLiteral("borrow"), QStringLiteral("借盘人姓名"),
                   QStringLiteral("确认出租(&N)"), QStringLiteral("不借这张光盘(&C)"),
                   QStringLiteral("出租光盘编号"), QStringLiteral("选择借出光盘"),
                   QStringLiteral("出租")});
}

void frmControlBorrow::OpenFor(RentalBasketPanel* panel, const QString& editedLine) {
    panel_ = panel;
    Arm(panel, editedLine);
}

// Runs when the dialog first loads, and again at every opening (the opener calls it).
void frmControlBorrow::Form_Load() {
    if (gBorrowBasket.Open) {
        customer_->ShowBasketCustomer(gBorrowBasket, kWalkInUser);
    } else {
        if (panel_) panel_->PrepareColumns();
        customer_->StartNewCustomer();
    }
    TxtRemark->clear();
}

bool frmControlBorrow::Confirm() {
    if (!gBorrowBasket.Open && !TxtName->text().isEmpty() && customer_->MemberChosen() &&
        !customer_->RefreshMember())
        return false;
    if (TxtName->text().isEmpty()) {
        MsgBox(QStringLiteral("姓名不能为空"), vbInformation, QStringLiteral("提示"));
        TxtName->setFocus();
        return false;
    }
    RentalCheckOut::Request request;
    request.copies = CopyChecks::Checked(ListView1);
    if (request.copies.empty()) {
        MsgBox(QStringLiteral("没有选择借出的光盘！"), vbInformation, QStringLiteral("提示"));
        return false;
    }
    request.basket = gBorrowBasket;
    request.userType = customer_->UserType();
    request.userName = TxtName->text();
    request.cdid = LblCDID->Caption();
    request.remark = TxtRemark->text();
    request.now = Now();
    request.rewritesLine = HoldsLineEdit();
    const RentalCheckOut::Result result = RentalCheckOut::Run(gConn, request);
    if (!Accepted(result.outcome, result.available)) return false;
    panel_->LineWritten(result);
    return true;
}
