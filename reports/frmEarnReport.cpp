#include "reports/frmEarnReport.h"

#include <QComboBox>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "reports/EarnReportRows.h"
#include "reports/RecentPeriod.h"

namespace {
const char* const kTitles[] = {"今天的光盘归还情况", "昨天的光盘归还情况", "前天的光盘归还情况",
                               "本周的光盘归还情况"};
}  // namespace

frmEarnReport::frmEarnReport()
    : FormOf<frmEarnReport, ListingWindow>(
          ReportDesign{"frmEarnReport",
                       "本店光盘归还情况",
                       "MSHFlexGrid1",
                       "MSHFlexGrid2",
                       {"显示今天的光盘归还情况", "显示昨天的光盘归还情况",
                        "显示前天的光盘归还情况", "显示本周的光盘归还情况"}},
          {flexAlignLeftCenter, flexAlignLeftCenter, flexAlignLeftCenter, flexAlignRightCenter,
           flexAlignLeftCenter, flexAlignLeftCenter}) {}

void frmEarnReport::Form_Load() {
    ReportGeometry g;
    g.controlsTop = 780;
    g.comboWidth = 2955;
    g.outputLeft = 3360;
    g.printLeft = 4500;
    g.headerTop = 1140;
    g.headerWidth = 10400;
    g.windowWidth = 11150;
    g.bodyTop = 1680;
    SetReportGrid(g, {{"影片名称", 3000},
                      {"用户类型", 1000},
                      {"出租人姓名", 1200},
                      {"收入", 800},
                      {"归还时间", 2000},
                      {"出租时间", 2000}});
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

bool frmEarnReport::Refill(int period) {
    const RecentPeriod days = RecentPeriod::Of(period, Now());
    ShowLines(kTitles[days.index], [&days] { return EarnReportRows::Read(gConn, days); });
    return true;
}

ReportPages frmEarnReport::Pages() const {
    ReportPages pages;
    pages.templateName = "EarnReport";
    pages.columns = EarnReportRows::kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {26.63, 8.13, 7.5, 9.13, 19, 19};
    pages.printColumnWidths = {26.13, 8.13, 7.5, 9.13, 19, 19};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {true, true, false};
    return pages;
}
