#include "counter/SaleBasketPanel.h"

#include <QPointer>
#include <QPushButton>

#include "core/CopyList.h"
#include "core/ShelfCopies.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/MainWindowWait.h"
#include "counter/SaleLineRemoval.h"
#include "counter/SaleSettlement.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "platform/db/Statement.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kPrices = "select sellprice, membersellprice from cdinfo where cdid = ?1";

// A title without a sale price is sold at 0 to everyone; a member's price not set is 0.
void SetPrices(frmControlSell& dialog, const Value& price, const Value& memberPrice) {
    dialog.Price = Money::FromStored(price.ToDouble());
    dialog.MemberPrice = price.IsNull() ? Money() : Money::FromStored(memberPrice.ToDouble());
}

void ShowCheckOut(frmControlSell& dialog) {
    dialog.Show(vbModeless, BasketPanel::Owner());
    dialog.update();
    dialog.Command2->setFocus();
}
}  // namespace

SaleBasketPanel::SaleBasketPanel(CounterPage& page)
    : BasketPanel(page, page.lvwSell, QStringLiteral("SellID")) {
    Handle(page_.Command15, &QPushButton::clicked, this, [this] { Command15_Click(); });
    Handle(page_.CmdSellEdit, &QPushButton::clicked, this, [this] { CmdSellEdit_Click(); });
    Handle(page_.CmdDelSellCD, &QPushButton::clicked, this, [this] { CmdDelSellCD_Click(); });
    Handle(page_.CmdSellTax, &QPushButton::clicked, this, [this] { CmdSellTax_Click(); });
    Handle(page_.LblSellMoney, &Label::Change, this, [this] { LblSellMoney_Change(); });
}

void SaleBasketPanel::Command15_Click() {
    if (!IsCurrentPage() || busy_ || EditHeld()) return;
    Recordset* titles = page_.adoDispCDInfo.get();
    if (!titles || !titles->IsOpen() || !titles->HasCurrentRow()) return;
    const BusyFlag busy(busy_);
    frmControlSell& dialog = frmControlSell::instance();
    QPointer<frmControlSell> alive(&dialog);
    dialog.OpenFor(this);
    dialog.Form_Load();
    dialog.LblID->SetCaption(NullToStr((*titles)["ID"]));
    dialog.LblCDID->SetCaption((*titles)["cdid"].ToString());
    dialog.LblMovieName->SetCaption(NullToStr((*titles)["Name"]));
    SetPrices(dialog, (*titles)["sellprice"], (*titles)["membersellprice"]);
    CopyChecks::CopyAllChecked(page_.ListView1, dialog.ListView1);
    if (!MainWindowWait::UntilActive() || !alive) return;
    ShowCheckOut(dialog);
}

// The line's copies come back checked among the title's copies on the shelf, the title's
// labels and prices from its own row. The basket keeps the line as it is until the dialog
// is confirmed; meanwhile nothing else changes the basket.
void SaleBasketPanel::CmdSellEdit_Click() {
    if (!IsCurrentPage() || busy_ || EditHeld()) return;
    ListItem* row = page_.lvwSell->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const std::optional<BasketLines::Line> line =
        BasketLines::Sale.Of(gConn, row->SubItem("SellID"));
    if (!line) return;
    const QString cdid = line->lineId.left(12);
    // The line's own copies are sold: the shelf is every copy neither out nor sold.
    const std::optional<ShelfCopies> shelf = ShelfCopies::OfTitle(gConn, cdid);
    if (!shelf) return;
    Statement prices(gConn, kPrices);
    prices.Bind({cdid});
    if (!prices.Step()) return;

    frmControlSell& dialog = frmControlSell::instance();
    QPointer<frmControlSell> alive(&dialog);
    dialog.OpenFor(this, line->lineId);
    dialog.Form_Load();
    dialog.LblID->SetCaption(line->id);
    dialog.LblCDID->SetCaption(cdid);
    dialog.LblMovieName->SetCaption(line->name);
    SetPrices(dialog, prices.Column(0), prices.Column(1));
    CopyChecks::FillForLine(dialog.ListView1, shelf->Copies, CopyList::Numbers(line->copyList));
    if (!MainWindowWait::UntilActive() || !alive) return;
    ShowCheckOut(dialog);
}

void SaleBasketPanel::CmdDelSellCD_Click() {
    if (!IsCurrentPage() || busy_ || !gSellBasket.Open || EditHeld()) return;
    ListItem* row = page_.lvwSell->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const SaleLineRemoval::Result removed =
        SaleLineRemoval::Run(gConn, gSellBasket, row->SubItem("SellID"));
    page_.lvwSell->SetSelectedItem(nullptr);  // a second press finds nothing to remove
    if (removed.basketEmpty) {
        frmControlSell::unload();
        page_.CloseSellBasket();
    } else {
        ShowBasket(true);
    }
    Refresh();
}

void SaleBasketPanel::CmdSellTax_Click() {
    if (!IsCurrentPage() || busy_ || !gSellBasket.Open || EditHeld()) return;
    const BusyFlag busy(busy_);
    const QString typed = page_.MskFactSellMoney->Text().trimmed();
    const std::optional<Money> received = Money::FromTyped(typed, AmountSign::MayBeNegative);
    if (!received) {
        MsgBox(AmountRefusal(QStringLiteral("实收金额"), typed, AmountSign::MayBeNegative),
               vbInformation, QStringLiteral("提示"));
        page_.MskFactSellMoney->setFocus();
        return;
    }
    const QString customer = page_.LblSellUserName->Caption();
    const frmSellPay::Choice choice = frmSellPay::Ask(*received, customer, Owner());
    if (!choice.IsPay) return;
    SaleSettlement::Request request;
    request.basketNo = gSellBasket.No;
    request.amount = choice.amount;
    request.fromStoredMoney = choice.FromStoredMoney;
    request.customerKey = customer;
    request.shown = Shown();
    request.balanceShown = choice.balance;
    const SaleSettlement::Result settled = SaleSettlement::Run(gConn, request);
    if (!settled.refusal.isEmpty()) {
        MsgBox(settled.refusal, vbInformation, QStringLiteral("提示"));
        ShowBasket(false);
        return;
    }
    frmControlSell::unload();
    page_.CloseSellBasket();
    Refresh();
}

void SaleBasketPanel::LblSellMoney_Change() {
    page_.MskFactSellMoney->SetText(page_.LblSellMoney->Caption());
}

void SaleBasketPanel::LineWritten(const SaleCheckOut::Result& result) {
    gSellBasket = result.basket;
    ShowBasket(true);
    Refresh();
}

void SaleBasketPanel::KeepOpen() {
    gSellBasket.Open = true;
    ShowBasket(false);
}

void SaleBasketPanel::CloseEmpty() {
    page_.CloseSellBasket();
}

void SaleBasketPanel::ShowBasket(bool offerTotal) {
    const Sums sums = ShowStoredLines(BasketLines::Sale, gSellBasket.No);
    if (sums.lines == 0) {  // its lines went behind the panel's back
        page_.CloseSellBasket();
        return;
    }
    EnableButtons(true);
    ShowCustomer(page_.LblSellUserNameTotle, page_.LblSellUserName, gSellBasket);
    page_.LblSellCount->SetCaption(QString::number(sums.copies));
    page_.LblSellMoney->SetCaption(sums.amount.Text());
    // What the operator typed (an agreed discount) stays until the basket's lines change.
    if (offerTotal || sums.changed) page_.MskFactSellMoney->SetText(page_.LblSellMoney->Caption());
}

bool SaleBasketPanel::EditHeld() const {
    return EditHeldBy(frmControlSell::isLoaded() ? &frmControlSell::instance() : nullptr);
}

void SaleBasketPanel::EnableButtons(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{page_.CmdDelSellCD, page_.MskFactSellMoney,
                                                      page_.CmdSellTax, page_.CmdSellEdit})
        w->setEnabled(enabled);
}

void SaleBasketPanel::Refresh() {
    ShopEvents::AnnounceBasketsChanged(&page_);
}
