#include "reports/frmSellHotCDInfo.h"

#include "core/mdlMain.h"
#include "platform/ui/FlexGrid.h"
#include "reports/SellHotCDRows.h"

frmSellHotCDInfo::frmSellHotCDInfo()
    : FormOf<frmSellHotCDInfo, ListingWindow>(
          ReportDesign{
              "frmSellHotCDInfo", "显示出售最热门的光盘", "MSHFlexGrid1", "MSHFlexGrid2", {}},
          {flexAlignCenterCenter, flexAlignLeftCenter, flexAlignRightCenter, flexAlignRightCenter,
           flexAlignLeftCenter}) {}

void frmSellHotCDInfo::Form_Load() {
    ReportGeometry g;
    // The frame centres the title in its box: the box starts higher than the design's
    // label, so that the text stands where the design has it, clear of the buttons.
    g.titleTop = 180;
    g.controlsTop = 660;
    g.outputLeft = 360;
    g.printLeft = 1500;
    g.headerTop = 1020;
    g.headerWidth = 6500;
    g.windowWidth = 7300;
    g.bodyTop = 1500;
    g.bodyHeight = 4695;
    SetReportGrid(g, {{"序号", 500},
                      {"影片名称", 3000},
                      {"购买日期", 1000},
                      {"出售价格", 800},
                      {"所花费用", 800}});
    FillReportGrid();
}

bool frmSellHotCDInfo::Refill(int) {
    ShowLines("出售最热门的光盘", [] { return SellHotCDRows::Read(gConn); });
    return true;
}

ReportPages frmSellHotCDInfo::Pages() const {
    ReportPages pages;
    pages.templateName = "SellHotCDInfo";
    pages.columns = SellHotCDRows::kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {5.75, 30.38, 20.5, 15.25, 17.63};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {true, false, false};
    return pages;
}
