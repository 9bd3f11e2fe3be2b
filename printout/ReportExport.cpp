#include "printout/ReportExport.h"

#include <QDir>
#include <QFileInfo>

#include "platform/app/AppPath.h"
#include "platform/app/SaveTarget.h"
#include "platform/excel/CellRef.h"
#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/ui/MsgBox.h"
#include "platform/ui/SaveFileDialog.h"
#include "printout/ExcelReport.h"
#include "printout/frmProgress.h"

namespace {
const char* const kFilter = "Excel (*.xlsx)";

QString Shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}
}  // namespace

ReportExport::ReportExport(QWidget* window, const ReportPages& pages, const ReportSnapshot& report,
                           const QDateTime& now)
    : window_(window), pages_(pages), report_(report), now_(now) {}

QString ReportExport::DefaultName(const QString& templateName, const QDate& day) {
    const QString name =
        QString("%1%2%3%4.xlsx").arg(templateName).arg(day.year()).arg(day.month()).arg(day.day());
    return QDir(AppPath()).filePath(name);
}

void ReportExport::Run() {
    ExcelReport report(QStringLiteral("导出没有完成"));
    if (!report.OpenTemplate(pages_.templateName)) return;
    frmProgress::instance().Start(window_, static_cast<int>(report_.rows.size()));
    FillPageFrame(report);
    const int pages = OutputReport(report);
    frmProgress::unload();
    SetUpPrinting(report, pages);
    if (report.IsOpen()) SaveReportAs(report);
    report.Close();
}

void ReportExport::FillPageFrame(ExcelReport& report) const {
    PageFrameSpec spec;
    spec.columnWidths = pages_.columnWidths;
    spec.N = pages_.N;
    if (pages_.exportHead.title) spec.frameCells.push_back({"A1", report_.title});
    if (pages_.exportHead.printDate)
        spec.frameCells.push_back({"A2", ExcelReport::PrintDate(now_.date())});
    if (pages_.exportHead.heading) spec.frameCells.push_back({"A3", report_.heading});
    report.FillPageFrame(spec);
}

// A page's block: the breaks after it, the frame pasted, its row heights and its footer.
void ReportExport::StartPage(ExcelReport& report, int pagesBefore) const {
    report.Step([&] {
        Worksheet& out = *report.OutputSheet();
        const int N = pages_.N;
        const int top = pagesBefore * N;
        const int C = pages_.columns;
        if (pages_.pageBreaks) {
            const ::Range anchor = out.Cells(top + N + 1, C + 1);
            out.HPageBreaksAdd(anchor);
            out.VPageBreaksAdd(anchor);
        }
        report.PageFrame()
            ->Range("A1", CellName(N, ColumnNumber(pages_.LastColumn())))
            .CopyTo(out.Cells(top + 1, 1));
        int row = 1;
        for (double height : pages_.headRowHeights) {
            out.Range(CellName(top + row, 1), CellName(top + row, C)).SetRowHeight(height);
            ++row;
        }
        if (pages_.restRowHeight > 0 && row <= N)
            out.Range(CellName(top + row, 1), CellName(top + N, C))
                .SetRowHeight(pages_.restRowHeight);
        out.Cells(top + N, 1).SetValue(ExcelReport::PageFooter(pagesBefore + 1));
    });
}

int ReportExport::OutputReport(ExcelReport& report) const {
    frmProgress& progress = frmProgress::instance();
    int p = 0;  // pages begun
    int r = 1;  // row within the page
    const int rows = static_cast<int>(report_.rows.size());
    // The bar moves in hundredths, not row by row: each step repaints the window at once,
    // which costs more than writing a row (a step of a few pixels on a bar 417 wide).
    const int step = qMax(1, rows / 100);
    for (int i = 1; i <= rows && report.IsOpen(); ++i) {
        if ((i - 1) % pages_.D == 0) {
            StartPage(report, p);
            r = 1;
            ++p;
        }
        const QStringList& cells = report_.rows[static_cast<size_t>(i - 1)];
        const int sheetRow = (p - 1) * pages_.N + r + pages_.K;
        report.Step([&] {
            Worksheet& out = *report.OutputSheet();
            for (int c = 1; c <= pages_.columns && c <= cells.size(); ++c)
                out.Cells(sheetRow, c).SetValue(cells[c - 1]);
        });
        if (i % step == 0 || i == rows) progress.Advance(i);
        ++r;
    }
    return p;
}

// The workbook prints its page blocks as they were laid, one to a sheet of paper: the
// print area is the blocks' data columns (a frame wider than them is left out), and the
// page frame sheet, kept in the workbook, is hidden so that it does not print.
void ReportExport::SetUpPrinting(ExcelReport& report, int pages) const {
    report.Step([&] {
        if (pages > 0)
            report.OutputSheet()->SetPrintArea(
                RangeName({1, 1, pages * pages_.N, pages_.columns}, true));
        report.PageFrame()->SetVisible(false);
    });
}

void ReportExport::SaveReportAs(ExcelReport& report) const {
    QString name = GetSaveFileName(window_, QStringLiteral("导出"), QString::fromUtf8(kFilter),
                                   DefaultName(pages_.templateName, now_.date()));
    if (name.isEmpty()) return;  // Cancel: the workbook is discarded
    if (QFileInfo(name).suffix().isEmpty()) name += QStringLiteral(".xlsx");
    // The database, the settings, the program and its templates are never written over:
    // refused before any question, the workbook discarded.
    const QString refusal = SaveTarget::Refusal(name);
    if (!refusal.isEmpty()) {
        MsgBox(refusal, vbCritical, QStringLiteral("错误"));
        return;
    }
    // Only a file is replaced: a folder of that name is refused by the save below.
    if (QFileInfo(name).isFile() && MsgBox(Shown(name) + QStringLiteral("已存在，替换吗？"),
                                           vbYesNo + vbQuestion, QStringLiteral("错误")) != vbYes)
        return;
    // Written to a temporary file beside the target and renamed over it once complete.
    if (!report.Step([&] { report.Book()->SaveAs(name); })) return;
    if (!QFileInfo::exists(name)) {
        MsgBox(QString("文件%1没有保存下来。").arg(Shown(name)), vbCritical,
               QStringLiteral("错误"));
        return;
    }
    MsgBox(QStringLiteral("请查看") + Shown(name) + QStringLiteral("文件"), vbInformation,
           QStringLiteral("提示"));
}
