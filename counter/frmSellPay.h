#pragma once
#include <optional>

#include "platform/text/Money.h"
#include "platform/ui/FormOf.h"

class Label;
class MaskEdBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The sale settlement dialog "付款": the amount received paid in cash (with change), or by
// a member from the stored money (a shortfall paid in cash; a negative amount goes into the
// stored money). Modal, loaded afresh for each settlement. It only records the choice: the
// opener writes the payment and the basket together once it returns.
class frmSellPay : public FormOf<frmSellPay> {
    Q_OBJECT
    friend class FormOf<frmSellPay>;

  public:
    struct Choice {
        bool IsPay = false;
        bool FromStoredMoney = false;
        Money amount;                  // the amount received the dialog was shown for
        std::optional<Money> balance;  // the member's stored money it showed
    };
    // Shows the dialog for the amount received from the basket's customer (a member when a
    // member has that number) and returns what the operator chose.
    static Choice Ask(Money amount, const QString& customerKey, QWidget* owner);

    // What Ask shows before the dialog opens (and what a test opens without waiting).
    void Prepare(Money amount, const QString& customerKey);

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Option1_Click(int Index);
    void TxtCatchFact_Change();
    void Command1_Click();  // "付  款(&P)", "加入会费(&J)" or "退  款(&B)"
    void Command3_Click();  // "取 消(&C)"

    QGroupBox* Frame1;
    QRadioButton* Option1_0;  // from the stored money
    QRadioButton* Option1_1;  // in cash
    QGroupBox* Frame2_0;
    QLabel* Label1;
    QLineEdit* TxtSum;
    QLabel* Label2;
    QLineEdit* TxtCurrentTax;
    QLabel* Label3;
    QLineEdit* TxtRest;
    QLabel* Label4;
    MaskEdBox* TxtRemain;
    QGroupBox* Frame2_1;
    QLabel* Label7;
    QLineEdit* TxtCatchSum;
    QLabel* Label8;
    MaskEdBox* TxtCatchFact;
    QLabel* Label9;
    QLineEdit* TxtCatchRest;
    QPushButton* Command1;
    QPushButton* Command3;

    bool IsPay = false;
    bool FromStoredMoney = false;

  private:
    frmSellPay();
    void FillStoredMoney(const QString& customerKey);
    void FillCash();
    void ShowFrame(int Index);
    bool CashCovered() const;

    Money amount_;
    std::optional<Money> balance_;
};
