#pragma once
#include <QStringList>

#include "platform/text/Money.h"

class FlexGrid;

// The grid of a member's lines in the member information and history windows: a narrow
// fixed column, then the title, the date and the amount; a centred heading row, one row
// per line and a bold "合计" row with the sum of the amounts.
class MemberLinesGrid {
  public:
    explicit MemberLinesGrid(FlexGrid* grid) : grid_(grid) {}

    // Clears the grid and lays it out for that many lines under the three headings.
    void Start(const QStringList& headings, int lines);
    // Line i (from 0): the title and date left, the amount as money, right.
    void Line(int i, const QString& title, const QString& date, Money amount);
    void Total(Money sum);

  private:
    void Cell(int row, int col, const QString& text, int alignment, bool bold = false);

    FlexGrid* grid_;
    int lines_ = 0;
};
