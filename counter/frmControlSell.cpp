#include "counter/frmControlSell.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/MainWindow.h"
#include "core/mdlMain.h"
#include "counter/CheckOutLayout.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/CustomerFrames.h"
#include "counter/SaleBasketPanel.h"
#include "counter/SaleCheckOut.h"
#include "platform/app/Clock.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"
#include "platform/ui/frmMenu.h"

frmControlSell::frmControlSell() {
    setObjectName("frmControlSell");
    setWindowTitle(QStringLiteral("出售登记"));
    SetKeyPreview(true);
    customer_ = new CustomerFrames(this, QStringLiteral("sell"), QStringLiteral("买盘人姓名"));
    Frame2 = customer_->Frame2;
    Option3 = customer_->Option3;
    Option4 = customer_->Option4;
    Frame3 = customer_->Frame3;
    Label1 = customer_->Label1;
    TxtName = customer_->TxtName;
    Label11 = customer_->Label11;
    Label12 = customer_->Label12;
    Label9 = customer_->Label9;
    Label10 = customer_->Label10;
    TxtRemark = Named<QLineEdit>("TxtRemark");
    LblID = ValueLabel("LblID");
    LblMovieName = ValueLabel("LblMovieName");
    LblCDID = ValueLabel("LblCDID");
    ListView1 = Named<ListView>("ListView1");
    ListView1->SetCheckboxes(true);
    ListView1->ColumnHeaders().Add("Copy", QStringLiteral("光盘"), 1800);
    // The right button over the copies pops up "全部选中" / "全部取消".
    frmMenu::AttachTo(ListView1);
    Command1 = Named<QPushButton>("Command1", QStringLiteral("确认出售(&N)"));
    Command2 = Named<QPushButton>("Command2", QStringLiteral("不买这张光盘(&C)"));
    Command1->setDefault(true);
    CheckOutLayout::Arrange(
        this, {customer_, TxtRemark, LblID, LblMovieName, LblCDID, ListView1, Command1, Command2,
               QStringLiteral("出售光盘编号"), QStringLiteral("选择售出光盘")});

    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    OnGotFocus(TxtRemark, this, [this] { SelectAllText(TxtRemark); });
}

void frmControlSell::OpenFor(SaleBasketPanel* panel, std::optional<LineEdit> edit) {
    panel_ = panel;
    editing_ = std::move(edit);
    armed_ = true;
}

// Runs when the dialog first loads, and again at every opening (the openers call it).
void frmControlSell::Form_Load() {
    if (gSellBasket.Open) {
        customer_->ShowBasketCustomer(gSellBasket, kMemberUser);
    } else {
        gSellBasket.MoneySum = 0;
        gSellBasket.CountSum = 0;
        if (panel_) panel_->PrepareColumns();
        customer_->StartNewCustomer();
    }
    TxtRemark->clear();
    update();
}

void frmControlSell::Option3_Click() {
    customer_->Option3_Click();
}

void frmControlSell::Option4_Click() {
    customer_->Option4_Click();
}

void frmControlSell::TxtName_LostFocus() {
    customer_->TxtName_LostFocus();
}

void frmControlSell::Form_KeyUp(int& KeyCode, int Shift) {
    CopyChecks::KeyUp(ListView1, KeyCode, Shift);
}

void frmControlSell::Command1_Click() {
    if (!armed_ || !panel_) return;  // confirmed or left already: a second press does nothing
    if (!Confirm()) return;
    armed_ = false;
    editing_.reset();
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    Hide();
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
    request.offered = ListView1->ListItems().Count();
    request.pricePerCopy = customer_->MemberChosen() ? MemberPrice : Price;
    request.remark = TxtRemark->text();
    request.now = Now();
    request.rewritesLine = editing_.has_value();
    const SaleCheckOut::Result result = SaleCheckOut::Run(gConn, request);
    if (result.outcome == SaleCheckOut::Outcome::NumbersUsedUp) {
        MsgBox(QStringLiteral("出售编号 0001 至 9999 已经全部用完，不能再开始新的出售。"),
               vbExclamation, QStringLiteral("提示"));
        return false;
    }
    panel_->LineWritten(result, LblID->Caption(), LblMovieName->Caption(), editing_.has_value());
    return true;
}

void frmControlSell::Command2_Click() {
    if (!armed_) return;
    if (LeaveWithoutConfirming())
        Unload();
    else
        Hide();
}

// The close box is "不买这张光盘(&C)".
void frmControlSell::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != vbFormControlMenu || !armed_) return;
    if (!LeaveWithoutConfirming()) {
        Cancel = 1;
        Hide();
    }
}

bool frmControlSell::LeaveWithoutConfirming() {
    armed_ = false;
    if (editing_) {
        gSellBasket.CountSum += editing_->copies;
        gSellBasket.MoneySum = RoundHalfUp(gSellBasket.MoneySum + editing_->money, 2);
        editing_.reset();
    }
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    if (!panel_) return true;
    if (panel_->Page().lvwSell->ListItems().Count() > 0) {
        panel_->KeepOpen();
        return false;
    }
    panel_->CloseEmpty();
    return true;
}
