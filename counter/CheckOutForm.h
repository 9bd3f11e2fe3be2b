#pragma once
#include <QString>
#include <vector>

#include "counter/CheckOutOutcome.h"
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
// remark, the title and its copies, the confirm and cancel buttons), the round of one
// opening (the opener's panel arms the dialog, for a title or for an edit of one basket
// line, and one confirmation or one cancel, the cancel button or the close box, ends it),
// and what a refused confirmation tells. Nothing leaves the basket while the dialog is
// open, so leaving it puts nothing back. What a confirmation writes is each side's own.
class CheckOutForm : public Form {
    Q_OBJECT
  public:
    // Armed for an edit of a basket line: until it is confirmed or left, the panel's
    // buttons that would change the basket do nothing.
    bool HoldsLineEdit() const { return armed_ && !editedLine_.isEmpty(); }
    const QString& EditedLine() const { return editedLine_; }

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
        QString action;         // "出租" / "出售", in the refusals
    };
    CheckOutForm() = default;
    void BuildControls(const Captions& captions);
    // Arms the dialog for one confirmation or cancel on behalf of the panel; editedLine is
    // the basket line reopened, empty for a title.
    void Arm(BasketPanel* opener, const QString& editedLine);

    // The checks and the writing of one confirmation; false when it stopped with the
    // dialog open.
    virtual bool Confirm() = 0;

    // True when the confirmation was written. Otherwise nothing was: the operator is told
    // why, and where the copies changed the list shows them as they stand (available, in
    // rising order, checked where the operator had checked them).
    bool Accepted(CheckOutOutcome outcome, const std::vector<int>& available);

    CustomerFrames* customer_ = nullptr;

  private:
    // Leaves the dialog without confirming: the basket as it was. True when the basket is
    // empty, and the dialog is to unload.
    bool LeaveWithoutConfirming();

    BasketPanel* opener_ = nullptr;
    QString editedLine_;
    QString action_;
    bool armed_ = false;  // opened, and neither confirmed nor cancelled since
};
