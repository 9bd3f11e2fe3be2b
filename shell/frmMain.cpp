#include "shell/frmMain.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "catalogue/CataloguePage.h"
#include "catalogue/ClassificationLists.h"
#include "catalogue/SettingsPage.h"
#include "core/ShopPage.h"
#include "core/mdlMain.h"
#include "core/pictures/Pictures.h"
#include "counter/CounterPage.h"
#include "members/MemberPage.h"
#include "members/frmDispUser.h"
#include "platform/ui/Controls.h"
#include "platform/ui/ErrorReport.h"
#include "reports/StatisticsPage.h"
#include "returns/ReturnPage.h"

namespace {
struct PageButton {
    int page;
    const char* title;
};
// Button index to page and title; buttons 0 and 6 both show the counter.
constexpr PageButton kButtonPages[frmMain::kPageButtons] = {
    {frmMain::kCounter, "出租服务"},   {frmMain::kReturns, "归还服务"},
    {frmMain::kCatalogue, "光盘管理"}, {frmMain::kStatistics, "数据统计"},
    {frmMain::kSettings, "系统维护"},  {frmMain::kMembers, "会员管理"},
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

// The size the window opens at on a screen with room for it.
constexpr QSize kOpeningSize(1240, 820);
// What the window system puts round the window, its title bar and borders, which it tells
// only once the window is on the screen: the most a common desktop takes.
constexpr QSize kFrameAllowance(16, 48);

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
    connect(SSTab1, &QTabWidget::currentChanged, this, &frmMain::PaintBackground);
    Timer1 = Named<QTimer>("Timer1", this);
    Timer1->setInterval(200);
    connect(Timer1, &QTimer::timeout, this, &frmMain::Timer1_Timer);
    Timer1->start();
    FitScreen();
    Register(this);
}

// The window opens at its size centred in the screen's work area (the screen less its
// panels) where that has room for it; on a smaller screen (a 1366 x 768 laptop's) it fills
// the work area, maximised, so that every control of every page is on the screen, and goes
// back to a size that fits when the operator restores it.
void frmMain::FitScreen() {
    const QScreen* shownOn = screen();
    if (!shownOn) {
        resize(kOpeningSize);
        return;
    }
    const QRect area = shownOn->availableGeometry();
    const QSize size = kOpeningSize.boundedTo(area.size() - kFrameAllowance);
    resize(size);
    move(area.left() + (area.width() - size.width() - kFrameAllowance.width()) / 2,
         area.top() + (area.height() - size.height() - kFrameAllowance.height()) / 2);
    if (size != kOpeningSize) setWindowState(windowState() | Qt::WindowMaximized);
}

frmMain::~frmMain() {
    if (MainWindow::Get() == this) Register(nullptr);
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

namespace {
const char* const kPageNames[frmMain::kPages] = {"系统维护", "数据统计", "光盘管理",
                                                 "归还服务", "出租出售", "会员管理"};
}  // namespace

// The pages built later stand on SSTab1 as empty widgets until then, so that every page
// keeps its index.
void frmMain::BuildPages() {
    for (int i = 0; i < kPages; ++i) {
        auto* placeholder = new QWidget;
        placeholder->setObjectName(QStringLiteral("PagePlaceholder%1").arg(i));
        SSTab1->addTab(placeholder, QString::fromUtf8(kPageNames[i]));
    }
    Counter = static_cast<CounterPage*>(Page(kCounter));
}

ShopPage* frmMain::MakePage(int page) {
    switch (page) {
        case kSettings:
            return new SettingsPage;
        case kStatistics:
            return new StatisticsPage;
        case kCatalogue:
            return new CataloguePage;
        case kReturns:
            return new ReturnPage;
        case kCounter:
            return new CounterPage;
        default:
            return new MemberPage;
    }
}

// The page takes its placeholder's place without the tab control announcing a change of
// page: the page shown stays shown.
void frmMain::InstallPage(int page, ShopPage* built) {
    const int current = SSTab1->currentIndex();
    QWidget* placeholder = SSTab1->widget(page);
    {
        const QSignalBlocker quiet(SSTab1);
        SSTab1->removeTab(page);
        SSTab1->insertTab(page, built, QString::fromUtf8(kPageNames[page]));
        SSTab1->setCurrentIndex(current);
    }
    delete placeholder;
    Image1[page] = NamedAt<PictureButton>("Image1", page, built);
    Image1[page]->setCursor(Qt::ArrowCursor);
    Image1[page]->SetStretch(true);
    Image1[page]->lower();
    Image1[page]->setGeometry(QRect(QPoint(0, 0), built->size()));
    connect(Image1[page], &PictureButton::MouseMove, this, &frmMain::Image1_MouseMove);
    built->installEventFilter(this);
}

ShopPage* frmMain::Page(int page) {
    if (page < 0 || page >= kPages) return nullptr;
    if (!pages_[page]) {
        if (page == kSettings || page == kCatalogue)
            BuildLate({kSettings, kCatalogue});
        else
            BuildLate({page});
    }
    return pages_[page];
}

// In start-up's order: the window's load reads the classification lists, then loads the
// pages; start-up then unlocks the entry controls and empties the basket panels.
void frmMain::BuildLate(std::initializer_list<int> pages) {
    std::vector<ShopPage*> built;
    for (int page : pages) {
        if (pages_[page]) continue;
        pages_[page] = MakePage(page);
        InstallPage(page, pages_[page]);
        built.push_back(pages_[page]);
    }
    // The pages that follow the classification lists were told their names at the load.
    if (loaded_ && pages_[kSettings] && pages_[kCatalogue])
        ClassificationLists::Of(*Settings(), *Catalogue()).FillNewPages();
    for (ShopPage* page : built) {
        if (loaded_) page->Load();
    }
    for (ShopPage* page : built) {
        if (entryEnabled_) page->EnableEntry();
    }
    for (ShopPage* page : built) {
        if (panelsReset_) page->ResetPanels();
    }
}

std::vector<ShopPage*> frmMain::BuiltPages() const {
    std::vector<ShopPage*> built;
    for (ShopPage* page : pages_)
        if (page) built.push_back(page);
    return built;
}

SettingsPage* frmMain::Settings() {
    return static_cast<SettingsPage*>(Page(kSettings));
}

CataloguePage* frmMain::Catalogue() {
    return static_cast<CataloguePage*>(Page(kCatalogue));
}

StatisticsPage* frmMain::Statistics() {
    return static_cast<StatisticsPage*>(Page(kStatistics));
}

ReturnPage* frmMain::Returns() {
    return static_cast<ReturnPage*>(Page(kReturns));
}

MemberPage* frmMain::Members() {
    return static_cast<MemberPage*>(Page(kMembers));
}

ShopPage* frmMain::CurrentPage() {
    return Page(SSTab1->currentIndex());
}

bool frmMain::IsShowing(const QWidget* page) const {
    return SSTab1->currentWidget() == page;
}

// Each page's background fills the page, whatever the window's size. Only the page shown
// is painted: the others are painted when they are first shown at that size. A page that is
// not on screen is not painted: the window paints it when it shows. The tab control gives a
// page shown with the window its final size only after showing it, so that page is painted
// once the showing is done, at the size it then has.
bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show) {
        for (int i = 0; i < kPages; ++i)
            if (pages_[i] && watched == pages_[i]) PageResizedOrShown(i, event->type());
    }
    return FormOf<frmMain>::eventFilter(watched, event);
}

void frmMain::PageResizedOrShown(int page, QEvent::Type type) {
    if (type == QEvent::Resize)
        Image1[page]->setGeometry(QRect(QPoint(0, 0), pages_[page]->size()));
    if (page != SSTab1->currentIndex()) return;
    if (type == QEvent::Resize)
        PaintBackground(page);
    else
        QTimer::singleShot(0, this, [this, page] { PaintBackground(page); });
}

void frmMain::PaintBackground(int page) {
    if (page < 0 || page >= kPages || !pages_[page] || !pages_[page]->isVisible()) return;
    const QSize size = pages_[page]->size();
    if (backgroundSizes_[page] == size) return;
    backgroundSizes_[page] = size;
    Image1[page]->SetPicture(Pictures::PageBackground(page, size));
}

void frmMain::Form_Load() {
    SSTab1->tabBar()->hide();
    FillTypeLists();
    loaded_ = true;
    for (ShopPage* page : BuiltPages()) page->Load();
    ShowPage(kCounter);
    CounterMode = 1;
}

void frmMain::ShowPage(int page) {
    Page(page);
    SSTab1->setCurrentIndex(page);
}

void frmMain::Image3_Click(int Index) {
    Timer1->stop();
    if (Index < 0 || Index >= kPageButtons) return;
    if (!CurrentPage()->MayLeave()) return;
    const PageButton& button = kButtonPages[Index];
    ShowPage(button.page);
    if (button.page == kCounter) CounterMode = Index == 0 ? 1 : 2;
    // The return page's hint blinks while it shows.
    if (button.page == kReturns) Timer1->start();
    Label42->SetCaption(QString::fromUtf8(button.title));
    Page(button.page)->Activate(Index);
}

void frmMain::Image3_MouseDown(int Index) {
    if (Image3[Index]->TopTwips() < kButtonPressedBelow) Image3[Index]->MoveByTwips(15, 30);
}

void frmMain::Image3_MouseUp(int Index) {
    if (Image3[Index]->TopTwips() > kButtonRestTop) Image3[Index]->MoveByTwips(-15, -30);
}

void frmMain::Image1_MouseMove() {
    for (ShopPage* page : BuiltPages()) page->PointerOverBackground();
}

void frmMain::Timer1_Timer() {
    for (ShopPage* page : BuiltPages()) page->Blink();
}

void frmMain::Form_KeyUp(int& KeyCode, int Shift) {
    for (ShopPage* page : BuiltPages())
        if (page->HandleShortcut(KeyCode, Shift)) return;
    if (Shift == vbCtrlMask) {
        switch (KeyCode) {
            case vbKeyB:
                Image3_Click(0);
                break;
            case vbKeyR:
                Image3_Click(1);
                break;
            case vbKeyU:
                Image3_Click(2);
                break;
            case vbKeyS:
                Image3_Click(3);
                break;
            case vbKeyE:
                Image3_Click(4);
                break;
            case vbKeyD:
                Image3_Click(5);
                break;
            case vbKeyM:
                Image3_Click(6);
                break;
            default:
                break;
        }
    }
    switch (KeyCode) {
        case vbKeyF2:
            Image3_Click(0);
            break;
        case vbKeyF3:
            Image3_Click(1);
            break;
        case vbKeyF4:
            Image3_Click(2);
            break;
        case vbKeyF5:
            Image3_Click(5);
            break;
        case vbKeyF6:
            Image3_Click(3);
            break;
        case vbKeyF7:
            Image3_Click(4);
            break;
        case vbKeyF8:
            Image3_Click(6);
            break;
        default:
            break;
    }
}

void frmMain::Form_KeyPress(int& KeyAscii) {
    if (KeyAscii == vbKeyEscape) SearchCancel = true;
}

void frmMain::Form_Activate() {
    // Activation goes on whatever a page's focus does.
    TryStep([this] {
        if (gQuit) {
            Unload();
            return;
        }
        CurrentPage()->FocusDefault();
        IsActive = true;
        update();
    });
}

void frmMain::Form_Deactivate() {
    IsActive = false;
}

void frmMain::EnableCatalogueEntry() {
    entryEnabled_ = true;
    for (ShopPage* page : BuiltPages()) page->EnableEntry();
}

void frmMain::ResetBasketPanels() {
    panelsReset_ = true;
    for (ShopPage* page : BuiltPages()) page->ResetPanels();
}

// ---- Closing ------------------------------------------------------------------------

void frmMain::Form_QueryUnload(int& Cancel, int) {
    Cancel = 0;
    // Every page asks its questions, even after one of them kept the program open. A page
    // never built holds nothing to ask about.
    for (ShopPage* page : BuiltPages())
        if (!page->QueryClose()) Cancel += 1;
}

// Whatever page shows; a refused save lets the operator stay or quit.
bool frmMain::SavePendingEdits() {
    try {
        for (ShopPage* page : BuiltPages())
            if (!page->SaveBeforeClosing()) return false;
    } catch (const DbError& e) {
        const int answer =
            MsgBox(QStringLiteral("保存修改时出错：\n%1\n\n仍然要退出吗？没有保存的修改将会丢失。")
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

// ---- The main-window interface, answered by the pages ---------------------------------

// Until the settings and catalogue pages are built, only the pages that follow the lists
// have something to fill: the two pages read the lists when they are built.
void frmMain::FillTypeLists() {
    if (pages_[kSettings])
        ClassificationLists::Of(*Settings(), *Catalogue()).FillTypeLists();
    else
        ClassificationLists::AnnounceStoredLists();
}

// Asking for the catalogue builds its page; the window itself is never const.
Recordset* frmMain::adoCDInfo() const {
    return const_cast<frmMain*>(this)->Catalogue()->OpenedCatalogue();
}

Recordset* frmMain::adoDispBorrow() const {
    const auto* returns = static_cast<const ReturnPage*>(pages_[kReturns]);
    return returns ? returns->adoDispBorrow.get() : nullptr;
}

// Opened modally from the return page, the window stands in front of its blinking hint,
// which stops.
void frmMain::ShowMemberInfo(const QString& UserID, bool modal, QWidget* owner) {
    if (modal) Timer1->stop();
    frmDispUser::Open(UserID, modal, owner ? owner : this);
}

Recordset* frmMain::adoDispCDInfo() const {
    return Counter->adoDispCDInfo.get();
}
