#include "members/MemberPage.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/mdlMain.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kAllMembers = "select * from userinfo";

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
    fields.Add("住    址：", TxtAddress = Named<QLineEdit>("TxtAddress"), 2);
    return FrameMemberFields;
}

QGroupBox* MemberPage::BuildMemberLevel() {
    FrameMemberLevel = Named<QGroupBox>("FrameMemberLevel", QStringLiteral("会员级别"));
    auto* grid = new QGridLayout(FrameMemberLevel);
    FieldGrid fields(grid, 2);
    fields.Add("出租光盘次数：", LblBorrowCount = ValueLabel("LblBorrowCount"));
    fields.Add("已付租金：", LblAllMoney = ValueLabel("LblAllMoney"));
    fields.Add("购买光盘次数：", LblBuyCount = ValueLabel("LblBuyCount"));
    fields.Add("购买合计：", LblBuyMoney = ValueLabel("LblBuyMoney"));
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
    fields.Add("已存入金额：", LblMoney = ValueLabel("LblMoney"));
    MebAddMoney = Named<MaskEdBox>("MebAddMoney");
    MebAddMoney->SetFormat(kMoneyFormat);
    fields.Add("退还或存入金额：", MebAddMoney);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command10 = Named<QPushButton>("Command10", QStringLiteral("缴纳会费")));
    buttons->addWidget(Command11 = Named<QPushButton>("Command11", QStringLiteral("退还会费")));
    buttons->addWidget(Command12 = Named<QPushButton>("Command12", QStringLiteral("全部退还")));
    grid->addLayout(buttons, fields.Row() + 1, 0, 1, 4);
    return FrameAccount;
}

void MemberPage::OpenMemberRecordset() {
    auto rs = std::make_unique<Recordset>();
    rs->Open(kAllMembers, gConn, adLockOptimistic);
    DataGrid1->SetDataSource(rs.get());
    SetDataField(TxtUserID, "UserID");
    SetDataField(TxtAddress, "Address");
    SetDataField(TxtTele, "Telephone");
    SetDataField(TxtUserName, "UserName");
    SetDataField(LblMoney, "money", kMoneyFormat);
    SetDataSource({TxtUserID, TxtAddress, TxtTele, TxtUserName, LblMoney}, rs.get());
    adoUser = std::move(rs);
}

void MemberPage::ShowUserAccount() {
    // Not built yet: the account panel comes with the member windows; until then it stays empty.
}

// ---- The page protocol -------------------------------------------------------------------

void MemberPage::Activate(int) {
    OpenMemberRecordset();
    ShowUserAccount();
    Text3->setFocus();
}

// Closing: a member row without a member number is dropped, another one's edit written.
bool MemberPage::SaveBeforeClosing() {
    if (!adoUser || !adoUser->HasCurrentRow()) return true;
    if (DataGrid1->Columns(0).Text().isEmpty()) {
        adoUser->CancelUpdate();
    } else {
        adoUser->MoveLast();
    }
    return true;
}
