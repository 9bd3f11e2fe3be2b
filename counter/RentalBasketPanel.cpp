#include "counter/RentalBasketPanel.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>

#include "core/CopyList.h"
#include "core/MainWindow.h"
#include "core/ShelfCopies.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/DepositDue.h"
#include "counter/MainWindowWait.h"
#include "counter/RentalLineRemoval.h"
#include "counter/RentalSettlement.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmUseTaxPay.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kLine = "select borrowcount, borrowlst from borrowinfo where borrowid = ?1";
const char* const kTitle =
    "select id, name, coalesce(count,0), station, coalesce(issell,0) from cdinfo where cdid = ?1";

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
    if (!IsCurrentPage() || busy_) return;
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
    dialog.OpenFor(this, std::nullopt);
    dialog.Form_Load();
    ShowCheckOut(dialog);
}

// The line's copies come back checked among the title's copies on the shelf; the line's
// copies and deposit leave the basket's totals until the dialog is confirmed or left.
void RentalBasketPanel::CmdBorrowEdit_Click() {
    if (!IsCurrentPage() || busy_) return;
    ListItem* row = page_.LvwReturn->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const auto [borrowid, cdid, copies, lineCopies] = ReadLine(*row, kLine);
    Statement title(gConn, kTitle);
    title.Bind({cdid});
    if (!title.Step()) return;
    const ShelfCopies shelf = ShelfOf(cdid, title);

    frmControlBorrow& dialog = frmControlBorrow::instance();
    QPointer<frmControlBorrow> alive(&dialog);
    dialog.LblID->SetCaption(NullToStr(title.Column(0)));
    dialog.LblCDID->SetCaption(cdid);
    dialog.LblMovieName->SetCaption(NullToStr(title.Column(1)));
    CopyChecks::FillForLine(dialog.ListView1, shelf.Copies, CopyList::Numbers(lineCopies));
    if (!MainWindowWait::UntilActive() || !alive) return;

    const double deposit =
        DepositDue::Read(gConn, gBorrowBasket.UserName).OfCopies(gConn, cdid, copies);
    gBorrowBasket.CountSum -= copies;
    gForeGiftSum -= deposit;
    dialog.OpenFor(this, frmControlBorrow::LineEdit{borrowid, copies, deposit});
    dialog.Form_Load();
    ShowCheckOut(dialog);
}

void RentalBasketPanel::CmdDel_Click() {
    if (!IsCurrentPage() || busy_ || !gBorrowBasket.Open) return;
    ListItem* row = page_.LvwReturn->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const RentalLineRemoval::Result removed =
        RentalLineRemoval::Run(gConn, gBorrowBasket, row->SubItem("BorrowID"));
    gForeGiftSum = RoundHalfUp(gForeGiftSum - removed.deposit, 2);
    gBorrowBasket.CountSum -= removed.copies;
    const bool typedAmount = ParseAmount(page_.TxtCredence->text()).has_value();
    ShowTotals();
    if (typedAmount) page_.TxtCredence->setText(page_.LblMoneyBorrowCreSum->Caption());
    page_.LvwReturn->ListItems().Remove(row->Index());
    page_.LvwReturn->SetSelectedItem(nullptr);  // a second press finds nothing to remove
    if (page_.LvwReturn->ListItems().Count() == 0 || removed.basketEmpty) {
        frmControlBorrow::unload();
        page_.CloseBorrowBasket();
    }
    Refresh();
}

void RentalBasketPanel::CmdTax_Click() {
    if (!IsCurrentPage() || busy_ || !gBorrowBasket.Open) return;
    const BusyFlag busy(busy_);
    TxtCredence_LostFocus();
    const QString credence = page_.TxtCredence->text();
    const int pay = frmUseTaxPay::Ask(
        credence, IsMemberCaption(page_.LblBorrowUserNameTotle->Caption()), Owner());
    if (pay < 0) return;
    RentalSettlement::Request request;
    request.basketNo = gBorrowBasket.No;
    const std::optional<double> amount = ParseAmount(credence);
    if (pay == frmUseTaxPay::kWaived) {
        request.kind = RentalSettlement::MemberWaived;
    } else if (amount) {
        request.kind = RentalSettlement::Cash;
        request.amount = RoundHalfUp(*amount, 2);
    } else {
        request.kind = RentalSettlement::Pledge;
        request.pledge = credence;
    }
    RentalSettlement::Run(gConn, request);
    frmControlBorrow::unload();
    page_.CloseBorrowBasket();
    Refresh();
}

void RentalBasketPanel::TxtCredence_LostFocus() {
    const std::optional<double> amount = ParseAmount(page_.TxtCredence->text());
    if (amount) page_.TxtCredence->setText(Format(RoundHalfUp(*amount, 2), kMoneyFormat));
}

void RentalBasketPanel::LineWritten(const RentalCheckOut::Result& result, const QString& id,
                                    const QString& movieName, bool rewrote) {
    const int copies = static_cast<int>(result.basket.CountSum - gBorrowBasket.CountSum);
    gBorrowBasket = result.basket;
    gForeGiftSum = RoundHalfUp(gForeGiftSum + result.deposit, 2);
    ShowLine(result.borrowid, id, movieName, copies, rewrote);
    EnableButtons(true);
    ShowCustomer(page_.LblBorrowUserNameTotle, page_.LblBorrowUserName, gBorrowBasket);
    ShowTotals();
    page_.TxtCredence->setText(page_.LblMoneyBorrowCreSum->Caption());
    Refresh();
}

void RentalBasketPanel::KeepOpen() {
    gBorrowBasket.Open = true;
    EnableButtons(true);
}

void RentalBasketPanel::CloseEmpty() {
    page_.CloseBorrowBasket();
}

void RentalBasketPanel::ShowTotals() {
    page_.LblNotBackCount->SetCaption(QString::number(gBorrowBasket.CountSum));
    page_.LblMoneyBorrowCreSum->SetCaption(Format(gForeGiftSum, kMoneyFormat));
}

void RentalBasketPanel::EnableButtons(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{page_.CmdDel, page_.CmdBorrowEdit,
                                                      page_.TxtCredence, page_.CmdTax})
        w->setEnabled(enabled);
}

void RentalBasketPanel::Refresh() {
    ShopEvents::AnnounceBasketsChanged(&page_);
    ShopEvents::AnnounceRentalsChanged(&page_);
    ShopEvents::AnnounceTitlesChanged(&page_);
    if (!MainWindow::IsLoaded()) return;
    MainWindow::Get()->SetDispSourse("");
    MainWindow::Get()->SetDispBorrowSourse("");
}
