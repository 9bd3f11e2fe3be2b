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
class RentalBasketPanel;

// The rental check-out dialog "出租登记": one title into the open rental basket, with its
// customer, the copies that go out and a remark. Modeless, owned by the main window; the
// counter's rental basket panel opens it for a title or for a line of the basket, and
// confirming hides it until the next opening. Its close box cancels, as "不借这张光盘(&C)".
class frmControlBorrow : public FormOf<frmControlBorrow> {
    Q_OBJECT
    friend class FormOf<frmControlBorrow>;

  public:
    // A basket line reopened for editing: what the edit took out of the basket's totals,
    // put back if the dialog is left without confirming.
    struct LineEdit {
        QString borrowid;
        int copies = 0;
        double deposit = 0;
    };

    // The opener: the panel the dialog writes, and the line being edited (if any). Arms the
    // dialog for one confirmation or cancel.
    void OpenFor(RentalBasketPanel* panel, std::optional<LineEdit> edit);

    void Form_Load() override;
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void Command1_Click();  // "确认出租(&N)"
    void Command2_Click();  // "不借这张光盘(&C)"
    void Option3_Click();
    void Option4_Click();
    void TxtName_LostFocus();

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
    frmControlBorrow();
    bool Confirm();
    // Leaves the dialog without confirming: the basket as it was. True when the basket is
    // empty, and the dialog is to unload.
    bool LeaveWithoutConfirming();

    CustomerFrames* customer_;
    RentalBasketPanel* panel_ = nullptr;
    std::optional<LineEdit> editing_;
    bool armed_ = false;  // opened, and neither confirmed nor cancelled since
};
