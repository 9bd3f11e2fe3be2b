#include "members/MemberPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/MainWindow.h"
#include "core/mdlMain.h"
#include "members/MemberAccount.h"
#include "members/MemberCard.h"
#include "members/MemberFigures.h"
#include "members/MemberLeave.h"
#include "members/MemberNumber.h"
#include "members/MemberSave.h"
#include "members/frmUserBorrowLst.h"
#include "members/frmUserSellLst.h"
#include "platform/app/Clock.h"
#include "platform/text/Money.h"
#include "platform/text/QuotedInput.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kAllMembers = "select * from userinfo";
const char* const kNoPayIn = "没有添写所缴会费！";
const char* const kNoRefund = "没有添写退还会费的金额！";
const char* const kRefundQuestion = "真的要退还会费吗？";
const char* const kRefundTitle = "退还会费";
const char* const kRefundAll =
    "此用户没有缴纳这么多的会费，所以不能退还这个钱数，将退还用户全部会费";
const char* const kLeaveQuestion = "此会员将退出本店，真的要退出本店吗？";
const char* const kHandBack = "如果是请归还用户已缴的会费%1元";
const char* const kOwes = "此会员还欠本店会费%1元，退出后此欠款不再记录。";
const char* const kLeaveStale =
    "此会员的资料已被其他程序修改或删除，会员没有退出。会员列表已重新读取，"
    "请核对已存入金额后重新办理。";
const char* const kAmountBox = "退还或存入金额";
const char* const kNothingToRefund = "此会员没有可以退还的会费（已存入金额为%1），不能退还。";
const char* const kNotADate =
    "入会时间“%1”不是正确的日期，请按 2024-03-07 的样子填写。入会时间没有改变。";
constexpr int kJoinDateColumn = 3;
constexpr int kMoneyColumn = 2;

// The operator hands back only a balance the member has: with nothing stored nothing is
// handed back, and a debt (a monthly fee charged beyond the balance) is told, since it goes
// with the member's row.
QString LeaveQuestion(Money balance) {
    const QString question = QString::fromUtf8(kLeaveQuestion);
    if (balance == Money()) return question;
    const bool handBack = balance > Money();
    const QString amount = (handBack ? balance : -balance).PlainText();
    return question + QString::fromUtf8(handBack ? kHandBack : kOwes).arg(amount);
}

QString DateText(const QDate& d) {
    return Format(d, "yyyy-mm-dd");
}

// A join date as the operator types it: "2024-03-07" or "2024-3-7".
QDate TypedDate(const QString& text) {
    const QString t = text.trimmed();
    QDate d = QDate::fromString(t, "yyyy-MM-dd");
    if (!d.isValid()) d = QDate::fromString(t, "yyyy-M-d");
    return d;
}

// Sets a flag for the length of a block.
class FlagOn {
  public:
    explicit FlagOn(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagOn() { flag_ = false; }
    FlagOn(const FlagOn&) = delete;
    FlagOn& operator=(const FlagOn&) = delete;

  private:
    bool& flag_;
};
}  // namespace

MemberPage::MemberPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("MemberPage");
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildMemberList(), 3);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildMemberFields());
    right->addWidget(BuildMemberLevel());
    right->addWidget(BuildAccount());
    auto* buttons = new QGridLayout;
    buttons->addWidget(Command13 = Named<QPushButton>("Command13", QStringLiteral("新会员(&N)")), 0,
                       0);
    buttons->addWidget(Command16 = Named<QPushButton>("Command16", QStringLiteral("保存(&V)")), 0,
                       1);
    buttons->addWidget(Command14 = Named<QPushButton>("Command14", QStringLiteral("退出会员(&X)")),
                       1, 0);
    buttons->addWidget(CmdPrint = Named<QPushButton>("CmdPrint", QStringLiteral("打印(&P)")), 1, 1);
    right->addLayout(buttons);
    right->addStretch();
    layout->addLayout(right, 2);
    ConnectHandlers();
}

QWidget* MemberPage::BuildMemberList() {
    auto* box = new QGroupBox(QStringLiteral("会员列表"));
    auto* v = new QVBoxLayout(box);
    DataGrid1 = Named<DataGrid>("DataGrid1");
    DataGrid1->AddColumn("会员编号", "userid", 1100);
    DataGrid1->AddColumn("会员姓名", "username", 1500);
    DataGrid1->AddColumn("已缴会费", "money", 1300, kMoneyFormat);
    DataGrid1->AddColumn("入会时间", "JoinDate", 1300);
    DataGrid1->AddColumn("联系电话", "telephone", 1600);
    // The balance changes through the account buttons only, the join date through its box.
    // A Null balance, as on a member who never paid in, is 0.
    DataGrid1->Columns(kMoneyColumn).SetNullAsZero(true);
    DataGrid1->Columns(kMoneyColumn).SetLocked(true);
    DataGrid1->Columns(kJoinDateColumn).SetLocked(true);
    v->addWidget(DataGrid1, 1);
    auto* find = new QHBoxLayout;
    Text3 = Named<QLineEdit>("Text3");
    find->addWidget(new QLabel(QStringLiteral("在这里输入会员编号按回车键查找")));
    find->addWidget(Text3, 1);
    v->addLayout(find);
    return box;
}

QGroupBox* MemberPage::BuildMemberFields() {
    FrameMemberFields = Named<QGroupBox>("FrameMemberFields", QStringLiteral("会员信息"));
    auto* grid = new QGridLayout(FrameMemberFields);
    FieldGrid fields(grid, 2);
    fields.Add("会员编号：", TxtUserID = Named<QLineEdit>("TxtUserID"));
    fields.Add("会员姓名：", TxtUserName = Named<QLineEdit>("TxtUserName"));
    fields.Add("入会时间：", MaskEdBox1 = Named<MaskEdBox>("MaskEdBox1"));
    fields.Add("联系电话：", TxtTele = Named<QLineEdit>("TxtTele"));
    fields.Add("住址：", TxtAddress = Named<QLineEdit>("TxtAddress"), 2);
    return FrameMemberFields;
}

QGroupBox* MemberPage::BuildMemberLevel() {
    FrameMemberLevel = Named<QGroupBox>("FrameMemberLevel", QStringLiteral("会员级别"));
    auto* grid = new QGridLayout(FrameMemberLevel);
    FieldGrid fields(grid, 2);
    fields.Add("出租光盘次数", LblBorrowCount = ValueLabel("LblBorrowCount"));
    fields.Add("已付租金", LblAllMoney = ValueLabel("LblAllMoney"));
    fields.Add("购买光盘次数", LblBuyCount = ValueLabel("LblBuyCount"));
    fields.Add("购买合计", LblBuyMoney = ValueLabel("LblBuyMoney"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command18 =
                           Named<QPushButton>("Command18", QStringLiteral("出租光盘详细列表")));
    buttons->addWidget(Command17 =
                           Named<QPushButton>("Command17", QStringLiteral("购买光盘详细列表")));
    grid->addLayout(buttons, fields.Row() + 1, 0, 1, 4);
    return FrameMemberLevel;
}

QGroupBox* MemberPage::BuildAccount() {
    FrameAccount = Named<QGroupBox>("FrameAccount", QStringLiteral("个人帐户管理"));
    auto* grid = new QGridLayout(FrameAccount);
    FieldGrid fields(grid, 2);
    fields.Add("已存入金额", LblMoney = ValueLabel("LblMoney"));
    MebAddMoney = Named<MaskEdBox>("MebAddMoney");
    fields.Add(QString::fromUtf8(kAmountBox), MebAddMoney);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command10 = Named<QPushButton>("Command10", QStringLiteral("缴纳会费")));
    buttons->addWidget(Command11 = Named<QPushButton>("Command11", QStringLiteral("退还会费")));
    buttons->addWidget(Command12 = Named<QPushButton>("Command12", QStringLiteral("全部退还")));
    grid->addLayout(buttons, fields.Row() + 1, 0, 1, 4);
    return FrameAccount;
}

void MemberPage::ConnectHandlers() {
    Handle(Command16, &QPushButton::clicked, this, [this] { Command16_Click(); });
    Handle(Command13, &QPushButton::clicked, this, [this] { Command13_Click(); });
    Handle(Command14, &QPushButton::clicked, this, [this] { Command14_Click(); });
    Handle(Command10, &QPushButton::clicked, this, [this] { Command10_Click(); });
    Handle(Command11, &QPushButton::clicked, this, [this] { Command11_Click(); });
    Handle(Command12, &QPushButton::clicked, this, [this] { Command12_Click(); });
    Handle(Command18, &QPushButton::clicked, this, [this] { Command18_Click(); });
    Handle(Command17, &QPushButton::clicked, this, [this] { Command17_Click(); });
    Handle(CmdPrint, &QPushButton::clicked, this, [this] { CmdPrint_Click(); });
    Handle(DataGrid1, &DataGrid::RowColChange, this, [this] { DataGrid1_RowColChange(); });
    HandleLostFocus(MaskEdBox1, this, [this] { MaskEdBox1_LostFocus(); });
    HandleLostFocus(MebAddMoney, this, [this] { MebAddMoney_LostFocus(); });
    OnKeyDown(Text3, this, [this](int& KeyCode, int Shift) {
        RunReported([&] { Text3_KeyDown(KeyCode, Shift); });
    });
}

void MemberPage::OpenMemberRecordset() {
    auto rs = std::make_unique<Recordset>();
    rs->Open(kAllMembers, gConn, adLockBatchOptimistic);
    DataGrid1->SetDataSource(rs.get());
    SetDataField(TxtUserID, "UserID");
    SetDataField(TxtAddress, "Address");
    SetDataField(TxtTele, "Telephone");
    SetDataField(TxtUserName, "UserName");
    SetDataSource({TxtUserID, TxtAddress, TxtTele, TxtUserName}, rs.get());
    FollowBalance(rs.get());
    adoUser = std::move(rs);
    ShowBalance();
}

// "已存入金额" shows the current member's balance as it stands in the recordset, pending
// changes included; a Null balance is 0, as every Null amount.
void MemberPage::FollowBalance(Recordset* rs) {
    const int money = rs->FieldIndex("money");
    connect(rs, &Recordset::MoveComplete, this, &MemberPage::ShowBalance);
    connect(rs, &Recordset::RecordChangeComplete, this, &MemberPage::ShowBalance);
    connect(rs, &Recordset::RecordsetChangeComplete, this, &MemberPage::ShowBalance);
    connect(rs, &Recordset::FieldChangeComplete, this, [this, money](int index) {
        if (index == money) ShowBalance();
    });
}

void MemberPage::ShowBalance() {
    LblMoney->SetCaption(HasMember() ? Balance().Text() : QString());
}

bool MemberPage::HasMember() const {
    return adoUser && adoUser->HasCurrentRow();
}

// ---- The account panel -------------------------------------------------------------------

QList<QWidget*> MemberPage::MemberControls() const {
    return {TxtUserID, TxtUserName, MaskEdBox1, TxtAddress, TxtTele,   MebAddMoney, Command10,
            Command11, Command12,   Command17,  Command18,  Command14, Command16,   CmdPrint};
}

void MemberPage::ZeroAccountLabels() {
    LblBorrowCount->SetCaption(MemberFigures::CountText(0));
    LblBuyCount->SetCaption(MemberFigures::CountText(0));
    LblAllMoney->SetCaption(Format(0.0, kMoneyFormat));
    LblBuyMoney->SetCaption(Format(0.0, kMoneyFormat));
}

void MemberPage::ShowUserAccount() {
    if (!HasMember()) {
        ZeroAccountLabels();
        for (QWidget* w : MemberControls()) w->setEnabled(false);
        return;
    }
    // The number of the member's row, not the box bound to it: when the find moves the
    // recordset, the grid reports the row change before the boxes follow the move.
    const QString userId = NullToStr((*adoUser)["userid"]);
    const MemberFigures::Lines rented = MemberFigures::Rentals(gConn, userId);
    LblBorrowCount->SetCaption(MemberFigures::CountText(rented.count));
    LblAllMoney->SetCaption(Format(rented.money, kMoneyFormat));
    const MemberFigures::Lines bought = MemberFigures::Sales(gConn, userId);
    LblBuyCount->SetCaption(MemberFigures::CountText(bought.count));
    LblBuyMoney->SetCaption(Format(bought.money, kMoneyFormat));
    ShowJoinDate();
    for (QWidget* w : MemberControls()) w->setEnabled(true);
}

// The stored join date; none for a member without one, rather than the last member's.
void MemberPage::ShowJoinDate() {
    const Value joined = HasMember() ? adoUser->Fields("JoinDate").GetValue() : Value();
    const QDate d = joined.ToDate();
    MaskEdBox1->SetText(d.isValid() ? DateText(d) : NullToStr(joined));
}

// ---- Saving ------------------------------------------------------------------------------

bool MemberPage::SavePendingRows() {
    if (!adoUser || !adoUser->IsOpen() || saving_) return true;
    const FlagOn saving(saving_);
    const MemberSave::Result result = MemberSave(*adoUser).Run();
    if (result.Stale()) {
        MsgBox(MemberSave::RefusalMessage(result), vbInformation, QStringLiteral("提示"));
        ReadMembersAgain();
        return false;
    }
    if (!result.Refused()) return true;
    MsgBox(MemberSave::RefusalMessage(result), vbInformation, QStringLiteral("提示"));
    if (adoUser->HasBookmark(result.row) && (!HasMember() || adoUser->GetBookmark() != result.row))
        adoUser->SetBookmark(result.row);  // the member to mend, with the edits in place
    return false;
}

// The pending edits are stale: the members are read as the file holds them now, and the
// member that was current stays current where it still exists.
void MemberPage::ReadMembersAgain() {
    const QString number = HasMember() ? NullToStr((*adoUser)["userid"]) : QString();
    adoUser->Requery();
    const int field = adoUser->FieldIndex("userid");
    for (int p = 1; p <= adoUser->RecordCount(); ++p) {
        if (NullToStr(adoUser->ValueAt(p, field)) == number) {
            adoUser->SetAbsolutePosition(p);
            break;
        }
    }
    ShowUserAccount();
}

void MemberPage::Command16_Click() {
    if (!HasMember() || !Command16->isEnabled()) return;
    SavePendingRows();
}

void MemberPage::DataGrid1_RowColChange() {
    if (!IsAddingUser) SavePendingRows();
    ShowUserAccount();
}

// The number is taken before the row is added: with none left, nothing is added.
void MemberPage::Command13_Click() {
    if (!adoUser || !adoUser->IsOpen()) return;
    if (!SavePendingRows()) return;
    const std::optional<QString> number = MemberNumber::Next(gConn);
    if (!number) {
        MsgBox(MemberNumber::ExhaustedMessage(), vbInformation, QStringLiteral("提示"));
        return;
    }
    const FlagOn adding(IsAddingUser);
    adoUser->AddNew();
    ZeroAccountLabels();
    const QString today = DateText(Today());
    MaskEdBox1->SetText(today);
    adoUser->Fields("JoinDate") = today;
    adoUser->Fields("userid") = *number;
    LblMoney->SetCaption("0");
    TxtUserName->setFocus();
}

// The leaving member is asked about as the page shows them once the other edits are
// written; when the save moved away from them (a nameless new member dropped), nothing
// is asked. The balance handed back is the one asked about: when another program changed
// it meanwhile, the member stays and the list is read again.
void MemberPage::Command14_Click() {
    if (!HasMember()) return;
    const Bookmark member = adoUser->GetBookmark();
    if (!SavePendingRows() || !HasMember() || adoUser->GetBookmark() != member) return;
    if (MsgBox(LeaveQuestion(Balance()), vbYesNo + vbQuestion, QStringLiteral("会员退出")) != vbYes)
        return;
    const FlagOn saving(saving_);
    if (MemberLeave::Run(*adoUser) == MemberLeave::Outcome::ChangedElsewhere) {
        MsgBox(QString::fromUtf8(kLeaveStale), vbInformation, QStringLiteral("提示"));
        ReadMembersAgain();
        return;
    }
    ShowUserAccount();  // the next member, or none after the last
}

void MemberPage::Text3_KeyDown(int& KeyCode, int) {
    if (KeyCode != vbKeyReturn || !adoUser || !adoUser->IsOpen()) return;
    const QString text = Text3->text();
    const int field = adoUser->FieldIndex("userid");
    for (int p = 1; p <= adoUser->RecordCount(); ++p) {
        if (NullToStr(adoUser->ValueAt(p, field)).contains(text, Qt::CaseSensitive)) {
            adoUser->SetAbsolutePosition(p);
            return;
        }
    }
    // No member matches: none becomes current. Leaving the member saves as a row change
    // does, and a refused save keeps the operator on the member to mend.
    if (!SavePendingRows()) return;
    if (!adoUser->AtEOF()) adoUser->Move(adoUser->RecordCount() + 1);
    ShowUserAccount();  // no member is current: the grid has no row to tell of it
}

// A text that is no date leaves the row as it is: the operator is told, and the box shows
// the stored date again.
void MemberPage::MaskEdBox1_LostFocus() {
    if (!HasMember()) return;
    const QString typed = MaskEdBox1->Text().trimmed();
    const QDate d = TypedDate(typed);
    if (!d.isValid()) {
        const QString stored = NullToStr(adoUser->Fields("JoinDate").GetValue());
        if (typed.isEmpty() && stored.isEmpty()) return;
        MsgBox(QString::fromUtf8(kNotADate).arg(QuotedInput(typed)), vbInformation,
               QStringLiteral("提示"));
        ShowJoinDate();
        return;
    }
    // The stored date, in whatever form the file holds it ("2024-3-7"), is kept as stored:
    // a box entered and left is no edit.
    const Value stored = adoUser->Fields("JoinDate").OriginalValue();
    const Value date = stored.ToDate() == d ? stored : Value(DateText(d));
    if (adoUser->Fields("JoinDate").GetValue() != date) adoUser->Fields("JoinDate") = date;
}

// ---- The account buttons -----------------------------------------------------------------

Money MemberPage::Balance() const {
    return HasMember() ? Money::FromStored((*adoUser)["money"].ToDouble()) : Money();
}

void MemberPage::SetBalance(Money money) {
    adoUser->Fields("money") = money.ToStored();
}

// An amount is shown as the buttons will use it ("12.346" as 12.35, "５０" as 50); any
// other text stays as typed, for the button to refuse.
void MemberPage::MebAddMoney_LostFocus() {
    const std::optional<Money> amount = Money::FromTyped(MebAddMoney->Text());
    if (amount) MebAddMoney->SetText(amount->PlainText());
}

std::optional<Money> MemberPage::TypedAmount(const char* empty) {
    const QString text = MebAddMoney->Text();
    if (text.isEmpty()) {
        MsgBox(QString::fromUtf8(empty), vbCritical + vbOKOnly, QStringLiteral("错误"));
        return std::nullopt;
    }
    const std::optional<Money> amount = Money::FromTyped(text);
    if (!amount)
        MsgBox(AmountRefusal(QString::fromUtf8(kAmountBox), text), vbInformation,
               QStringLiteral("提示"));
    return amount;
}

void MemberPage::Command10_Click() {
    if (accountBusy_ || !HasMember()) return;
    const FlagOn busy(accountBusy_);
    const std::optional<Money> amount = TypedAmount(kNoPayIn);
    if (!amount) return;
    SetBalance(MemberAccount::PaidIn(Balance(), *amount));
    MebAddMoney->SetText("");
}

void MemberPage::Command11_Click() {
    if (accountBusy_ || !HasMember()) return;
    const FlagOn busy(accountBusy_);
    const std::optional<Money> amount = TypedAmount(kNoRefund);
    if (!amount) return;
    const MemberAccount::Refund refund = MemberAccount::RefundOf(Balance(), *amount);
    if (refund.nothing) return TellNothingToRefund();
    if (!refund.whole) {
        if (MsgBox(QString::fromUtf8(kRefundQuestion), vbYesNo + vbQuestion,
                   QString::fromUtf8(kRefundTitle)) == vbYes &&
            HasMember())
            SetBalance(refund.balance);
    } else {
        MsgBox(QString::fromUtf8(kRefundAll), vbInformation, QStringLiteral("提示"));
        if (HasMember()) SetBalance(Money());
    }
    MebAddMoney->SetText("");
}

void MemberPage::Command12_Click() {
    if (accountBusy_ || !HasMember()) return;
    const FlagOn busy(accountBusy_);
    if (MemberAccount::RefundAll(Balance()).nothing) return TellNothingToRefund();
    if (MsgBox(QString::fromUtf8(kRefundQuestion), vbYesNo + vbQuestion,
               QString::fromUtf8(kRefundTitle)) == vbYes &&
        HasMember())
        SetBalance(Money());
}

// A refund never raises a balance: with nothing stored, nothing changes.
void MemberPage::TellNothingToRefund() {
    MsgBox(QString::fromUtf8(kNothingToRefund).arg(Balance().Text()), vbInformation,
           QStringLiteral("提示"));
}

// ---- History and card ---------------------------------------------------------------------

void MemberPage::Command18_Click() {
    if (!HasMember()) return;
    frmUserBorrowLst::Open(NullToStr((*adoUser)["userid"]), NullToStr((*adoUser)["username"]),
                           MainWindow::Owner());
}

void MemberPage::Command17_Click() {
    if (!HasMember()) return;
    frmUserSellLst::Open(NullToStr((*adoUser)["userid"]), NullToStr((*adoUser)["username"]),
                         MainWindow::Owner());
}

void MemberPage::CmdPrint_Click() {
    MemberCard::Print({TxtUserID->text(), TxtUserName->text(), MaskEdBox1->Text()});
}

// ---- The page protocol -------------------------------------------------------------------

void MemberPage::Activate(int) {
    OpenMemberRecordset();
    ShowUserAccount();
    Text3->setFocus();
}

bool MemberPage::MayLeave() {
    bool left = false;
    RunReported([&] { left = SavePendingRows(); });
    return left;
}

// Closing: a member row without a member number is dropped, the others written as a save
// writes them. A save refused is told as a failure, so that the operator may stay.
bool MemberPage::SaveBeforeClosing() {
    if (!adoUser || !adoUser->IsOpen()) return true;
    if (HasMember() && DataGrid1->Columns(0).Text().isEmpty())
        adoUser->CancelRow(adoUser->GetBookmark());
    const FlagOn saving(saving_);
    const MemberSave::Result result = MemberSave(*adoUser).Run();
    if (result.Stale()) adoUser->Requery();  // stale edits cannot be saved later either
    if (result.Refused() || result.Stale()) throw DbError(MemberSave::RefusalMessage(result));
    return true;
}
