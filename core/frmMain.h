#pragma once
#include <QString>
#include <array>

#include "platform/ui/FormOf.h"

class QTabWidget;
class QTimer;
class Label;
class PictureButton;
class Recordset;
class CataloguePage;
class CounterPage;
class MemberPage;
class ReturnPage;
class SettingsPage;
class StatisticsPage;

// The main window: six pages on a tab control without tabs, switched by a row of seven
// picture buttons and by keyboard shortcuts. It owns the pages and the state they share,
// and offers the procedures and recordsets other windows call on it.
class frmMain : public FormOf<frmMain> {
    Q_OBJECT
    friend class FormOf<frmMain>;

public:
    // The pages, by their index on SSTab1.
    enum Page { kSettings = 0, kStatistics = 1, kCatalogue = 2, kReturns = 3, kCounter = 4,
                kMembers = 5 };
    static constexpr int kPageButtons = 7;
    static constexpr int kPages = 6;

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

    // Procedures and recordsets other windows use.
    void SetDispSourse(const QString& StrOrder);
    void SetDispBorrowSourse(const QString& StrOrder);
    void FillTypeLists();
    void CmdSave_Click();
    Recordset* adoCDInfo() const;
    Recordset* adoDispBorrow() const;
    Recordset* adoDispCDInfo() const;

    // Window-level state
    bool IsActive = false;
    int CounterMode = 1;  // 1 rental, 2 sale
    bool SearchCancel = false;
    QString SortDirection;  // "ASC", "DESC" or "" at start

    QTabWidget* SSTab1;
    std::array<PictureButton*, kPageButtons> Image3{};
    std::array<PictureButton*, kPages> Image1{};
    Label* Label42;
    QTimer* Timer1;

    SettingsPage* Settings;
    StatisticsPage* Statistics;
    CataloguePage* Catalogue;
    ReturnPage* Returns;
    CounterPage* Counter;
    MemberPage* Members;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    frmMain();
    QWidget* BuildButtonBar();
    void BuildPages();
    void SelectFilterDefaults();
    void ShowCatalogueEntry();
    bool RollBackBasket(const char* const statements[3], const QString& basketNo,
                        const QString& failure, void (CounterPage::*closeBasket)());
    bool RollBackBorrowBasket();
    bool RollBackSellBasket();
    bool SavePendingEdits();
    void ShowPage(int page);
};
