#include "members/frmUserSellLst.h"

#include "platform/ui/ErrorReport.h"

frmUserSellLst::frmUserSellLst() : view_(this, MemberHistoryView::kSales) {
    setObjectName("frmUserSellLst");
    MSHFlexGrid1 = view_.Grid();
}

void frmUserSellLst::Open(const QString& userId, const QString& userName, QWidget* owner) {
    OpenMemberHistory<frmUserSellLst>(userId, userName + QString::fromUtf8(kCaption), owner);
}

void frmUserSellLst::Form_Load() {
    Refill();
}

void frmUserSellLst::Refill() {
    view_.Fill(UserID);
}
