#include "catalogue/CataloguePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kMoney = "￥#,##0.00";

MaskEdBox* Masked(const QString& name) {
    auto* m = Named<MaskEdBox>(name);
    m->setMaximumWidth(140);
    return m;
}

// Selects the first item equal to text; no selection when there is none.
void SelectItem(QComboBox* combo, const QString& text) {
    combo->setCurrentIndex(-1);
    combo->setCurrentIndex(combo->findText(text, Qt::MatchExactly));
}
}  // namespace

CataloguePage::CataloguePage(QWidget* parent) : QWidget(parent) {
    setObjectName("CataloguePage");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(BuildList(), 1);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(BuildEntry(), 1);
    bottom->addWidget(BuildButtons());
    layout->addLayout(bottom);
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
    dgCDInfo->AddColumn("光盘价格", "price", 1000, kMoney);
    dgCDInfo->AddColumn("购买日期", "buydate", 1200);
    dgCDInfo->AddColumn("出租价格", "borrowprice", 1000, kMoney);
    dgCDInfo->AddColumn("出售价格", "sellprice", 1000, kMoney);
    dgCDInfo->AddColumn("出租价格(会员)", "memberborrowprice", 1300, kMoney);
    dgCDInfo->AddColumn("出售价格(会员)", "membersellprice", 1300, kMoney);
    dgCDInfo->AddColumn("存放位置", "location", 1100);
    v->addWidget(dgCDInfo, 1);
    return box;
}

QGroupBox* CataloguePage::BuildEntry() {
    Frame6 = Named<QGroupBox>("Frame6", QStringLiteral("光盘信息收集"));
    auto* grid = new QGridLayout(Frame6);
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
    TxtCount = Named<QLineEdit>("TxtCount", Frame6);
    Text2 = Named<QLineEdit>("Text2", Frame6);
    TxtCount->hide();
    Text2->hide();
    return Frame6;
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

void CataloguePage::SetCDInfoSourse(const QString&) {
    // The catalogue list is opened with the catalogue's own behaviour.
}

void CataloguePage::CmdSave_Click() {
    // The save is built with the catalogue's own behaviour.
}

bool CataloguePage::HasCurrentRow() const {
    return adoCDInfo && adoCDInfo->IsOpen() && !adoCDInfo->AtEOF() && !adoCDInfo->AtBOF();
}

void CataloguePage::ShowEmptyEntry() {
    for (MaskEdBox* m : {MebBorrowPrice, MebSellPrice, MebMemberBorrowPrice, MebMemberSellPrice,
                         MebCount})
        m->SetText("0");
    MebDate->SetText(Format(Today(), "yyyy-mm-dd"));
    MebPrice->SetText("0");
    CboMovieType->setCurrentIndex(-1);
    CboType->setCurrentIndex(-1);
}

void CataloguePage::SelectRentType(const QString& borrowpricetype) {
    Option1->setAutoExclusive(false);
    Option2->setAutoExclusive(false);
    Option1->setChecked(borrowpricetype == QStringLiteral("每天"));
    Option2->setChecked(borrowpricetype == QStringLiteral("每次"));
    Option1->setAutoExclusive(true);
    Option2->setAutoExclusive(true);
}

void CataloguePage::ShowCurrentEntry() {
    Recordset& rs = *adoCDInfo;
    SelectRentType(NullToStr(rs["borrowpricetype"]));
    MebBorrowPrice->SetText(NullToStr(rs["borrowprice"]));
    MebSellPrice->SetText(NullToStr(rs["sellprice"]));
    MebMemberBorrowPrice->SetText(NullToStr(rs["memberborrowprice"]));
    MebMemberSellPrice->SetText(NullToStr(rs["membersellprice"]));
    MebCount->SetText(NullToStr(rs["restcount"]));
    MebDate->SetText(Format(rs["buydate"].ToDate(), "yyyy-mm-dd"));
    MebPrice->SetText(NullToStr(rs["price"]));
    ReselectClassification();
    OldType = NullToStr(rs["type"]);
    OldMovieType = NullToStr(rs["movietype"]);
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
    return {Command1, Command2, Command3, CmdSave, Text1, TxtName, TxtActor, CboMovieType,
            MebDate, Check1, MebCount, CboType, MebPrice, MebBorrowPrice, MebSellPrice,
            MebMemberBorrowPrice, MebMemberSellPrice, TxtBorn, TxtKey, TxtContent, TxtRemark,
            Frame7};
}
