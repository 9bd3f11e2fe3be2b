#include "counter/CounterPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/CopyList.h"
#include "core/Filters.h"
#include "core/MainWindow.h"
#include "core/ShelfCopies.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "counter/BasketRollback.h"
#include "counter/CounterSearch.h"
#include "counter/DiscListQuery.h"
#include "counter/RentalBasketPanel.h"
#include "counter/SaleBasketPanel.h"
#include "counter/frmControlBorrow.h"
#include "counter/frmControlSell.h"
#include "platform/app/Clock.h"
#include "platform/text/Money.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FieldGrid.h"
#include "platform/ui/VbKeys.h"

namespace {

QComboBox* FixedCombo(const QString& name, const QStringList& items) {
    auto* c = Named<QComboBox>(name);
    c->addItems(items);
    return c;
}
}  // namespace

CounterPage::CounterPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("CounterPage");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildFilterBar(), 0, 0, 1, 2);
    layout->addWidget(BuildDiscList(), 1, 0);
    layout->addWidget(BuildDetailPanel(), 1, 1, 2, 1);
    auto* baskets = new QWidget;
    auto* basketLayout = new QHBoxLayout(baskets);
    basketLayout->setContentsMargins(0, 0, 0, 0);
    basketLayout->addWidget(BuildBorrowBasket());
    basketLayout->addWidget(BuildSellBasket());
    layout->addWidget(baskets, 2, 0);
    layout->setColumnStretch(0, 3);
    layout->setColumnStretch(1, 1);
    layout->setRowStretch(1, 3);
    layout->setRowStretch(2, 2);
    ApplyRentalLayout();
    RentalBasket = new RentalBasketPanel(*this);
    SaleBasket = new SaleBasketPanel(*this);
    ConnectList();
    SkipFocusWhenHidden();
    ConnectShop();
    OnClick(LblBorrowUserName, this, [this] { LblBorrowUserName_Click(); });
}

// The basket's customer: the information window stays open beside the counter.
void CounterPage::LblBorrowUserName_Click() {
    MainWindow::Get()->ShowMemberInfo(LblBorrowUserName->Caption(), false);
}

QWidget* CounterPage::BuildFilterBar() {
    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    CboMovietypeFind = Named<QComboBox>("CboMovietypeFind");
    CboTypeFind = Named<QComboBox>("CboTypeFind");
    CboDegree = FixedCombo("CboDegree", {"全部", "新盘", "普通", "旧盘"});
    CboStation = FixedCombo("CboStation", {"全部", "全部借出", "借出部分", "未借出"});
    Label76_3 = Named<QLabel>("Label76_3", QStringLiteral("出租状态："));
    TxtFind = Named<QLineEdit>("TxtFind");
    TxtFind->setPlaceholderText(QStringLiteral("拼音缩写或光盘编号，回车查找"));
    Label43 = Named<Label>("Label43");
    for (QComboBox* c : {CboMovietypeFind, CboTypeFind, CboDegree, CboStation})
        c->setMinimumContentsLength(6);
    row->addWidget(new QLabel(QStringLiteral("影片类型：")));
    row->addWidget(CboMovietypeFind);
    row->addWidget(new QLabel(QStringLiteral("光盘格式：")));
    row->addWidget(CboTypeFind);
    row->addWidget(new QLabel(QStringLiteral("新旧程度：")));
    row->addWidget(CboDegree);
    row->addWidget(Label76_3);
    row->addWidget(CboStation);
    row->addSpacing(16);
    row->addWidget(new QLabel(QStringLiteral("查找：")));
    row->addWidget(TxtFind, 1);
    row->addWidget(Label43);
    return bar;
}

QWidget* CounterPage::BuildDiscList() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    dgDispCDInfo = Named<DataGrid>("dgDispCDInfo");
    dgDispCDInfo->AddColumns({
        {"光盘编号", "id", 1100},
        {"影片名称", "name", 2400},
        {"影片类型", "movietype", 1000},
        {"光盘格式", "type", 1000},
        {"出租价格", "borrowprice", 1000, kMoneyFormat},
        {"会员价格", "MemberBorrowPrice", 1000, kMoneyFormat},
        {"出售价格", "SellPrice", 1000, kMoneyFormat},
        {"会员售价", "MemberSellPrice", 1000, kMoneyFormat},
        {"光盘个数", "count", 900},
        {"购买时间", "buydate", 1200},
        {"被借出次数", "outcount", 1100},
        {"产地", "born", 900},
    });
    dgDispCDInfo->SetAllowUpdate(false);
    LblCDCount = Named<Label>("LblCDCount", QStringLiteral("0"));
    auto* countRow = new QHBoxLayout;
    countRow->addStretch();
    countRow->addWidget(new QLabel(QStringLiteral("光盘个数：")));
    countRow->addWidget(LblCDCount);
    v->addWidget(dgDispCDInfo, 1);
    v->addLayout(countRow);
    return box;
}

QGroupBox* CounterPage::BuildDetailPanel() {
    Frame4 = Named<QGroupBox>("Frame4", QStringLiteral("当前光盘详细信息"));
    auto* grid = new QGridLayout(Frame4);
    FieldGrid fields(grid, 1);
    fields.Add("影片名称：", LblName = ValueLabel("LblName"));
    fields.Add("主要演员：", LblActor = ValueLabel("LblActor"));
    fields.Add("影片类型：", LblMovieType = ValueLabel("LblMovieType"));
    fields.Add("光盘格式：", LblType = ValueLabel("LblType"));
    fields.Add("产    地：", LblBorn = ValueLabel("LblBorn"));
    fields.Add("存放位置：", LblLocation = ValueLabel("LblLocation"));

    auto* prices = new QWidget;
    auto* p = new QHBoxLayout(prices);
    p->setContentsMargins(0, 0, 0, 0);
    p->addWidget(LblBorrowPrice = ValueLabel("LblBorrowPrice"));
    p->addWidget(new QLabel(QStringLiteral("会员：")));
    p->addWidget(LblBorrowMemberPrice = ValueLabel("LblBorrowMemberPrice"));
    Label17 = fields.Add("出租价格", prices, 1, "Label17");
    auto* sellPrices = new QWidget;
    auto* s = new QHBoxLayout(sellPrices);
    s->setContentsMargins(0, 0, 0, 0);
    s->addWidget(LblSellPrice = ValueLabel("LblSellPrice"));
    s->addWidget(new QLabel(QStringLiteral("会员：")));
    s->addWidget(LblSellMemberPrice = ValueLabel("LblSellMemberPrice"));
    Label58 = fields.Add("出售价格", sellPrices, 1, "Label58");
    // The two price rows share one place: the mode shows one of them.
    prices->setProperty("pricesOf", "rental");
    sellPrices->setProperty("pricesOf", "sale");

    fields.Add("购买日期：", LblBuyDate = ValueLabel("LblBuyDate"));
    fields.Add("光盘个数：", LblCount = ValueLabel("LblCount"));
    fields.Add("被借次数：", LblOutCount = ValueLabel("LblOutCount"));
    fields.Add("借出日期：", LblOutDate = ValueLabel("LblOutDate"));
    fields.Add("光盘质量：", LblIsAbandon = ValueLabel("LblIsAbandon"));
    fields.Add("出租状态：", LblStation = ValueLabel("LblStation"));
    TxtDispContent = Named<QPlainTextEdit>("TxtDispContent");
    TxtDispContent->setReadOnly(true);
    TxtDispContent->setMaximumHeight(70);
    fields.Add("内容简介", TxtDispContent);
    fields.AddWide(new QLabel(QStringLiteral("未借出光盘列表")));
    ListView1 = Named<ListView>("ListView1");
    ListView1->SetCheckboxes(true);
    ListView1->ColumnHeaders().Add("Copy", "光盘", 1600);
    fields.AddWide(ListView1);

    CmdBorrow = Named<QPushButton>("CmdBorrow", QStringLiteral("出租此光盘(&B)"));
    Command15 = Named<QPushButton>("Command15", QStringLiteral("售出此光盘(&S)"));
    auto* buttons = new QWidget;
    auto* b = new QHBoxLayout(buttons);
    b->setContentsMargins(0, 0, 0, 0);
    b->addWidget(CmdBorrow);
    b->addWidget(Command15);
    fields.AddWide(buttons);
    grid->setRowStretch(fields.Row() - 2, 1);
    return Frame4;
}

namespace {
// The names and captions of one basket frame; the rental and sale baskets differ only in
// these and in their amount box.
struct BasketDesign {
    const char* frame;
    const char* caption;
    const char* list;
    const char* userTitle;
    const char* user;
    const char* countCaption;
    const char* count;
    const char* moneyCaption;
    const char* money;
    const char* amountCaption;
    const char* edit;
    const char* remove;
    const char* settle;
};

struct BasketControls {
    QGroupBox* frame;
    ListView* list;
    Label* userTitle;
    Label* user;
    Label* count;
    Label* money;
    QPushButton* edit;
    QPushButton* remove;
    QPushButton* settle;
};

BasketControls BuildBasket(const BasketDesign& d, QWidget* amount) {
    BasketControls c;
    c.frame = Named<QGroupBox>(d.frame, QString::fromUtf8(d.caption));
    auto* v = new QVBoxLayout(c.frame);
    c.list = Named<ListView>(d.list);
    v->addWidget(c.list, 1);
    auto* grid = new QGridLayout;
    FieldGrid fields(grid, 2);
    c.userTitle = Named<Label>(d.userTitle, QStringLiteral("用户姓名："));
    c.user = ValueLabel(d.user);
    // The customer on a row of its own, above the totals.
    auto* customer = new QHBoxLayout;
    customer->addWidget(c.userTitle);
    customer->addWidget(c.user, 1);
    v->addLayout(customer);
    fields.Add(QString::fromUtf8(d.countCaption), c.count = ValueLabel(d.count));
    fields.Add(QString::fromUtf8(d.moneyCaption), c.money = ValueLabel(d.money));
    fields.Add(QString::fromUtf8(d.amountCaption), amount, 2);
    v->addLayout(grid);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.edit = Named<QPushButton>(d.edit, QStringLiteral("编辑此光盘(&E)")));
    buttons->addWidget(c.remove = Named<QPushButton>(d.remove, QStringLiteral("删除此光盘(&I)")));
    buttons->addWidget(c.settle = Named<QPushButton>(d.settle, QStringLiteral("结    算(&M)")));
    v->addLayout(buttons);
    return c;
}
}  // namespace

QGroupBox* CounterPage::BuildBorrowBasket() {
    TxtCredence = Named<QLineEdit>("TxtCredence");
    const BasketControls c = BuildBasket(
        {"Frame13", "出租信息", "LvwReturn", "LblBorrowUserNameTotle", "LblBorrowUserName",
         "出租数量：", "LblNotBackCount", "押金合计：", "LblMoneyBorrowCreSum",
         "实收押金或抵押物品(Ctrl+O)：", "CmdBorrowEdit", "CmdDel", "CmdTax"},
        TxtCredence);
    Frame13 = c.frame;
    LvwReturn = c.list;
    LblBorrowUserNameTotle = c.userTitle;
    LblBorrowUserName = c.user;
    LblNotBackCount = c.count;
    LblMoneyBorrowCreSum = c.money;
    CmdBorrowEdit = c.edit;
    CmdDel = c.remove;
    CmdTax = c.settle;
    return Frame13;
}

QGroupBox* CounterPage::BuildSellBasket() {
    MskFactSellMoney = Named<MaskEdBox>("MskFactSellMoney");
    MskFactSellMoney->SetFormat(kMoneyFormat);
    const BasketControls c =
        BuildBasket({"Frame14", "出售信息", "lvwSell", "LblSellUserNameTotle", "LblSellUserName",
                     "出售数量：", "LblSellCount", "金额合计：", "LblSellMoney",
                     "实收金额(Ctrl+L)：", "CmdSellEdit", "CmdDelSellCD", "CmdSellTax"},
                    MskFactSellMoney);
    Frame14 = c.frame;
    lvwSell = c.list;
    LblSellUserNameTotle = c.userTitle;
    LblSellUserName = c.user;
    LblSellCount = c.count;
    LblSellMoney = c.money;
    // At rest the panel shows what the closing of a sale leaves.
    LblSellCount->SetCaption("0");
    LblSellMoney->SetCaption("0");
    CmdSellEdit = c.edit;
    CmdDelSellCD = c.remove;
    CmdSellTax = c.settle;
    return Frame14;
}

namespace {
// A control that is not hidden needs no showing. Shown while the page is still being built,
// it would be polished and laid out before the page takes the window's style, and then
// again.
void SetShown(QWidget* control, bool shown) {
    if (shown && !control->isHidden()) return;
    control->setVisible(shown);
}
}  // namespace

void CounterPage::SetModeVisibility(bool rental) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             Label76_3, CboStation, Label17, LblBorrowPrice->parentWidget(), Frame13, CmdBorrow})
        SetShown(w, rental);
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label58, LblSellPrice->parentWidget(), Frame14, Command15})
        SetShown(w, !rental);
    dgDispCDInfo->Columns(4).SetVisible(rental);
    dgDispCDInfo->Columns(5).SetVisible(rental);
    dgDispCDInfo->Columns(6).SetVisible(!rental);
    dgDispCDInfo->Columns(7).SetVisible(!rental);
}

void CounterPage::ApplyRentalLayout() {
    SetModeVisibility(true);
}

void CounterPage::ApplySaleLayout() {
    SetModeVisibility(false);
}

void CounterPage::CloseBorrowBasket() {
    LvwReturn->ListItems().Clear();
    LvwReturn->ColumnHeaders().Clear();
    LblBorrowUserName->SetCaption("");
    LblNotBackCount->SetCaption("0");
    LblMoneyBorrowCreSum->SetCaption("0");
    TxtCredence->setText("");
    gBorrowBasket.Open = false;
    for (QWidget* w : std::initializer_list<QWidget*>{CmdTax, CmdDel, CmdBorrowEdit, TxtCredence})
        w->setEnabled(false);
}

void CounterPage::CloseSellBasket() {
    lvwSell->ListItems().Clear();
    lvwSell->ColumnHeaders().Clear();
    LblSellUserName->SetCaption("");
    LblSellCount->SetCaption("0");
    LblSellMoney->SetCaption("0");
    MskFactSellMoney->SetText("0");
    gSellBasket.Open = false;
    for (QWidget* w :
         std::initializer_list<QWidget*>{CmdSellTax, CmdDelSellCD, CmdSellEdit, MskFactSellMoney})
        w->setEnabled(false);
}

// ---- The disc list, its filters, the search box and the detail panel ----------------

namespace {
// Heading click: the column's ORDER BY field; the other columns only flip the direction.
QString SortField(int column) {
    switch (column) {
        case 0:
            return QStringLiteral("id");
        case 2:
            return QStringLiteral("movietype");
        case 3:
            return QStringLiteral("type");
        case 4:
            return QStringLiteral("borrowprice");
        case 8:
            return QStringLiteral("count");
        case 9:
            return QStringLiteral("buydate");
        case 10:
            return QStringLiteral("outcount");
        case 11:
            return QStringLiteral("born");
        default:
            return QString();
    }
}

// What the panel shows of the current title beyond the list's columns, read for it alone:
// the list stays narrow, so that a refill reads less. The last column is how many rental
// lines the title has had, whatever their state.
const char* const kTitleDetails =
    "select actor, location, restcount, isabandon, station, Content, "
    "       (select count(*) from borrowinfo where substr(borrowid,1,12) = ?1) as lines "
    "from cdinfo where cdid = ?1";

QString MoneyText(const Value& v) {
    return Money::FromStored(v.ToDouble()).Text();
}

QString LongDate(const Value& v) {
    return FormatValue(v, QStringLiteral("Long Date"));
}
}  // namespace

void CounterPage::ConnectList() {
    for (QComboBox* c : {CboMovietypeFind, CboTypeFind, CboDegree, CboStation})
        Handle(c, &QComboBox::activated, this, [this] { CboFilter_Click(); });
    connect(dgDispCDInfo, &DataGrid::HeadClick, this,
            [this](int column) { RunReported([&] { dgDispCDInfo_HeadClick(column); }); });
    connect(LblStation, &Label::Change, this, [this] { LblStation_Change(); });
    connect(TxtFind, &QLineEdit::textChanged, this, [this] { Search->TextChanged(); });
    OnGotFocus(TxtFind, this, [this] { Search->TextChanged(); });
    OnKeyDown(TxtFind, this, [this](int& KeyCode, int Shift) { TxtFind_KeyDown(KeyCode, Shift); });
    OnKeyUp(TxtFind, this, [this](int& KeyCode, int Shift) { TxtFind_KeyUp(KeyCode, Shift); });
    Search = new CounterSearch(
        {dgDispCDInfo, Label43, [this] { return adoDispCDInfo.get(); },
         [this](bool anyRow) { ShowCheckOutButtons(anyRow); }, [this] { CheckOutCurrentTitle(); }},
        this);
}

// The controls of the mode not shown pass the focus on as soon as they get it.
void CounterPage::SkipFocusWhenHidden() {
    const std::pair<QWidget*, QWidget*> skips[] = {
        {CboStation, CboStation}, {CmdBorrow, CmdBorrow},     {Command15, Command15},
        {CmdBorrowEdit, Frame13}, {CmdDel, Frame13},          {CmdTax, Frame13},
        {TxtCredence, Frame13},   {CmdSellEdit, Frame14},     {CmdDelSellCD, Frame14},
        {CmdSellTax, Frame14},    {MskFactSellMoney, Frame14}};
    for (const auto& [control, tested] : skips) {
        OnGotFocus(control, this, [this, tested = tested] {
            if (!tested->isVisibleTo(this)) SendKeysTab();
        });
    }
}

void CounterPage::SetDispSourse(const QString& StrOrder) {
    Search->Forget();
    const DiscListQuery query(ListFilters(), Today());
    // Thousands of titles: the list shows its first rows and the count at once, and reads
    // the rest a moment later or when asked for.
    auto list = std::make_unique<Recordset>();
    list->SetCursorLocation(adUseServer);
    list->SetCountStatement(query.CountSql());
    list->Open(query.Sql(StrOrder), gConn, adLockReadOnly, query.Parameters());
    connect(list.get(), &Recordset::MoveComplete, this,
            [this] { RunReported([this] { adoDispCDInfo_MoveComplete(); }); });
    dgDispCDInfo->SetDataSource(list.get());
    adoDispCDInfo = std::move(list);
    ShowRefilledList();
}

DiscListQuery::Filters CounterPage::ListFilters() const {
    return {CboMovietypeFind->currentText(), CboTypeFind->currentText(), CboDegree->currentText(),
            CboStation->currentText()};
}

void CounterPage::RequeryDispCDInfo() {
    if (!adoDispCDInfo || !adoDispCDInfo->IsOpen()) return;
    Search->Forget();
    {
        // The panel is filled once, as after a refill, not at the requery's own move.
        const QScopedValueRollback<bool> quiet(requerying_, true);
        adoDispCDInfo->Requery();
    }
    ShowRefilledList();
}

void CounterPage::ShowRefilledList() {
    const int titles = adoDispCDInfo->RecordCount();
    ShowCheckOutButtons(titles > 0);
    LblCDCount->SetCaption(QString::number(titles));
    FillDetailPanel(true);
}

// Both buttons go together, whatever the mode: none without a title, none for a title
// with every copy out.
void CounterPage::ShowCheckOutButtons(bool anyRow) {
    CmdBorrow->setEnabled(anyRow);
    Command15->setEnabled(anyRow);
    if (anyRow) LblStation_Change();
}

// An empty list keeps both disabled: its panel's cleared caption enables nothing.
void CounterPage::LblStation_Change() {
    const bool anyTitle = adoDispCDInfo && adoDispCDInfo->RecordCount() > 0;
    const bool allOut = LblStation->Caption() == QStringLiteral("全部借出");
    CmdBorrow->setEnabled(anyTitle && !allOut);
    Command15->setEnabled(anyTitle && !allOut);
}

void CounterPage::CboFilter_Click() {
    SetDispSourse(QString());
}

void CounterPage::dgDispCDInfo_HeadClick(int ColIndex) {
    MainWindow* main = MainWindow::Get();
    if (!main) return;
    main->SortDirection = main->SortDirection == QStringLiteral("ASC") ? QStringLiteral("DESC")
                                                                       : QStringLiteral("ASC");
    const QString field = SortField(ColIndex);
    if (!field.isEmpty())
        SetDispSourse(DiscListQuery::SortOrder(field, main->SortDirection, ListFilters()));
}

void CounterPage::adoDispCDInfo_MoveComplete() {
    if (Search->Searching() || requerying_) return;
    FillDetailPanel(false);
}

// After a refill the panel's copy count is restcount, after a row move count: the
// catalogue saves both from the same input.
void CounterPage::FillDetailPanel(bool afterRefill) {
    const Recordset* rs = adoDispCDInfo.get();
    if (!rs || !rs->HasCurrentRow()) {
        ClearDetailPanel();
        return;
    }
    const Recordset& title = *rs;
    const QString cdid = NullToStr(title["cdid"]);
    Recordset details;
    details.Open(kTitleDetails, gConn, adLockReadOnly, {cdid});
    const auto detail = [&details](const char* field) {
        return details.AtEOF() ? Value() : details[QString::fromUtf8(field)];
    };
    LblName->SetCaption(NullToStr(title["name"]));
    LblActor->SetCaption(NullToStr(detail("actor")));
    LblMovieType->SetCaption(NullToStr(title["movietype"]));
    LblType->SetCaption(NullToStr(title["type"]));
    LblBorn->SetCaption(NullToStr(title["born"]));
    LblLocation->SetCaption(NullToStr(detail("location")));
    LblBorrowPrice->SetCaption(MoneyText(title["borrowprice"]));
    LblSellPrice->SetCaption(MoneyText(title["sellprice"]));
    LblBorrowMemberPrice->SetCaption(MoneyText(title["memberborrowprice"]));
    LblSellMemberPrice->SetCaption(MoneyText(title["membersellprice"]));
    LblBuyDate->SetCaption(LongDate(title["buydate"]));
    LblCount->SetCaption(NullToStr(afterRefill ? detail("restcount") : title["count"]));
    LblIsAbandon->SetCaption(detail("isabandon").ToInt() != 0 ? QStringLiteral("坏盘")
                                                              : QStringLiteral("盘很好呀！"));
    LblStation->SetCaption(NullToStr(detail("station")));
    LblOutCount->SetCaption(QString::number(detail("lines").ToInt()));
    TxtDispContent->setPlainText(NullToStr(detail("Content")));
    ShowShelfCopies(cdid, static_cast<int>(title["count"].ToInt()));
}

// The copies out and sold come from the lines themselves, whatever the title is marked.
void CounterPage::ShowShelfCopies(const QString& cdid, int count) {
    const ShelfCopies shelf = ShelfCopies::Of(gConn, cdid, count);
    LblOutDate->SetCaption(LongDate(shelf.OutDate));
    if (shelf.NothingOut) LblStation->SetCaption(QStringLiteral("未借出"));
    ListView1->ListItems().Clear();
    int index = 0;
    for (int copy : shelf.Copies) ListView1->ListItems().Add(++index, "", CopyList::CopyText(copy));
}

void CounterPage::ClearDetailPanel() {
    for (Label* l : {LblName, LblActor, LblMovieType, LblType, LblBorn, LblLocation, LblBorrowPrice,
                     LblBorrowMemberPrice, LblSellPrice, LblSellMemberPrice, LblBuyDate, LblCount,
                     LblOutCount, LblOutDate, LblIsAbandon, LblStation})
        l->SetCaption(QString());
    TxtDispContent->clear();
    ListView1->ListItems().Clear();
}

// Enter, Up and Down search; a scan that runs ignores them.
void CounterPage::TxtFind_KeyDown(int& KeyCode, int) {
    switch (KeyCode) {
        case vbKeyReturn:
            KeyCode = 0;
            RunReported([this] { Search->Enter(TxtFind->text()); });
            break;
        case vbKeyUp:
            RunReported([this] { Search->Up(); });
            break;
        case vbKeyDown:
            RunReported([this] { Search->Down(TxtFind->text()); });
            break;
        default:
            break;
    }
}

void CounterPage::TxtFind_KeyUp(int& KeyCode, int) {
    if (KeyCode == vbKeyUp) TxtFind->setCursorPosition(TxtFind->text().size());
}

// Enter with nothing to search starts the check-out of the current title, in the mode shown.
void CounterPage::CheckOutCurrentTitle() {
    if (!CmdBorrow->isEnabled()) return;
    const MainWindow* main = MainWindow::Get();
    const int mode = main ? main->CounterMode : 1;
    if (mode == 1) CmdBorrow->click();
    if (mode == 2) Command15->click();
}

// ---- The page protocol and the rest of the shop ------------------------------------------

// Not shown, the list follows nothing: showing the page reads it again.
void CounterPage::ConnectShop() {
    const auto requery = [this] {
        if (MainWindow::Shows(this)) RunReported([this] { RequeryDispCDInfo(); });
    };
    // The catalogue saved or discarded a title, or titles changed behind the list: read
    // again in its order. So after a return, which put copies back on the shelf.
    connect(&ShopEvents::Get(), &ShopEvents::TitlesChanged, this, requery);
    connect(&ShopEvents::Get(), &ShopEvents::RentalsReturned, this, requery);
    // A check-out, a line removed or a basket settled: the list is built afresh, unsorted.
    connect(&ShopEvents::Get(), &ShopEvents::BasketsChanged, this, [this] {
        if (MainWindow::Shows(this)) RunReported([this] { SetDispSourse(QString()); });
    });
    // The classification lists were read afresh: the filters offer their names, "全部"
    // selected, and a list that was filtered is shown unfiltered.
    connect(&ShopEvents::Get(), &ShopEvents::ClassificationRead, this,
            [this](const QString& table, const QStringList& names) {
                FillFilter(table == QStringLiteral("type") ? CboTypeFind : CboMovietypeFind, names);
            });
}

void CounterPage::FillFilter(QComboBox* filter, const QStringList& names) {
    const bool narrowed = Narrows(filter->currentText());
    {
        const QSignalBlocker quiet(filter);
        filter->clear();
        filter->addItem(AllEntries());
        filter->addItems(names);
        filter->setCurrentIndex(0);
    }
    if (narrowed) RunReported([this] { SetDispSourse(QString()); });
}

// Picking "全部" in the counter's filters gives the list its first rows.
// Each pick would refill the list; once is enough, with every filter at "全部".
void CounterPage::Load() {
    for (QComboBox* combo : {CboDegree, CboMovietypeFind, CboTypeFind, CboStation})
        combo->setCurrentText(AllEntries());
    SetDispSourse("");
}

void CounterPage::ResetPanels() {
    LblBorrowUserName->SetCaption("");
    LblNotBackCount->SetCaption("0");
    LblMoneyBorrowCreSum->SetCaption("0");
    TxtCredence->setText("");
    for (QWidget* w :
         std::initializer_list<QWidget*>{CmdTax, CmdSellTax, CmdDel, CmdBorrowEdit, CmdDelSellCD,
                                         TxtCredence, MskFactSellMoney, CmdSellEdit})
        w->setEnabled(false);
}

// Page buttons 0 (rental) and 6 (sale) show the counter in their mode.
void CounterPage::Activate(int button) {
    TxtFind->clear();
    TxtFind->setFocus();
    if (button == 6) {
        ApplySaleLayout();
    } else {
        ApplyRentalLayout();
    }
    RequeryDispCDInfo();
}

void CounterPage::FocusDefault() {
    TxtFind->setFocus();
}

// Ctrl+O or F9 goes to the pledge box, Ctrl+L or F10 to the sale's paid amount, whatever
// page shows, when they take input.
bool CounterPage::HandleShortcut(int KeyCode, int Shift) {
    const bool ctrl = Shift == vbCtrlMask;
    QWidget* target = nullptr;
    if ((ctrl && KeyCode == vbKeyO) || KeyCode == vbKeyF9) target = TxtCredence;
    if ((ctrl && KeyCode == vbKeyL) || KeyCode == vbKeyF10) target = MskFactSellMoney;
    if (!target) return false;
    if (target->isEnabled()) target->setFocus();
    return true;
}

// An unsettled basket is rolled back before the program closes, if the operator agrees.
bool CounterPage::QueryClose() {
    bool close = true;
    if (gBorrowBasket.Open) close = AskAndRollBack(true) && close;
    if (gSellBasket.Open) close = AskAndRollBack(false) && close;
    return close;
}

// On failure the basket stays as it was and the operator is told why the program did not
// close.
bool CounterPage::AskAndRollBack(bool rental) {
    const QString question = rental ? QStringLiteral("用户出租光盘未结帐，真的要退出吗？")
                                    : QStringLiteral("用户购买光盘未结帐，真的要退出吗？");
    if (MsgBox(question, vbYesNo + vbQuestion, QStringLiteral("退出")) != vbYes) return false;
    try {
        BasketRollback::Run(gConn, rental ? BasketRollback::Rental : BasketRollback::Sale,
                            rental ? gBorrowBasket.No : gSellBasket.No);
    } catch (const DbError& e) {
        const QString failure = rental ? QStringLiteral("撤销未结帐的出租时出错，程序没有退出：\n")
                                       : QStringLiteral("撤销未结帐的出售时出错，程序没有退出：\n");
        MsgBox(failure + e.Description(), vbOKOnly + vbCritical, QStringLiteral("错误"));
        return false;
    }
    if (rental) {
        frmControlBorrow::unload();
    } else {
        frmControlSell::unload();
    }
    DoEvents();
    if (rental) {
        CloseBorrowBasket();
    } else {
        CloseSellBasket();
    }
    ShopEvents::AnnounceBasketsChanged(this);
    return true;
}
