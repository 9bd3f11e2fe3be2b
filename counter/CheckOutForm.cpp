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
#include "platform/ui/MsgBox.h"

void CheckOutForm::BuildControls(const Captions& captions) {
    action_ = captions.action;
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
    SetDefaultButton(Command1);
    SetCancelButton(Command2);

    CheckOutLayout::Arrange(this, {customer_, TxtRemark, LblID, LblMovieName, LblCDID, ListView1,
                                   Command1, Command2, captions.idCaption, captions.copiesCaption});

    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    OnGotFocus(TxtRemark, this, [this] { SelectAllText(TxtRemark); });
}

void CheckOutForm::Arm(BasketPanel* opener, const QString& editedLine) {
    opener_ = opener;
    editedLine_ = editedLine;
    armed_ = true;
}

bool CheckOutForm::Accepted(CheckOutOutcome outcome, const std::vector<int>& available) {
    QString prompt;
    QString title = QStringLiteral("提示");
    int icon = vbInformation;
    switch (outcome) {
        case CheckOutOutcome::Written:
        case CheckOutOutcome::NoCopies:
            return outcome == CheckOutOutcome::Written;
        case CheckOutOutcome::NumbersUsedUp:
            prompt =
                QStringLiteral("%1编号 0001 至 9999 已经全部用完，不能再开始新的%1。").arg(action_);
            icon = vbExclamation;
            break;
        case CheckOutOutcome::TitleGone:
            prompt = QStringLiteral("这张光盘已经从光盘库中删除，不能%1。").arg(action_);
            ListView1->ListItems().Clear();
            break;
        case CheckOutOutcome::CopiesGone:
            prompt = QStringLiteral(
                         "选择的光盘中有的已经不在架上（刚被出租或出售），这次没有%1。"
                         "请在列出的光盘中重新选择。")
                         .arg(action_);
            CopyChecks::ShowAvailable(ListView1, available, CopyChecks::Checked(ListView1),
                                      !editedLine_.isEmpty());
            break;
        case CheckOutOutcome::NoMember:
            prompt = QStringLiteral("没有这个会员，请检查会员编号是否输入错误！");
            title = QStringLiteral("没有此会员");
            break;
    }
    MsgBox(prompt, icon, title);
    return false;
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
    if (MainWindow::IsLoaded()) MainWindow::Get()->Window()->Show();
    if (!opener_) return true;
    if (opener_->HasLines()) {
        opener_->KeepOpen();
        return false;
    }
    opener_->CloseEmpty();
    return true;
}
