#pragma once
#include <QString>
#include <QStringList>
#include <vector>

#include "platform/ui/Form.h"
#include "printout/ReportPages.h"
#include "printout/ReportSnapshot.h"

class FlexGrid;
class Label;
class QComboBox;
class QPushButton;

// What sets one report window apart from the others, fixed at construction.
struct ReportDesign {
    QString name;     // the window's objectName: "frmBuyReport"
    QString caption;  // "显示光盘购买情况"
    QString headerGrid = QStringLiteral("MSHFlexGrid1");
    QString bodyGrid = QStringLiteral("MSHFlexGrid2");
    QStringList periods;  // the entries of Combo1; none: the window has no period box
};

// A heading of the header grid and the width (twips) its column has in both grids.
struct ReportColumn {
    QString heading;
    int width = 0;
};

// The places of a report window's controls, in twips (SetReportGrid).
struct ReportGeometry {
    int left = 400;      // both grids
    int titleLeft = -1;  // -1: as the grids
    int titleTop = 240;
    int titleHeight = 435;
    int controlsTop = 720;  // Combo1, CmdOutput, CmdPrint
    int comboLeft = 360;
    int comboWidth = 2355;
    int outputLeft = 2760;
    int printLeft = 3900;
    int headerTop = 1080;
    int headerRowHeight = 600;
    int headingRows = 1;  // the header grid shows exactly these rows
    int stubWidth = 200;  // column 0 of both grids
    int headerWidth = 0;  // 0: the columns' widths plus 200
    int windowWidth = 0;  // 0: the header grid's width plus 900
    int bodyTop = 1620;   // as designed, before the body moves up under the header
    int bodyHeight = 5595;
};

// The frame every report window shares: a title line, a period box with an export and a
// print button, and a header grid over a body grid. A window gives its design, lays itself
// out with SetReportGrid, fills its body in Refill and names its page layout in Pages;
// the frame runs the refill, the export and the print:
//
// - A refill disables Combo1, CmdOutput and CmdPrint and enables them again at its end;
//   a failing query is told once ("错误", the database's text) and leaves the body empty.
// - An export or a print works on a snapshot of the title, the heading and the body's
//   texts taken when it starts; while it runs the same three controls are disabled, so
//   nothing can refill or restart it, and they come back when it ends. Closing the window
//   stops a print at its next row (nothing more printed, nothing saved).
// - Closing the window shows the main window again.
class ReportWindow : public Form {
    Q_OBJECT
  public:
    explicit ReportWindow(const ReportDesign& design);
    ~ReportWindow() override;

    void Form_Unload(int& Cancel) override;
    void Combo1_Click();
    void CmdOutput_Click();
    void CmdPrint_Click();

    // The window's refill for the period (Combo1's index, 0 without a period box): writes
    // the body grid and the title, raising DbError when a query fails. Returns false when
    // it stopped because the window closed or the program is ending while it yielded.
    virtual bool Refill(int period) = 0;
    // The window's template and page layout for the export and the print.
    virtual ReportPages Pages() const = 0;

    FlexGrid* HeaderGrid() const { return header_; }
    FlexGrid* BodyGrid() const { return body_; }
    int Period() const;
    // An export or a print of this window is running.
    bool Running() const { return running_; }
    bool Refilling() const { return refilling_; }
    ReportSnapshot Snapshot() const;

    Label* LblTitle;
    QComboBox* Combo1 = nullptr;
    QPushButton* CmdOutput;
    QPushButton* CmdPrint;

  protected:
    // The layout step of Form_Load: headings, widths and sizes of both grids, the title
    // over them and the window around them.
    void SetReportGrid(const ReportGeometry& geometry, const std::vector<ReportColumn>& columns);
    // The refill step: runs Refill for the period box's entry with the controls disabled.
    void FillReportGrid();
    // The body emptied and laid out under the header with the header's column widths.
    void ResetBody(int rows);
    void WriteCell(int row, int col, const QString& text, int alignment);
    void SetTitle(const QString& reportTitle);
    // Lets the event loop run once inside a refill; false when the refill must stop.
    bool YieldRefill();
    // Runs once a refill, an export or a print of the window has ended, its controls
    // enabled again: what the window held back meanwhile can be done now.
    virtual void ActionsEnded() {}

  private:
    void SetActionsEnabled(bool enabled);
    void FitColumns();
    void ReachOverScrollBar();
    int TextWidthTwips(int row, int col) const;
    bool BeginRun();
    void EndRun();

    FlexGrid* header_;
    FlexGrid* body_;
    // The widths (twips) the window's design gives its columns, its header grid and itself;
    // a refill widens a column whose texts need more, and the grids and window with it.
    std::vector<int> designWidths_;
    int designHeaderWidth_ = 0;
    int designWindowWidth_ = 0;
    bool widthSet_ = false;  // the first fill since loading has set the window's width
    bool refilling_ = false;
    bool running_ = false;
};
