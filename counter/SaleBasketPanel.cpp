#include "counter/SaleBasketPanel.h"

#include <QPointer>
#include <QPushButton>

#include "core/CopyList.h"
#include "core/MainWindow.h"
#include "core/ShelfCopies.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "counter/CopyChecks.h"
#include "counter/CounterPage.h"
#include "counter/MainWindowWait.h"
#include "counter/SaleLineRemoval.h"
#include "counter/SaleSettlement.h"
#include "counter/frmControlSell.h"
#include "counter/frmSellPay.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kLine = "select sellcount, selllst from sellinfo where sellid = ?1";
const char* const kTitle =
    "select id, name, coalesce(count,0), station, coalesce(issell,0), sellprice, "
    "membersellprice from cdinfo where cdid = ?1";
const char* const kMemberTitle = "会员编号：";
const char* const kWalkInTitle = "用户姓名：";
constexpr int kCdidLength = 12;

class BusyFlag {
  public:
    explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~BusyFlag() { flag_ = false; }

  private:
    bool& flag_;
};

QWidget* Owner() {
    return MainWindow::IsLoaded() ? MainWindow::Get()->Window() : nullptr;
}

// A title without a sale price is sold at 0 to everyone; a member's price not set is 0.
void SetPrices(frmControlSell& dialog, const Value& price, const Value& memberPrice) {
    dialog.Price = price.IsNull() ? 0 : price.ToDouble();
    dialog.MemberPrice = price.IsNull() ? 0 : memberPrice.ToDouble();
}

void ShowCheckOut(frmControlSell& dialog) {
    dialog.Show(vbModeless, Owner());
    dialog.update();
    dialog.Command2->setFocus();
}
}  // namespace

SaleBasketPanel::SaleBasketPanel(CounterPage& page) : QObject(&page), page_(page) {
    Handle(page_.Command15, &QPushButton::clicked, this, [this] { Command15_Click(); });
    Handle(page_.CmdSellEdit, &QPushButton::clicked, this, [this] { CmdSellEdit_Click(); });
    Handle(page_.CmdDelSellCD, &QPushButton::clicked, this, [this] { CmdDelSellCD_Click(); });
    Handle(page_.CmdSellTax, &QPushButton::clicked, this, [this] { CmdSellTax_Click(); });
    Handle(page_.LblSellMoney, &Label::Change, this, [this] { LblSellMoney_Change(); });
}

bool SaleBasketPanel::IsCurrentPage() const {
    return MainWindow::IsLoaded() && MainWindow::Get()->IsShowing(&page_);
}

void SaleBasketPanel::Command15_Click() {
    if (!IsCurrentPage() || busy_) return;
    Recordset* titles = page_.adoDispCDInfo.get();
    if (!titles || !titles->IsOpen() || !titles->HasCurrentRow()) return;
    const BusyFlag busy(busy_);
    frmControlSell& dialog = frmControlSell::instance();
    QPointer<frmControlSell> alive(&dialog);
    dialog.OpenFor(this, std::nullopt);
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
// labels and prices from its own row; its copies and money leave the basket's totals until
// the dialog is confirmed or left.
void SaleBasketPanel::CmdSellEdit_Click() {
    if (!IsCurrentPage() || busy_) return;
    ListItem* row = page_.lvwSell->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const QString sellid = row->SubItem("SellID");
    const QString cdid = sellid.left(kCdidLength);
    Statement line(gConn, kLine);
    line.Bind({sellid});
    const bool found = line.Step();
    const int copies = found ? static_cast<int>(line.Column(0).ToInt())
                             : static_cast<int>(Val(row->SubItem("OutCount")));
    const QString lineCopies = found ? line.Column(1).ToString() : QString();
    Statement title(gConn, kTitle);
    title.Bind({cdid});
    if (!title.Step()) return;
    // The line's own copies are sold: the shelf is every copy neither out nor sold.
    const ShelfCopies shelf =
        ShelfCopies::Of(gConn, cdid, static_cast<int>(title.Column(2).ToInt()),
                        title.Column(3).ToString(), title.Column(4).ToInt() != 0 ? 1 : 0);

    frmControlSell& dialog = frmControlSell::instance();
    QPointer<frmControlSell> alive(&dialog);
    dialog.OpenFor(this, std::nullopt);
    dialog.Form_Load();
    dialog.LblID->SetCaption(NullToStr(title.Column(0)));
    dialog.LblCDID->SetCaption(cdid);
    dialog.LblMovieName->SetCaption(NullToStr(title.Column(1)));
    SetPrices(dialog, title.Column(5), title.Column(6));
    CopyChecks::FillForLine(dialog.ListView1, shelf.Copies, CopyList::Numbers(lineCopies));
    if (!MainWindowWait::UntilActive() || !alive) return;

    const double money =
        RoundHalfUp(copies * SaleLineRemoval::PricePerCopy(gConn, cdid, gSellBasket.UserName), 2);
    gSellBasket.CountSum -= copies;
    gSellBasket.MoneySum = RoundHalfUp(gSellBasket.MoneySum - money, 2);
    dialog.OpenFor(this, frmControlSell::LineEdit{sellid, copies, money});
    ShowCheckOut(dialog);
}

void SaleBasketPanel::CmdDelSellCD_Click() {
    if (!IsCurrentPage() || busy_ || !gSellBasket.Open) return;
    ListItem* row = page_.lvwSell->SelectedItem();
    if (!row) return;
    const BusyFlag busy(busy_);
    const SaleLineRemoval::Result removed =
        SaleLineRemoval::Run(gConn, gSellBasket, row->SubItem("SellID"));
    gSellBasket.MoneySum = RoundHalfUp(gSellBasket.MoneySum - removed.money, 2);
    gSellBasket.CountSum -= removed.copies;
    ShowTotals();
    page_.MskFactSellMoney->SetText(page_.LblSellMoney->Caption());
    page_.lvwSell->ListItems().Remove(row->Index());
    page_.lvwSell->SetSelectedItem(nullptr);  // a second press finds nothing to remove
    if (page_.lvwSell->ListItems().Count() == 0 || removed.basketEmpty) {
        frmControlSell::unload();
        page_.CloseSellBasket();
    }
    Refresh();
}

void SaleBasketPanel::CmdSellTax_Click() {
    if (!IsCurrentPage() || busy_ || !gSellBasket.Open) return;
    const BusyFlag busy(busy_);
    const QString typed = page_.MskFactSellMoney->Text().trimmed();
    const std::optional<double> received = ParseAmount(typed);
    if (!received) {
        MsgBox(QStringLiteral("实收金额“%1”不是正确的金额，请输入金额，例如 12.50 或 ￥12.50。")
                   .arg(typed.left(40)),
               vbInformation, QStringLiteral("提示"));
        page_.MskFactSellMoney->setFocus();
        return;
    }
    const double amount = RoundHalfUp(*received, 2);
    const QString customer = page_.LblSellUserName->Caption();
    const frmSellPay::Choice choice = frmSellPay::Ask(amount, customer, Owner());
    if (!choice.IsPay) return;
    SaleSettlement::Request request;
    request.basketNo = gSellBasket.No;
    request.amount = amount;
    request.fromStoredMoney = choice.FromStoredMoney;
    request.customerKey = customer;
    SaleSettlement::Run(gConn, request);
    frmControlSell::unload();
    page_.CloseSellBasket();
    if (request.fromStoredMoney) ShopEvents::AnnounceMembersChanged(&page_);
    Refresh();
}

void SaleBasketPanel::LblSellMoney_Change() {
    page_.MskFactSellMoney->SetText(page_.LblSellMoney->Caption());
}

void SaleBasketPanel::PrepareColumns() {
    ColumnHeaderList columns = page_.lvwSell->ColumnHeaders();
    columns.Clear();
    columns.Add("ID", QStringLiteral("光盘编号"), 1300);
    columns.Add("SellID", QStringLiteral("出租编号"), 0);
    columns.Add("MovieName", QStringLiteral("影片名称"), 4700);
    columns.Add("OutCount", QStringLiteral("出租数量"), 1100);
}

void SaleBasketPanel::LineWritten(const SaleCheckOut::Result& result, const QString& id,
                                  const QString& movieName, bool rewrote) {
    const int copies = static_cast<int>(result.basket.CountSum - gSellBasket.CountSum);
    gSellBasket = result.basket;
    ListView* list = page_.lvwSell;
    ListItem* row = list->FindItem(result.sellid, lvwSubItem);
    if (!row) {
        row = list->ListItems().Add(list->ListItems().Count() + 1, QString(), id);
        row->SetSubItem("SellID", result.sellid);
        row->SetSubItem("MovieName", movieName);
        row->SetSubItem("OutCount", "0");
    }
    const int before = rewrote ? 0 : static_cast<int>(Val(row->SubItem("OutCount")));
    row->SetSubItem("OutCount", QString::number(before + copies));
    EnableButtons(true);
    const bool member = gSellBasket.UserType == kMemberUser;
    page_.LblSellUserNameTotle->SetCaption(QString::fromUtf8(member ? kMemberTitle : kWalkInTitle));
    page_.LblSellUserName->SetCaption(gSellBasket.UserName);
    ShowTotals();
    Refresh();
}

void SaleBasketPanel::KeepOpen() {
    gSellBasket.Open = true;
    EnableButtons(true);
}

void SaleBasketPanel::CloseEmpty() {
    page_.CloseSellBasket();
}

void SaleBasketPanel::ShowTotals() {
    page_.LblSellCount->SetCaption(QString::number(gSellBasket.CountSum));
    page_.LblSellMoney->SetCaption(Format(gSellBasket.MoneySum, kMoneyFormat));
}

void SaleBasketPanel::EnableButtons(bool enabled) {
    for (QWidget* w : std::initializer_list<QWidget*>{page_.CmdDelSellCD, page_.MskFactSellMoney,
                                                      page_.CmdSellTax, page_.CmdSellEdit})
        w->setEnabled(enabled);
}

void SaleBasketPanel::Refresh() {
    ShopEvents::AnnounceBasketsChanged(&page_);
    ShopEvents::AnnounceTitlesChanged(&page_);
    if (!MainWindow::IsLoaded()) return;
    MainWindow::Get()->SetDispSourse("");
    MainWindow::Get()->SetDispBorrowSourse("");
}
