#include "counter/BasketPanel.h"

#include "core/MainWindow.h"
#include "core/ShelfCopies.h"
#include "core/mdlMain.h"
#include "counter/CounterPage.h"
#include "platform/db/Statement.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"

namespace {
constexpr int kCdidLength = 12;
const char* const kMemberTitle = "会员编号：";
const char* const kWalkInTitle = "用户姓名：";
}  // namespace

BasketPanel::BasketPanel(CounterPage& page, ListView* lines, const QString& lineKey)
    : QObject(&page), page_(page), lines_(lines), lineKey_(lineKey) {}

bool BasketPanel::IsCurrentPage() const {
    return MainWindow::IsLoaded() && MainWindow::Get()->IsShowing(&page_);
}

QWidget* BasketPanel::Owner() {
    return MainWindow::IsLoaded() ? MainWindow::Get()->Window() : nullptr;
}

bool BasketPanel::HasLines() const {
    return lines_->ListItems().Count() > 0;
}

void BasketPanel::PrepareColumns() {
    ColumnHeaderList columns = lines_->ColumnHeaders();
    columns.Clear();
    columns.Add("ID", QStringLiteral("光盘编号"), 1300);
    columns.Add(lineKey_, QStringLiteral("出租编号"), 0);
    columns.Add("MovieName", QStringLiteral("影片名称"), 4700);
    columns.Add("OutCount", QStringLiteral("出租数量"), 1100);
}

void BasketPanel::ShowLine(const QString& lineId, const QString& id, const QString& movieName,
                           int copies, bool rewrote) {
    ListItem* row = lines_->FindItem(lineId, lvwSubItem);
    if (!row) {
        row = lines_->ListItems().Add(lines_->ListItems().Count() + 1, QString(), id);
        row->SetSubItem(lineKey_, lineId);
        row->SetSubItem("MovieName", movieName);
        row->SetSubItem("OutCount", "0");
    }
    const int before = rewrote ? 0 : static_cast<int>(Val(row->SubItem("OutCount")));
    row->SetSubItem("OutCount", QString::number(before + copies));
}

BasketPanel::LineToEdit BasketPanel::ReadLine(const ListItem& row, const char* lineSql) const {
    LineToEdit edit;
    edit.lineId = row.SubItem(lineKey_);
    edit.cdid = edit.lineId.left(kCdidLength);
    Statement line(gConn, lineSql);
    line.Bind({edit.lineId});
    const bool found = line.Step();
    edit.copies = found ? static_cast<int>(line.Column(0).ToInt())
                        : static_cast<int>(Val(row.SubItem("OutCount")));
    edit.lineCopies = found ? line.Column(1).ToString() : QString();
    return edit;
}

ShelfCopies BasketPanel::ShelfOf(const QString& cdid, const Statement& title) {
    return ShelfCopies::Of(gConn, cdid, static_cast<int>(title.Column(2).ToInt()),
                           title.Column(3).ToString(), title.Column(4).ToInt() != 0 ? 1 : 0);
}

void BasketPanel::ShowCustomer(Label* caption, Label* name, const Basket& basket) {
    const bool member = basket.UserType == kMemberUser;
    caption->SetCaption(QString::fromUtf8(member ? kMemberTitle : kWalkInTitle));
    name->SetCaption(basket.UserName);
}

bool BasketPanel::IsMemberCaption(const QString& caption) {
    return caption == QString::fromUtf8(kMemberTitle);
}
