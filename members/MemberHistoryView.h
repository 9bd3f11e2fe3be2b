#pragma once
#include <QString>
#include <QStringList>

class FlexGrid;
class QWidget;

// What the two history windows share: the grid of a member's lines under three headings,
// filled from one statement on the member's number, ending in the "合计" row.
class MemberHistoryView {
  public:
    struct Kind {
        QStringList headings;
        const char* sql;    // ?1 is the customer key; %1 leaves out the open baskets
        const char* date;   // the date field shown in column 2
        const char* money;  // the amount field summed in column 3
        // The condition leaving out the lines of the baskets of this kind still open at the
        // counter (OpenBaskets).
        QString (*notInOpenBasket)(const QString& line);
    };
    static const Kind kRentals;  // lines with no return yet, with the rent paid
    static const Kind kSales;    // every purchase, with what was paid

    // Builds the grid MSHFlexGrid1 into the window.
    MemberHistoryView(QWidget* window, const Kind& kind);

    void Fill(const QString& UserID);
    FlexGrid* Grid() const { return grid_; }

  private:
    FlexGrid* grid_;
    const Kind& kind_;
};

// Opens a history window for a member, modeless beside the owner. A window already open
// is filled afresh for this member: its caption, UserID and grid go together.
template <class Window>
void OpenMemberHistory(const QString& userId, const QString& caption, QWidget* owner) {
    Window& w = Window::instance();
    w.UserID = userId;
    w.setWindowTitle(caption);
    w.Refill();
    w.Show(0, owner);
}
