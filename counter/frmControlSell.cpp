#include "counter/frmControlSell.h"

#include <QLineEdit>

#include "core/mdlMain.h"
#include "counter/CopyChecks.h"
#include "counter/CustomerFrames.h"
#include "counter/SaleBasketPanel.h"
#include "counter/SaleCheckOut.h"
#include "platform/app/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/frmMenu.h"

frmControlSell::frmControlSell() {
    setObjectName("frmControlSell");
    setWindowTitle(QStringLiteral("出售登记"));
    SetKeyPreview(true);
    BuildControls({QStringLiteral("sell"), QStringLiteral("买盘人姓名"),
                   QStringLiteral("确认出售(&N)"), QStringLiteral("不买这张光盘(&C)"),
                   QStringLiteral("出售光盘编号"), QStringLiteral("选择售出光盘"),
                   QStringLiteral("出售")});
    // The right button over the copies pops up "全部选中" / "全部取消".
    frmMenu::AttachTo(ListView1);
}

void frmControlSell::OpenFor(SaleBasketPanel* panel, const QString& editedLine) {
    panel_ = panel;
    Arm(panel, editedLine);
}

// Runs when the dialog first loads, and again at every opening (the openers call it).
void frmControlSell::Form_Load() {
    if (gSellBasket.Open) {
        customer_->ShowBasketCustomer(gSellBasket, kMemberUser);
    } else {
        if (panel_) panel_->PrepareColumns();
        customer_->StartNewCustomer();
    }
    TxtRemark->clear();
    update();
}

bool frmControlSell::Confirm() {
    if (TxtName->text().isEmpty()) {
        MsgBox(QStringLiteral("姓名不能为空"), vbInformation, QStringLiteral("提示"));
        return false;
    }
    SaleCheckOut::Request request;
    request.copies = CopyChecks::Checked(ListView1);
    if (request.copies.empty()) {
        MsgBox(QStringLiteral("没有选择借出的光盘！"), vbInformation, QStringLiteral("提示"));
        return false;
    }
    request.basket = gSellBasket;
    request.userType = customer_->UserType();
    request.userName = TxtName->text();
    request.cdid = LblCDID->Caption();
    request.remark = TxtRemark->text();
    request.now = Now();
    request.rewritesLine = HoldsLineEdit();
    const SaleCheckOut::Result result = SaleCheckOut::Run(gConn, request);
    if (!Accepted(result.outcome, result.available)) return false;
    panel_->LineWritten(result);
    return true;
}
