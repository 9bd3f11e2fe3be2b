#pragma once
#include <QDate>
#include <QStringList>
#include <memory>
#include "core/ShopPage.h"

#include "platform/db/Recordset.h"
#include "returns/RentalSearch.h"

class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class DataGrid;
class Label;
class ListView;

// Page 3 of the main window: the open rentals, by period, with the detail of the
// current one and the button that takes copies back.
class ReturnPage : public ShopPage {
    Q_OBJECT
  public:
    explicit ReturnPage(QWidget* parent = nullptr);

    // The page protocol.
    void Load() override;
    void Activate(int button) override;
    void FocusDefault() override;
    void Blink() override;

    // Rebuilds the list of open rentals for the period shown in CboSelTime; StrOrder is an
    // ORDER BY clause the code builds, or "".
    void SetDispBorrowSourse(const QString& StrOrder);
    void CboSelTime_Click();
    void dgBorrow_HeadClick(int ColIndex);
    // "处理本次出租(&T)": the return dialog for the renter of the current row.
    void Command5_Click();
    // Shows the current row of the list in the detail panel, or clears it.
    void DispBorrowDetail();
    // Selects a period by its text, as the main window does, and runs its click.
    void SelectPeriod(const QString& text);
    void RequeryDispBorrow();
    // The list's statement for an entry of CboSelTime (0 "全部未还光盘" to 5 "本月借出") on the
    // day given, without its order.
    struct ListStatement {
        QString sql;
        QString count;  // how many rows it gives, in any order
        Params params;
    };
    static ListStatement ListOf(int entry, const QDate& today);
    // The hint beside the renter blinks between red and white.
    bool Label68Red() const { return label68Red_; }
    void SetLabel68Red(bool red);
    // Opens the information window of the renter shown in the detail panel.
    void LblUserName_Click();

    QComboBox* CboSelTime;
    QLineEdit* TxtFindBack;
    Label* LblFindBackCount;  // "找到" n "个光盘"
    DataGrid* dgBorrow;
    std::unique_ptr<Recordset> adoDispBorrow;

    QGroupBox* Frame1;  // "详细信息"
    Label* LblUserName;
    Label* Label68;  // "←点击这里", blinks while the page shows
    Label* LblMovieName;
    Label* LblBorrowDate;
    Label* LblTheoryMoney;
    Label* LblFactMoney;
    Label* LblCredence;
    Label* Label54;
    Label* LblAllCount;
    QPlainTextEdit* TxtBorrowRemark;
    ListView* ListView3;
    ListView* ListView2;
    QPushButton* Command5;

    RentalSearch Search{*this};

    // How long a refill waits for a file another program holds before it tells the operator.
    static constexpr int kRefillWaitMs = 2000;

  private:
    // The list was read while other baskets were open at the counter than those open now.
    bool ListsOtherBaskets() const;
    void ReadList(const QString& StrOrder);
    void TellRefillRefused(const DbError& e, const char* what);

    bool label68Red_ = true;
    QString listedOrder_;            // the order the list was read with
    QStringList listedOpenBaskets_;  // the rental baskets open when it was read
    bool refillRefused_ = false;     // told in this turn of the event loop: no refill tries
    void ClearDetail();
    void ConnectControls();
    QWidget* BuildList();
    QGroupBox* BuildDetailPanel();
    void ConnectShop();
};
