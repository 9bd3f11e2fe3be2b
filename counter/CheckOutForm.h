#pragma once
#include <QString>

#include "platform/ui/Form.h"

class BasketPanel;
class CustomerFrames;
class Label;
class ListView;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// What the rental and the sale check-out dialogs share: their controls (the customer, the
// remark, the title and its copies, the confirm and cancel buttons) and the round of one
// opening: the opener's panel arms the dialog, and one confirmation or one cancel (the
// cancel button or the close box) ends it. What a confirmation checks and writes, and what
// a cancelled line edit puts back into the basket's totals, is each side's own.
class CheckOutForm : public Form {
    Q_OBJECT
  public:
    void Form_KeyUp(int& KeyCode, int Shift) override;
    void Form_QueryUnload(int& Cancel, int UnloadMode) override;

    void Command1_Click();  // confirms
    void Command2_Click();  // leaves without confirming
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

  protected:
    struct Captions {
        QString newIdKind;      // "borrow" / "sell": the kind GetNewID proposes names for
        QString buyerCaption;   // "借盘人姓名" / "买盘人姓名"
        QString confirm;        // Command1
        QString cancel;         // Command2
        QString idCaption;      // "出租光盘编号" / "出售光盘编号"
        QString copiesCaption;  // "选择借出光盘" / "选择售出光盘"
    };
    CheckOutForm() = default;
    void BuildControls(const Captions& captions);
    // Arms the dialog for one confirmation or cancel on behalf of the panel.
    void Arm(BasketPanel* opener);

    // The checks and the writing of one confirmation; false when it stopped with the
    // dialog open.
    virtual bool Confirm() = 0;
    // After a confirmation: the line edited, if any, is now as confirmed.
    virtual void ForgetEdit() = 0;
    // Left without confirming: the line edited, if any, back in the basket's totals.
    virtual void PutBackEdit() = 0;

    CustomerFrames* customer_ = nullptr;

  private:
    // Leaves the dialog without confirming: the basket as it was. True when the basket is
    // empty, and the dialog is to unload.
    bool LeaveWithoutConfirming();

    BasketPanel* opener_ = nullptr;
    bool armed_ = false;  // opened, and neither confirmed nor cancelled since
};
