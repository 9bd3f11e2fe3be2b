#pragma once
#include <optional>

#include "platform/ui/FormOf.h"

class MaskEdBox;
class QCheckBox;
class QLineEdit;
class QPushButton;

// The rental settlement dialog "押金结算": confirms the deposit received (the amount paid
// must cover it, to the cent), a pledged item, or a member let off the deposit. Modal,
// loaded afresh for each settlement; the opener writes the basket once it returns.
class frmUseTaxPay : public FormOf<frmUseTaxPay> {
    Q_OBJECT
    friend class FormOf<frmUseTaxPay>;

  public:
    static constexpr int kCancelled = -1;
    static constexpr int kWithDeposit = 0;
    static constexpr int kWaived = 1;

    // Shows the dialog for the deposit or pledge typed in the basket panel and returns
    // IsPay: kCancelled, kWithDeposit or kWaived (the waiver is offered to members only).
    static int Ask(const QString& credence, bool memberBasket, QWidget* owner);

    // What Ask shows before the dialog opens (and what a test opens without waiting).
    void Prepare(const QString& credence, bool memberBasket);

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
    // The deposit due when the box holds an amount; nothing for a pledge.
    std::optional<double> Due() const;
    bool Covered() const;
};
