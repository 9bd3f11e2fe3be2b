#include "returns/frmControlBack.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/CopyList.h"
#include "core/MainWindow.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/text/CharacterLength.h"
#include "platform/text/Money.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"
#include "platform/ui/frmMenu.h"
#include "returns/frmPayMoney.h"

namespace {
const char* const kNoCopyChosen = "没有选择归还的光盘！";

QString Number(int n) {
    return QString::number(n);
}

void ShowMainWindow() {
    if (MainWindow* frame = MainWindow::Get()) frame->Window()->Show();
}

// The rental key's column shows its 16 digits whole, with the cell's margins.
int RentalKeyColumnTwips(const QWidget* list) {
    return PixelsToTwips(list->fontMetrics().horizontalAdvance(QString(16, u'0')) + 16);
}
}  // namespace

frmControlBack::frmControlBack() {
    setObjectName("frmControlBack");
    setWindowTitle(QStringLiteral("归还登记"));
    LvwBack = Named<ListView>("LvwBack");
    LvwBack->setMinimumHeight(150);
    Command3 = Named<QPushButton>("Command3", QStringLiteral("归还并结算(&N)"));
    Command2 = Named<QPushButton>("Command2", QStringLiteral("稍后再还(&X)"));
    Command4 = Named<QPushButton>("Command4", QStringLiteral("不还这张(&C)"));
    SetDefaultButton(Command3);
    SetCancelButton(Command2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(LvwBack, 1);
    auto* middle = new QHBoxLayout;
    middle->addWidget(BuildLinePanel(), 1);
    middle->addWidget(BuildTotals(), 1);
    layout->addLayout(middle);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command4);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    resize(880, 620);
    ConnectControls();
}

QWidget* frmControlBack::BuildLinePanel() {
    Frame1 = Named<QGroupBox>("Frame1", QStringLiteral("此光盘的出租信息"));
    auto* grid = new QGridLayout(Frame1);
    FieldGrid fields(grid, 1);
    auto* disc = new QWidget;
    auto* d = new QHBoxLayout(disc);
    d->setContentsMargins(0, 0, 0, 0);
    d->addWidget(LblID = ValueLabel("LblID"));
    d->addWidget(LblCDID = ValueLabel("LblCDID"));
    d->addStretch();
    fields.Add("出租光盘编号：", disc);
    fields.Add("影片名称：", LblMovieName = ValueLabel("LblMovieName"));
    fields.Add("出租天数：", LblDayCount = ValueLabel("LblDayCount"));
    fields.AddWide(new QLabel(QStringLiteral("选择归还光盘")));
    ListView1 = Named<ListView>("ListView1");
    ListView1->ColumnHeaders().Add("Copy", "光盘", 1800);
    ListView1->SetCheckboxes(true);
    fields.AddWide(ListView1);
    grid->setRowStretch(fields.Row(), 1);
    return Frame1;
}

QWidget* frmControlBack::BuildTotals() {
    auto* box = new QWidget;
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    FieldGrid fields(grid, 2);
    LblBackName = ValueLabel("LblBackName");
    LblBackName->setCursor(Qt::PointingHandCursor);
    LblBackNameTotle = fields.Add("用户姓名：", LblBackName, 2, "LblBackNameTotle");
    fields.Add("已还光盘数量：", LblReturnCount = ValueLabel("LblReturnCount"));
    fields.Add("未还光盘数量：", LblNotReturnCount = ValueLabel("LblNotReturnCount"));
    fields.Add("归还数量：", LblBackCountSum = ValueLabel("LblBackCountSum"), 2);
    fields.Add("已付租金的光盘数量：", LblIsPayBackCount = ValueLabel("LblIsPayBackCount"));
    fields.Add("未付租金的光盘数量：", LblIsNotPayBackCount = ValueLabel("LblIsNotPayBackCount"));
    fields.Add("租金合计：", LblPlanBackSum = ValueLabel("LblPlanBackSum"));
    MskPlanBackSum = Named<MaskEdBox>("MskPlanBackSum");
    MskPlanBackSum->SetFormat(kMoneyFormat);
    fields.Add("用户实收租金：", MskPlanBackSum);
    fields.Add("押金合计：", LblCrePlanBackSum = ValueLabel("LblCrePlanBackSum"), 2);
    lblCre = Named<QLineEdit>("lblCre");
    // The pledges follow the lines and their switches; typing here would give back an item
    // no line holds.
    lblCre->setReadOnly(true);
    fields.Add("抵压物品：", lblCre, 2);
    Check1 = Named<QCheckBox>("Check1", QStringLiteral("支付租金"));
    Check2 = Named<QCheckBox>("Check2", QStringLiteral("退还押金或抵押物"));
    auto* switches = new QWidget;
    auto* s = new QHBoxLayout(switches);
    s->setContentsMargins(0, 0, 0, 0);
    s->addWidget(Check1);
    s->addWidget(Check2);
    s->addStretch();
    fields.AddWide(switches);
    TxtRemark = Named<QLineEdit>("TxtRemark");
    fields.Add("备    注：", TxtRemark, 2);
    grid->setRowStretch(fields.Row() + 1, 1);
    return box;
}

void frmControlBack::ConnectControls() {
    connect(LvwBack, &ListView::ItemClick, this,
            [this](ListItem* item) { RunReported([=, this] { LvwBack_ItemClick(item); }); });
    // A press makes a line current even when the button is released off it (no click):
    // the panel and its copies follow the current line, whatever made it current.
    connect(LvwBack, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
        auto* item = dynamic_cast<ListItem*>(current);
        if (item && item->Index() - 1 != shownLine_)
            RunReported([=, this] { LvwBack_ItemClick(item); });
    });
    connect(ListView1, &ListView::ItemCheck, this,
            [this](ListItem* item) { RunReported([=, this] { ListView1_ItemCheck(item); }); });
    OnMouseDown(ListView1, this, [this](int Button, int Shift, double X, double Y) {
        RunReported([=, this] { ListView1_MouseDown(Button, Shift, X, Y); });
    });
    Handle(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    Handle(Check2, &QCheckBox::clicked, this, [this] { Check2_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Handle(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    OnClick(LblBackName, this, [this] { RunReported([this] { LblBackName_Click(); }); });
    connect(LblPlanBackSum, &Label::Change, this, [this] { LblPlanBackSum_Change(); });
    OnGotFocus(TxtRemark, this, [this] { TxtRemark_GotFocus(); });
    connect(TxtRemark, &QLineEdit::textChanged, this, [this] { KeepRemarkWithinLength(); });
}

// ---- Opening ----------------------------------------------------------------------------

void frmControlBack::Form_Load() {
    IsEventOn = true;
    LvwBack->ColumnHeaders().Clear();
    LvwBack->ColumnHeaders().Add("BorrowID", "出租编号", RentalKeyColumnTwips(LvwBack));
    LvwBack->ColumnHeaders().Add("ID", "所借光盘编号", 1300);
    LvwBack->ColumnHeaders().Add("MovieName", "影片名称", 2000);
    LvwBack->ColumnHeaders().Add("Station", "归还状态", 900);
    LvwBack->ColumnHeaders().Add("IsPay", "付款状态", 900);
    LvwBack->ColumnHeaders().Add("BorrowCount", "出租数量", 900);
    LvwBack->ColumnHeaders().Add("InCount", "已归还数量", 1100);
    LvwBack->ColumnHeaders().Add("OutCount", "未归还数量", 1100);
    LvwBack->ColumnHeaders().Add("OutDayCount", "天数");
    ClearLinePanel();
}

void frmControlBack::Form_Activate() {
    repaint();
}

void frmControlBack::OpenFor(const QString& customer) {
    customer_ = customer;
    LblBackName->SetCaption(customer);
    lines_.Load(gConn, customer, Now());
    LvwBack->ListItems().Clear();
    for (const ReturnLine& line : lines_.Lines()) AddRow(line);
    if (lines_.Count() == 0) {
        ClearLinePanel();
        return;
    }
    LvwBack->SetSelectedItem(LvwBack->ListItems().Item(1));
    ShowLine(0);
    ShowTotals();
}

void frmControlBack::AddRow(const ReturnLine& line) {
    ListItem* item =
        LvwBack->ListItems().Add(LvwBack->ListItems().Count() + 1, QString(), line.borrowid);
    item->SetSubItem("ID", line.id);
    item->SetSubItem("MovieName", line.movieName);
    item->SetSubItem("IsPay", line.PayState());
    item->SetSubItem("BorrowCount", Number(line.borrowCount));
    item->SetSubItem("InCount", Number(line.returnedBefore));
    item->SetSubItem("OutCount", Number(line.borrowCount - line.returnedBefore));
    item->SetSubItem("OutDayCount", QString("%1天").arg(line.days));
}

int frmControlBack::SelectedLine() const {
    return shownLine_;
}

// ---- The selected line ------------------------------------------------------------------

void frmControlBack::LvwBack_ItemClick(ListItem* Item) {
    if (!Item) return;
    ShowLine(Item->Index() - 1);
}

void frmControlBack::ShowLine(int line) {
    if (line < 0 || line >= lines_.Count()) {
        ClearLinePanel();
        return;
    }
    shownLine_ = line;
    const ReturnLine& l = lines_.Line(line);
    LblID->SetCaption(l.id);
    LblCDID->SetCaption(l.CdId());
    LblMovieName->SetCaption(l.movieName);
    LblDayCount->SetCaption(QString("%1天").arg(l.days));
    ListView1->ListItems().Clear();
    for (std::size_t i = 0; i < l.out.size(); ++i)
        ListView1->ListItems()
            .Add(0, QString(), CopyList::CopyText(l.out[i]))
            ->SetChecked(l.ticked[i]);
    for (QWidget* w : std::initializer_list<QWidget*>{Check1, Check2, Command4, ListView1})
        w->setEnabled(true);
    ShowSwitches(line);
}

void frmControlBack::ClearLinePanel() {
    shownLine_ = -1;
    for (Label* l : {LblID, LblCDID, LblMovieName, LblDayCount}) l->SetCaption(QString());
    ListView1->ListItems().Clear();
    SetSwitch(Check1, false);
    SetSwitch(Check2, false);
    // The switches and "不还这张" act on a selected line; there is none.
    for (QWidget* w : std::initializer_list<QWidget*>{Check1, Check2, Command4, ListView1})
        w->setEnabled(false);
}

void frmControlBack::ShowSwitches(int line) {
    SetSwitch(Check1, lines_.Line(line).payRent);
    SetSwitch(Check2, lines_.Line(line).backCre);
}

void frmControlBack::SetSwitch(QCheckBox* box, bool on) {
    IsEventOn = false;
    box->setChecked(on);
    IsEventOn = true;
}

void frmControlBack::ShowTotals() {
    const int back = lines_.TickedCount();
    const int charged = lines_.ChargedCount();
    LblReturnCount->SetCaption(Number(lines_.ReturnedBefore()));
    LblNotReturnCount->SetCaption(Number(back));
    LblBackCountSum->SetCaption(Number(back));
    LblIsNotPayBackCount->SetCaption(Number(charged));
    LblIsPayBackCount->SetCaption(Number(back - charged));
    LblPlanBackSum->SetCaption(lines_.RentDue().Text());
    LblCrePlanBackSum->SetCaption(lines_.DepositDue().Text());
    lblCre->setText(lines_.Pledges().join(','));
}

void frmControlBack::ListView1_ItemCheck(ListItem* Item) {
    const int line = SelectedLine();
    if (!Item || line < 0) return;
    lines_.SetTicked(line, Item->Index() - 1, Item->Checked());
    ShowSwitches(line);
    ShowTotals();
}

// The menu ticks or unticks every copy from code, which raises no ItemCheck: each copy
// it changed is handed on as the operator's own tick, in list order.
void frmControlBack::ListView1_MouseDown(int Button, int, double, double) {
    if (Button != vbRightButton || SelectedLine() < 0) return;
    std::vector<bool> before;
    for (int i = 1; i <= ListView1->ListItems().Count(); ++i)
        before.push_back(ListView1->ListItems().Item(i)->Checked());
    const QPointer<frmControlBack> self(this);
    frmMenu::PopUpOver(ListView1);
    if (!self) return;
    for (int i = 1; i <= ListView1->ListItems().Count() && i <= static_cast<int>(before.size());
         ++i) {
        ListItem* item = ListView1->ListItems().Item(i);
        if (item->Checked() != before[static_cast<std::size_t>(i - 1)]) ListView1_ItemCheck(item);
    }
}

// ---- The switches and the buttons -------------------------------------------------------

bool frmControlBack::AskKeep(const char* prompt, const char* title) {
    return MsgBox(QString::fromUtf8(prompt), vbYesNo + vbQuestion, QString::fromUtf8(title)) ==
           vbYes;
}

void frmControlBack::Check1_Click() {
    const int line = SelectedLine();
    if (!IsEventOn || line < 0) return;
    if (!Check1->isChecked() && lines_.Line(line).AllTicked() &&
        !AskKeep("光盘已全部归还，真的不付租金吗？", "支付租金")) {
        SetSwitch(Check1, true);
        return;
    }
    lines_.SetPayRent(line, Check1->isChecked());
    ShowTotals();
}

void frmControlBack::Check2_Click() {
    const int line = SelectedLine();
    if (!IsEventOn || line < 0) return;
    const bool allBack = lines_.Line(line).AllTicked();
    if (Check2->isChecked() && !allBack &&
        !AskKeep("还有光盘没有归还，真的要退还押金吗？", "归还押金")) {
        SetSwitch(Check2, false);
        return;
    }
    if (!Check2->isChecked() && allBack &&
        !AskKeep("光盘已全部归还，真的不退还押金吗？", "退还押金")) {
        SetSwitch(Check2, true);
        return;
    }
    lines_.SetBackCre(line, Check2->isChecked());
    ShowTotals();
}

void frmControlBack::Command4_Click() {
    const int line = SelectedLine();
    if (line < 0) return;
    lines_.Remove(line);
    LvwBack->ListItems().Remove(line + 1);
    if (LvwBack->ListItems().Count() > 0) {
        LvwBack->SetSelectedItem(LvwBack->ListItems().Item(1));
        ShowLine(0);
    } else {
        ClearLinePanel();
    }
    ShowTotals();
}

void frmControlBack::Command2_Click() {
    Unload();
    ShowMainWindow();
}

void frmControlBack::LblBackName_Click() {
    if (MainWindow* frame = MainWindow::Get())
        frame->ShowMemberInfo(LblBackName->Caption(), true, this);
}

void frmControlBack::LblPlanBackSum_Change() {
    MskPlanBackSum->SetText(LblPlanBackSum->Caption());
}

void frmControlBack::TxtRemark_GotFocus() {
    SelectAllText(TxtRemark);
}

// The box's own length limit counts UTF-16 units and would cut an emoji in half: what goes
// beyond the remark's length is cut at a character.
void frmControlBack::KeepRemarkWithinLength() {
    const QString typed = TxtRemark->text();
    if (CharacterCount(typed) <= ReturnSettlement::kRemarkLength) return;
    const QString kept = LeftCharacters(typed, ReturnSettlement::kRemarkLength);
    const int cursor = std::min(TxtRemark->cursorPosition(), static_cast<int>(kept.size()));
    TxtRemark->setText(kept);
    TxtRemark->setCursorPosition(cursor);
}

// ---- Settling ---------------------------------------------------------------------------

ReturnSettlement::Request frmControlBack::SettlementRequest(Money received) const {
    ReturnSettlement::Request request;
    request.customer = customer_;
    request.rentReceived = received;
    request.remark = TxtRemark->text();
    for (const ReturnLine& l : lines_.Lines())
        request.lines.push_back({l.borrowid, l.TickedCopies(), l.payRent, l.Rent(), l.backCre});
    return request;
}

void frmControlBack::Command3_Click() {
    // The button acts once: a second click while the first settles does nothing.
    if (settling_) return;
    settling_ = true;
    const QPointer<frmControlBack> self(this);
    bool settled = false;
    try {
        settled = Settle();
    } catch (...) {
        // The database refused: nothing was written, and the operator may settle again.
        if (self) settling_ = false;
        throw;
    }
    if (!self) return;
    settling_ = false;
    if (!settled) return;
    ShopEvents::AnnounceRentalsReturned(this);
    Unload();
    ShowMainWindow();
}

bool frmControlBack::Settle() {
    if (!lines_.EveryLineHasACopy()) {
        MsgBox(QString::fromUtf8(kNoCopyChosen), vbOKOnly + vbInformation, QStringLiteral("提示"));
        return false;
    }
    const std::optional<Money> received = Money::FromTyped(MskPlanBackSum->Text());
    if (!received) {
        MsgBox(AmountRefusal(QStringLiteral("用户实收租金"), MskPlanBackSum->Text()),
               vbOKOnly + vbInformation, QStringLiteral("提示"));
        return false;
    }
    ReturnSettlement::Request request = SettlementRequest(*received);
    const QString refusal = ReturnSettlement::Refusal(gConn, request);
    if (!refusal.isEmpty()) {
        MsgBox(refusal, vbOKOnly + vbInformation, QStringLiteral("提示"));
        return false;
    }
    frmPayMoney::instance().Prepare(customer_, *received, lines_.DepositDue(), lblCre->text());
    frmPayMoney::instance().ShowModal(this);
    const frmPayMoney::Choice paid = frmPayMoney::LastChoice();
    if (!paid.IsPay) return false;
    if (paid.fromStoredMoney) {
        request.fromStoredMoney = paid.amountDue;
        request.paidIn = paid.paidIn;
    }
    request.now = Now();
    const ReturnSettlement::Outcome outcome = ReturnSettlement::Settle(gConn, request);
    if (!outcome.done) {
        MsgBox(outcome.refusal, vbOKOnly + vbInformation, QStringLiteral("提示"));
        return false;
    }
    gReturnNo = outcome.returnNo;
    return true;
}
