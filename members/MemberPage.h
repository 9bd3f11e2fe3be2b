#pragma once
#include <memory>
#include "core/ShopPage.h"

#include "platform/db/Recordset.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class DataGrid;
class Label;
class MaskEdBox;

// Page 5 of the main window: the members, the current member's fields and account.
class MemberPage : public ShopPage {
    Q_OBJECT
  public:
    explicit MemberPage(QWidget* parent = nullptr);

    // The page protocol.
    void Activate(int button) override;
    bool SaveBeforeClosing() override;

    // Opens the member recordset afresh and binds the grid and the member's fields.
    void OpenMemberRecordset();
    void ShowUserAccount();

    DataGrid* DataGrid1;
    std::unique_ptr<Recordset> adoUser;  // "select * from userinfo", opened by the page button

    QGroupBox* FrameMemberFields;  // "会员信息"
    QLineEdit* TxtUserID;
    QLineEdit* TxtUserName;
    MaskEdBox* MaskEdBox1;
    QLineEdit* TxtAddress;
    QLineEdit* TxtTele;

    QGroupBox* FrameMemberLevel;  // "会员级别"
    Label* LblBorrowCount;
    Label* LblAllMoney;
    Label* LblBuyCount;
    Label* LblBuyMoney;
    QPushButton* Command18;
    QPushButton* Command17;

    QGroupBox* FrameAccount;  // "个人帐户管理"
    Label* LblMoney;
    MaskEdBox* MebAddMoney;
    QPushButton* Command10;
    QPushButton* Command11;
    QPushButton* Command12;

    QPushButton* Command13;
    QPushButton* Command16;
    QPushButton* Command14;
    QPushButton* CmdPrint;
    QLineEdit* Text3;

  private:
    QWidget* BuildMemberList();
    QGroupBox* BuildMemberFields();
    QGroupBox* BuildMemberLevel();
    QGroupBox* BuildAccount();
};
