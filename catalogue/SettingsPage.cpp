#include "catalogue/SettingsPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <optional>

#include "catalogue/DepositRuleWrite.h"
#include "catalogue/MemberPriceFactorWrite.h"
#include "catalogue/MembershipFeeWrite.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/db/DbError.h"
#include "platform/text/Money.h"
#include "platform/text/QuotedInput.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"

namespace {
const char* const kAmountFormat = "￥#,##0.00;($#,##0.00)";
const char* const kSettingsRow = "select * from pricepercent";
const char* const kForeGiftRule = "select * from foregift";

struct RuleCaptions {
    const char* walkIn;
    const char* member;
};
// The captions of the two amount boxes for rules 1 and 2 (rule 0 hides them).
constexpr RuleCaptions kRuleCaptions[3] = {
    {nullptr, nullptr},
    {"零租用户每张光盘收取", "会员每张光盘收取"},
    {"零租用户固定收取", "会员固定收取"},
};

const char* const kPercentShown = "##%";

// What the text of a settings box asks for: nothing, a value, or a refusal (no amount).
struct Reading {
    enum Kind { Nothing, Amount, Refused } kind = Refused;
    double factor = 0;       // a percentage box
    Money amount = Money();  // a money box
};

// A percentage: "80%" and "0.8" are 0.8, and so is "80" (a number above 1 typed
// without "%" means percent); kept to two decimals as the number formatted "0.##" reads
// (85.5% is 0.86). A box holding only "%" (how a factor of 0 is shown) asks for nothing.
Reading ReadPercent(const QString& text) {
    const QString t = text.trimmed();
    if (t == QStringLiteral("%")) return {Reading::Nothing};
    const std::optional<double> v = ParsePercentage(t);
    if (!v || *v < 0) return {Reading::Refused};
    const double factor = !t.endsWith('%') && *v > 1 ? *v / 100 : *v;
    return {Reading::Amount, Val(Format(factor, "0.##")), Money()};
}

// An amount of money ("￥1,200.00", "1200"), to two decimals; an empty box asks for
// nothing only where the setting allows it.
Reading ReadMoney(const QString& text, bool emptyIsNothing) {
    if (text.trimmed().isEmpty()) return {emptyIsNothing ? Reading::Nothing : Reading::Refused};
    const std::optional<Money> v = Money::FromTyped(text);
    if (!v) return {Reading::Refused};
    return {Reading::Amount, 0, *v};
}

QString NotAPercent(const QString& text, const QString& what) {
    if (text.trimmed().isEmpty())
        return QStringLiteral("请输入百分比，例如 80% 或 80。%1没有改变。").arg(what);
    return QStringLiteral("“%1”不是有效的百分比，请输入 0 以上的数，例如 80% 或 80。%2没有改变。")
        .arg(QuotedInput(text.trimmed()), what);
}

// The one refusal of a typed amount, and what stayed as stored.
QString NotAnAmount(const QString& text, const QString& what) {
    return AmountRefusal(what, text) + QStringLiteral("%1没有改变。").arg(what);
}

// Reads a settings recordset anew. When even reading fails, it keeps what it read last:
// the failure of the write that came first is the one the operator is told.
void Reread(Recordset* rs) {
    if (!rs || !rs->IsOpen()) return;
    try {
        rs->Requery();
    } catch (const DbError&) {
    }
}

MaskEdBox* AmountBox(const QString& name, const QString& format) {
    auto* m = Named<MaskEdBox>(name);
    m->SetFormat(format);
    m->setMaximumWidth(140);
    return m;
}
}  // namespace

SettingsPage::SettingsPage(QWidget* parent) : ShopPage(parent) {
    setObjectName("SettingsPage");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList("Frame2", "光盘格式", "dgType", "Command7", "Command8", dgType,
                                Command7, Command8),
                      0, 0, 2, 1);
    layout->addWidget(BuildList("Frame3", "影片类型", "dgMovieType", "Command4", "Command6",
                                dgMovieType, Command4, Command6),
                      0, 1, 2, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(BuildPercent("Frame10", "出租价格设置", "MaskEdBox2", MaskEdBox2));
    right->addWidget(BuildPercent("Frame11", "出售价格设置", "MaskEdBox3", MaskEdBox3));
    right->addWidget(BuildFee());
    right->addWidget(BuildForeGift());
    right->addStretch();
    layout->addLayout(right, 0, 2, 2, 1);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);
    ConnectHandlers();
}

void SettingsPage::ConnectHandlers() {
    HandleLostFocus(MaskEdBox2, this, [this] { MaskEdBox2_LostFocus(); });
    HandleLostFocus(MaskEdBox3, this, [this] { MaskEdBox3_LostFocus(); });
    HandleLostFocus(MaskEdBox4, this, [this] { MaskEdBox4_LostFocus(); });
    HandleLostFocus(MskForeGiftSet, this, [this] { MskForeGiftSet_LostFocus(); });
    HandleLostFocus(MskMemberForeGiftSet, this, [this] { MskMemberForeGiftSet_LostFocus(); });
    for (int i = 0; i < 3; ++i) {
        connect(Option3[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) RunReported([&] { Option3_Click(i); });
        });
    }
}

QGroupBox* SettingsPage::BuildList(const QString& frame, const QString& caption,
                                   const QString& gridName, const QString& addName,
                                   const QString& deleteName, DataGrid*& grid, QPushButton*& add,
                                   QPushButton*& del) {
    auto* box = Named<QGroupBox>(frame, caption);
    auto* v = new QVBoxLayout(box);
    grid = Named<DataGrid>(gridName);
    grid->AddColumn(caption, "type", 2400);
    grid->Columns(0).SetLocked(true);
    v->addWidget(grid, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(add = Named<QPushButton>(addName, QStringLiteral("增加")));
    buttons->addWidget(del = Named<QPushButton>(deleteName, QStringLiteral("删除")));
    v->addLayout(buttons);
    (frame == "Frame2" ? Frame2 : Frame3) = box;
    return box;
}

QGroupBox* SettingsPage::BuildPercent(const QString& frame, const QString& caption,
                                      const QString& boxName, MaskEdBox*& box) {
    auto* group = Named<QGroupBox>(frame, caption);
    auto* row = new QHBoxLayout(group);
    box = AmountBox(boxName, "0%");
    row->addWidget(new QLabel(QStringLiteral("会员价格　=")));
    row->addWidget(box);
    row->addWidget(new QLabel(QStringLiteral("一般价格")));
    row->addStretch();
    (frame == "Frame10" ? Frame10 : Frame11) = group;
    return group;
}

QGroupBox* SettingsPage::BuildFee() {
    Frame12 = Named<QGroupBox>("Frame12", QStringLiteral("会费设置"));
    auto* row = new QHBoxLayout(Frame12);
    MaskEdBox4 = AmountBox("MaskEdBox4", kAmountFormat);
    row->addWidget(new QLabel(QStringLiteral("会费")));
    row->addWidget(MaskEdBox4);
    row->addWidget(new QLabel(QStringLiteral("/月")));
    row->addStretch();
    return Frame12;
}

QGroupBox* SettingsPage::BuildForeGift() {
    Frame15 = Named<QGroupBox>("Frame15", QStringLiteral("押金设置"));
    auto* grid = new QGridLayout(Frame15);
    const char* captions[3] = {"光盘购买金额", "按光盘数量收取", "固定金额"};
    for (int i = 0; i < 3; ++i) {
        Option3[i] = NamedAt<QRadioButton>("Option3", i, QString::fromUtf8(captions[i]));
        grid->addWidget(Option3[i], i, 0, 1, 2);
    }
    Label73 = Named<Label>("Label73", QString::fromUtf8(kRuleCaptions[1].walkIn));
    Label75 = Named<Label>("Label75", QString::fromUtf8(kRuleCaptions[1].member));
    MskForeGiftSet = AmountBox("MskForeGiftSet", kAmountFormat);
    MskMemberForeGiftSet = AmountBox("MskMemberForeGiftSet", kAmountFormat);
    grid->addWidget(Label73, 3, 0);
    grid->addWidget(MskForeGiftSet, 3, 1);
    grid->addWidget(Label75, 4, 0);
    grid->addWidget(MskMemberForeGiftSet, 4, 1);
    return Frame15;
}

// ---- Loading ------------------------------------------------------------------------

void SettingsPage::LoadPricePercent() {
    adoPricePercent = std::make_unique<Recordset>();
    adoPricePercent->Open(kSettingsRow, gConn, adLockOptimistic);
    ShowPricePercent();
}

void SettingsPage::ShowPricePercent() {
    if (!adoPricePercent || !adoPricePercent->IsOpen() || adoPricePercent->AtEOF()) return;
    MaskEdBox2->SetText(Format((*adoPricePercent)["percentb"].ToDouble(), kPercentShown));
    MaskEdBox3->SetText(Format((*adoPricePercent)["percents"].ToDouble(), kPercentShown));
    MaskEdBox4->SetText(Money::FromStored((*adoPricePercent)["tax"].ToDouble()).Text());
}

void SettingsPage::LoadForeGift() {
    gRsForeGift = std::make_unique<Recordset>();
    gRsForeGift->Open(kForeGiftRule, gConn, adLockBatchOptimistic);
    gForeGiftLoaded = false;
    ShowForeGiftRule();
    ShowForeGiftAmounts();
    gForeGiftLoaded = true;
}

// The stored rule, selected without writing it back.
void SettingsPage::ShowForeGiftRule() {
    if (!gRsForeGift || !gRsForeGift->IsOpen() || gRsForeGift->AtEOF()) return;
    const int rule = static_cast<int>((*gRsForeGift)["foregifttype"].ToInt());
    if (rule < 0 || rule > 2) return;
    showingStored_ = true;
    Option3[rule]->setChecked(true);
    Option3_Click(rule);
    showingStored_ = false;
}

// The stored amounts (an amount never set shows as 0).
void SettingsPage::ShowForeGiftAmounts() {
    if (!gRsForeGift || !gRsForeGift->IsOpen() || gRsForeGift->AtEOF()) return;
    MskForeGiftSet->SetText(Money::FromStored((*gRsForeGift)["money"].ToDouble()).PlainText());
    MskMemberForeGiftSet->SetText(
        Money::FromStored((*gRsForeGift)["membermoney"].ToDouble()).PlainText());
}

// ---- The deposit rule -------------------------------------------------------------

void SettingsPage::Option3_Click(int Index) {
    if (Index < 0 || Index > 2) return;
    const std::initializer_list<QWidget*> amounts{MskForeGiftSet, Label73, MskMemberForeGiftSet,
                                                  Label75};
    if (Index == 0) {
        for (QWidget* w : amounts) w->hide();
    } else {
        Label73->SetCaption(QString::fromUtf8(kRuleCaptions[Index].walkIn));
        Label75->SetCaption(QString::fromUtf8(kRuleCaptions[Index].member));
        for (QWidget* w : amounts) w->show();
    }
    if (gForeGiftLoaded && !showingStored_) WriteForeGiftRule(Index);
}

int SettingsPage::SelectedForeGiftType() const {
    for (int i = 0; i < 3; ++i)
        if (Option3[i]->isChecked()) return i;
    return 0;
}

// The rule goes with both amounts; when one of them is no amount, the rule stays as
// stored and the page shows it again.
void SettingsPage::WriteForeGiftRule(int rule) {
    const Reading walkIn = ReadMoney(MskForeGiftSet->Text(), false);
    const Reading member = ReadMoney(MskMemberForeGiftSet->Text(), false);
    if (walkIn.kind != Reading::Amount || member.kind != Reading::Amount) {
        const bool walkInBad = walkIn.kind != Reading::Amount;
        const QString text = (walkInBad ? MskForeGiftSet : MskMemberForeGiftSet)->Text();
        Refuse(NotAnAmount(text, QStringLiteral("押金设置")));
        ShowForeGiftAmounts();
        ShowForeGiftRule();
        return;
    }
    WriteOrShowStored([&] {
        DepositRuleWrite::Run(rule, walkIn.amount, member.amount);
        gRsForeGift->Requery();
    });
}

void SettingsPage::WriteForeGiftAmount(MaskEdBox* box, DepositAmountWrite::Customer customer,
                                       const QString& whose) {
    const Reading amount = ReadMoney(box->Text(), false);
    if (amount.kind != Reading::Amount) {
        Refuse(NotAnAmount(box->Text(), whose));
        ShowForeGiftAmounts();
        return;
    }
    WriteOrShowStored([&] {
        DepositAmountWrite::Run(customer, SelectedForeGiftType(), amount.amount);
        gRsForeGift->Requery();
    });
}

void SettingsPage::MskForeGiftSet_LostFocus() {
    WriteForeGiftAmount(MskForeGiftSet, DepositAmountWrite::WalkIn,
                        QStringLiteral("零租用户的押金"));
}

void SettingsPage::MskMemberForeGiftSet_LostFocus() {
    WriteForeGiftAmount(MskMemberForeGiftSet, DepositAmountWrite::Member,
                        QStringLiteral("会员的押金"));
}

// ---- Member prices and the fee ------------------------------------------------------

struct SettingsPage::MemberPercent {
    MemberPriceFactorWrite::Price price;
    const char* what;  // for the refusal
};

void SettingsPage::WriteMemberPercent(MaskEdBox* box, const MemberPercent& percent) {
    const Reading p = ReadPercent(box->Text());
    if (p.kind == Reading::Nothing) return;
    if (p.kind == Reading::Refused) {
        Refuse(NotAPercent(box->Text(), QString::fromUtf8(percent.what)));
        ShowPricePercent();
        return;
    }
    WriteOrShowStored([&] {
        MemberPriceFactorWrite::Run(percent.price, p.factor);
        box->SetText(Format(p.factor, kPercentShown));
        adoPricePercent->Requery();
        ShopEvents::AnnounceTitlesChanged();
    });
}

void SettingsPage::MaskEdBox2_LostFocus() {
    WriteMemberPercent(MaskEdBox2, {MemberPriceFactorWrite::Rent, "会员出租价格"});
}

void SettingsPage::MaskEdBox3_LostFocus() {
    WriteMemberPercent(MaskEdBox3, {MemberPriceFactorWrite::Sale, "会员出售价格"});
}

void SettingsPage::MaskEdBox4_LostFocus() {
    const Reading fee = ReadMoney(MaskEdBox4->Text(), true);
    if (fee.kind == Reading::Nothing) {
        ShowPricePercent();  // an empty box keeps the stored fee, and shows it
        return;
    }
    if (fee.kind == Reading::Refused) {
        Refuse(NotAnAmount(MaskEdBox4->Text(), QStringLiteral("会费")));
        ShowPricePercent();
        return;
    }
    WriteOrShowStored([&] {
        MembershipFeeWrite::Run(fee.amount);
        adoPricePercent->Requery();
    });
}

// ---- Failed writes ----------------------------------------------------------------

// A write the database refuses (read-only, locked, full) leaves no box showing a value that
// was not saved; the error goes on to be told.
void SettingsPage::WriteOrShowStored(const std::function<void()>& write) {
    try {
        write();
    } catch (...) {
        ShowStoredSettings();
        throw;
    }
}

// What the database holds now, read anew, in every box and in the deposit rule.
void SettingsPage::ShowStoredSettings() {
    Reread(adoPricePercent.get());
    Reread(gRsForeGift.get());
    ShowPricePercent();
    ShowForeGiftRule();
    ShowForeGiftAmounts();
}

void SettingsPage::Refuse(const QString& message) {
    MsgBox(message, vbOKOnly + vbInformation, QStringLiteral("提示"));
}

// ---- The page protocol -------------------------------------------------------------------

void SettingsPage::Load() {
    LoadPricePercent();
    LoadForeGift();
}

void SettingsPage::EnableEntry() {
    for (QWidget* w : std::initializer_list<QWidget*>{Command4, Command6, Command7, Command8})
        w->setEnabled(true);
    dgMovieType->Columns(0).SetLocked(false);
    dgType->Columns(0).SetLocked(false);
}

namespace {
// A classification list closing: a current row without a name is dropped, the rest written.
void SaveOrCancelList(DataGrid* grid, Recordset* rs) {
    if (!rs || !rs->HasCurrentRow()) return;
    if (grid->Columns(0).Text().isEmpty()) {
        rs->CancelBatch(adAffectCurrent);
    } else {
        rs->UpdateBatch(adAffectAll);
    }
}
}  // namespace

bool SettingsPage::SaveBeforeClosing() {
    SaveOrCancelList(dgMovieType, adoMovieType.get());
    SaveOrCancelList(dgType, adoType.get());
    return true;
}
