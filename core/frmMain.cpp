#include "core/frmMain.h"

#include <QComboBox>
#include <QEvent>
#include <QPushButton>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "catalogue/frmSelPrint.h"
#include "core/mdlMain.h"
#include "core/pictures/Pictures.h"
#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "platform/ui/Controls.h"
#include "reports/StatisticsPage.h"
#include "returns/ReturnPage.h"

namespace {
// Rolling back an unsettled rental basket: each title returns to "未借出" when the basket
// held all its copies, else to "借出部分"; its rental count drops by the basket's line.
const char* const kBorrowBasketAllCopiesBack =
    "update cdinfo set Station = '未借出', outcount = cdinfo.outcount - 1 "
    "from borrowinfo as b "
    "where cdinfo.cdid = substr(b.borrowid,1,12) and substr(b.borrowid,-4) = ?1 "
    "and b.borrowcount = cdinfo.count";
const char* const kBorrowBasketSomeCopiesBack =
    "update cdinfo set Station = '借出部分', outcount = cdinfo.outcount - 1 "
    "from borrowinfo as b "
    "where cdinfo.cdid = substr(b.borrowid,1,12) and substr(b.borrowid,-4) = ?1 "
    "and (cdinfo.count - b.borrowcount) > 0";
const char* const kDeleteBorrowBasket = "delete from borrowinfo where substr(borrowid,-4) = ?1";

const char* const kSellBasketAllCopiesBack =
    "update cdinfo set issell = 0 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and substr(b.sellid,-4) = ?1 "
    "and b.sellcount = cdinfo.count";
const char* const kSellBasketSomeCopiesBack =
    "update cdinfo set issell = 1 from sellinfo as b "
    "where cdinfo.cdid = substr(b.sellid,1,12) and substr(b.sellid,-4) = ?1 "
    "and (cdinfo.count - b.sellcount) > 0";
const char* const kDeleteSellBasket = "delete from sellinfo where substr(sellid,-4) = ?1";

struct PageButton {
    int page;
    const char* title;
};
// Button index to page and title; buttons 0 and 6 both show the counter.
constexpr PageButton kButtonPages[frmMain::kPageButtons] = {
    {frmMain::kCounter, "出租服务"},    {frmMain::kReturns, "归还服务"},
    {frmMain::kCatalogue, "光盘管理"},  {frmMain::kStatistics, "数据统计"},
    {frmMain::kSettings, "系统维护"},   {frmMain::kMembers, "会员管理"},
    {frmMain::kCounter, "出售服务"},
};

// The buttons rest 60 twips from the top; pressed, they sit 15 right and 30 down.
constexpr int kButtonRestTop = 60;
constexpr int kButtonPressedBelow = 75;
constexpr int kButtonWidthTwips = 1440;
constexpr int kButtonHeightTwips = 1080;
constexpr int kButtonGapTwips = 120;

const char* const kWindowStyle =
    "QGroupBox { background: rgba(255, 255, 255, 215); border: 1px solid #c9b48a;"
    "  border-radius: 6px; margin-top: 14px; padding-top: 6px; }"
    "QGroupBox::title { subcontrol-origin: margin; left: 10px; padding: 0 4px;"
    "  color: #7a4a12; font-weight: bold; }"
    "QGroupBox[flat=\"true\"] { background: transparent; border: none; margin-top: 0;"
    "  padding-top: 0; }"
    "QTabWidget::pane { border: none; }";

}  // namespace

frmMain::frmMain() {
    setObjectName("frmMain");
    setWindowTitle(QStringLiteral("Vadrin光盘出租出售"));
    setWindowIcon(Pictures::WindowIcon());
    setStyleSheet(kWindowStyle);
    SetKeyPreview(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(BuildButtonBar());
    SSTab1 = Named<QTabWidget>("SSTab1");
    layout->addWidget(SSTab1, 1);
    BuildPages();
    Timer1 = Named<QTimer>("Timer1", this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Timer1->start();
    resize(1240, 820);
}

QWidget* frmMain::BuildButtonBar() {
    auto* bar = Named<QWidget>("ButtonBar");
    bar->setAutoFillBackground(true);
    QPalette p = bar->palette();
    p.setColor(QPalette::Window, QColor("#f3e3c3"));
    bar->setPalette(p);
    bar->setFixedHeight(TwipsToPixels(kButtonRestTop + kButtonHeightTwips + 120));
    for (int i = 0; i < kPageButtons; ++i) {
        Image3[i] = NamedAt<PictureButton>("Image3", i, bar);
        Image3[i]->SetStretch(true);
        MoveTwips(Image3[i], 120 + i * (kButtonWidthTwips + kButtonGapTwips), kButtonRestTop,
                  kButtonWidthTwips, kButtonHeightTwips);
        Image3[i]->SetPicture(Pictures::PageButton(i, Image3[i]->size()));
        connect(Image3[i], &PictureButton::Click, this, [this, i] { Image3_Click(i); });
        connect(Image3[i], &PictureButton::MouseDown, this, [this, i] { Image3_MouseDown(i); });
        connect(Image3[i], &PictureButton::MouseUp, this, [this, i] { Image3_MouseUp(i); });
    }
    Label42 = Named<Label>("Label42", QStringLiteral("出租服务"), bar);
    Label42->setFont(CjkFont("隶书", 22, true));
    Label42->setStyleSheet("color: #8a3b12;");
    Label42->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    auto* row = new QHBoxLayout(bar);
    row->addStretch();
    row->addWidget(Label42);
    row->setContentsMargins(0, 0, 24, 0);
    return bar;
}

void frmMain::BuildPages() {
    Settings = new SettingsPage;
    Statistics = new StatisticsPage;
    Catalogue = new CataloguePage;
    Returns = new ReturnPage;
    Counter = new CounterPage;
    Members = new MemberPage;
    const std::array<QWidget*, kPages> pages{Settings, Statistics, Catalogue,
                                             Returns,  Counter,    Members};
    const char* names[kPages] = {"系统维护", "数据统计", "光盘管理", "归还服务", "出租出售", "会员管理"};
    for (int i = 0; i < kPages; ++i) {
        SSTab1->addTab(pages[i], QString::fromUtf8(names[i]));
        Image1[i] = NamedAt<PictureButton>("Image1", i, pages[i]);
        Image1[i]->setCursor(Qt::ArrowCursor);
        Image1[i]->SetStretch(true);
        Image1[i]->lower();
        connect(Image1[i], &PictureButton::MouseMove, this, &frmMain::Image1_MouseMove);
        pages[i]->installEventFilter(this);
    }
    connect(Catalogue->CmdPrintStore, &QPushButton::clicked, this,
            [this] { frmSelPrint::CmdPrintStore_Click(this); });
}

// Each page's background fills the page, whatever the window's size.
bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize) {
        for (int i = 0; i < kPages; ++i) {
            if (watched == SSTab1->widget(i)) {
                const QSize size = SSTab1->widget(i)->size();
                Image1[i]->setGeometry(0, 0, size.width(), size.height());
                Image1[i]->SetPicture(Pictures::PageBackground(i, size));
            }
        }
    }
    return FormOf<frmMain>::eventFilter(watched, event);
}

void frmMain::Form_Load() {
    SSTab1->tabBar()->hide();
    Settings->LoadPricePercent();
    Settings->LoadForeGift();
    FillTypeLists();
    Catalogue->SetCDInfoSourse("");
    SelectFilterDefaults();
    ShowPage(kCounter);
    CounterMode = 1;
    ShowCatalogueEntry();
}

// Picking "全部" in the counter's filters and "全部未还光盘" on the return page gives
// both lists their first rows.
void frmMain::SelectFilterDefaults() {
    for (QComboBox* combo : {Counter->CboDegree, Counter->CboMovietypeFind, Counter->CboTypeFind,
                             Counter->CboStation}) {
        combo->setCurrentText(QStringLiteral("全部"));
        Counter->SetDispSourse("");
    }
    Returns->SelectPeriod(QStringLiteral("全部未还光盘"));
}

void frmMain::ShowCatalogueEntry() {
    if (Catalogue->HasCurrentRow()) {
        Catalogue->ShowCurrentEntry();
    } else {
        Catalogue->ShowEmptyEntry();
    }
}

void frmMain::ShowPage(int page) { SSTab1->setCurrentIndex(page); }

void frmMain::Image3_Click(int Index) {
    Timer1->stop();
    if (Index < 0 || Index >= kPageButtons) return;
    const QString title = QString::fromUtf8(kButtonPages[Index].title);
    switch (Index) {
        case 0:
        case 6:
            ShowPage(kCounter);
            CounterMode = Index == 0 ? 1 : 2;
            Counter->TxtFind->clear();
            Counter->TxtFind->setFocus();
            Label42->SetCaption(title);
            if (Index == 0) {
                Counter->ApplyRentalLayout();
            } else {
                Counter->ApplySaleLayout();
            }
            Counter->RequeryDispCDInfo();
            break;
        case 1:
            Timer1->start();
            ShowPage(kReturns);
            Returns->TxtFindBack->setFocus();
            Label42->SetCaption(title);
            Returns->SelectPeriod(QStringLiteral("全部未还光盘"));
            break;
        case 2:
            ShowPage(kCatalogue);
            FillTypeLists();
            if (Catalogue->Text1->isEnabled()) Catalogue->Text1->setFocus();
            Label42->SetCaption(title);
            Catalogue->ShowRentTypeAndClassification();
            break;
        case 3:
        case 4:
            ShowPage(kButtonPages[Index].page);
            Label42->SetCaption(title);
            break;
        case 5:
            ShowPage(kMembers);
            Members->OpenMemberRecordset();
            Members->ShowUserAccount();
            Label42->SetCaption(title);
            Members->Text3->setFocus();
            break;
    }
}

void frmMain::Image3_MouseDown(int Index) {
    if (Image3[Index]->TopTwips() < kButtonPressedBelow) Image3[Index]->MoveByTwips(15, 30);
}

void frmMain::Image3_MouseUp(int Index) {
    if (Image3[Index]->TopTwips() > kButtonRestTop) Image3[Index]->MoveByTwips(-15, -30);
}

void frmMain::Image1_MouseMove() { Statistics->ClearUnderlines(5); }

void frmMain::Timer1_Timer() {
    Returns->SetLabel68Red(!Returns->Label68Red());
}

void frmMain::Form_KeyUp(int& KeyCode, int Shift) {
    if (Shift == vbCtrlMask) {
        switch (KeyCode) {
            case vbKeyB: Image3_Click(0); break;
            case vbKeyR: Image3_Click(1); break;
            case vbKeyU: Image3_Click(2); break;
            case vbKeyS: Image3_Click(3); break;
            case vbKeyE: Image3_Click(4); break;
            case vbKeyD: Image3_Click(5); break;
            case vbKeyM: Image3_Click(6); break;
            case vbKeyO:
                if (Counter->TxtCredence->isEnabled()) Counter->TxtCredence->setFocus();
                break;
            case vbKeyL:
                if (Counter->MskFactSellMoney->isEnabled()) Counter->MskFactSellMoney->setFocus();
                break;
            default: break;
        }
    }
    switch (KeyCode) {
        case vbKeyF2: Image3_Click(0); break;
        case vbKeyF3: Image3_Click(1); break;
        case vbKeyF4: Image3_Click(2); break;
        case vbKeyF5: Image3_Click(5); break;
        case vbKeyF6: Image3_Click(3); break;
        case vbKeyF7: Image3_Click(4); break;
        case vbKeyF8: Image3_Click(6); break;
        case vbKeyF9:
            if (Counter->TxtCredence->isEnabled()) Counter->TxtCredence->setFocus();
            break;
        case vbKeyF10:
            if (Counter->MskFactSellMoney->isEnabled()) Counter->MskFactSellMoney->setFocus();
            break;
        default: break;
    }
}

void frmMain::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == vbKeyEscape) SearchCancel = true;
}

void frmMain::Form_Activate() {
    try {
        if (gQuit) {
            Unload();
            return;
        }
        if (SSTab1->currentIndex() == kReturns) Returns->TxtFindBack->setFocus();
        if (SSTab1->currentIndex() == kCounter) Counter->TxtFind->setFocus();
        IsActive = true;
        update();
    } catch (...) {
    }
}

void frmMain::Form_Deactivate() { IsActive = false; }

void frmMain::EnableCatalogueEntry() {
    for (QWidget* w : Catalogue->EntryControls()) w->setEnabled(true);
    for (QWidget* w : std::initializer_list<QWidget*>{Settings->Command4, Settings->Command6,
                                                      Settings->Command7, Settings->Command8})
        w->setEnabled(true);
    Settings->dgMovieType->Columns(0).SetLocked(false);
    Settings->dgType->Columns(0).SetLocked(false);
}

void frmMain::ResetBasketPanels() {
    Counter->LblBorrowUserName->SetCaption("");
    Counter->LblNotBackCount->SetCaption("0");
    Counter->LblMoneyBorrowCreSum->SetCaption("0");
    Counter->TxtCredence->setText("");
    for (QWidget* w : std::initializer_list<QWidget*>{
             Counter->CmdTax, Counter->CmdSellTax, Counter->CmdDel, Counter->CmdBorrowEdit,
             Counter->CmdDelSellCD, Counter->TxtCredence, Counter->MskFactSellMoney,
             Counter->CmdSellEdit})
        w->setEnabled(false);
}

// ---- Closing ------------------------------------------------------------------------

// Rolls one unsettled basket back in one transaction and closes it; on failure the basket
// stays as it was and the operator is told why the program did not close.
bool frmMain::RollBackBasket(const char* const statements[3], const QString& basketNo,
                             const QString& failure, void (CounterPage::*closeBasket)()) {
    try {
        Transaction t(gConn);
        for (int i = 0; i < 3; ++i) gConn.Execute(statements[i], {basketNo});
        t.Commit();
    } catch (const DbError& e) {
        MsgBox(failure + e.Description(), vbOKOnly + vbCritical, QStringLiteral("错误"));
        return false;
    }
    DoEvents();
    (Counter->*closeBasket)();
    SetDispSourse("");
    return true;
}

bool frmMain::RollBackBorrowBasket() {
    static const char* const statements[3] = {kBorrowBasketAllCopiesBack,
                                              kBorrowBasketSomeCopiesBack, kDeleteBorrowBasket};
    return RollBackBasket(statements, gBorrowNo,
                          QStringLiteral("撤销未结帐的出租时出错，程序没有退出：\n"),
                          &CounterPage::CloseBorrowBasket);
}

bool frmMain::RollBackSellBasket() {
    static const char* const statements[3] = {kSellBasketAllCopiesBack, kSellBasketSomeCopiesBack,
                                              kDeleteSellBasket};
    return RollBackBasket(statements, gSellNo,
                          QStringLiteral("撤销未结帐的出售时出错，程序没有退出：\n"),
                          &CounterPage::CloseSellBasket);
}

void frmMain::Form_QueryUnload(int& Cancel, int) {
    Cancel = 0;
    if (gBorrowOpen) {
        const int answer = MsgBox(QStringLiteral("用户出租光盘未结帐，真的要退出吗？"),
                                  vbYesNo + vbQuestion, QStringLiteral("退出"));
        if (answer != vbYes || !RollBackBorrowBasket()) Cancel += 1;
    }
    if (gSellOpen) {
        const int answer = MsgBox(QStringLiteral("用户购买光盘未结帐，真的要退出吗？"),
                                  vbYesNo + vbQuestion, QStringLiteral("退出"));
        if (answer != vbYes || !RollBackSellBasket()) Cancel += 1;
    }
}

namespace {
bool FirstColumnEmpty(DataGrid* grid) { return grid->Columns(0).Text().isEmpty(); }

bool HasCurrentRow(const Recordset* rs) {
    return rs && rs->IsOpen() && !rs->AtEOF() && !rs->AtBOF();
}

// A classification list: a row without a name is dropped, the others are written.
void SaveOrCancelList(DataGrid* grid, Recordset* rs) {
    if (!HasCurrentRow(rs)) return;
    if (FirstColumnEmpty(grid)) {
        rs->CancelBatch(adAffectCurrent);
    } else {
        rs->UpdateBatch(adAffectAll);
    }
}
}  // namespace

bool frmMain::SavePendingEdits() {
    try {
        SaveOrCancelList(Settings->dgMovieType, Settings->adoMovieType.get());
        SaveOrCancelList(Settings->dgType, Settings->adoType.get());
        // Whatever page shows; a refused save lets the operator stay or quit.
        if (!Catalogue->SaveBeforeClosing()) return false;
        if (HasCurrentRow(Members->adoUser.get())) {
            if (FirstColumnEmpty(Members->DataGrid1)) {
                Members->adoUser->CancelUpdate();
            } else {
                Members->adoUser->MoveLast();
            }
        }
    } catch (const DbError& e) {
        const int answer = MsgBox(QStringLiteral("保存修改时出错：\n%1\n\n仍然要退出吗？没有保存的修改将会丢失。")
                                      .arg(e.Description()),
                                  vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("退出"));
        return answer == vbYes;
    }
    return true;
}

void frmMain::Form_Unload(int& Cancel) {
    if (!SavePendingEdits()) {
        Cancel = 1;
        return;
    }
    gExiting = true;
    gRsForeGift.reset();
    gConn.Close();
}

// ---- Forwarded to the pages -----------------------------------------------------------

void frmMain::SetDispSourse(const QString& StrOrder) { Counter->SetDispSourse(StrOrder); }

void frmMain::SetDispBorrowSourse(const QString& StrOrder) {
    Returns->SetDispBorrowSourse(StrOrder);
}

void frmMain::FillTypeLists() { ClassificationLists::Of(*this).FillTypeLists(); }

void frmMain::CmdSave_Click() { Catalogue->CmdSave_Click(); }

Recordset* frmMain::adoCDInfo() const { return Catalogue->adoCDInfo.get(); }

Recordset* frmMain::adoDispBorrow() const { return Returns->adoDispBorrow.get(); }

Recordset* frmMain::adoDispCDInfo() const { return Counter->adoDispCDInfo.get(); }
