#include "reports/frmBorrowReport.h"

#include <QComboBox>

#include "core/mdlMain.h"
#include "platform/app/Clock.h"
#include "platform/ui/FlexGrid.h"
#include "reports/BorrowReportRows.h"
#include "reports/RecentPeriod.h"

namespace {
const char* const kTitles[] = {"今天的出租情况", "昨天的出租情况", "前天的出租情况",
                               "本周的出租情况"};
}  // namespace

frmBorrowReport::frmBorrowReport()
    : FormOf<frmBorrowReport, ListingWindow>(
          ReportDesign{"frmBorrowReport",
                       "出租情况",
                       "MSHFlexGrid1",
                       "MSHFlexGrid2",
                       {"显示今天的出租情况", "显示昨天的出租情况", "显示前天的出租情况",
                        "显示本周的出租情况"}},
          {flexAlignLeftCenter, flexAlignLeftCenter, flexAlignLeftCenter, flexAlignRightCenter,
           flexAlignRightCenter, flexAlignLeftCenter}) {}

void frmBorrowReport::Form_Load() {
    ReportGeometry g;
    g.comboLeft = 420;
    g.comboWidth = 2115;
    g.outputLeft = 2580;
    g.printLeft = 3720;
    g.headerWidth = 9400;
    g.windowWidth = 10000;
    SetReportGrid(g, {{"影片名称", 3000},
                      {"用户类型", 1000},
                      {"出租人姓名", 1200},
                      {"已付租金", 800},
                      {"押金", 800},
                      {"出租时间", 2000}});
    Combo1->setCurrentIndex(0);
    Combo1_Click();
}

bool frmBorrowReport::Refill(int period) {
    const RecentPeriod days = RecentPeriod::Of(period, Now());
    ShowLines(kTitles[days.index], [&days] { return BorrowReportRows::Read(gConn, days); });
    return true;
}

// No page breaks in the export: where its printed pages break is the template's.
ReportPages frmBorrowReport::Pages() const {
    ReportPages pages;
    pages.templateName = "BorrowReport";
    pages.columns = BorrowReportRows::kColumns;
    pages.N = 36;
    pages.D = 32;
    pages.K = 3;
    pages.columnWidths = {27.38, 11.25, 10.25, 11.5, 12.88, 16};
    pages.headRowHeights = {33, 20, 33};
    pages.restRowHeight = 22;
    pages.exportHead = {true, false, false};
    pages.printHead = {true, true, false};
    pages.pageBreaks = false;
    return pages;
}
