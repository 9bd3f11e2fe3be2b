#pragma once
#include <QDateTime>

#include "platform/ui/FormOf.h"
#include "returns/ReturnLines.h"
#include "returns/ReturnSettlement.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class Label;
class ListItem;
class ListView;
class MaskEdBox;

// The return dialog "归还登记": every open rental line of one customer; the operator ticks
// the copies brought back, chooses per line whether the rent is taken and the deposit or
// pledge given back, and settles. Modeless, owned by the main window.
class frmControlBack : public FormOf<frmControlBack> {
    Q_OBJECT
    friend class FormOf<frmControlBack>;

  public:
    void Form_Load() override;
    void Form_Activate() override;

    // Lists the customer's open lines (the renter of the return page's current row).
    void OpenFor(const QString& customer);

    void LvwBack_ItemClick(ListItem* Item);
    void ListView1_ItemCheck(ListItem* Item);
    void ListView1_MouseDown(int Button, int Shift, double X, double Y);
    void Check1_Click();
    void Check2_Click();
    void Command2_Click();  // "稍后再还(&X)"
    void Command3_Click();  // "归还并结算(&N)"
    void Command4_Click();  // "不还这张(&C)"
    void LblBackName_Click();
    void LblPlanBackSum_Change();
    void TxtRemark_GotFocus();
    void KeepRemarkWithinLength();

    // The lines and the operator's choices; the labels show what they add up to.
    const ReturnLines& Lines() const { return lines_; }
    // The row of LvwBack shown in the panel (0-based), -1 when none: always the current
    // row, however it became current.
    int SelectedLine() const;

    ListView* LvwBack;
    QGroupBox* Frame1;  // "此光盘的出租信息"
    Label* LblID;
    Label* LblCDID;
    Label* LblMovieName;
    Label* LblDayCount;
    ListView* ListView1;
    QLabel* LblBackNameTotle;
    Label* LblBackName;
    Label* LblReturnCount;
    Label* LblNotReturnCount;
    Label* LblBackCountSum;
    Label* LblIsPayBackCount;
    Label* LblIsNotPayBackCount;
    Label* LblPlanBackSum;
    MaskEdBox* MskPlanBackSum;
    Label* LblCrePlanBackSum;
    QLineEdit* lblCre;
    QCheckBox* Check1;
    QCheckBox* Check2;
    QLineEdit* TxtRemark;
    QPushButton* Command3;
    QPushButton* Command2;
    QPushButton* Command4;

    bool IsEventOn = false;

  private:
    frmControlBack();
    QWidget* BuildLinePanel();
    QWidget* BuildTotals();
    void ConnectControls();
    void AddRow(const ReturnLine& line);
    void ShowLine(int line);
    void ClearLinePanel();
    void ShowSwitches(int line);
    void ShowTotals();
    void SetSwitch(QCheckBox* box, bool on);
    bool AskKeep(const char* prompt, const char* title);
    ReturnSettlement::Request SettlementRequest(Money received) const;
    bool Settle();

    ReturnLines lines_;
    int shownLine_ = -1;  // the line whose copies ListView1 holds
    QString customer_;
    bool settling_ = false;
};
