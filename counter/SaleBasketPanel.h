#pragma once
#include <QObject>
#include <QString>

#include "counter/SaleCheckOut.h"

class CounterPage;

// The sale basket of the counter page (frame "出售信息"): the check-out of the current
// title, the edit and removal of a line, the settlement, and the panel they write (lvwSell,
// the copies and the money due, the customer, the amount received MskFactSellMoney). Every
// button acts only while the counter page is the one shown, and acts once.
class SaleBasketPanel : public QObject {
    Q_OBJECT
  public:
    explicit SaleBasketPanel(CounterPage& page);
    CounterPage& Page() const { return page_; }

    void Command15_Click();     // "售出此光盘(&S)"
    void CmdSellEdit_Click();   // "编辑此光盘(&E)"
    void CmdDelSellCD_Click();  // "删除此光盘(&I)"
    void CmdSellTax_Click();    // "结    算(&M)"
    // The amount received follows the money due.
    void LblSellMoney_Change();

    // What the check-out dialog asks of the panel.
    void PrepareColumns();
    void LineWritten(const SaleCheckOut::Result& result, const QString& id,
                     const QString& movieName, bool rewrote);
    void KeepOpen();
    void CloseEmpty();

  private:
    bool IsCurrentPage() const;
    void ShowTotals();
    void EnableButtons(bool enabled);
    void Refresh();

    CounterPage& page_;
    bool busy_ = false;
};
