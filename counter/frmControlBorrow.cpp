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
                   QStringLiteral("出租光盘编号"), QStringLiteral("选择借出光盘")});
}

void frmControlBorrow::OpenFor(RentalBasketPanel* panel, std::optional<LineEdit> edit) {
    panel_ = panel;
    editing_ = std::move(edit);
    Arm(panel);
}

// Runs when the dialog first loads, and again at every opening (the opener calls it).
void frmControlBorrow::Form_Load() {
    if (gBorrowBasket.Open) {
        customer_->ShowBasketCustomer(gBorrowBasket, kWalkInUser);
    } else {
        gForeGiftSum = 0;
        gBorrowBasket.CountSum = 0;
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
    request.offered = ListView1->ListItems().Count();
    request.remark = TxtRemark->text();
    request.now = Now();
    request.rewritesLine = editing_.has_value();
    const RentalCheckOut::Result result = RentalCheckOut::Run(gConn, request);
    if (result.outcome == RentalCheckOut::Outcome::NumbersUsedUp) {
        MsgBox(QStringLiteral("出租编号 0001 至 9999 已经全部用完，不能再开始新的出租。"),
               vbExclamation, QStringLiteral("提示"));
        return false;
    }
    panel_->LineWritten(result, LblID->Caption(), LblMovieName->Caption(), editing_.has_value());
    return true;
}

void frmControlBorrow::ForgetEdit() {
    editing_.reset();
}

void frmControlBorrow::PutBackEdit() {
    if (!editing_) return;
    gBorrowBasket.CountSum += editing_->copies;
    gForeGiftSum += editing_->deposit;
    editing_.reset();
}
