#include "returns/ReturnPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ShopEvents.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FieldGrid.h"

namespace {
ListView* CopyList(const QString& name) {
    auto* l = Named<ListView>(name);
    l->ColumnHeaders().Add("Copy", "光盘", 1500);
    l->setMaximumHeight(120);
    return l;
}
}  // namespace

ReturnPage::ReturnPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("ReturnPage");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList(), 3);
    layout->addWidget(BuildDetailPanel(), 1);
    ConnectShop();
}

QWidget* ReturnPage::BuildList() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    CboSelTime = Named<QComboBox>("CboSelTime");
    CboSelTime->addItems(
        {"全部未还光盘", "今天借出", "昨天借出", "前天借出", "本周借出", "本月借出"});
    TxtFindBack = Named<QLineEdit>("TxtFindBack");
    TxtFindBack->setPlaceholderText(QStringLiteral("拼音缩写、光盘编号或会员编号，回车查找"));
    bar->addWidget(new QLabel(QStringLiteral("出租时间：")));
    bar->addWidget(CboSelTime);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("查找：")));
    bar->addWidget(TxtFindBack, 1);
    v->addLayout(bar);
    dgBorrow = Named<DataGrid>("dgBorrow");
    dgBorrow->AddColumn("出租人姓名", "name", 1500);
    dgBorrow->AddColumn("光盘编号", "id", 1200);
    dgBorrow->AddColumn("影片名称", "moviename", 3000);
    dgBorrow->AddColumn("借出日期", "borrowdate", 2400);
    dgBorrow->AddColumn("所押物品", "Credence", 1100);
    dgBorrow->SetAllowUpdate(false);
    v->addWidget(dgBorrow, 1);
    return box;
}

QGroupBox* ReturnPage::BuildDetailPanel() {
    Frame1 = Named<QGroupBox>("Frame1", QStringLiteral("详细信息"));
    auto* grid = new QGridLayout(Frame1);
    FieldGrid fields(grid, 1);
    auto* renter = new QWidget;
    auto* r = new QHBoxLayout(renter);
    r->setContentsMargins(0, 0, 0, 0);
    LblUserName = ValueLabel("LblUserName");
    LblUserName->setCursor(Qt::PointingHandCursor);
    Label68 = Named<Label>("Label68", QStringLiteral("←点击这里"));
    SetLabel68Red(true);
    r->addWidget(LblUserName);
    r->addWidget(Label68);
    r->addStretch();
    fields.Add("出租人姓名：", renter);
    fields.Add("影片名称：", LblMovieName = ValueLabel("LblMovieName"));
    fields.Add("借出日期：", LblBorrowDate = ValueLabel("LblBorrowDate"));
    fields.Add("应付租金：", LblTheoryMoney = ValueLabel("LblTheoryMoney"));
    fields.Add("实付租金：", LblFactMoney = ValueLabel("LblFactMoney"));
    auto* credence = new QWidget;
    auto* c = new QHBoxLayout(credence);
    c->setContentsMargins(0, 0, 0, 0);
    c->addWidget(LblCredence = ValueLabel("LblCredence"));
    c->addWidget(Label54 = ValueLabel("Label54"));
    c->addStretch();
    fields.Add("所押物品：", credence);
    fields.Add("光盘数量：", LblAllCount = ValueLabel("LblAllCount"));
    TxtBorrowRemark = Named<QPlainTextEdit>("TxtBorrowRemark");
    TxtBorrowRemark->setReadOnly(true);
    TxtBorrowRemark->setMaximumHeight(60);
    fields.Add("备    注：", TxtBorrowRemark);
    fields.AddWide(new QLabel(QStringLiteral("已还光盘列表")));
    fields.AddWide(ListView3 = CopyList("ListView3"));
    fields.AddWide(new QLabel(QStringLiteral("未还光盘列表")));
    fields.AddWide(ListView2 = CopyList("ListView2"));
    Command5 = Named<QPushButton>("Command5", QStringLiteral("处理本次出租(&T)"));
    fields.AddWide(Command5);
    grid->setRowStretch(fields.Row(), 1);
    return Frame1;
}

void ReturnPage::SetDispBorrowSourse(const QString&) {
    // Not built yet: the open rentals come with the return windows; until then none is shown.
}

void ReturnPage::CboSelTime_Click() {
    SetDispBorrowSourse(" order by a.borrowdate desc");
}

void ReturnPage::SelectPeriod(const QString& text) {
    CboSelTime->setCurrentText(text);
    CboSelTime_Click();
}

void ReturnPage::RequeryDispBorrow() {
    if (adoDispBorrow && adoDispBorrow->IsOpen()) adoDispBorrow->Requery();
}

void ReturnPage::SetLabel68Red(bool red) {
    label68Red_ = red;
    Label68->setStyleSheet(red ? "color: #ff0000;" : "color: #ffffff;");
}

// ---- The page protocol and the rest of the shop ------------------------------------------

namespace {
const char* const kAllOpenRentals = "全部未还光盘";
}

void ReturnPage::Load() {
    SelectPeriod(QString::fromUtf8(kAllOpenRentals));
}

// The open rentals show titles' names: they follow changed titles.
void ReturnPage::ConnectShop() {
    connect(&ShopEvents::Get(), &ShopEvents::TitlesChanged, this, [this] {
        if (adoDispBorrow && adoDispBorrow->IsOpen() && !adoDispBorrow->HasPendingChanges())
            RunReported([this] { adoDispBorrow->Requery(); });
    });
}

void ReturnPage::Activate(int) {
    TxtFindBack->setFocus();
    SelectPeriod(QString::fromUtf8(kAllOpenRentals));
}

void ReturnPage::FocusDefault() {
    TxtFindBack->setFocus();
}

void ReturnPage::Blink() {
    SetLabel68Red(!Label68Red());
}
