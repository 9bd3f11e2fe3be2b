#pragma once
#include <memory>
#include "core/ShopPage.h"

#include "platform/db/Recordset.h"
#include "platform/text/Money.h"

class QGroupBox;
class QLineEdit;
class QPushButton;
class DataGrid;
class Label;
class MaskEdBox;

// Page 5 of the main window: the members, the current member's fields and account.
//
// The member recordset ("select * from userinfo") keeps every edit pending, the account
// changes included, until the page saves: "保存(&V)", a change of the grid's row,
// "新会员(&N)", and leaving the page (another page button, or this one pressed again before
// it reads the members afresh). Nothing stays pending while another page may write the
// members' money. A save the page cannot make (a member without a number or a name, a
// number not of six digits, two members with one number, a refused file) keeps the
// operator on the page with the edits, the member to mend current. A save that finds a
// member changed by another program since the list was read tells so and reads the list
// again: those edits can never be written, and the page can be left.
class MemberPage : public ShopPage {
    Q_OBJECT
  public:
    explicit MemberPage(QWidget* parent = nullptr);

    // The page protocol.
    void Activate(int button) override;
    bool MayLeave() override;
    bool SaveBeforeClosing() override;

    // Opens the member recordset afresh and binds the grid and the member's fields.
    void OpenMemberRecordset();
    // The account panel of the current member, and which controls a member row enables.
    void ShowUserAccount();

    void Command16_Click();  // save
    void Command13_Click();  // new member
    void Command14_Click();  // the member leaves
    void DataGrid1_RowColChange();
    void Text3_KeyDown(int& KeyCode, int Shift);
    void MaskEdBox1_LostFocus();
    void MebAddMoney_LostFocus();
    void Command10_Click();  // pay in
    void Command11_Click();  // refund the amount
    void Command12_Click();  // refund everything
    void Command18_Click();  // rentals not returned
    void Command17_Click();  // purchases
    void CmdPrint_Click();   // member card

    DataGrid* DataGrid1;
    std::unique_ptr<Recordset> adoUser;  // "select * from userinfo", opened by the page button
    bool IsAddingUser = false;           // only while "新会员(&N)" runs

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
    void ConnectHandlers();
    QList<QWidget*> MemberControls() const;
    void ZeroAccountLabels();

    // The pending rows written (MemberSave); a refusal is told and its member made
    // current, a stale list read again. True when nothing stays pending.
    bool SavePendingRows();
    void ReadMembersAgain();
    void FollowBalance(Recordset* rs);
    void ShowBalance();
    void ShowJoinDate();
    void TellNothingToRefund();
    bool HasMember() const;
    Money Balance() const;
    void SetBalance(Money money);
    // The amount typed for the account buttons; nothing (and the operator told) when it
    // is no amount or negative. empty: the button's own message for an empty box.
    std::optional<Money> TypedAmount(const char* empty);

    bool saving_ = false;
    bool accountBusy_ = false;
};
