#pragma once
#include <QEvent>
#include <QSize>
#include <QString>
#include <array>
#include <initializer_list>
#include <vector>

#include "core/MainWindow.h"
#include "platform/ui/FormOf.h"

class QTabWidget;
class QTimer;
class Label;
class PictureButton;
class Recordset;
class ShopPage;
class CataloguePage;
class CounterPage;
class MemberPage;
class ReturnPage;
class SettingsPage;
class StatisticsPage;

// The main window: six pages on a tab control without tabs, switched by a row of seven
// picture buttons and by keyboard shortcuts. It owns the pages and the state they share,
// talks to them only through the page protocol, and answers what pages and windows ask
// of the main window.
class frmMain : public FormOf<frmMain>, public MainWindow {
    Q_OBJECT
    friend class FormOf<frmMain>;

  public:
    // The pages, by their index on SSTab1.
    enum Page {
        kSettings = 0,
        kStatistics = 1,
        kCatalogue = 2,
        kReturns = 3,
        kCounter = 4,
        kMembers = 5
    };
    static constexpr int kPageButtons = 7;
    static constexpr int kPages = 6;

    ~frmMain() override;

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Form_Unload(int& Cancel) override;
    void Form_KeyPress(int& KeyAscii) override;
    void Form_KeyUp(int& KeyCode, int Shift) override;

    void Image3_Click(int Index);
    void Image3_MouseDown(int Index);
    void Image3_MouseUp(int Index);
    void Image1_MouseMove();
    void Timer1_Timer();

    // What start-up does to the window once it is loaded.
    void EnableCatalogueEntry();
    void ResetBasketPanels();

    // The main-window interface.
    Form* Window() override { return this; }
    bool IsShowing(const QWidget* page) const override;
    void FillTypeLists() override;
    Recordset* adoCDInfo() const override;
    Recordset* adoDispBorrow() const override;
    Recordset* adoDispCDInfo() const override;
    void ShowMemberInfo(const QString& UserID, bool modal, QWidget* owner = nullptr) override;

    QTabWidget* SSTab1;
    std::array<PictureButton*, kPageButtons> Image3{};
    std::array<PictureButton*, kPages> Image1{};
    Label* Label42;
    QTimer* Timer1;

    // Built with the window: the counter shows first.
    CounterPage* Counter;
    // Built when first shown or asked for, so that start-up builds and reads only what the
    // operator meets first; each is then loaded as start-up would have loaded it. The
    // settings and catalogue pages are built together: the classification lists of the one
    // fill the combos of the other.
    SettingsPage* Settings();
    StatisticsPage* Statistics();
    CataloguePage* Catalogue();
    ReturnPage* Returns();
    MemberPage* Members();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    frmMain();
    QWidget* BuildButtonBar();
    void FitScreen();
    void BuildPages();
    ShopPage* MakePage(int page);
    void InstallPage(int page, ShopPage* built);
    // The page at its index on SSTab1, built first if it was not yet.
    ShopPage* Page(int page);
    // Builds the pages not yet built among these and does to them what start-up has done
    // to the others so far.
    void BuildLate(std::initializer_list<int> pages);
    // The pages built so far, in index order: the window's loops go over these only.
    std::vector<ShopPage*> BuiltPages() const;
    ShopPage* CurrentPage();
    bool SavePendingEdits();
    void ShowPage(int page);
    void PaintBackground(int page);
    void PageResizedOrShown(int page, QEvent::Type type);

    std::array<QSize, kPages> backgroundSizes_{};  // the size each page's picture was painted for
    std::array<ShopPage*, kPages> pages_{};        // null until built
    // What start-up has done to the pages so far, done again to a page built later.
    bool loaded_ = false;
    bool entryEnabled_ = false;
    bool panelsReset_ = false;
};
