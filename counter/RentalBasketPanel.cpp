#include "counter/RentalBasketPanel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "core/CopyList.h"
#include "core/ShelfCopies.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/MainWindowWait.h"
#include "counter/RentalLineRemoval.h"
#include "counter/RentalSettlement.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmUseTaxPay.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

namespace {
// Shows the dialog beside the main window; the focus goes to the copies when a basket is
// open (the customer is fixed), else to the customer's kind.
void ShowCheckOut(frmControlBorrow& dialog) {
    dialog.Show(vbModeless, BasketPanel::Owner());
    if (gBorrowBasket.Open)
        dialog.ListView1->setFocus();
    else
        dialog.Option4->setFocus();
}
}  // namespace

RentalBasketPanel::RentalBasketPanel(CounterPage& page)
    : BasketPanel(page, page.LvwReturn, QStringLiteral("BorrowID")) {
    Handle(page_.CmdBorrow, &QPushButton::clicked, this, [this] { CmdBorrow_Click(); });
    Handle(page_.CmdBorrowEdit, &QPushButton::clicked, this, [this] { CmdBorrowEdit_Click(); });
    Handle(page_.CmdDel, &QPushButton::clicked, this, [this] { CmdDel_Click(); });
    Handle(page_.CmdTax, &QPushButton::clicked, this, [this] { CmdTax_Click(); });
    HandleLostFocus(page_.TxtCredence, this, [this] { TxtCredence_LostFocus(); });
    OnGotFocus(page_.TxtCredence, this, [this] {
        if (page_.Frame13->isVisible()) page_.TxtCredence->selectAll();
    });
}

void RentalBasketPanel::CmdBorrow_Click() {
    if (!IsCurrentPage() || busy_ || EditHeld()) return;
    Recordset* titles = page_.adoDispCDInfo.get();
    if (!titles || !titles->IsOpen() || !titles->HasCurrentRow()) return;
    const BusyFlag busy(busy_);
    frmControlBorrow& dialog = frmControlBorrow::instance();
    QPointer<frmControlBorrow> alive(&dialog);
    dialog.LblID->SetCaption(NullToStr((*titles)["ID"]));
    dialog.LblCDID->SetCaption((*titles)["cdid"].ToString());
    dialog.LblMovieName->SetCaption(NullToStr((*titles)["Name"]));
    CopyChecks::CopyAllChecked(page_.ListView1, dialog.ListView1);
    if (!MainWindowWait::UntilActive() || !alive) return;
    dialog.OpenFor(this);
    dialog.Form_Load();
    ShowCheckOut(dialog);
}

// The line's copies come back checked among the title's copies on the shelf, the labels
// from the line's own title. The basket keeps the line as it is until the dialog is
// confirmed; meanwhile nothing else changes the basket.
void RentalBasketPanel::CmdBorrowEdit_Click() {
    if (!IsCurrentPage() || busy_ || EditHeld()) return;
    ListItem* row = page_.LvwReturn->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const std::optional<BasketLines::Line> line =
        BasketLines::Rental.Of(gConn, row->SubItem("BorrowID"));
    if (!line) return;
    const QString cdid = line->lineId.left(12);
    const std::optional<ShelfCopies> shelf = ShelfCopies::OfTitle(gConn, cdid);
    if (!shelf) return;

    frmControlBorrow& dialog = frmControlBorrow::instance();
    QPointer<frmControlBorrow> alive(&dialog);
    dialog.LblID->SetCaption(line->id);
    dialog.LblCDID->SetCaption(cdid);
    dialog.LblMovieName->SetCaption(line->name);
    CopyChecks::FillForLine(dialog.ListView1, shelf->Copies, CopyList::Numbers(line->copyList));
    if (!MainWindowWait::UntilActive() || !alive) return;
    dialog.OpenFor(this, line->lineId);
    dialog.Form_Load();
    ShowCheckOut(dialog);
}

void RentalBasketPanel::CmdDel_Click() {
    if (!IsCurrentPage() || busy_ || !gBorrowBasket.Open || EditHeld()) return;
    ListItem* row = page_.LvwReturn->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const RentalLineRemoval::Result removed =
        RentalLineRemoval::Run(gConn, gBorrowBasket, row->SubItem("BorrowID"));
    page_.LvwReturn->SetSelectedItem(nullptr);  // a second press finds nothing to remove
    if (removed.basketEmpty) {
        frmControlBorrow::unload();
        page_.CloseBorrowBasket();
    } else {
        ShowBasket(Credence::FollowAmount);
    }
    Refresh();
}

void RentalBasketPanel::CmdTax_Click() {
    if (!IsCurrentPage() || busy_ || !gBorrowBasket.Open || EditHeld()) return;
    const BusyFlag busy(busy_);
    // A member who has left is a walk-in: no waiver offered (the settlement checks again).
    const bool member = IsMemberCaption(page_.LblBorrowUserNameTotle->Caption()) &&
                        IsUserExist(gBorrowBasket.UserName);
    const frmUseTaxPay::Choice choice = frmUseTaxPay::Ask(ReadCredence(), member, Owner());
    if (choice.IsPay == frmUseTaxPay::kCancelled) return;
    RentalSettlement::Request request;
    request.basketNo = gBorrowBasket.No;
    request.shown = Shown();
    if (choice.IsPay == frmUseTaxPay::kWaived) {
        request.kind = RentalSettlement::MemberWaived;
    } else if (choice.deposit) {
        request.kind = RentalSettlement::Cash;
        request.amount = *choice.deposit;
    } else {
        request.kind = RentalSettlement::Pledge;
        request.pledge = choice.pledge;
    }
    const RentalSettlement::Result settled = RentalSettlement::Run(gConn, request);
    if (!settled.refusal.isEmpty()) {
        MsgBox(settled.refusal, vbInformation, QStringLiteral("提示"));
        ShowBasket(Credence::Keep);
        return;
    }
    frmControlBorrow::unload();
    page_.CloseBorrowBasket();
    Refresh();
}

void RentalBasketPanel::TxtCredence_LostFocus() {
    ReadCredence();
}

frmUseTaxPay::Credence RentalBasketPanel::ReadCredence() {
    const frmUseTaxPay::Credence credence = frmUseTaxPay::Credence::Read(page_.TxtCredence->text());
    if (credence.deposit) page_.TxtCredence->setText(credence.deposit->Text());
    return credence;
}

void RentalBasketPanel::LineWritten(const RentalCheckOut::Result& result) {
    gBorrowBasket = result.basket;
    ShowBasket(Credence::Offer);
    Refresh();
}

void RentalBasketPanel::KeepOpen() {
    gBorrowBasket.Open = true;
    ShowBasket(Credence::Keep);
}

void RentalBasketPanel::CloseEmpty() {
    page_.CloseBorrowBasket();
}

void RentalBasketPanel::ShowBasket(Credence credence) {
    const Sums sums = ShowStoredLines(BasketLines::Rental, gBorrowBasket.No);
    if (sums.lines == 0) {  // its lines went behind the panel's back
        page_.CloseBorrowBasket();
        return;
    }
    const bool typedAmount =
        Money::FromTyped(page_.TxtCredence->text(), AmountSign::MayBeNegative).has_value();
    EnableButtons(true);
    ShowCustomer(page_.LblBorrowUserNameTotle, page_.LblBorrowUserName, gBorrowBasket);
    page_.LblNotBackCount->SetCaption(QString::number(sums.copies));
    page_.LblMoneyBorrowCreSum->SetCaption(sums.amount.Text());
    // What was typed stays until the basket's lines change.
    if (credence == Credence::Offer || (sums.changed && typedAmount) ||
        (credence == Credence::FollowAmount && typedAmount))
        page_.TxtCredence->setText(page_.LblMoneyBorrowCreSum->Caption());
}

bool RentalBasketPanel::EditHeld() const {
    return EditHeldBy(frmControlBorrow::isLoaded() ? &frmControlBorrow::instance() : nullptr);
}

void RentalBasketPanel::EnableButtons(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{page_.CmdDel, page_.CmdBorrowEdit,
                                                      page_.TxtCredence, page_.CmdTax})
        w->setEnabled(enabled);
}

void RentalBasketPanel::Refresh() {
    ShopEvents::AnnounceBasketsChanged(&page_);
}
