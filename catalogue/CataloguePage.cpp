#include "catalogue/CataloguePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "catalogue/CatalogueFilter.h"
#include "catalogue/CatalogueInput.h"
#include "catalogue/DiscDiscard.h"
#include "catalogue/PendingTitleEdit.h"
#include "catalogue/frmFind.h"
#include "catalogue/frmSelPrint.h"
#include "core/MainWindow.h"
#include "core/ShopEvents.h"
#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/text/Money.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kPerDay = "每天";
const char* const kPerRental = "每次";
const char* const kConfirmDelete = "如果删除则会影响各种报表的统计信息，真的删除吗？";
const char* const kDeleteTitle = "删除";
const char* const kDiscardInUse =
    "这张光盘还有租出未还的光盘，或者在未结帐的出租、出售中，不能丢弃！";
const char* const kBadDiscsKept =
    "有 %1 种坏光盘还有租出未还的光盘，或者在未结帐的出租、出售中，没有清除。";
const char* const kQuitWithoutSaving =
    "当前光盘的修改没有保存，仍然要退出吗？（退出后这些修改将会丢失）";

MaskEdBox* Masked(const QString& name) {
    auto* m = Named<MaskEdBox>(name);
    m->setMaximumWidth(140);
    return m;
}

// A price box shows the price as the file holds it, to the cent ("12.5", not a binary
// "1.4449999999999998"); what is no number shows as stored.
QString PriceText(const Value& v) {
    return v.IsNumber() ? Money::FromStored(v.ToDouble()).PlainText() : NullToStr(v);
}

// Selects the first item equal to text; no selection when there is none.
void SelectItem(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(-1);
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
}
}  // namespace

CataloguePage::CataloguePage(QWidget* parent) : ShopPage(parent) {
    setObjectName("CataloguePage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildEntry(), 1);
    bottom->addWidget(BuildButtons());
    layout->addLayout(bottom);
    BindEntryFields();
    ConnectHandlers();
    ConnectShop();
}

QWidget* CataloguePage::BuildList() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    auto* bar = new QHBoxLayout;
    CboManageMovieType = Named<QComboBox>("CboManageMovieType");
    CboManageType = Named<QComboBox>("CboManageType");
    CboManageMovieType->setMinimumContentsLength(6);
    CboManageType->setMinimumContentsLength(6);
    LblCDManageCount = Named<Label>("LblCDManageCount", QStringLiteral("0"));
    bar->addWidget(new QLabel(QStringLiteral("影片类型：")));
    bar->addWidget(CboManageMovieType);
    bar->addWidget(new QLabel(QStringLiteral("光盘格式：")));
    bar->addWidget(CboManageType);
    bar->addStretch();
    bar->addWidget(new QLabel(QStringLiteral("光盘个数：")));
    bar->addWidget(LblCDManageCount);
    v->addLayout(bar);

    dgCDInfo = Named<DataGrid>("dgCDInfo");
    dgCDInfo->AddColumn("光盘编号", "id", 1100);
    dgCDInfo->AddColumn("影片名称", "name", 2400);
    dgCDInfo->AddColumn("光盘个数", "restcount", 900);
    dgCDInfo->AddColumn("产地", "born", 900);
    dgCDInfo->AddColumn("光盘格式", "type", 1000);
    dgCDInfo->AddColumn("影片类型", "movietype", 1000);
    dgCDInfo->AddColumn("光盘价格", "price", 1000, kMoneyFormat);
    dgCDInfo->AddColumn("购买日期", "buydate", 1200);
    dgCDInfo->AddColumn("出租价格", "borrowprice", 1000, kMoneyFormat);
    dgCDInfo->AddColumn("出售价格", "sellprice", 1000, kMoneyFormat);
    dgCDInfo->AddColumn("出租价格(会员)", "memberborrowprice", 1300, kMoneyFormat);
    dgCDInfo->AddColumn("出售价格(会员)", "membersellprice", 1300, kMoneyFormat);
    dgCDInfo->AddColumn("存放位置", "location", 1100);
    v->addWidget(dgCDInfo, 1);
    return box;
}

QGroupBox* CataloguePage::BuildEntry() {
    FrameDiscEntry = Named<QGroupBox>("FrameDiscEntry", QStringLiteral("光盘信息收集"));
    auto* grid = new QGridLayout(FrameDiscEntry);
    FieldGrid fields(grid, 3);
    fields.Add("光盘编号：", Text1 = Named<QLineEdit>("Text1"));
    fields.Add("影片名称：", TxtName = Named<QLineEdit>("TxtName"));
    fields.Add("主要演员：", TxtActor = Named<QLineEdit>("TxtActor"));
    fields.Add("影片类型：", CboMovieType = Named<QComboBox>("CboMovieType"));
    fields.Add("光盘格式：", CboType = Named<QComboBox>("CboType"));
    fields.Add("购买日期：", MebDate = Masked("MebDate"));
    fields.Add("光盘个数：", MebCount = Masked("MebCount"));
    fields.Add("购买价格：", MebPrice = Masked("MebPrice"));
    fields.Add("产    地：", TxtBorn = Named<QLineEdit>("TxtBorn"));
    fields.Add("出租价格(每张)：", MebBorrowPrice = Masked("MebBorrowPrice"));
    fields.Add("出售价格(每张)：", MebSellPrice = Masked("MebSellPrice"));
    fields.Add("存放位置：", TxtLocation = Named<QLineEdit>("TxtLocation"));
    fields.Add("会员出租价格：", MebMemberBorrowPrice = Masked("MebMemberBorrowPrice"));
    fields.Add("会员出售价格：", MebMemberSellPrice = Masked("MebMemberSellPrice"));

    Frame7 = Named<QGroupBox>("Frame7");
    auto* rent = new QHBoxLayout(Frame7);
    rent->setContentsMargins(4, 0, 4, 0);
    rent->addWidget(Option1 = Named<QRadioButton>("Option1", QStringLiteral("每天")));
    rent->addWidget(Option2 = Named<QRadioButton>("Option2", QStringLiteral("每次")));
    Frame7->setFlat(true);
    fields.Add("租金计算：", Frame7);
    fields.Add("检索关键字：", TxtKey = Named<QLineEdit>("TxtKey"));
    fields.Add("光盘ID：", TxtID = Named<QLineEdit>("TxtID"));
    TxtID->setReadOnly(true);
    Check1 = Named<QCheckBox>("Check1", QStringLiteral("标志为坏光盘"));
    fields.Add("", Check1);
    fields.Add("备    注：", TxtRemark = Named<QLineEdit>("TxtRemark"), 2);
    TxtContent = Named<QPlainTextEdit>("TxtContent");
    TxtContent->setMaximumHeight(56);
    fields.Add("内容简介：", TxtContent, 3);

    // Bound to the count and the rent type; the masked input and the options write them.
    TxtCount = Named<QLineEdit>("TxtCount", FrameDiscEntry);
    Text2 = Named<QLineEdit>("Text2", FrameDiscEntry);
    TxtCount->hide();
    Text2->hide();
    return FrameDiscEntry;
}

QWidget* CataloguePage::BuildButtons() {
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->addWidget(Command1 = Named<QPushButton>("Command1", QStringLiteral("新光盘(&A)")));
    v->addWidget(CmdSave = Named<QPushButton>("CmdSave", QStringLiteral("保存(&S)")));
    v->addWidget(Command2 = Named<QPushButton>("Command2", QStringLiteral("丢弃光盘(&D)")));
    v->addWidget(Command3 = Named<QPushButton>("Command3", QStringLiteral("清除所有坏光盘(&L)")));
    v->addWidget(Command9 = Named<QPushButton>("Command9", QStringLiteral("查找(&F)")));
    v->addWidget(CmdPrintStore = Named<QPushButton>("CmdPrintStore", QStringLiteral("打印(&P)")));
    v->addStretch();
    return box;
}

// ---- Design: bindings and handlers ----------------------------------------------------

void CataloguePage::BindEntryFields() {
    SetDataField(TxtID, "CDID");
    SetDataField(Text1, "ID");
    SetDataField(TxtName, "Name");
    SetDataField(TxtActor, "Actor");
    SetDataField(TxtKey, "key");
    SetDataField(TxtContent, "Content");
    SetDataField(TxtRemark, "Remark");
    SetDataField(TxtLocation, "Location");
    SetDataField(TxtBorn, "Born");
    SetDataField(TxtCount, "count");
    SetDataField(Text2, "BorrowPriceType");
    SetDataField(Check1, "isabandon");
}

void CataloguePage::ConnectHandlers() {
    Handle(CboManageMovieType, &QComboBox::currentIndexChanged, this,
           [this] { CboManageMovieType_Click(); });
    Handle(CboManageType, &QComboBox::currentIndexChanged, this, [this] { CboManageType_Click(); });
    HandleLostFocus(CboMovieType, this, [this] { CboMovieType_LostFocus(); });
    HandleLostFocus(CboType, this, [this] { CboType_LostFocus(); });
    for (const auto& input : CatalogueInput::PriceInputs(*this)) {
        HandleLostFocus(input.box, this,
                        [this, input] { PriceInput_LostFocus(input.box, input.column); });
    }
    HandleLostFocus(MebCount, this, [this] { MebCount_LostFocus(); });
    HandleLostFocus(MebDate, this, [this] { MebDate_LostFocus(); });
    Handle(Option1, &QRadioButton::clicked, this, [this] { Option1_Click(); });
    Handle(Option2, &QRadioButton::clicked, this, [this] { Option2_Click(); });
    Handle(Text1, &QLineEdit::textChanged, this, [this] { Text1_Change(); });
    HandleLostFocus(Text1, this, [this] { Text1_LostFocus(); });
    // Only the operator's typing is an edit of the name; showing another row is not.
    Handle(TxtName, &QLineEdit::textEdited, this, [this] { TxtName_Change(); });
    HandleLostFocus(TxtName, this, [this] { TxtName_LostFocus(); });
    HandleLostFocus(TxtActor, this, [this] { TxtActor_LostFocus(); });
    Handle(Events(dgCDInfo), &ControlEvents::MouseMove, this, [this] { dgCDInfo_MouseMove(); });
    Handle(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    Handle(CmdSave, &QPushButton::clicked, this, [this] { CmdSave_Click(); });
    Handle(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    Handle(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    Handle(Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    // The operator's moves to another row of the grid save the row being left first.
    dgCDInfo->installEventFilter(this);
    dgCDInfo->viewport()->installEventFilter(this);
    dgCDInfo->verticalHeader()->viewport()->installEventFilter(this);
}

void CataloguePage::ConnectRecordset() {
    connect(adoCDInfo.get(), &Recordset::MoveComplete, this,
            [this] { RunReported([this] { adoCDInfo_MoveComplete(); }); });
    // A new edit is a new attempt for the pointer's save.
    connect(adoCDInfo.get(), &Recordset::FieldChangeComplete, this,
            [this] { pointerSaveRefused_ = false; });
}

namespace {
// The grid's keys that go to another row (Home and End alone stay in the row).
bool IsRowMoveKey(const QKeyEvent* key) {
    switch (key->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            return true;
        case Qt::Key_Home:
        case Qt::Key_End:
            return key->modifiers() & Qt::ControlModifier;
        default:
            return false;
    }
}
}  // namespace

// A press on another row of the grid, or a key that moves to another row, while the
// current title has unsaved edits: the save runs first, and a refused save keeps the
// grid where it is (the row would otherwise be written unchecked on leaving it).
bool CataloguePage::eventFilter(QObject* watched, QEvent* event) {
    if (!HasPendingEdit()) return QWidget::eventFilter(watched, event);
    int target = -1;
    if (event->type() == QEvent::MouseButtonPress) {
        const int y = static_cast<QMouseEvent*>(event)->position().toPoint().y();
        if (watched == dgCDInfo->viewport()) target = dgCDInfo->rowAt(y);
        if (watched == dgCDInfo->verticalHeader()->viewport())
            target = dgCDInfo->verticalHeader()->logicalIndexAt(y);
    } else if (event->type() == QEvent::KeyPress && watched == dgCDInfo &&
               IsRowMoveKey(static_cast<QKeyEvent*>(event))) {
        target = dgCDInfo->Row() + 1;  // any other row: the key decides which
    }
    if (target < 0 || target == dgCDInfo->Row()) return QWidget::eventFilter(watched, event);
    // The pointer's save has just refused these very edits, and said why.
    if (pointerSaveRefused_) return true;
    return !SaveBeforeLeavingRow();
}

// ---- The catalogue recordset -----------------------------------------------------------

void CataloguePage::SetCDInfoSourse(const QString& StrWhere, const Params& params) {
    auto rs = std::make_unique<Recordset>();
    rs->Open(QString::fromUtf8(CatalogueFilter::kTitles) + StrWhere, gConn, adLockOptimistic,
             params);
    LblCDManageCount->SetCaption(QString::number(rs->RecordCount()));
    dgCDInfo->SetDataSource(rs.get());
    SetDataSource({Text1, TxtActor, TxtContent, TxtID, TxtBorn, TxtKey, TxtName, TxtRemark,
                   TxtLocation, Check1, Text2, TxtCount},
                  rs.get());
    adoCDInfo.swap(rs);  // the old catalogue goes when rs does
    filterWhere_ = StrWhere;
    filterParams_ = params;
    filterMovieType_ = CboManageMovieType->currentText();
    filterType_ = CboManageType->currentText();
    ConnectRecordset();
    pointerSaveRefused_ = false;
    adoCDInfo_MoveComplete();
}

void CataloguePage::CboManageMovieType_Click() {
    ChangeFilter();
}

void CataloguePage::CboManageType_Click() {
    ChangeFilter();
}

// The filters narrow the catalogue by movie type and format; "全部" (or no entry, while
// the lists are refilled) does not narrow.
void CataloguePage::ChangeFilter() {
    if (!adoCDInfo) return;  // the window's load opens the catalogue
    const CatalogueFilter filter(CboManageMovieType->currentText(), CboManageType->currentText());
    const QString& where = filter.Where();
    const Params& params = filter.Parameters();
    if (where == filterWhere_ && params == filterParams_) return;
    if (!SaveBeforeLeavingRow()) {
        ShowFilterOfCatalogue();
        return;
    }
    SetCDInfoSourse(where, params);
}

// The filter combos show again the filter the open catalogue was made with.
void CataloguePage::ShowFilterOfCatalogue() {
    const QSignalBlocker blockMovieType(CboManageMovieType);
    const QSignalBlocker blockType(CboManageType);
    CboManageMovieType->setCurrentIndex(CboManageMovieType->findText(filterMovieType_));
    CboManageType->setCurrentIndex(CboManageType->findText(filterType_));
}

bool CataloguePage::HasCurrentRow() const {
    return adoCDInfo && adoCDInfo->HasCurrentRow();
}

bool CataloguePage::HasPendingEdit() const {
    return adoCDInfo && adoCDInfo->IsOpen() && adoCDInfo->HasPendingChanges();
}

bool CataloguePage::IsShowing() const {
    return MainWindow::IsLoaded() && MainWindow::Get()->IsShowing(this);
}

void CataloguePage::WriteColumn(int column, const QString& text) {
    DataGridColumn col = dgCDInfo->Columns(column);
    const Value next = ValueFromText(text, col.NumberFormat());
    if (next.ToString() == col.GetValue().ToString()) return;
    col.SetValue(next);
}

// The counter and the return list show titles too: they follow.
void CataloguePage::RefreshCounter() {
    ShopEvents::AnnounceTitlesChanged(this);
}

// ---- The entry fields ------------------------------------------------------------------

void CataloguePage::adoCDInfo_MoveComplete() {
    pointerSaveRefused_ = false;
    // A new title keeps what the inputs showed: the defaults of "新光盘".
    if (addingNew_ || !HasCurrentRow()) return;
    FillEntryFromRow();
}

// Each box shows what it can (TryStep): a value a box cannot take leaves that box as it was
// and the others still follow the row; nothing is written, so nothing is half-done.
void CataloguePage::FillEntryFromRow() {
    Recordset& rs = *adoCDInfo;
    TryStep([&] { SelectRentType(NullToStr(rs["borrowpricetype"])); });
    TryStep([&] { MebBorrowPrice->SetText(PriceText(rs["borrowprice"])); });
    TryStep([&] { MebSellPrice->SetText(PriceText(rs["sellprice"])); });
    TryStep([&] { MebMemberBorrowPrice->SetText(PriceText(rs["memberborrowprice"])); });
    TryStep([&] { MebMemberSellPrice->SetText(PriceText(rs["membersellprice"])); });
    TryStep([&] { MebCount->SetText(NullToStr(rs["count"])); });
    TryStep([&] { MebDate->SetText(Format(rs["buydate"].ToDate(), "yyyy-mm-dd")); });
    TryStep([&] { MebPrice->SetText(PriceText(rs["price"])); });
    TryStep([&] { ReselectClassification(); });
    TryStep([&] {
        OldType = NullToStr(rs["type"]);
        OldMovieType = NullToStr(rs["movietype"]);
    });
}

void CataloguePage::ShowCurrentEntry() {
    FillEntryFromRow();
}

void CataloguePage::ShowSavedEntry() {
    FillEntryFromRow();
    const std::pair<MaskEdBox*, int> prices[] = {{MebBorrowPrice, kColBorrowPrice},
                                                 {MebSellPrice, kColSellPrice},
                                                 {MebMemberBorrowPrice, kColMemberBorrowPrice},
                                                 {MebMemberSellPrice, kColMemberSellPrice}};
    for (const auto& price : prices)
        TryStep([&] { price.first->SetText(dgCDInfo->Columns(price.second).Text()); });
}

void CataloguePage::CboMovieType_LostFocus() {
    if (HasCurrentRow()) WriteColumn(kColMovieType, CboMovieType->currentText());
}

void CataloguePage::CboType_LostFocus() {
    if (HasCurrentRow()) WriteColumn(kColType, CboType->currentText());
}

// Leaving a price input: the amount rounded to two decimals, written into its column.
// A text that is no amount is refused and the input shows the stored price again.
void CataloguePage::PriceInput_LostFocus(MaskEdBox* input, int column) {
    const QString typed = input->Text();
    const std::optional<Money> amount = CatalogueInput::ReadPrice(typed);
    if (!amount) {
        QString label;
        for (const auto& price : CatalogueInput::PriceInputs(*this))
            if (price.box == input) label = price.label;
        MsgBox(CatalogueInput::PriceRefusal(label, typed), vbOKOnly + vbExclamation,
               QStringLiteral("提示"));
        const Value stored = HasCurrentRow() ? dgCDInfo->Columns(column).GetValue() : Value();
        input->SetText(stored.IsNull() ? QStringLiteral("0") : PriceText(stored));
        return;
    }
    input->SetText(amount->PlainText());
    if (HasCurrentRow()) WriteColumn(column, amount->PlainText());
}

void CataloguePage::MebCount_LostFocus() {
    const QString typed = MebCount->Text();
    const std::optional<qint64> count = CatalogueInput::ReadCount(typed);
    if (!count) {
        MsgBox(CatalogueInput::CountRefusal(typed), vbOKOnly + vbExclamation,
               QStringLiteral("提示"));
        MebCount->SetText(HasCurrentRow() ? NullToStr((*adoCDInfo)["count"]) : QStringLiteral("0"));
        return;
    }
    const QString copies = QString::number(*count);
    MebCount->SetText(copies);
    if (!HasCurrentRow()) return;
    TxtCount->setText(copies);
    WriteColumn(kColRestCount, copies);
}

void CataloguePage::MebDate_LostFocus() {
    if (HasCurrentRow()) WriteColumn(kColBuyDate, MebDate->Text());
}

void CataloguePage::Option1_Click() {
    Text2->setText(QString::fromUtf8(kPerDay));
}

void CataloguePage::Option2_Click() {
    Text2->setText(QString::fromUtf8(kPerRental));
}

void CataloguePage::Text1_Change() {
    const QString upper = Text1->text().toUpper();
    if (upper == Text1->text()) return;
    Text1->setText(upper);
    Text1->setCursorPosition(upper.size());
}

// The search key takes the disc number in lower case, unless it holds it already.
void CataloguePage::Text1_LostFocus() {
    if (!HasCurrentRow()) return;
    const QString number = Text1->text().toLower();
    if (!TxtKey->text().toLower().contains(number)) TxtKey->setText(TxtKey->text() + number);
}

void CataloguePage::TxtName_Change() {
    IsNewCD = false;
}

void CataloguePage::TxtName_LostFocus() {
    AppendInitials(TxtName);
}

void CataloguePage::TxtActor_LostFocus() {
    AppendInitials(TxtActor);
}

// The search key takes the pinyin initials of a field, after a blank, unless it holds
// them already. The key is never rebuilt: initials of an earlier name stay in it.
void CataloguePage::AppendInitials(const QLineEdit* source) {
    if (!HasCurrentRow()) return;
    QString initials;
    for (const QChar ch : source->text()) initials += GetPYChar(QString(ch)).toLower();
    if (TxtKey->text().contains(initials)) return;
    TxtKey->setText(TxtKey->text() + QLatin1Char(' ') + initials);
}

void CataloguePage::ShowEmptyEntry() {
    for (MaskEdBox* m :
         {MebBorrowPrice, MebSellPrice, MebMemberBorrowPrice, MebMemberSellPrice, MebCount})
        m->SetText("0");
    MebDate->SetText(Format(Today(), "yyyy-mm-dd"));
    MebPrice->SetText("0");
    CboMovieType->setCurrentIndex(-1);
    CboType->setCurrentIndex(-1);
}

void CataloguePage::SelectRentType(const QString& borrowpricetype) {
    Option1->setAutoExclusive(false);
    Option2->setAutoExclusive(false);
    Option1->setChecked(borrowpricetype == QString::fromUtf8(kPerDay));
    Option2->setChecked(borrowpricetype == QString::fromUtf8(kPerRental));
    Option1->setAutoExclusive(true);
    Option2->setAutoExclusive(true);
}

void CataloguePage::ShowRentTypeAndClassification() {
    if (!HasCurrentRow()) return;
    SelectRentType(NullToStr((*adoCDInfo)["borrowpricetype"]));
    ReselectClassification();
}

void CataloguePage::ReselectClassification() {
    if (!HasCurrentRow()) return;
    SelectItem(CboMovieType, NullToStr((*adoCDInfo)["movietype"]));
    SelectItem(CboType, NullToStr((*adoCDInfo)["type"]));
}

std::vector<QWidget*> CataloguePage::EntryControls() const {
    return {Command1,
            Command2,
            Command3,
            CmdSave,
            Text1,
            TxtName,
            TxtActor,
            CboMovieType,
            MebDate,
            Check1,
            MebCount,
            CboType,
            MebPrice,
            MebBorrowPrice,
            MebSellPrice,
            MebMemberBorrowPrice,
            MebMemberSellPrice,
            TxtBorn,
            TxtKey,
            TxtContent,
            TxtRemark,
            Frame7};
}

// ---- Saving ----------------------------------------------------------------------------

void CataloguePage::CmdSave_Click() {
    Save(CatalogueSave::CataloguePageOnly);
}

SaveOutcome CataloguePage::Save(CatalogueSave::Scope scope) {
    try {
        return CatalogueSave(*this).Run(scope);
    } catch (const std::exception& error) {
        ReportError(error);
        return SaveOutcome::Refused;
    }
}

bool CataloguePage::SaveBeforeLeavingRow() {
    if (!HasPendingEdit()) return true;
    // A new title with neither a disc number nor a name holds nothing but the defaults.
    if (adoCDInfo->EditMode() == adEditAdd && Text1->text().isEmpty() &&
        TxtName->text().isEmpty()) {
        adoCDInfo->CancelUpdate();
        IsNewCD = false;
        return true;
    }
    return Save(CatalogueSave::AnyPage) != SaveOutcome::Refused;
}

bool CataloguePage::SaveBeforeClosing() {
    if (!HasCurrentRow() || !HasPendingEdit()) return true;
    if (dgCDInfo->Columns(kColId).Text().isEmpty()) {
        adoCDInfo->CancelUpdate();
        return true;
    }
    if (Save(CatalogueSave::AnyPage) != SaveOutcome::Refused) return true;
    const int answer = MsgBox(QString::fromUtf8(kQuitWithoutSaving),
                              vbYesNo + vbQuestion + vbDefaultButton2, QStringLiteral("退出"));
    if (answer != vbYes) return false;
    adoCDInfo->CancelUpdate();
    return true;
}

// Moving the pointer over the grid saves the title being edited, once per attempt: a
// refused save is not repeated until the title is edited again or another is current.
void CataloguePage::dgCDInfo_MouseMove() {
    if (IsNewCD || !HasCurrentRow() || !HasPendingEdit() || pointerSaveRefused_) return;
    if (Save(CatalogueSave::CataloguePageOnly) == SaveOutcome::Refused) pointerSaveRefused_ = true;
}

// ---- New title, discarding, finding -----------------------------------------------------

void CataloguePage::Command1_Click() {
    if (!IsShowing() || !adoCDInfo) return;
    if (!SaveBeforeLeavingRow()) return;
    IsNewCD = true;
    addingNew_ = true;
    try {
        adoCDInfo->AddNew();
    } catch (...) {
        addingNew_ = false;
        IsNewCD = false;
        throw;
    }
    addingNew_ = false;
    SelectRentType(QString());
    Check1->setChecked(false);
    MebDate->SetText(Format(Today(), "yyyy-mm-dd"));
    WriteColumn(kColBorrowPrice, MebBorrowPrice->Text());
    WriteColumn(kColSellPrice, MebSellPrice->Text());
    WriteColumn(kColMemberBorrowPrice, MebMemberBorrowPrice->Text());
    WriteColumn(kColMemberSellPrice, MebMemberSellPrice->Text());
    WriteColumn(kColRestCount, MebCount->Text());
    WriteColumn(kColBuyDate, MebDate->Text());
    WriteColumn(kColPrice, MebPrice->Text());
    WriteColumn(kColMovieType, CboMovieType->currentText());
    WriteColumn(kColType, CboType->currentText());
    Text1->setFocus();
}

namespace {
bool ConfirmDelete() {
    return MsgBox(QString::fromUtf8(kConfirmDelete), vbYesNo + vbQuestion,
                  QString::fromUtf8(kDeleteTitle)) == vbYes;
}

// The discarded title is gone from the file: the catalogue is read again, its edits dropped,
// and stands where a delete would leave it (the next title, or the end after the last).
void DropDiscardedRow(Recordset& catalogue) {
    const int position = catalogue.AbsolutePosition();
    catalogue.CancelUpdate();
    catalogue.Requery();
    if (position <= catalogue.RecordCount()) {
        catalogue.SetAbsolutePosition(position);
    } else if (catalogue.RecordCount() > 0) {
        catalogue.MoveLast();
        catalogue.MoveNext();
    }
}
}  // namespace

void CataloguePage::Command2_Click() {
    if (!IsShowing() || !ConfirmDelete() || !HasCurrentRow()) return;
    // A title not yet saved has nothing in the database: it is simply dropped.
    if (adoCDInfo->Fields("cdid").OriginalValue().IsNull()) {
        adoCDInfo->CancelBatch(adAffectCurrent);
        IsNewCD = false;
        return;
    }
    if (!DiscDiscard::Discard(gConn, adoCDInfo->Fields("cdid").OriginalValue().ToString())) {
        MsgBox(QString::fromUtf8(kDiscardInUse), vbOKOnly + vbExclamation,
               QString::fromUtf8(kDeleteTitle));
        return;
    }
    IsNewCD = false;
    DropDiscardedRow(*adoCDInfo);
    LblCDManageCount->SetCaption(QString::number(adoCDInfo->RecordCount()));
    RefreshCounter();
}

void CataloguePage::Command3_Click() {
    if (!IsShowing() || !ConfirmDelete() || !HasCurrentRow()) return;
    // Only the bad-disc ticks stored count: the title being edited is not saved first. Its
    // edit, a tick among them, survives the catalogue's reading, still unsaved.
    const int kept = DiscDiscard::ClearBadDiscs(gConn);
    ReadCatalogueKeepingTheEdit();
    LblCDManageCount->SetCaption(QString::number(adoCDInfo->RecordCount()));
    RefreshCounter();
    if (kept > 0) {
        MsgBox(QString::fromUtf8(kBadDiscsKept).arg(kept), vbOKOnly + vbInformation,
               QString::fromUtf8(kDeleteTitle));
    }
}

void CataloguePage::ReadCatalogueKeepingTheEdit() {
    const PendingTitleEdit edit = PendingTitleEdit::TakeFrom(*adoCDInfo);
    const bool adding = addingNew_;
    addingNew_ = true;  // the entry fields keep what they show until the edit is back
    try {
        adoCDInfo->Requery();
    } catch (...) {
        edit.PutBack(*adoCDInfo);
        addingNew_ = adding;
        throw;
    }
    const bool putBack = edit.PutBack(*adoCDInfo);
    addingNew_ = adding;
    if (!putBack) IsNewCD = false;
    if (HasCurrentRow()) ShowCurrentEntry();
}

void CataloguePage::Command9_Click() {
    if (!IsShowing()) return;
    frmFind::instance().ShowFor(*this);
}

// ---- The page protocol and the rest of the shop ------------------------------------------

void CataloguePage::ConnectShop() {
    connect(CmdPrintStore, &QPushButton::clicked, this,
            [this] { RunReported([this] { frmSelPrint::CmdPrintStore_Click(*this); }); });
    // Titles changed elsewhere (a classification deleted, prices recomputed, copies lent,
    // sold or returned): the catalogue is read again, unless the operator is editing a
    // title; not shown, when it is shown next.
    const auto follow = [this](QObject* source) {
        if (source == this || !adoCDInfo || !adoCDInfo->IsOpen()) return;
        behind_ = true;
        if (MainWindow::Shows(this)) CatchUp();
    };
    connect(&ShopEvents::Get(), &ShopEvents::TitlesChanged, this, follow);
    connect(&ShopEvents::Get(), &ShopEvents::BasketsChanged, this, follow);
    connect(&ShopEvents::Get(), &ShopEvents::RentalsReturned, this, follow);
}

void CataloguePage::CatchUp() {
    if (!behind_ || !adoCDInfo || !adoCDInfo->IsOpen() || adoCDInfo->HasPendingChanges()) return;
    behind_ = false;
    RunReported([this] { adoCDInfo->Requery(); });
}

// The catalogue is read when the page or a caller first needs it, not at start-up: the
// program opens on the counter, and a large shop's catalogue takes a while to read.
void CataloguePage::Load() {
    ShowEmptyEntry();
}

Recordset* CataloguePage::OpenedCatalogue() {
    if (!adoCDInfo) {
        SetCDInfoSourse("");
        if (HasCurrentRow()) ShowCurrentEntry();
    }
    return adoCDInfo.get();
}

void CataloguePage::EnableEntry() {
    for (QWidget* w : EntryControls()) w->setEnabled(true);
}

void CataloguePage::Activate(int) {
    OpenedCatalogue();
    CatchUp();
    MainWindow::Get()->FillTypeLists();
    if (Text1->isEnabled()) Text1->setFocus();
    ShowRentTypeAndClassification();
}
