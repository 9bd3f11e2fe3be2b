#pragma once
#include <QString>
#include <memory>

#include "platform/ui/FormOf.h"

class FlexGrid;
class Label;
class Recordset;

// "会员信息": one customer's card. A member shows their details, how often they rented and
// what rent they paid, and their rentals not yet returned with the rent due now on each
// (at the normal rent) and in total. A walk-in customer shows only the name, in a short
// window without the grid.
class frmDispUser : public FormOf<frmDispUser> {
    Q_OBJECT
    friend class FormOf<frmDispUser>;

  public:
    static constexpr int kMemberHeightTwips = 5280;
    static constexpr int kWalkInHeightTwips = 2040;

    // Opens the window for a customer key: modal in front of the owner, or modeless beside
    // it. A window still open is read afresh for the key.
    static void Open(const QString& UserID, bool modal, QWidget* owner);

    // Fills the window for UserID, as its load does.
    void ShowCustomer();
    void DispUserBorrow();

    QString UserID;
    Label* LblUserID;
    Label* LblUserName;
    Label* LblJoinDate;
    Label* LblMoney;
    Label* LblUserType;
    Label* LblAddress;
    Label* LblTel;
    Label* LblBorrowCount;
    Label* LblAllMoney;
    FlexGrid* MSHFlexGrid1;

  private:
    frmDispUser();
    void ShowWalkIn();
    void ShowMember();
    void SetHeightTwips(int twips);

    std::unique_ptr<Recordset> member_;  // the userinfo row of UserID
};
