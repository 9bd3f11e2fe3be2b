#include "counter/CustomerFrames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>

#include "core/mdlMain.h"
#include "platform/db/Statement.h"
#include "platform/text/Money.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kMember = "select username, [money] from userinfo where userid = ?1";
}  // namespace

CustomerFrames::CustomerFrames(QWidget* window, const QString& newIdKind,
                               const QString& buyerCaption)
    : QObject(window), newIdKind_(newIdKind) {
    Frame2 = Named<QGroupBox>("Frame2", QStringLiteral("选择用户类型"));
    Option3 = Named<QRadioButton>("Option3", QStringLiteral(" 会 员"));
    Option4 = Named<QRadioButton>("Option4", QStringLiteral(" 零 租 用 户"));
    auto* kinds = new QHBoxLayout(Frame2);
    kinds->addWidget(Option3);
    kinds->addWidget(Option4);

    Frame3 = Named<QGroupBox>("Frame3");
    Label1 = Named<QLabel>("Label1", QStringLiteral("借盘人姓名"));
    TxtName = Named<QLineEdit>("TxtName");
    Label11 = Named<QLabel>("Label11", buyerCaption);
    Label12 = ValueLabel("Label12");
    Label9 = Named<QLabel>("Label9", QStringLiteral("剩余会费"));
    Label10 = ValueLabel("Label10");
    auto* grid = new QGridLayout(Frame3);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(TxtName, 0, 1, 1, 3);
    grid->addWidget(Label11, 1, 0);
    grid->addWidget(Label12, 1, 1);
    grid->addWidget(Label9, 1, 2);
    grid->addWidget(Label10, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);

    Handle(Option3, &QRadioButton::clicked, this, [this] { Option3_Click(); });
    Handle(Option4, &QRadioButton::clicked, this, [this] { Option4_Click(); });
    HandleLostFocus(TxtName, this, [this] { TxtName_LostFocus(); });
    OnGotFocus(TxtName, this, [this] { SelectAllText(TxtName); });
}

void CustomerFrames::Select(QRadioButton* option) {
    option->setChecked(true);
    if (option == Option3)
        Option3_Click();
    else
        Option4_Click();
}

void CustomerFrames::Option3_Click() {
    Label1->setText(QStringLiteral("会员编号"));
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, Label10, Label11, Label12})
        w->setVisible(true);
    TxtName->clear();
}

void CustomerFrames::Option4_Click() {
    Label1->setText(QStringLiteral("借盘人姓名"));
    for (QWidget* w : std::initializer_list<QWidget*>{Label9, Label10, Label11, Label12})
        w->setVisible(false);
    TxtName->setText(GetNewID(newIdKind_));
}

void CustomerFrames::TxtName_LostFocus() {
    if (TxtName->text().isEmpty() || !Option3->isChecked()) return;
    LookUpMember(kindFixed_);
}

bool CustomerFrames::RefreshMember() {
    Statement member(gConn, kMember);
    member.Bind({TxtName->text()});
    if (!member.Step()) return false;
    Label12->SetCaption(NullToStr(member.Column(0)));
    Label10->SetCaption(Money::FromStored(member.Column(1).ToDouble()).Text());
    return true;
}

bool CustomerFrames::LookUpMember(bool kindFixed) {
    if (RefreshMember()) return true;
    if (kindFixed) return false;  // the open basket's customer stays, whatever is gone
    MsgBox(QStringLiteral("没有这个会员，请检查会员编号是否输入错误！"), vbInformation,
           QStringLiteral("没有此会员"));
    Select(Option4);
    TxtName->setFocus();
    return false;
}

void CustomerFrames::ShowBasketCustomer(const Basket& basket, int otherKind) {
    kindFixed_ = true;
    const int kind = basket.UserType == kMemberUser || basket.UserType == kWalkInUser
                         ? basket.UserType
                         : otherKind;
    Select(kind == kMemberUser ? Option3 : Option4);
    const bool known = basket.UserType == kMemberUser || basket.UserType == kWalkInUser;
    TxtName->setText(known ? basket.UserName : QString());
    // Shows the member's name and balance; a failing look-up keeps the basket's customer.
    if (kind == kMemberUser && !TxtName->text().isEmpty()) TryStep([this] { RefreshMember(); });
    SetFramesEnabled(false);
}

void CustomerFrames::StartNewCustomer() {
    kindFixed_ = false;
    Label12->SetCaption("");
    Label10->SetCaption("");
    Select(Option4);
    SetFramesEnabled(true);
}

void CustomerFrames::SetFramesEnabled(bool enabled) {
    Frame2->setEnabled(enabled);
    Frame3->setEnabled(enabled);
}

bool CustomerFrames::MemberChosen() const {
    return Option3->isChecked();
}

int CustomerFrames::UserType() const {
    return Option3->isChecked() ? kMemberUser : kWalkInUser;
}
