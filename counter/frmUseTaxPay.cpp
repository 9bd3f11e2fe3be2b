#include "counter/frmUseTaxPay.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <optional>

#include "platform/ui/Controls.h"

frmUseTaxPay::frmUseTaxPay() {
    setObjectName("frmUseTaxPay");
    setWindowTitle(QStringLiteral("押金结算"));
    TxtCatchCre = Named<QLineEdit>("TxtCatchCre");
    TxtCatchCre->setReadOnly(true);
    TxtCatchFact = Named<MaskEdBox>("TxtCatchFact");
    TxtCatchRest = Named<QLineEdit>("TxtCatchRest");
    TxtCatchRest->setReadOnly(true);
    Check1 = Named<QCheckBox>("Check1", QStringLiteral("会员免收押金"));
    Command1 = Named<QPushButton>("Command1", QStringLiteral("付款(&P)"));
    Command3 = Named<QPushButton>("Command3", QStringLiteral("取消(&C)"));
    SetDefaultButton(Command1);
    SetCancelButton(Command3);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("应收押金或抵押物品：")), 0, 0);
    grid->addWidget(TxtCatchCre, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("实付款：")), 1, 0);
    grid->addWidget(TxtCatchFact, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("找零：")), 2, 0);
    grid->addWidget(TxtCatchRest, 2, 1);
    grid->addWidget(Check1, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    grid->addLayout(buttons, 4, 0, 1, 2);
    grid->setColumnStretch(1, 1);
    resize(360, 200);

    Handle(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    Handle(TxtCatchFact, &MaskEdBox::Change, this, [this] { TxtCatchFact_Change(); });
    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

frmUseTaxPay::Credence frmUseTaxPay::Credence::Read(const QString& typed) {
    const std::optional<Money> amount = Money::FromTyped(typed, AmountSign::MayBeNegative);
    if (amount) return {amount, QString()};
    return {std::nullopt, typed};
}

frmUseTaxPay::Choice frmUseTaxPay::Ask(const Credence& credence, bool memberBasket,
                                       QWidget* owner) {
    frmUseTaxPay& dialog = instance();
    QPointer<frmUseTaxPay> alive(&dialog);
    dialog.Prepare(credence, memberBasket);
    dialog.ShowModal(owner);
    return alive ? alive->Decided() : Choice{};
}

void frmUseTaxPay::Prepare(const Credence& credence, bool memberBasket) {
    IsPay = kCancelled;
    credence_ = credence;
    TxtCatchCre->setText(credence.deposit ? credence.deposit->Text() : credence.pledge);
    Check1->setEnabled(memberBasket);
    Check1->setChecked(false);
    TxtCatchFact->SetText("");
    TxtCatchRest->clear();
    TxtCatchFact_Change();
    TxtCatchFact->setFocus();  // the amount paid is what the operator types first
}

frmUseTaxPay::Choice frmUseTaxPay::Decided() const {
    if (IsPay == kCancelled) return {};
    if (IsPay == kWaived) return {kWaived, std::nullopt, QString()};
    return {kWithDeposit, credence_.deposit, credence_.deposit ? QString() : credence_.pledge};
}

// A pledge covers the deposit when it names something; an amount due is covered by what was
// paid, to the cent. A negative amount due is no deposit at all and covers nothing.
bool frmUseTaxPay::Covered() const {
    const std::optional<Money> due = credence_.deposit;
    if (!due) return !credence_.pledge.trimmed().isEmpty();
    if (*due < Money()) return false;
    const QString typed = TxtCatchFact->Text().trimmed();
    const std::optional<Money> paid = typed.isEmpty() ? Money() : Money::FromTyped(typed);
    return paid && *paid >= *due;
}

void frmUseTaxPay::Check1_Click() {
    const bool waived = Check1->isChecked();
    TxtCatchFact->setEnabled(!waived);
    TxtCatchRest->setEnabled(!waived);
    if (waived) {
        TxtCatchFact->SetText("0");
        TxtCatchRest->setText("0");
        Command1->setEnabled(true);
        return;
    }
    TxtCatchFact_Change();
}

void frmUseTaxPay::TxtCatchFact_Change() {
    if (Check1->isChecked()) return;
    const bool covered = Covered();
    Command1->setEnabled(covered);
    const std::optional<Money> due = credence_.deposit;
    const std::optional<Money> paid = Money::FromTyped(TxtCatchFact->Text());
    if (covered && due && paid)
        TxtCatchRest->setText((*paid - *due).Text());
    else
        TxtCatchRest->clear();
}

void frmUseTaxPay::Command1_Click() {
    if (!Command1->isEnabled()) return;
    IsPay = Check1->isChecked() ? kWaived : kWithDeposit;
    Unload();
}

void frmUseTaxPay::Command3_Click() {
    IsPay = kCancelled;
    Unload();
}

// Closing with the close box is cancelling: the basket stays open and unchanged.
void frmUseTaxPay::Form_QueryUnload(int&, int UnloadMode) {
    if (UnloadMode == vbFormControlMenu) IsPay = kCancelled;
}
