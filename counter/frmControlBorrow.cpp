#include "counter/frmControlBorrow.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/MainWindow.h"
#include "core/mdlMain.h"
#include "counter/CheckOutLayout.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/CustomerFrames.h"
#include "counter/RentalBasketPanel.h"
#include "counter/RentalCheckOut.h"
#include "platform/app/Clock.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

frmControlBorrow::frmControlBorrow() {
    setObjectName("frmControlBorrow");
    setWindowTitle(QStringLiteral("出租登记"));
    SetKeyPreview(true);
    customer_ = new CustomerFrames(this, QStringLiteral("borrow"), QStringLiteral("借盘人姓名"));
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
    Command1 = Named<QPushButton>("Command1", QStringLiteral("确认出租(&N)"));
    Command2 = Named<QPushButton>("Command2", QStringLiteral("不借这张光盘(&C)"));
    Command1->setDefault(true);

    CheckOutLayout::Arrange(
        this, {customer_, TxtRemark, LblID, LblMovieName, LblCDID, ListView1, Command1, Command2,
               QStringLiteral("出租光盘编号"), QStringLiteral("选择借出光盘")});

    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    OnGotFocus(TxtRemark, this, [this] { SelectAllText(TxtRemark); });
}

void frmControlBorrow::OpenFor(RentalBasketPanel* panel, std::optional<LineEdit> edit) {
    panel_ = panel;
    editing_ = std::move(edit);
    armed_ = true;
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

void frmControlBorrow::Option3_Click() {
    customer_->Option3_Click();
}

void frmControlBorrow::Option4_Click() {
    customer_->Option4_Click();
}

void frmControlBorrow::TxtName_LostFocus() {
    customer_->TxtName_LostFocus();
}

void frmControlBorrow::Form_KeyUp(int& KeyCode, int Shift) {
    CopyChecks::KeyUp(ListView1, KeyCode, Shift);
}

void frmControlBorrow::Command1_Click() {
    if (!armed_ || !panel_) return;  // confirmed or left already: a second press does nothing
    if (!Confirm()) return;
    armed_ = false;
    editing_.reset();
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    Hide();
}

// The checks and the writing of one confirmation; false when it stopped with the dialog open.
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

void frmControlBorrow::Command2_Click() {
    if (!armed_) return;
    if (LeaveWithoutConfirming())
        Unload();
    else
        Hide();
}

// The close box is "不借这张光盘(&C)".
void frmControlBorrow::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != vbFormControlMenu || !armed_) return;
    if (!LeaveWithoutConfirming()) {
        Cancel = 1;
        Hide();
    }
}

bool frmControlBorrow::LeaveWithoutConfirming() {
    armed_ = false;
    if (editing_) {
        gBorrowBasket.CountSum += editing_->copies;
        gForeGiftSum += editing_->deposit;
        editing_.reset();
    }
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    if (!panel_) return true;
    if (panel_->Page().LvwReturn->ListItems().Count() > 0) {
        panel_->KeepOpen();
        return false;
    }
    panel_->CloseEmpty();
    return true;
}
