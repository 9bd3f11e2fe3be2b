#pragma once
#include <QString>
#include <optional>

#include "platform/text/Money.h"
#include "platform/ui/FormOf.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class MaskEdBox;

// The money of one return settlement: rent collected less deposits given back, paid in
// cash or, for a member, from (or, when negative, into) the stored money. The dialog only
// records the choice; the settlement writes it with the return. Modal, owned by the
// return dialog.
class frmPayMoney : public FormOf<frmPayMoney> {
    Q_OBJECT
    friend class FormOf<frmPayMoney>;

  public:
    // How the dialog closed, kept after it unloads for the settlement to read.
    struct Choice {
        bool IsPay = false;            // closed by Command1
        bool fromStoredMoney = false;  // the stored-money mode was chosen
        Money amountDue;               // rent collected less deposits given back
        Money paidIn;                  // "补交金额": handed over, into the stored money
    };
    static const Choice& LastChoice();

    void Form_Unload(int& Cancel) override;

    // Fills the dialog for a customer key: the rent collected, the cash deposit given back
    // and the pledged items given back (as the return dialog shows them).
    void Prepare(const QString& customer, Money rentCollected, Money depositBack,
                 const QString& pledges);

    void Command1_Click();  // pay, credit the stored money, or refund
    void Command3_Click();  // "取 消(&C)"
    void Option1_Click(int Index);
    void TxtCatchFact_Change();
    void TxtRemain_Change();

    bool IsPay = false;
    Money AmountDue() const { return due_; }
    bool StoredMoneyMode() const;

    QGroupBox* Frame1;  // "付款方式"
    QRadioButton* Option1_0;
    QRadioButton* Option1_1;
    QGroupBox* Frame2_0;  // stored money
    QLabel* Label5;
    QLineEdit* TxtCre;
    QLabel* Label1;
    QLineEdit* TxtSum;
    QLabel* Label2;
    QLineEdit* TxtCurrentTax;
    QLabel* Label3;
    QLineEdit* TxtRest;
    QLabel* Label4;
    MaskEdBox* TxtRemain;
    QGroupBox* Frame2_1;  // cash
    QLabel* Label6;
    QLineEdit* TxtCatchCre;
    QLabel* Label7;
    QLineEdit* TxtCatchSum;
    QLabel* Label8;
    MaskEdBox* TxtCatchFact;
    QLabel* Label9;
    QLineEdit* TxtCatchRest;
    QPushButton* Command1;
    QPushButton* Command3;

  private:
    frmPayMoney();
    QGroupBox* BuildStoredMoneyFrame();
    QGroupBox* BuildCashFrame();
    void PrepareStoredMoney(const QString& customer);
    void PrepareCash();
    void ShowMode(bool storedMoney);
    void UpdateCommand1();
    bool StoredMoneyCovers() const;
    bool CashCovers(Money* cash) const;
    // What the member hands over on top of the stored money as typed in "补交金额"; 0 when
    // the stored money covers the amount, nothing when the text is no amount.
    std::optional<Money> PaidIn() const;
    void ShowStoredMoneyAfter();

    Money due_;
    Money stored_;     // the member's stored money when the dialog was prepared
    Money shortfall_;  // stored money short of the amount due; 0 when it covers it
    bool member_ = false;
    bool closing_ = false;
};
