#pragma once
#include <QObject>
#include <QString>

#include "core/Basket.h"

class CounterPage;
class Label;
class ShelfCopies;
class Statement;
class ListItem;
class ListView;
class QWidget;

// What the rental and the sale basket panels of the counter page share: the basket's list
// of lines (one row a title), the guard that lets a button act only while the counter page
// is the one shown and only once at a time, and what a check-out dialog asks of its panel
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
    // The basket's row for a line written: added when new, its copies counted again after
    // a line edit, else grown by the copies added.
    void ShowLine(const QString& lineId, const QString& id, const QString& movieName, int copies,
                  bool rewrote);
    // A basket line reopened for editing, as its table holds it; the row's count of copies
    // when the line is no longer there. lineSql reads a line's count and copy list.
    struct LineToEdit {
        QString lineId;
        QString cdid;
        int copies = 0;
        QString lineCopies;
    };
    LineToEdit ReadLine(const ListItem& row, const char* lineSql) const;
    // The title's copies on the shelf, from a title row whose third to fifth columns are its
    // copies, its rental state and its sale state.
    static ShelfCopies ShelfOf(const QString& cdid, const Statement& title);
    // The customer's caption ("会员编号：" or "用户姓名：") and key.
    static void ShowCustomer(Label* caption, Label* name, const Basket& basket);
    static bool IsMemberCaption(const QString& caption);

    CounterPage& page_;
    ListView* lines_;
    QString lineKey_;
    bool busy_ = false;
};
