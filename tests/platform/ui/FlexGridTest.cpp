#include <gtest/gtest.h>

#include "platform/ui/FlexGrid.h"
#include "tests/platform/ui/UiTestSupport.h"

namespace {

// What the view paints a cell with: its alignment and whether it can be selected.
int Alignment(const FlexGrid& grid, int row, int col) {
    return grid.model()->index(row, col).data(Qt::TextAlignmentRole).toInt();
}

bool Selectable(const FlexGrid& grid, int row, int col) {
    return grid.model()->flags(grid.model()->index(row, col)) & Qt::ItemIsSelectable;
}

TEST(FlexGridTest, CellsThroughTheCurrentCellAndTextMatrix) {
    FlexGrid grid;
    EXPECT_EQ(grid.Rows(), 2);
    EXPECT_EQ(grid.Cols(), 2);
    grid.SetCols(6);
    grid.SetRows(3);
    grid.SetFixedRows(1);
    grid.SetFixedCols(1);
    grid.SetRow(0);
    grid.SetCol(2);
    grid.SetCellAlignment(flexAlignCenterCenter);
    grid.SetText("购买日期");
    EXPECT_EQ(grid.TextMatrix(0, 2), "购买日期");
    EXPECT_EQ(grid.CellAlignment(), flexAlignCenterCenter);
    EXPECT_EQ(Alignment(grid, 0, 2), int(Qt::AlignCenter));

    grid.SetTextMatrix(2, 3, "￥5.00");
    grid.SetRow(2);
    grid.SetCol(3);
    EXPECT_EQ(grid.Text(), "￥5.00");
    EXPECT_FALSE(grid.CellFontBold());
    grid.SetCellFontBold(true);
    EXPECT_TRUE(grid.CellFontBold());
    grid.SetCellAlignment(flexAlignRightCenter);
    EXPECT_EQ(Alignment(grid, 2, 3), int(Qt::AlignRight | Qt::AlignVCenter));

    // Fixed cells are shaded and never selected; the others can be.
    EXPECT_FALSE(Selectable(grid, 0, 2));
    EXPECT_FALSE(Selectable(grid, 2, 0));
    EXPECT_TRUE(Selectable(grid, 2, 3));
    EXPECT_EQ(grid.TextMatrix(9, 9), "") << "outside the grid reads empty";

    grid.Clear();
    EXPECT_EQ(grid.Rows(), 3);
    EXPECT_EQ(grid.TextMatrix(2, 3), "");
    grid.SetRow(2);
    EXPECT_FALSE(grid.CellFontBold());
}

TEST(FlexGridTest, SizesInTwips) {
    FlexGrid grid;
    grid.SetCols(3);
    grid.SetColWidth(0, 200);
    grid.SetColWidth(1, 3000);
    grid.SetRowHeight(0, 600);
    EXPECT_EQ(grid.ColWidth(0), 200);
    EXPECT_EQ(grid.columnWidth(0), 13);
    EXPECT_EQ(grid.columnWidth(1), 200);
    EXPECT_EQ(grid.RowHeight(0), 600);
    EXPECT_EQ(grid.rowHeight(0), 40);
}

// The two heading rows of the income report: equal texts of row 0 merge across, the
// columns marked merge down their two equal texts.
TEST(FlexGridTest, MergedHeadings) {
    FlexGrid grid;
    grid.SetCols(6);
    grid.SetRows(2);
    grid.SetFixedRows(2);
    grid.SetMergeCells(flexMergeFree);
    grid.SetMergeRow(0, true);
    grid.SetMergeCol(0, true);
    grid.SetMergeCol(1, true);
    const QStringList row0{" ", "年份", "出租光盘", "出租光盘", "出租光盘", "会费"};
    const QStringList row1{" ", "年份", "数量", "已付", "押金", "月"};
    for (int c = 0; c < 6; ++c) {
        grid.SetTextMatrix(0, c, row0[c]);
        grid.SetTextMatrix(1, c, row1[c]);
    }
    EXPECT_EQ(grid.columnSpan(0, 2), 3);
    EXPECT_EQ(grid.rowSpan(0, 0), 2);
    EXPECT_EQ(grid.rowSpan(0, 1), 2);
    EXPECT_EQ(grid.rowSpan(0, 5), 1) << "column 5 does not merge down";
    EXPECT_EQ(grid.columnSpan(1, 2), 1);

    grid.SetTextMatrix(0, 3, "出售光盘");
    EXPECT_EQ(grid.columnSpan(0, 2), 1);
    grid.SetMergeCells(flexMergeNever);
    EXPECT_EQ(grid.rowSpan(0, 0), 1);
}

}  // namespace
