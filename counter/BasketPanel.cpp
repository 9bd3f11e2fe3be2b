#include "counter/BasketPanel.h"

#include "core/MainWindow.h"
#include "core/mdlMain.h"
#include "counter/BasketLines.h"
#include "counter/CheckOutForm.h"
#include "counter/CounterPage.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kMemberTitle = "会员编号：";
const char* const kWalkInTitle = "用户姓名：";
}  // namespace

BasketPanel::BasketPanel(CounterPage& page, ListView* lines, const QString& lineKey)
    : QObject(&page), page_(page), lines_(lines), lineKey_(lineKey) {}

bool BasketPanel::IsCurrentPage() const {
    return MainWindow::IsLoaded() && MainWindow::Get()->IsShowing(&page_);
}

QWidget* BasketPanel::Owner() {
    return MainWindow::Owner();
}

bool BasketPanel::HasLines() const {
    return lines_->ListItems().Count() > 0;
}

bool BasketPanel::EditHeldBy(CheckOutForm* dialog) {
    if (!dialog || !dialog->HoldsLineEdit()) return false;
    dialog->raise();
    dialog->activateWindow();
    return true;
}

void BasketPanel::PrepareColumns() {
    ColumnHeaderList columns = lines_->ColumnHeaders();
    columns.Clear();
    columns.Add("ID", QStringLiteral("光盘编号"), 1300);
    columns.Add(lineKey_, QStringLiteral("出租编号"), 0);
    columns.Add("MovieName", QStringLiteral("影片名称"), 4700);
    columns.Add("OutCount", QStringLiteral("出租数量"), 1100);
}

BasketPanel::Sums BasketPanel::ShowStoredLines(const BasketLines& kind, const QString& basketNo) {
    const ListItem* selected = lines_->SelectedItem();
    const QString selectedLine = selected ? selected->SubItem(lineKey_) : QString();
    if (lines_->ColumnHeaders().Count() == 0) PrepareColumns();
    ListItemList rows = lines_->ListItems();
    rows.Clear();
    Sums sums;
    for (const BasketLines::Line& line : kind.OfBasket(gConn, basketNo)) {
        ListItem* row = rows.Add(rows.Count() + 1, QString(), line.id);
        row->SetSubItem(lineKey_, line.lineId);
        row->SetSubItem("MovieName", line.name);
        row->SetSubItem("OutCount", QString::number(line.copies));
        if (line.lineId == selectedLine) lines_->SetSelectedItem(row);
        ++sums.lines;
        sums.copies += line.copies;
        sums.amount += line.amount;
    }
    sums.changed =
        sums.lines != shown_.lines || sums.copies != shown_.copies || sums.amount != shown_.amount;
    shown_ = sums;
    return sums;
}

void BasketPanel::ShowCustomer(Label* caption, Label* name, const Basket& basket) {
    const bool member = basket.UserType == kMemberUser;
    caption->SetCaption(QString::fromUtf8(member ? kMemberTitle : kWalkInTitle));
    name->SetCaption(basket.UserName);
}

bool BasketPanel::IsMemberCaption(const QString& caption) {
    return caption == QString::fromUtf8(kMemberTitle);
}
