#include "members/frmUserBorrowLst.h"

#include "platform/ui/ErrorReport.h"

frmUserBorrowLst::frmUserBorrowLst() : view_(this, MemberHistoryView::kRentals) {
    setObjectName("frmUserBorrowLst");
    MSHFlexGrid1 = view_.Grid();
}

void frmUserBorrowLst::Open(const QString& userId, const QString& userName, QWidget* owner) {
    OpenMemberHistory<frmUserBorrowLst>(userId, userName + QString::fromUtf8(kCaption), owner);
}

void frmUserBorrowLst::Form_Load() {
    Refill();
}

void frmUserBorrowLst::Refill() {
    view_.Fill(UserID);
}
