#include "counter/CheckOutForm.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "core/MainWindow.h"
#include "core/mdlMain.h"
#include "counter/BasketPanel.h"
#include "counter/CheckOutLayout.h"
#include "counter/CopyChecks.h"
#include "counter/CustomerFrames.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

void CheckOutForm::BuildControls(const Captions& captions) {
    customer_ = new CustomerFrames(this, captions.newIdKind, captions.buyerCaption);
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
    Command1 = Named<QPushButton>("Command1", captions.confirm);
    Command2 = Named<QPushButton>("Command2", captions.cancel);
    Command1->setDefault(true);

    CheckOutLayout::Arrange(this, {customer_, TxtRemark, LblID, LblMovieName, LblCDID, ListView1,
                                   Command1, Command2, captions.idCaption, captions.copiesCaption});

    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    OnGotFocus(TxtRemark, this, [this] { SelectAllText(TxtRemark); });
}

void CheckOutForm::Arm(BasketPanel* opener) {
    opener_ = opener;
    armed_ = true;
}

void CheckOutForm::Option3_Click() {
    customer_->Option3_Click();
}

void CheckOutForm::Option4_Click() {
    customer_->Option4_Click();
}

void CheckOutForm::TxtName_LostFocus() {
    customer_->TxtName_LostFocus();
}

void CheckOutForm::Form_KeyUp(int& KeyCode, int Shift) {
    CopyChecks::KeyUp(ListView1, KeyCode, Shift);
}

void CheckOutForm::Command1_Click() {
    if (!armed_ || !opener_) return;  // confirmed or left already: a second press does nothing
    if (!Confirm()) return;
    armed_ = false;
    ForgetEdit();
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    Hide();
}

void CheckOutForm::Command2_Click() {
    if (!armed_) return;
    if (LeaveWithoutConfirming())
        Unload();
    else
        Hide();
}

// The close box is the cancel button.
void CheckOutForm::Form_QueryUnload(int& Cancel, int UnloadMode) {
    if (UnloadMode != vbFormControlMenu || !armed_) return;
    if (!LeaveWithoutConfirming()) {
        Cancel = 1;
        Hide();
    }
}

bool CheckOutForm::LeaveWithoutConfirming() {
    armed_ = false;
    PutBackEdit();
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    if (!opener_) return true;
    if (opener_->HasLines()) {
        opener_->KeepOpen();
        return false;
    }
    opener_->CloseEmpty();
    return true;
}
