#pragma once
#include <QObject>
#include <QString>

#include "core/Basket.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QWidget;
class Label;

// The customer of a check-out, as both check-out dialogs ask for it: the kind (member or
// walk-in customer, Frame2) and the customer (Frame3: a member's number with the member's
// name and stored money, or a walk-in name, proposed by GetNewID for kind "borrow" or
// "sell"). While a basket is open the customer is the basket's and cannot change.
class CustomerFrames : public QObject {
    Q_OBJECT
  public:
    // buyerCaption is Label11's caption ("借盘人姓名" or "买盘人姓名").
    CustomerFrames(QWidget* window, const QString& newIdKind, const QString& buyerCaption);

    QGroupBox* Frame2;
    QRadioButton* Option3;  // member
    QRadioButton* Option4;  // walk-in customer
    QGroupBox* Frame3;
    QLabel* Label1;  // the name box's caption
    QLineEdit* TxtName;
    QLabel* Label11;
    Label* Label12;  // the member's name
    QLabel* Label9;
    Label* Label10;  // the member's stored money

    void Option3_Click();
    void Option4_Click();
    // Leaving the name box looks the member up.
    void TxtName_LostFocus();
    // The member's name and stored money; a number no member has is told, and the
    // customer becomes a walk-in customer with a proposed name unless a basket fixes it.
    // True when the member was found.
    bool LookUpMember(bool kindFixed);
    // The same without a word to the operator: false when no member has the number.
    bool RefreshMember();

    // Form_Load: the open basket's customer, or a new walk-in customer.
    void ShowBasketCustomer(const Basket& basket, int otherKind);
    void StartNewCustomer();
    void SetFramesEnabled(bool enabled);
    bool MemberChosen() const;
    int UserType() const;

  private:
    void Select(QRadioButton* option);
    QString newIdKind_;
    bool kindFixed_ = false;
};
