#pragma once
#include <QString>

class CustomerFrames;
class Label;
class ListView;
class QLineEdit;
class QPushButton;
class QWidget;

// How both check-out dialogs lay out their controls: the customer, the remark and the
// title on the left, the copies on the right, the buttons below.
class CheckOutLayout {
  public:
    struct Parts {
        CustomerFrames* customer;
        QLineEdit* remark;
        Label* id;
        Label* movieName;
        Label* cdid;
        ListView* copies;
        QPushButton* confirm;
        QPushButton* cancel;
        QString idCaption;      // "出租光盘编号" / "出售光盘编号"
        QString copiesCaption;  // "选择借出光盘" / "选择售出光盘"
    };
    static void Arrange(QWidget* window, const Parts& parts);
};
