#pragma once
#include <QString>

#include "members/MemberHistoryView.h"
#include "platform/ui/FormOf.h"

class FlexGrid;

// A member's history, read-only: every purchase of the member, with the amount paid.
class frmUserSellLst : public FormOf<frmUserSellLst> {
    Q_OBJECT
    friend class FormOf<frmUserSellLst>;

  public:
    // What follows the member's name in the caption.
    static constexpr const char* kCaption = "购买光盘列表";

    // Opens the window for a member (a window already open is filled afresh).
    static void Open(const QString& userId, const QString& userName, QWidget* owner);

    void Form_Load() override;
    // Fills the grid for UserID.
    void Refill();

    QString UserID;  // the customer key whose lines are listed
    FlexGrid* MSHFlexGrid1;

  private:
    frmUserSellLst();
    MemberHistoryView view_;
};
