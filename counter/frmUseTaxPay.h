#pragma once
#include <optional>

#include "platform/text/Money.h"
#include "platform/ui/FormOf.h"

class MaskEdBox;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The rental settlement dialog "押金结算": confirms the deposit received (the amount paid
// must cover it, to the cent), a pledged item, or a member let off the deposit. Modal,
// loaded afresh for each settlement; the opener writes the basket once it returns, with
// what the dialog decided.
class frmUseTaxPay : public FormOf<frmUseTaxPay> {
    Q_OBJECT
    friend class FormOf<frmUseTaxPay>;

  public:
    static constexpr int kCancelled = -1;
    static constexpr int kWithDeposit = 0;
    static constexpr int kWaived = 1;

    // What the dialog decided: IsPay kCancelled, kWithDeposit or kWaived (the waiver is
    // offered to members only); with a deposit, the amount received or the pledged item.
    struct Choice {
        int IsPay = kCancelled;
        std::optional<Money> deposit;  // the cash deposit received; nothing for a pledge
        QString pledge;                // the pledged item
    };
    // What the basket panel's deposit box holds, read once there: the deposit received as an
    // amount (a negative one is read too, and no settlement takes it), or else the pledged
    // item as typed.
    struct Credence {
        std::optional<Money> deposit;
        QString pledge;
        static Credence Read(const QString& typed);
    };

    // Shows the dialog for the deposit or pledge of the basket panel and returns the choice.
    static Choice Ask(const Credence& credence, bool memberBasket, QWidget* owner);

    // What Ask shows before the dialog opens (and what a test opens without waiting).
    void Prepare(const Credence& credence, bool memberBasket);
    Choice Decided() const;

    void Form_QueryUnload(int& Cancel, int UnloadMode) override;
    void Check1_Click();
    void TxtCatchFact_Change();
    void Command1_Click();  // "付款(&P)"
    void Command3_Click();  // "取消(&C)"

    QLineEdit* TxtCatchCre;
    MaskEdBox* TxtCatchFact;
    QLineEdit* TxtCatchRest;
    QCheckBox* Check1;
    QPushButton* Command1;
    QPushButton* Command3;

    int IsPay = kCancelled;

  private:
    frmUseTaxPay();
    bool Covered() const;

    Credence credence_;
};
