#pragma once
// A report window on the shared frame for the frame's own tests: the titles of the shop
// in the purchase report's template, and a second period whose query fails.
#include <QComboBox>
#include <QStringList>
#include <functional>

#include "core/mdlMain.h"
#include "platform/db/Recordset.h"
#include "platform/ui/FlexGrid.h"
#include "platform/ui/FormOf.h"
#include "printout/ReportWindow.h"

class frmSampleReport : public FormOf<frmSampleReport, ReportWindow> {
    Q_OBJECT
    friend class FormOf<frmSampleReport, ReportWindow>;

  public:
    void Form_Load() override {
        SetReportGrid(ReportGeometry{}, {{"影片名称", 3000},
                                         {"购买日期", 1300},
                                         {"所花费用", 800},
                                         {"数量", 800},
                                         {"光盘格式", 800}});
        Combo1->setCurrentIndex(0);
        Combo1_Click();
    }

    bool Refill(int period) override {
        Recordset titles;
        titles.Open(period == 0 ? "select name, buydate, price, count, type from cdinfo "
                                  "order by name"
                                : "select * from nosuchtable",
                    gConn, adLockReadOnly);
        ResetBody(titles.RecordCount() + 1);
        int row = 0;
        for (; !titles.AtEOF(); titles.MoveNext(), ++row) {
            if (onRow && !onRow(row)) return false;
            for (int c = 0; c < 5; ++c)
                WriteCell(row, c + 1, NullToStr(titles.GetValue(c)), flexAlignLeftCenter);
        }
        WriteCell(row, 1, "合计", flexAlignLeftCenter);
        SetTitle(period == 0 ? "全部光盘" : "无");
        return true;
    }

    ReportPages Pages() const override {
        ReportPages pages;
        pages.templateName = "BuyReport";
        pages.columns = 5;
        pages.N = 36;
        pages.D = 32;
        pages.K = 3;
        pages.columnWidths = {31, 20.13, 14.88, 15.13, 8.75};
        pages.headRowHeights = {33, 20, 33};
        pages.restRowHeight = 22;
        pages.exportHead = {true, false, true};
        pages.printHead = {true, true, true};
        return pages;
    }

    // Called before each body row is written; false stops the refill (a yield that found
    // the window closed).
    std::function<bool(int)> onRow;
    using ReportWindow::YieldRefill;

  private:
    frmSampleReport()
        : FormOf<frmSampleReport, ReportWindow>(ReportDesign{
              "frmSampleReport", "样本报表", "MSHFlexGrid1", "MSHFlexGrid2", {"全部", "坏的"}}) {}
};
