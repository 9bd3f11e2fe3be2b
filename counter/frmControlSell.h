#pragma once
#include <optional>

#include "platform/ui/FormOf.h"

class CustomerFrames;
class Label;
class ListView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class SaleBasketPanel;

// The sale check-out dialog "出售登记": one title into the open sale basket, with its
// customer, the copies sold and a remark; the copies cost MemberPrice each for a member,
// Price for a walk-in customer. Modeless, owned by the main window; the counter's sale
// basket panel opens it for a title or for a line of the basket. Its close box cancels, as
// "不买这张光盘(&C)".
class frmControlSell : public FormOf<frmControlSell> {
    Q_OBJECT
    friend class FormOf<frmControlSell>;

  public:
    // A basket line reopened for editing: what the edit took out of the basket's totals.
    struct LineEdit {
        QString sellid;
        int copies = 0;
        double money = 0;
    };

    void OpenFor(SaleBasketPanel* panel, std::optional<LineEdit> edit);

    void Form_Load() override;
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void Command1_Click();  // "确认出售(&N)"
    void Command2_Click();  // "不买这张光盘(&C)"
    void Option3_Click();
    void Option4_Click();
    void TxtName_LostFocus();

    double Price = 0;        // a walk-in customer's price of one copy
    double MemberPrice = 0;  // a member's price of one copy

    QGroupBox* Frame2;
    QRadioButton* Option3;
    QRadioButton* Option4;
    QGroupBox* Frame3;
    QLabel* Label1;
    QLineEdit* TxtName;
    QLabel* Label11;
    Label* Label12;
    QLabel* Label9;
    Label* Label10;
    QLineEdit* TxtRemark;
    Label* LblID;
    Label* LblMovieName;
    Label* LblCDID;
    ListView* ListView1;
    QPushButton* Command1;
    QPushButton* Command2;

  private:
    frmControlSell();
    bool Confirm();
    bool LeaveWithoutConfirming();

    CustomerFrames* customer_;
    SaleBasketPanel* panel_ = nullptr;
    std::optional<LineEdit> editing_;
    bool armed_ = false;
};
