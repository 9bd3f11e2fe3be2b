#include "members/MemberLinesGrid.h"

#include "platform/ui/FlexGrid.h"

namespace {
// The amount column is wide enough for its heading and a total of five digits in bold.
constexpr int kColumnTwips[4] = {200, 3000, 2000, 1300};
constexpr int kHeadingTwips = 300;
}  // namespace

void MemberLinesGrid::Start(const QStringList& headings, int lines) {
    lines_ = lines;
    grid_->Clear();
    grid_->SetFixedRows(1);
    grid_->SetFixedCols(1);
    grid_->SetCols(4);
    grid_->SetRows(lines + 2);
    grid_->SetRowHeight(0, kHeadingTwips);
    for (int c = 0; c < 4; ++c) grid_->SetColWidth(c, kColumnTwips[c]);
    for (int c = 0; c < headings.size() && c < 3; ++c)
        Cell(0, c + 1, headings[c], flexAlignCenterCenter);
}

void MemberLinesGrid::Line(int i, const QString& title, const QString& date, Money amount) {
    Cell(i + 1, 1, title, flexAlignLeftCenter);
    Cell(i + 1, 2, date, flexAlignLeftCenter);
    Cell(i + 1, 3, amount.Text(), flexAlignRightCenter);
}

void MemberLinesGrid::Total(Money sum) {
    Cell(lines_ + 1, 1, QStringLiteral("合计"), flexAlignLeftCenter, true);
    Cell(lines_ + 1, 3, sum.Text(), flexAlignRightCenter, true);
    // The grid opens on its first line, as when it was laid out.
    grid_->SetRow(1);
    grid_->SetCol(1);
    grid_->scrollToTop();
}

void MemberLinesGrid::Cell(int row, int col, const QString& text, int alignment, bool bold) {
    grid_->SetRow(row);
    grid_->SetCol(col);
    grid_->SetCellAlignment(alignment);
    if (bold) grid_->SetCellFontBold(true);
    grid_->SetText(text);
}
