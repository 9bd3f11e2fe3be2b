#include "counter/frmSellPay.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/mdlMain.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kStoredMoney = "select coalesce([money],0) from userinfo where userid = ?1";
const char* const kPay = "付  款(&P)";
const char* const kIntoStoredMoney = "加入会费(&J)";
const char* const kRefund = "退  款(&B)";

QLineEdit* ReadOnlyBox(const char* name) {
    auto* box = Named<QLineEdit>(name);
    box->setReadOnly(true);
    return box;
}
}  // namespace

frmSellPay::frmSellPay() {
    setObjectName("frmSellPay");
    setWindowTitle(QStringLiteral("付款"));
    Frame1 = Named<QGroupBox>("Frame1", QStringLiteral("付款方式"));
    Option1_0 = Named<QRadioButton>("Option1_0", QStringLiteral("使用会费支付"));
    Option1_1 = Named<QRadioButton>("Option1_1", QStringLiteral("使用现金支付"));
    auto* methods = new QHBoxLayout(Frame1);
    methods->addWidget(Option1_0);
    methods->addWidget(Option1_1);

    Frame2_0 = Named<QGroupBox>("Frame2_0");
    auto* stored = new QGridLayout(Frame2_0);
    stored->addWidget(Label1 = Named<QLabel>("Label1", QStringLiteral("应付金额：")), 0, 0);
    stored->addWidget(TxtSum = ReadOnlyBox("TxtSum"), 0, 1);
    stored->addWidget(Label2 = Named<QLabel>("Label2", QStringLiteral("当前会费金额：")), 1, 0);
    stored->addWidget(TxtCurrentTax = ReadOnlyBox("TxtCurrentTax"), 1, 1);
    stored->addWidget(Label3 = Named<QLabel>("Label3", QStringLiteral("支付后会费总额：")), 2, 0);
    stored->addWidget(TxtRest = ReadOnlyBox("TxtRest"), 2, 1);
    stored->addWidget(Label4 = Named<QLabel>("Label4", QStringLiteral("补交金额：")), 3, 0);
    stored->addWidget(TxtRemain = Named<MaskEdBox>("TxtRemain"), 3, 1);
    TxtRemain->setReadOnly(true);

    Frame2_1 = Named<QGroupBox>("Frame2_1");
    auto* cash = new QGridLayout(Frame2_1);
    cash->addWidget(Label7 = Named<QLabel>("Label7", QStringLiteral("应付总额：")), 0, 0);
    cash->addWidget(TxtCatchSum = ReadOnlyBox("TxtCatchSum"), 0, 1);
    cash->addWidget(Label8 = Named<QLabel>("Label8", QStringLiteral("实付款：")), 1, 0);
    cash->addWidget(TxtCatchFact = Named<MaskEdBox>("TxtCatchFact"), 1, 1);
    cash->addWidget(Label9 = Named<QLabel>("Label9", QStringLiteral("找零：")), 2, 0);
    cash->addWidget(TxtCatchRest = ReadOnlyBox("TxtCatchRest"), 2, 1);

    Command1 = Named<QPushButton>("Command1", QString::fromUtf8(kPay));
    Command3 = Named<QPushButton>("Command3", QStringLiteral("取 消(&C)"));
    SetDefaultButton(Command1);
    SetCancelButton(Command3);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(Frame2_0);
    layout->addWidget(Frame2_1);
    layout->addStretch();
    layout->addLayout(buttons);
    setMinimumWidth(340);

    Handle(Option1_0, &QRadioButton::clicked, this, [this] { Option1_Click(0); });
    Handle(Option1_1, &QRadioButton::clicked, this, [this] { Option1_Click(1); });
    Handle(TxtCatchFact, &MaskEdBox::Change, this, [this] { TxtCatchFact_Change(); });
    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
}

frmSellPay::Choice frmSellPay::Ask(Money amount, const QString& customerKey, QWidget* owner) {
    frmSellPay& dialog = instance();
    QPointer<frmSellPay> alive(&dialog);
    dialog.Prepare(amount, customerKey);
    dialog.ShowModal(owner);
    if (!alive) return {};
    return {alive->IsPay, alive->FromStoredMoney, alive->amount_, alive->balance_};
}

void frmSellPay::Prepare(Money amount, const QString& customerKey) {
    IsPay = false;
    FromStoredMoney = false;
    amount_ = amount;
    balance_.reset();
    const bool member = IsUserExist(customerKey);
    const bool paying = amount >= Money();
    FillCash();
    if (member) {
        FillStoredMoney(customerKey);
        Option1_0->setEnabled(true);
        Option1_0->setChecked(true);
        Command1->setText(QString::fromUtf8(paying ? kPay : kIntoStoredMoney));
        ShowFrame(0);
        Command1->setEnabled(true);
    } else {
        Option1_1->setChecked(true);
        Option1_0->setEnabled(false);
        Command1->setText(QString::fromUtf8(paying ? kPay : kRefund));
        ShowFrame(1);
        // A refund to a walk-in customer is paid out in cash: nothing to wait for.
        Command1->setEnabled(!paying);
    }
    // The cursor waits where the operator types first: the cash paid, when it is asked for.
    (member || amount < Money() ? static_cast<QWidget*>(Command1) : TxtCatchFact)->setFocus();
}

void frmSellPay::FillStoredMoney(const QString& customerKey) {
    const Money balance = Money::FromStored(gConn.Scalar(kStoredMoney, {customerKey}).ToDouble());
    balance_ = balance;
    const Money rest = balance - amount_;
    TxtSum->setText(amount_.Text());
    TxtCurrentTax->setText(balance.Text());
    TxtRest->setText(rest.Text());
    const bool shortfall = rest < Money();
    Label4->setVisible(shortfall);
    TxtRemain->setVisible(shortfall);
    TxtRemain->SetText(shortfall ? (-rest).PlainText() : QString());
}

void frmSellPay::FillCash() {
    TxtCatchSum->setText(amount_.Text());
    TxtCatchFact->SetText("");
    TxtCatchRest->clear();
    const bool paying = amount_ >= Money();
    for (QWidget* w : std::initializer_list<QWidget*>{TxtCatchFact, Label8, TxtCatchRest, Label9})
        w->setVisible(paying);
}

void frmSellPay::ShowFrame(int Index) {
    Frame2_0->setVisible(Index == 0);
    Frame2_1->setVisible(Index == 1);
    adjustSize();
}

// The amount paid covers the amount due to the cent.
bool frmSellPay::CashCovered() const {
    if (amount_ < Money()) return true;
    const std::optional<Money> paid = Money::FromTyped(TxtCatchFact->Text());
    return paid && *paid >= amount_;
}

void frmSellPay::Option1_Click(int Index) {
    if (Command1->text() == QString::fromUtf8(kRefund))
        Command1->setText(QString::fromUtf8(kIntoStoredMoney));
    else if (Command1->text() == QString::fromUtf8(kIntoStoredMoney))
        Command1->setText(QString::fromUtf8(kRefund));
    Command1->setEnabled(Index == 0 || CashCovered());
    ShowFrame(Index);
}

void frmSellPay::TxtCatchFact_Change() {
    if (!Frame2_1->isVisibleTo(this)) return;
    const bool covered = CashCovered();
    Command1->setEnabled(covered);
    const std::optional<Money> paid = Money::FromTyped(TxtCatchFact->Text());
    if (covered && paid && amount_ >= Money())
        TxtCatchRest->setText((*paid - amount_).Text());
    else
        TxtCatchRest->clear();
}

void frmSellPay::Command1_Click() {
    if (!Command1->isEnabled()) return;
    FromStoredMoney = Option1_0->isChecked();
    IsPay = true;
    Unload();
}

void frmSellPay::Command3_Click() {
    IsPay = false;
    Unload();
}

// Closing with the close box is cancelling: the basket stays open and unchanged.
void frmSellPay::Form_QueryUnload(int&, int UnloadMode) {
    if (UnloadMode == vbFormControlMenu) IsPay = false;
}
