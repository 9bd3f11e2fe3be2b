#pragma once
#include <QObject>
#include <QString>

#include "core/Basket.h"
#include "counter/BasketLines.h"

class CheckOutForm;
class CounterPage;
class Label;
class ListView;
class QWidget;

// What the rental and the sale basket panels of the counter page share: the basket's list
// of lines (one row a title), shown from the lines as stored; the guard that lets a button
// act only while the counter page is the one shown, only once at a time, and not while the
// check-out dialog holds an edit of a line; and what a check-out dialog asks of its panel
// when it is left. The money each side counts, and how, stays with the side.
class BasketPanel : public QObject {
    Q_OBJECT
  public:
    CounterPage& Page() const { return page_; }

    // What the check-out dialog asks of the panel.
    void PrepareColumns();
    virtual void KeepOpen() = 0;    // left without confirming, lines in the basket
    virtual void CloseEmpty() = 0;  // left without confirming, no line in the basket
    bool HasLines() const;
    // The main window, which owns the check-out dialogs and the payment questions.
    static QWidget* Owner();

  protected:
    // lineKey names the list's column that holds a line's number ("BorrowID", "SellID").
    BasketPanel(CounterPage& page, ListView* lines, const QString& lineKey);

    // Set while a button's work runs; a second activation meanwhile does nothing.
    class BusyFlag {
      public:
        explicit BusyFlag(bool& flag) : flag_(flag) { flag_ = true; }
        ~BusyFlag() { flag_ = false; }

      private:
        bool& flag_;
    };

    bool IsCurrentPage() const;
    // While the dialog holds an edit of a line, nothing else may change the basket: the
    // dialog comes to the front instead, and the caller does nothing. dialog may be null.
    static bool EditHeldBy(CheckOutForm* dialog);

    // What the basket's stored lines add up to.
    struct Sums {
        int lines = 0;
        int copies = 0;
        Money amount;          // deposit or money
        bool changed = false;  // other sums than the panel showed before
    };
    // The basket's list shows its stored lines, in the order they were written, the row
    // selected before still selected; returns their sums.
    Sums ShowStoredLines(const BasketLines& kind, const QString& basketNo);
    // The basket as the panel shows it, for a settlement to compare with the file.
    BasketLines::Shown Shown() const { return {shown_.copies, shown_.amount}; }
    // The customer's caption ("会员编号：" or "用户姓名：") and key.
    static void ShowCustomer(Label* caption, Label* name, const Basket& basket);
    static bool IsMemberCaption(const QString& caption);

    CounterPage& page_;
    ListView* lines_;
    QString lineKey_;
    bool busy_ = false;
    Sums shown_;
};
