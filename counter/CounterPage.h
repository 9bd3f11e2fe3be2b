#pragma once
#include <array>
#include <memory>
#include "core/ShopPage.h"
#include "counter/DiscListQuery.h"

#include "platform/db/Recordset.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class DataGrid;
class Label;
class ListView;
class MaskEdBox;
class RentalBasketPanel;
class SaleBasketPanel;
class CounterSearch;

// Page 4 of the main window: the counter, in rental or sale mode. The disc list with its
// filters and search box, the detail panel of the current title with its copies on the
// shelf, and the two basket frames.
class CounterPage : public ShopPage {
    Q_OBJECT
  public:
    explicit CounterPage(QWidget* parent = nullptr);

    // The page protocol.
    void Load() override;
    void ResetPanels() override;
    void Activate(int button) override;
    void FocusDefault() override;
    bool HandleShortcut(int KeyCode, int Shift) override;
    bool QueryClose() override;

    // Shows the controls of one mode and hides those of the other.
    void ApplyRentalLayout();
    void ApplySaleLayout();

    // Empties a basket's panel and disables its buttons: the basket is closed.
    void CloseBorrowBasket();
    void CloseSellBasket();

    // Rebuilds the disc list from the filters (a new recordset), binds the grid, shows the
    // count, the detail panel of the first title and the check-out buttons. StrOrder is an
    // ORDER BY clause with a leading blank, or "". A running search scan stops and its
    // matches are forgotten.
    void SetDispSourse(const QString& StrOrder);
    // Reads the list again with its filters and order, and shows it as a refill does.
    void RequeryDispCDInfo();
    // Opens the information window of the basket's customer.
    void LblBorrowUserName_Click();

    // Event handlers of the list, its filters and the search box.
    void CboFilter_Click();
    void dgDispCDInfo_HeadClick(int ColIndex);
    void adoDispCDInfo_MoveComplete();
    void LblStation_Change();
    void TxtFind_KeyDown(int& KeyCode, int Shift);
    void TxtFind_KeyUp(int& KeyCode, int Shift);

    // The search state of TxtFind.
    CounterSearch* Search;

    // Filters
    QComboBox* CboMovietypeFind;
    QComboBox* CboTypeFind;
    QComboBox* CboDegree;
    QComboBox* CboStation;
    QLabel* Label76_3;  // "出租状态：", beside CboStation
    QLineEdit* TxtFind;
    Label* Label43;

    // The list
    DataGrid* dgDispCDInfo;
    Label* LblCDCount;
    std::unique_ptr<Recordset> adoDispCDInfo;

    // The detail panel of the current title
    QGroupBox* Frame4;
    Label* LblName;
    Label* LblActor;
    Label* LblMovieType;
    Label* LblType;
    Label* LblBorn;
    Label* LblLocation;
    QLabel* Label17;  // "出租价格"
    Label* LblBorrowPrice;
    Label* LblBorrowMemberPrice;
    QLabel* Label58;  // "出售价格"
    Label* LblSellPrice;
    Label* LblSellMemberPrice;
    Label* LblBuyDate;
    Label* LblCount;
    Label* LblOutCount;
    Label* LblOutDate;
    Label* LblIsAbandon;
    Label* LblStation;
    QPlainTextEdit* TxtDispContent;
    ListView* ListView1;
    QPushButton* CmdBorrow;
    QPushButton* Command15;

    // The rental basket
    QGroupBox* Frame13;
    ListView* LvwReturn;
    Label* LblBorrowUserNameTotle;
    Label* LblBorrowUserName;
    Label* LblNotBackCount;
    Label* LblMoneyBorrowCreSum;
    QLineEdit* TxtCredence;
    QPushButton* CmdTax;
    QPushButton* CmdDel;
    QPushButton* CmdBorrowEdit;

    // The sale basket
    QGroupBox* Frame14;
    ListView* lvwSell;
    Label* LblSellUserNameTotle;
    Label* LblSellUserName;
    Label* LblSellCount;
    Label* LblSellMoney;
    MaskEdBox* MskFactSellMoney;
    QPushButton* CmdSellTax;
    QPushButton* CmdDelSellCD;
    QPushButton* CmdSellEdit;

    // What the two basket frames do: check-out, line edit and removal, settlement.
    RentalBasketPanel* RentalBasket;
    SaleBasketPanel* SaleBasket;

  private:
    QWidget* BuildFilterBar();
    void ConnectList();
    void SkipFocusWhenHidden();
    void ShowRefilledList();
    DiscListQuery::Filters ListFilters() const;
    void ShowCheckOutButtons(bool anyRow);
    void CheckOutCurrentTitle();
    void FillDetailPanel(bool afterRefill);
    void ClearDetailPanel();
    void ShowShelfCopies(const QString& cdid, int count);
    QWidget* BuildDiscList();
    QGroupBox* BuildDetailPanel();
    QGroupBox* BuildBorrowBasket();
    QGroupBox* BuildSellBasket();
    void SetModeVisibility(bool rental);
    void ConnectShop();
    void FillFilter(QComboBox* filter, const QStringList& names);
    bool AskAndRollBack(bool rental);

    bool requerying_ = false;
};
