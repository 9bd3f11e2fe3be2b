#include "returns/frmPayMoney.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/mdlMain.h"
#include "platform/ui/Controls.h"

namespace {
const char* const kStoredMoneyOf = "select [money] from userinfo where userid = ?1";
const char* const kPay = "付  款(&P)";
const char* const kCredit = "加入会费(&J)";
const char* const kRefund = "退  款(&B)";

frmPayMoney::Choice& Recorded() {
    static frmPayMoney::Choice choice;
    return choice;
}

QLineEdit* Shown(const QString& name) {
    auto* box = Named<QLineEdit>(name);
    box->setReadOnly(true);
    return box;
}

// An amount the operator typed; an empty box counts as nothing paid.
std::optional<Money> TypedOrZero(const MaskEdBox* box) {
    if (box->Text().trimmed().isEmpty()) return Money();
    return Money::FromTyped(box->Text());
}
}  // namespace

const frmPayMoney::Choice& frmPayMoney::LastChoice() {
    return Recorded();
}

frmPayMoney::frmPayMoney() {
    setObjectName("frmPayMoney");
    setWindowTitle(QStringLiteral("归还付款"));
    Frame1 = Named<QGroupBox>("Frame1", QStringLiteral("付款方式"));
    Option1_0 = Named<QRadioButton>("Option1_0", QStringLiteral("使用会费支付"));
    Option1_1 = Named<QRadioButton>("Option1_1", QStringLiteral("使用现金支付"));
    auto* options = new QHBoxLayout(Frame1);
    options->addWidget(Option1_0);
    options->addWidget(Option1_1);
    Command1 = Named<QPushButton>("Command1", QString::fromUtf8(kPay));
    Command3 = Named<QPushButton>("Command3", QStringLiteral("取 消(&C)"));
    SetDefaultButton(Command1);
    SetCancelButton(Command3);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addWidget(BuildStoredMoneyFrame());
    layout->addWidget(BuildCashFrame());
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command3);
    layout->addLayout(buttons);
    layout->addStretch();
    layout->setSizeConstraint(QLayout::SetFixedSize);

    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Handle(Option1_0, &QRadioButton::clicked, this, [this] { Option1_Click(0); });
    Handle(Option1_1, &QRadioButton::clicked, this, [this] { Option1_Click(1); });
    connect(TxtCatchFact, &MaskEdBox::Change, this, [this] { TxtCatchFact_Change(); });
    connect(TxtRemain, &MaskEdBox::Change, this, [this] { TxtRemain_Change(); });
}

QGroupBox* frmPayMoney::BuildStoredMoneyFrame() {
    Frame2_0 = Named<QGroupBox>("Frame2_0");
    auto* grid = new QGridLayout(Frame2_0);
    Label5 = Named<QLabel>("Label5", QStringLiteral("退还物品："));
    Label1 = Named<QLabel>("Label1", QStringLiteral("应付金额："));
    Label2 = Named<QLabel>("Label2", QStringLiteral("当前会费金额："));
    Label3 = Named<QLabel>("Label3", QStringLiteral("支付后会费总额："));
    Label4 = Named<QLabel>("Label4", QStringLiteral("补交金额："));
    TxtCre = Shown("TxtCre");
    TxtSum = Shown("TxtSum");
    TxtCurrentTax = Shown("TxtCurrentTax");
    TxtRest = Shown("TxtRest");
    TxtRemain = Named<MaskEdBox>("TxtRemain");
    const QList<QPair<QLabel*, QWidget*>> rows{{Label5, TxtCre},
                                               {Label1, TxtSum},
                                               {Label2, TxtCurrentTax},
                                               {Label3, TxtRest},
                                               {Label4, TxtRemain}};
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(rows[r].first, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    TxtCre->setMinimumWidth(200);
    return Frame2_0;
}

QGroupBox* frmPayMoney::BuildCashFrame() {
    Frame2_1 = Named<QGroupBox>("Frame2_1");
    auto* grid = new QGridLayout(Frame2_1);
    Label6 = Named<QLabel>("Label6", QStringLiteral("抵押物品："));
    Label7 = Named<QLabel>("Label7", QStringLiteral("应付总额："));
    Label8 = Named<QLabel>("Label8", QStringLiteral("实付款："));
    Label9 = Named<QLabel>("Label9");
    TxtCatchCre = Shown("TxtCatchCre");
    TxtCatchSum = Shown("TxtCatchSum");
    TxtCatchFact = Named<MaskEdBox>("TxtCatchFact");
    TxtCatchRest = Shown("TxtCatchRest");
    const QList<QPair<QLabel*, QWidget*>> rows{{Label6, TxtCatchCre},
                                               {Label7, TxtCatchSum},
                                               {Label8, TxtCatchFact},
                                               {Label9, TxtCatchRest}};
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(rows[r].first, r, 0);
        grid->addWidget(rows[r].second, r, 1);
    }
    TxtCatchCre->setMinimumWidth(200);
    return Frame2_1;
}

// ---- Preparation ------------------------------------------------------------------------

void frmPayMoney::Prepare(const QString& customer, Money rentCollected, Money depositBack,
                          const QString& pledges) {
    Recorded() = Choice{};
    IsPay = false;
    stored_ = Money();
    shortfall_ = Money();
    due_ = rentCollected - depositBack;
    member_ = IsUserExist(customer);
    TxtCre->setText(pledges);
    TxtCatchCre->setText(pledges);
    if (member_) PrepareStoredMoney(customer);
    PrepareCash();
    Option1_0->setVisible(member_);
    Option1_0->setChecked(member_);
    Option1_1->setChecked(!member_);
    ShowMode(member_);
    // The cursor waits where the operator types first: the cash received, or what a member
    // hands over beyond the stored money, when either is asked for.
    QWidget* typedFirst = member_ ? (shortfall_ > Money() ? TxtRemain : nullptr)
                                  : (due_ >= Money() ? TxtCatchFact : nullptr);
    (typedFirst ? typedFirst : Command1)->setFocus();
}

void frmPayMoney::PrepareStoredMoney(const QString& customer) {
    TxtSum->setText(due_.Text());
    Label1->setText(due_ < Money() ? QStringLiteral("退还金额：") : QStringLiteral("应付金额"));
    stored_ = Money::FromStored(gConn.Scalar(kStoredMoneyOf, {customer}).ToDouble());
    TxtCurrentTax->setText(stored_.Text());
    // Only an amount to pay can fall short; money coming back never asks for more.
    const Money rest = stored_ - due_;
    shortfall_ = due_ > Money() && rest < Money() ? -rest : Money();
    const bool short_ = shortfall_ > Money();
    Label4->setVisible(short_);
    TxtRemain->setVisible(short_);
    TxtRemain->SetText(short_ ? shortfall_.PlainText() : QString());
    ShowStoredMoneyAfter();
}

std::optional<Money> frmPayMoney::PaidIn() const {
    if (shortfall_ <= Money()) return Money();
    return Money::FromTyped(TxtRemain->Text());
}

// "支付后会费总额": the stored money after the payment, what the member hands over beyond
// the shortfall included; without a readable amount handed over, what the stored money
// alone leaves.
void frmPayMoney::ShowStoredMoneyAfter() {
    TxtRest->setText((stored_ - due_ + PaidIn().value_or(Money())).Text());
}

void frmPayMoney::PrepareCash() {
    TxtCatchSum->setText(due_.Text());
    const bool takesCash = due_ >= Money();
    for (QWidget* w : std::initializer_list<QWidget*>{Label8, TxtCatchFact, Label9, TxtCatchRest})
        w->setVisible(takesCash);
    TxtCatchFact->SetText(QString());
    TxtCatchRest->clear();
}

bool frmPayMoney::StoredMoneyMode() const {
    return member_ && Option1_0->isChecked();
}

void frmPayMoney::ShowMode(bool storedMoney) {
    Frame2_0->setVisible(storedMoney);
    Frame2_1->setVisible(!storedMoney);
    if (due_ >= Money())
        Command1->setText(QString::fromUtf8(kPay));
    else
        Command1->setText(QString::fromUtf8(storedMoney ? kCredit : kRefund));
    UpdateCommand1();
}

// The stored money, with what the member pays on top, covers the amount due to the cent.
bool frmPayMoney::StoredMoneyCovers() const {
    if (shortfall_ <= Money()) return true;
    const std::optional<Money> paidIn = PaidIn();
    return paidIn && *paidIn >= shortfall_;
}

// The cash received covers the amount due to the cent.
bool frmPayMoney::CashCovers(Money* cash) const {
    const std::optional<Money> received = TypedOrZero(TxtCatchFact);
    if (cash) *cash = received.value_or(Money());
    return received && *received >= due_;
}

void frmPayMoney::UpdateCommand1() {
    if (StoredMoneyMode()) {
        ShowStoredMoneyAfter();
        Command1->setEnabled(StoredMoneyCovers());
        return;
    }
    if (due_ < Money()) {
        Command1->setEnabled(true);
        return;
    }
    Money cash;
    const bool covers = CashCovers(&cash);
    Command1->setEnabled(covers);
    TxtCatchRest->setText(covers && !TxtCatchFact->Text().trimmed().isEmpty() ? (cash - due_).Text()
                                                                              : QString());
}

// ---- The operator -----------------------------------------------------------------------

void frmPayMoney::Option1_Click(int Index) {
    if (Index == 0 && !member_) return;
    ShowMode(Index == 0);
}

void frmPayMoney::TxtCatchFact_Change() {
    UpdateCommand1();
}

void frmPayMoney::TxtRemain_Change() {
    UpdateCommand1();
}

void frmPayMoney::Command1_Click() {
    // Acts once, and only when what was typed covers the amount.
    if (closing_ || !Command1->isEnabled()) return;
    UpdateCommand1();
    if (!Command1->isEnabled()) return;
    closing_ = true;
    IsPay = true;
    Unload();
}

void frmPayMoney::Command3_Click() {
    if (closing_) return;
    closing_ = true;
    IsPay = false;
    Unload();
}

void frmPayMoney::Form_Unload(int&) {
    const bool fromStoredMoney = IsPay && StoredMoneyMode();
    Recorded() = Choice{IsPay, fromStoredMoney, due_,
                        fromStoredMoney ? PaidIn().value_or(Money()) : Money()};
}
