#include "members/frmDispUser.h"

#include <QGridLayout>
#include <QVBoxLayout>

#include "core/OpenBaskets.h"
#include "core/RentDue.h"
#include "core/mdlMain.h"
#include "members/MemberFigures.h"
#include "members/MemberLinesGrid.h"
#include "platform/app/Clock.h"
#include "platform/db/Recordset.h"
#include "platform/text/VbText.h"
#include "platform/ui/Controls.h"
#include "platform/ui/DisplayFormat.h"
#include "platform/ui/FieldGrid.h"

namespace {
const char* const kMember = "select * from userinfo where userid=?1";
// The member's rental lines from which nothing has come back yet, at the normal rent. The
// lines of the baskets still open at the counter are no rental yet and owe no rent: %1
// leaves them out.
const char* const kOpenRentals =
    "select b.borrowprice as borrowprice, a.borrowcount as borrowcount,"
    " b.BorrowPriceType as BorrowPriceType, a.borrowid as borrowid, b.name as moviename,"
    " a.borrowdate as borrowdate"
    " from borrowinfo as a, cdinfo as b"
    " where a.borrowid not in (select substr(returnid, 1, 16) from returninfo)"
    " and substr(a.borrowid, 1, 12) = b.cdid and a.name = ?1 and %1";
const int kWindowWidthTwips = 7200;

QString JoinDateText(const Value& v) {
    const QDate d = v.ToDate();
    return d.isValid() ? Format(d, "yyyy-mm-dd") : NullToStr(v);
}
}  // namespace

frmDispUser::frmDispUser()
    : FormOf<frmDispUser>(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint) {
    setObjectName("frmDispUser");
    setWindowTitle(QStringLiteral("会员信息"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 8, 10, 8);
    auto* grid = new QGridLayout;
    FieldGrid fields(grid, 2);
    fields.Add("会员编号", LblUserID = ValueLabel("LblUserID"));
    fields.Add("会员姓名", LblUserName = ValueLabel("LblUserName"));
    fields.Add("入会时间", LblJoinDate = ValueLabel("LblJoinDate"));
    fields.Add("所缴会费", LblMoney = ValueLabel("LblMoney"));
    fields.Add("用户类型", LblUserType = ValueLabel("LblUserType"));
    fields.Add("联系电话", LblTel = ValueLabel("LblTel"));
    fields.Add("住址", LblAddress = ValueLabel("LblAddress"), 2);
    fields.Add("出租光盘次数", LblBorrowCount = ValueLabel("LblBorrowCount"));
    fields.Add("已付租金", LblAllMoney = ValueLabel("LblAllMoney"));
    layout->addLayout(grid);
    MSHFlexGrid1 = Named<FlexGrid>("MSHFlexGrid1");
    layout->addWidget(MSHFlexGrid1, 1);
    resize(TwipsToPixels(kWindowWidthTwips), TwipsToPixels(kMemberHeightTwips));
}

void frmDispUser::Open(const QString& UserID, bool modal, QWidget* owner) {
    frmDispUser& w = instance();
    w.UserID = UserID;
    w.ShowCustomer();
    w.Show(modal ? vbModal : vbModeless, owner);
}

void frmDispUser::SetHeightTwips(int twips) {
    resize(width(), TwipsToPixels(twips));
}

void frmDispUser::ShowCustomer() {
    member_ = std::make_unique<Recordset>();
    member_->Open(kMember, gConn, adLockReadOnly, {UserID});
    if (member_->AtEOF())
        ShowWalkIn();
    else
        ShowMember();
}

void frmDispUser::ShowWalkIn() {
    LblUserID->SetCaption("");
    LblUserName->SetCaption(UserID);
    LblJoinDate->SetCaption("");
    LblMoney->SetCaption("");
    LblUserType->SetCaption(QStringLiteral("零租用户"));
    LblAddress->SetCaption("");
    LblTel->SetCaption("");
    LblBorrowCount->SetCaption("");
    LblAllMoney->SetCaption("");
    MSHFlexGrid1->hide();
    SetHeightTwips(kWalkInHeightTwips);
}

void frmDispUser::ShowMember() {
    const Recordset& m = *member_;
    LblUserID->SetCaption(UserID);
    LblUserName->SetCaption(NullToStr(m["username"]));
    LblJoinDate->SetCaption(JoinDateText(m["JoinDate"]));
    LblMoney->SetCaption(Money::FromStored(m["money"].ToDouble()).Text());
    LblUserType->SetCaption(QStringLiteral("会员"));
    LblAddress->SetCaption(NullToStr(m["address"]));
    LblTel->SetCaption(NullToStr(m["telephone"]));
    SetHeightTwips(kMemberHeightTwips);
    MSHFlexGrid1->show();
    DispUserBorrow();
}

// The rent due runs to this moment, read once for every line.
void frmDispUser::DispUserBorrow() {
    const QStringList headings{QStringLiteral("影片名称"), QStringLiteral("出租日期"),
                               QStringLiteral("应付租金")};
    MemberLinesGrid grid(MSHFlexGrid1);
    if (!member_ || !member_->HasCurrentRow()) {
        LblBorrowCount->SetCaption(MemberFigures::CountText(0));
        LblAllMoney->SetCaption(Money().Text());
        grid.Start(headings, 0);
        grid.Total(Money());
        return;
    }
    const QString userId = NullToStr((*member_)["userid"]);
    const MemberFigures::Lines rented = MemberFigures::Rentals(gConn, userId);
    LblBorrowCount->SetCaption(MemberFigures::CountText(rented.count));
    LblAllMoney->SetCaption(Format(rented.money, kMoneyFormat));
    Recordset lines;
    lines.Open(QString::fromUtf8(kOpenRentals).arg(OpenBaskets::NotInRentalBasket("a")), gConn,
               adLockReadOnly, {userId});
    grid.Start(headings, lines.RecordCount());
    const QDateTime now = Now();
    Money sum;
    for (int i = 0; !lines.AtEOF(); ++i, lines.MoveNext()) {
        const Value borrowed = lines["borrowdate"];
        const Money due = RentDue::Of(Money::FromStored(lines["borrowprice"].ToDouble()),
                                      NullToStr(lines["BorrowPriceType"]),
                                      lines["borrowcount"].ToInt(), borrowed.ToDateTime(), now);
        grid.Line(i, NullToStr(lines["moviename"]), NullToStr(borrowed), due);
        sum += due;
    }
    grid.Total(sum);
}
