#include "reports/frmHotCDInfo.h"

#include "core/mdlMain.h"
#include "platform/ui/FlexGrid.h"
#include "reports/HotCDRows.h"

frmHotCDInfo::frmHotCDInfo()
    : FormOf<frmHotCDInfo, ListingWindow>(
          ReportDesign{"frmHotCDInfo", "显示出租最热门的光盘", "MSHFlexGrid1", "MSHFlexGrid2", {}},
          {flexAlignCenterCenter, flexAlignLeftCenter, flexAlignRightCenter, flexAlignRightCenter,
           flexAlignRightCenter, flexAlignLeftCenter}) {}

void frmHotCDInfo::Form_Load() {
    ReportGeometry g;
    // The frame centres the title in its box: the box starts higher than the design's
    // label, so that the text stands where the design has it, clear of the buttons.
    g.titleTop = 180;
    g.controlsTop = 600;
    g.outputLeft = 420;
    g.printLeft = 1560;
    g.headerTop = 960;
    g.headerWidth = 7300;
    g.windowWidth = 8100;
    g.bodyTop = 1440;
    g.bodyHeight = 4695;
    SetReportGrid(g, {{"序号", 500},
                      {"影片名称", 3000},
                      {"购买日期", 1000},
                      {"出租次数", 800},
                      {"实收租金", 800},
                      {"所花费用", 800}});
    FillReportGrid();
}

bool frmHotCDInfo::Refill(int) {
    ShowLines("出租最热门的光盘", [] { return HotCDRows::Read(gConn); });
    return true;
}

// 31 data rows a page, and a frame one column wider than the data (A to G).
ReportPages frmHotCDInfo::Pages() const {
    ReportPages pages;
    pages.templateName = "HotCDInfo";
    pages.columns = HotCDRows::kColumns;
    pages.frameColumns = HotCDRows::kColumns + 1;
    pages.N = 36;
    pages.D = 31;
    pages.K = 3;
    pages.columnWidths = {5.75, 28.75, 18.38, 8.38, 14.25, 13.75};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {true, false, false};
    return pages;
}
