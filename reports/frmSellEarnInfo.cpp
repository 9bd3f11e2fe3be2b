#include "reports/frmSellEarnInfo.h"

#include <QComboBox>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "reports/RecentPeriod.h"
#include "reports/SellEarnRows.h"

namespace {
const char* const kTitles[] = {"今天的光盘出售情况", "昨天的光盘出售情况", "前天的光盘出售情况",
                               "本周的光盘出售情况"};
}  // namespace

frmSellEarnInfo::frmSellEarnInfo()
    : FormOf<frmSellEarnInfo, ListingWindow>(
          ReportDesign{"frmSellEarnInfo",
                       "本店光盘出售情况",
                       "MSHFlexGrid1",
                       "MSHFlexGrid2",
                       {"显示今天的光盘出售情况", "显示昨天的光盘出售情况",
                        "显示前天的光盘出售情况", "显示本周的光盘出售情况"}},
          {flexAlignLeftCenter, flexAlignLeftCenter, flexAlignLeftCenter, flexAlignRightCenter,
           flexAlignLeftCenter}) {}

void frmSellEarnInfo::Form_Load() {
    ReportGeometry g;
    g.controlsTop = 780;
    g.comboWidth = 2955;
    g.outputLeft = 3360;
    g.printLeft = 4500;
    g.headerTop = 1140;
    g.headerWidth = 8400;
    g.windowWidth = 9350;
    g.bodyTop = 1680;
    SetReportGrid(g, {{"影片名称", 3000},
                      {"用户类型", 1000},
                      {"出售人姓名", 1200},
                      {"收入", 800},
                      {"售出时间", 2000}});
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

bool frmSellEarnInfo::Refill(int period) {
    const RecentPeriod days = RecentPeriod::Of(period, Now());
    ShowLines(kTitles[days.index], [&days] { return SellEarnRows::Read(gConn, days); });
    return true;
}

ReportPages frmSellEarnInfo::Pages() const {
    ReportPages pages;
    pages.templateName = "SellEarnInfo";
    pages.columns = SellEarnRows::kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {34.63, 8.38, 10.25, 13.63, 22.63};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {true, false, false};
    return pages;
}
