#include "returns/ReturnPage.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <optional>

#include "core/CopyList.h"
#include "core/MainWindow.h"
#include "core/OpenBasketRow.h"
#include "core/OpenBaskets.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/db/BusyDeadline.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/FieldGrid.h"
#include "platform/ui/MsgBox.h"
#include "returns/RentalDetail.h"
#include "returns/frmControlBack.h"

namespace {
ListView* CopyListView(const QString& name) {
    auto* l = Named<ListView>(name);
    l->ColumnHeaders().Add("Copy", "光盘", 1500);
    l->setMaximumHeight(120);
    return l;
}

// An open rental line (not wholly returned) of a title with copies out, with its title.
// Every open line is listed, also of a title with a copy sold: its copies still have to
// come back. The lines of a basket still open at the counter are no rental yet (%1): they
// show once the basket is settled.
const char* const kOpenRentals =
    "from borrowinfo as a, cdinfo as c "
    "where c.station <> '未借出' and c.cdid = substr(a.borrowid,1,12) and a.isreturnall = 0 "
    "and %1";
// What the list shows of each.
const char* const kOpenRentalColumns =
    "select c.[count] as [count], c.BorrowPrice as BorrowPrice, "
    "c.BorrowPriceType as BorrowPriceType, c.MemberBorrowPrice as MemberBorrowPrice, "
    "c.cdid as cdid, c.id as id, a.Foregift as Foregift, a.Guaranty as Guaranty, "
    "a.[name] as name, a.borrowdate as borrowdate, c.[name] as moviename, c.[key] as [key], "
    "a.borrowid as borrowid, a.borrowlst as borrowlst, a.borrowcount as borrowcount, "
    "a.CredenceType as Credence, a.[money] as [money], a.remark as remark ";
// How many there are: the same lines, counted from the indexes of the lines still out and
// of the titles off the shelf without reading a row of either table (a title's key is
// unique, so a line meets at most one title either way). %1 as above.
const char* const kOpenRentalCount =
    "select count(*) from borrowinfo as a "
    "where a.isreturnall = 0 "
    "and substr(a.borrowid,1,12) in (select cdid from cdinfo where station <> '未借出') "
    "and %1";
// The rentals of a period: from its first day up to (not including) the day after it.
const char* const kPeriodCondition = " and a.borrowdate >= ?1 and a.borrowdate < ?2";

struct Period {
    QDate first;
    QDate after;
};

// The days a period of the list covers, from today; none for "全部未还光盘". The week runs
// from Monday to Sunday.
std::optional<Period> PeriodOf(int entry, const QDate& today) {
    switch (entry) {
        case 1:
            return Period{today, today.addDays(1)};
        case 2:
            return Period{today.addDays(-1), today};
        case 3:
            return Period{today.addDays(-2), today.addDays(-1)};
        case 4: {
            const QDate monday = today.addDays(1 - today.dayOfWeek());
            return Period{monday, monday.addDays(7)};
        }
        case 5: {
            const QDate first(today.year(), today.month(), 1);
            return Period{first, first.addMonths(1)};
        }
        default:
            return std::nullopt;
    }
}

// What a refill that the file refused leaves, as told to the operator.
const char* const kListKept = "未还光盘列表没有刷新，仍显示原来的内容";
const char* const kListNotRead = "未还光盘列表没有读出";
const char* const kDetailNotRead = "这次出租的应付租金和光盘列表没有读出";

QString DayText(const QDate& d) {
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

void FillCopies(ListView* list, const std::vector<int>& copies) {
    list->ListItems().Clear();
    for (int copy : copies) list->ListItems().Add(0, QString(), CopyList::CopyText(copy));
}
}  // namespace

ReturnPage::ReturnPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("ReturnPage");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList(), 3);
    layout->addWidget(BuildDetailPanel(), 1);
    ConnectControls();
    ConnectShop();
    OnClick(LblUserName, this, [this] { LblUserName_Click(); });
}

// The renter of the open rental: the window is modal, in front of the return page.
void ReturnPage::LblUserName_Click() {
    MainWindow::Get()->ShowMemberInfo(LblUserName->Caption(), true);
}

void ReturnPage::ConnectControls() {
    connect(CboSelTime, &QComboBox::activated, this,
            [this] { RunReported([this] { CboSelTime_Click(); }); });
    connect(dgBorrow, &DataGrid::HeadClick, this,
            [this](int col) { RunReported([this, col] { dgBorrow_HeadClick(col); }); });
    Handle(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(TxtFindBack, &QLineEdit::textChanged, this, [this] { Search.BoxChanged(); });
    OnGotFocus(TxtFindBack, this, [this] { Search.BoxChanged(); });
    OnKeyDown(TxtFindBack, this, [this](int& KeyCode, int Shift) {
        RunReported([&] { Search.KeyDown(KeyCode, Shift); });
    });
    OnKeyUp(TxtFindBack, this, [this](int& KeyCode, int) {
        if (KeyCode == vbKeyUp) TxtFindBack->setCursorPosition(TxtFindBack->text().size());
    });
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
    LblFindBackCount = Named<Label>("LblFindBackCount");
    bar->addWidget(new QLabel(QStringLiteral("出租时间：")));
    bar->addWidget(CboSelTime);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("查找：")));
    bar->addWidget(TxtFindBack, 1);
    bar->addWidget(LblFindBackCount);
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
    fields.Add("出租人姓名", renter);
    fields.Add("影片名称", LblMovieName = ValueLabel("LblMovieName"));
    fields.Add("借出日期", LblBorrowDate = ValueLabel("LblBorrowDate"));
    fields.Add("应付租金", LblTheoryMoney = ValueLabel("LblTheoryMoney"));
    fields.Add("实付租金", LblFactMoney = ValueLabel("LblFactMoney"));
    auto* credence = new QWidget;
    auto* c = new QHBoxLayout(credence);
    c->setContentsMargins(0, 0, 0, 0);
    c->addWidget(LblCredence = ValueLabel("LblCredence"));
    c->addWidget(Label54 = ValueLabel("Label54"));
    c->addStretch();
    fields.Add("所押物品", credence);
    fields.Add("光盘数量", LblAllCount = ValueLabel("LblAllCount"));
    TxtBorrowRemark = Named<QPlainTextEdit>("TxtBorrowRemark");
    TxtBorrowRemark->setReadOnly(true);
    TxtBorrowRemark->setMaximumHeight(60);
    fields.Add("备注", TxtBorrowRemark);
    fields.AddWide(new QLabel(QStringLiteral("已还光盘列表")));
    fields.AddWide(ListView3 = CopyListView("ListView3"));
    fields.AddWide(new QLabel(QStringLiteral("未还光盘列表")));
    fields.AddWide(ListView2 = CopyListView("ListView2"));
    Command5 = Named<QPushButton>("Command5", QStringLiteral("处理本次出租(&T)"));
    fields.AddWide(Command5);
    grid->setRowStretch(fields.Row(), 1);
    return Frame1;
}

// A refill the operator waits on: a file another program holds is told within
// kRefillWaitMs, the list shown stays, and the next refill tries again.
void ReturnPage::SetDispBorrowSourse(const QString& StrOrder) {
    if (refillRefused_) return;
    const BusyDeadline quick(gConn, kRefillWaitMs);
    try {
        ReadList(StrOrder);
    } catch (const DbError& e) {
        if (!adoDispBorrow) ClearDetail();  // nothing was shown: nothing to act on
        TellRefillRefused(e, adoDispBorrow ? kListKept : kListNotRead);
        return;
    }
    Search.Reset();
    DispBorrowDetail();
}

ReturnPage::ListStatement ReturnPage::ListOf(int entry, const QDate& today) {
    const QString notInBasket = OpenBaskets::NotInRentalBasket("a");
    QString rentals = QString::fromUtf8(kOpenRentals).arg(notInBasket);
    QString count = QString::fromUtf8(kOpenRentalCount).arg(notInBasket);
    Params params;
    if (const std::optional<Period> period = PeriodOf(entry, today)) {
        rentals += QString::fromUtf8(kPeriodCondition);
        count += QString::fromUtf8(kPeriodCondition);
        params = {DayText(period->first), DayText(period->after)};
    }
    return {QString::fromUtf8(kOpenRentalColumns) + rentals, count, params};
}

void ReturnPage::ReadList(const QString& StrOrder) {
    const int entry = CboSelTime->findText(CboSelTime->currentText());
    if (entry < 0) {
        dgBorrow->SetDataSource(adoDispBorrow.get());
        return;
    }
    const ListStatement list = ListOf(entry, Today());
    const QStringList openBaskets = OpenBasketRow::Numbers(gConn, OpenBasketRow::Rental);
    // Thousands of open rentals: the list shows its first rows and the count at once, and
    // reads the rest a moment later or when asked for.
    auto rs = std::make_unique<Recordset>();
    rs->SetCursorLocation(adUseServer);
    rs->SetCountStatement(list.count);
    rs->Open(list.sql + StrOrder, gConn, adLockReadOnly, list.params);
    connect(rs.get(), &Recordset::MoveComplete, this, [this] {
        if (!(MainWindow::Get() && MainWindow::Get()->Searching))
            RunReported([this] { DispBorrowDetail(); });
    });
    dgBorrow->SetDataSource(rs.get());
    adoDispBorrow = std::move(rs);
    listedOrder_ = StrOrder;
    listedOpenBaskets_ = openBaskets;
}

// One message for what one action of the operator met: the refills that follow it at once
// (the page's load, then its button) would meet the same, and do not try.
void ReturnPage::TellRefillRefused(const DbError& e, const char* what) {
    if (refillRefused_) return;
    refillRefused_ = true;
    MsgBox(QStringLiteral("%1：\n%2").arg(QString::fromUtf8(what), e.Description()),
           vbOKOnly + vbExclamation, QStringLiteral("错误"));
    QTimer::singleShot(0, this, [this] { refillRefused_ = false; });
}

void ReturnPage::CboSelTime_Click() {
    SetDispBorrowSourse(" order by a.borrowdate desc");
}

void ReturnPage::dgBorrow_HeadClick(int ColIndex) {
    QString direction = QStringLiteral("ASC");
    if (MainWindow* frame = MainWindow::Get()) {
        frame->SortDirection =
            frame->SortDirection == QStringLiteral("ASC") ? QStringLiteral("DESC") : direction;
        direction = frame->SortDirection;
    }
    if (ColIndex == 0)
        SetDispBorrowSourse(" order by a.name " + direction);
    else if (ColIndex == 3)
        SetDispBorrowSourse(" order by a.borrowdate " + direction);
    else if (ColIndex == 4)
        SetDispBorrowSourse(" order by a.CredenceType " + direction);
}

void ReturnPage::Command5_Click() {
    MainWindow* frame = MainWindow::Get();
    if (!frame || !frame->IsShowing(this)) return;
    if (frmControlBack::isLoaded()) {
        frmControlBack::instance().Show(vbModeless, frame->Window());
        return;
    }
    if (!adoDispBorrow || !adoDispBorrow->HasCurrentRow()) return;
    const QString renter = adoDispBorrow->Fields("name").GetValue().ToString();
    frmControlBack::instance().OpenFor(renter);
    if (frmControlBack::isLoaded()) frmControlBack::instance().Show(vbModeless, frame->Window());
}

void ReturnPage::ClearDetail() {
    for (Label* l : {LblUserName, Label54, LblMovieName, LblCredence, LblAllCount, LblFactMoney,
                     LblBorrowDate, LblTheoryMoney})
        l->SetCaption(QString());
    TxtBorrowRemark->setPlainText(QString());
    ListView3->ListItems().Clear();
    ListView2->ListItems().Clear();
    Command5->setEnabled(false);
}

void ReturnPage::DispBorrowDetail() {
    if (!adoDispBorrow || !adoDispBorrow->HasCurrentRow()) {
        ClearDetail();
        return;
    }
    const Recordset& row = *adoDispBorrow;
    Command5->setEnabled(true);
    LblUserName->SetCaption(NullToStr(row["name"]));
    LblMovieName->SetCaption(NullToStr(row["moviename"]));
    LblCredence->SetCaption(NullToStr(row["Credence"]));
    if (LblCredence->Caption() == QStringLiteral("现金"))
        Label54->SetCaption(Money::FromStored(row["Foregift"].ToDouble()).Text());
    else
        Label54->SetCaption(NullToStr(row["Guaranty"]));
    TxtBorrowRemark->setPlainText(NullToStr(row["remark"]));
    LblAllCount->SetCaption(NullToStr(row["count"]));
    LblFactMoney->SetCaption(Money::FromStored(row["money"].ToDouble()).Text());
    const QDateTime borrowDate = row["borrowdate"].ToDateTime();
    LblBorrowDate->SetCaption(borrowDate.isValid()
                                  ? Format(borrowDate.date(), "Long Date") +
                                        borrowDate.time().toString(QStringLiteral("h:mm:ss"))
                                  : NullToStr(row["borrowdate"]));
    RentalDetail detail;
    try {
        const BusyDeadline quick(gConn, kRefillWaitMs);
        detail = RentalDetail::Of(gConn, row, Now());
    } catch (const DbError& e) {
        LblTheoryMoney->SetCaption(QString());
        ListView3->ListItems().Clear();
        ListView2->ListItems().Clear();
        TellRefillRefused(e, kDetailNotRead);
        return;
    }
    LblTheoryMoney->SetCaption(detail.rentDue.Text());
    FillCopies(ListView3, detail.returned);
    FillCopies(ListView2, detail.out);
}

void ReturnPage::SelectPeriod(const QString& text) {
    CboSelTime->setCurrentText(text);
    CboSelTime_Click();
}

// The list read again with its period and order (the baskets open at the counter as they
// stand now left out).
void ReturnPage::RequeryDispBorrow() {
    if (!adoDispBorrow || !adoDispBorrow->IsOpen()) return;
    if (refillRefused_) return;
    const BusyDeadline quick(gConn, kRefillWaitMs);
    try {
        adoDispBorrow->Requery();
    } catch (const DbError& e) {
        TellRefillRefused(e, kListKept);
    }
}

// A file that cannot be read says so at the refill this asks for.
bool ReturnPage::ListsOtherBaskets() const {
    if (!adoDispBorrow) return false;
    const BusyDeadline quick(gConn, kRefillWaitMs);
    try {
        return listedOpenBaskets_ != OpenBasketRow::Numbers(gConn, OpenBasketRow::Rental);
    } catch (const DbError&) {
        return true;
    }
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

// The open rentals show titles' names: they follow changed titles. A basket settled at the
// counter becomes a rental and its lines join the list, read again in its order; a line
// written into a basket still open changes nothing the list shows. Not shown, the list
// follows nothing: showing the page reads it again.
void ReturnPage::ConnectShop() {
    connect(&ShopEvents::Get(), &ShopEvents::TitlesChanged, this, [this] {
        if (!MainWindow::Shows(this)) return;
        if (adoDispBorrow && adoDispBorrow->IsOpen() && !adoDispBorrow->HasPendingChanges())
            RunReported([this] { RequeryDispBorrow(); });
    });
    connect(&ShopEvents::Get(), &ShopEvents::BasketsChanged, this, [this] {
        if (MainWindow::Shows(this) && ListsOtherBaskets())
            RunReported([this] { SetDispBorrowSourse(listedOrder_); });
    });
    // The rentals returned leave the list: it is built afresh, unsorted.
    connect(&ShopEvents::Get(), &ShopEvents::RentalsReturned, this, [this] {
        if (MainWindow::Shows(this)) RunReported([this] { SetDispBorrowSourse(QString()); });
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
