#pragma once
#include <array>
#include <functional>
#include <memory>

#include "catalogue/DepositAmountWrite.h"
#include "core/ShopPage.h"
#include "platform/db/Recordset.h"

class QGroupBox;
class QPushButton;
class QRadioButton;
class DataGrid;
class Label;
class MaskEdBox;

// Page 0 of the main window: the classification lists, the member price percentages,
// the membership fee and the deposit rule. Each setting is written as soon as the operator
// leaves its box or picks a rule; there is no save button. A box whose text is no amount
// is refused with a message and shows the stored setting again; nothing is written. A write
// the database refuses is told, and every box shows the stored settings again.
class SettingsPage : public ShopPage {
    Q_OBJECT
  public:
    explicit SettingsPage(QWidget* parent = nullptr);

    // The page protocol: the stored settings shown at the load, the lists' buttons and
    // names unlocked at start-up, the lists' pending edits written before closing.
    void Load() override;
    void EnableEntry() override;
    bool SaveBeforeClosing() override;

    // Shows the stored percentages and fee (opens adoPricePercent).
    void LoadPricePercent();
    // Shows the stored deposit rule (opens gRsForeGift, kept open for the whole run).
    void LoadForeGift();
    // Captions and visibility of the amount boxes for deposit rule Index; once the
    // window has loaded (gForeGiftLoaded), also writes the rule with both amounts.
    void Option3_Click(int Index);
    int SelectedForeGiftType() const;

    // Member rent and member sale percentages: written with every title's member price.
    void MaskEdBox2_LostFocus();
    void MaskEdBox3_LostFocus();
    // The monthly membership fee.
    void MaskEdBox4_LostFocus();
    // The deposit amounts for walk-in customers and for members.
    void MskForeGiftSet_LostFocus();
    void MskMemberForeGiftSet_LostFocus();

    QGroupBox* Frame2;  // "光盘格式"
    DataGrid* dgType;
    QPushButton* Command7;
    QPushButton* Command8;
    std::unique_ptr<Recordset> adoType;

    QGroupBox* Frame3;  // "影片类型"
    DataGrid* dgMovieType;
    QPushButton* Command4;
    QPushButton* Command6;
    std::unique_ptr<Recordset> adoMovieType;

    QGroupBox* Frame10;  // "出租价格设置"
    MaskEdBox* MaskEdBox2;
    QGroupBox* Frame11;  // "出售价格设置"
    MaskEdBox* MaskEdBox3;
    QGroupBox* Frame12;  // "会费设置"
    MaskEdBox* MaskEdBox4;
    std::unique_ptr<Recordset> adoPricePercent;

    QGroupBox* Frame15;  // "押金设置"
    std::array<QRadioButton*, 3> Option3{};
    Label* Label73;
    MaskEdBox* MskForeGiftSet;
    Label* Label75;
    MaskEdBox* MskMemberForeGiftSet;

  private:
    struct MemberPercent;
    void ConnectHandlers();
    void WriteMemberPercent(MaskEdBox* box, const MemberPercent& percent);
    void WriteForeGiftAmount(MaskEdBox* box, DepositAmountWrite::Customer customer,
                             const QString& whose);
    void WriteForeGiftRule(int rule);
    void ShowPricePercent();
    void ShowForeGiftRule();
    void ShowForeGiftAmounts();
    void WriteOrShowStored(const std::function<void()>& write);
    void ShowStoredSettings();
    void Refuse(const QString& message);

    bool showingStored_ = false;  // the page shows stored values: the options write nothing
    QGroupBox* BuildList(const QString& frame, const QString& caption, const QString& gridName,
                         const QString& addName, const QString& deleteName, DataGrid*& grid,
                         QPushButton*& add, QPushButton*& del);
    QGroupBox* BuildPercent(const QString& frame, const QString& caption, const QString& boxName,
                            MaskEdBox*& box);
    QGroupBox* BuildFee();
    QGroupBox* BuildForeGift();
};
