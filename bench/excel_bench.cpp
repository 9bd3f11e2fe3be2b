// Speed of the workbook layer: exporting a 10,000-row, 6-column report into a saved
// workbook (goal: under 1 s), and printing 20 pages of the stock list to PDF files
// (goal: under 2 s).
#include <benchmark/benchmark.h>

#include "bench/BenchMain.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/excel/CellRef.h"
#include "platform/excel/Range.h"
#include "platform/excel/SheetPrinter.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "printout/ExcelReport.h"
#include "tests/printout/StockSample.h"

namespace {
const QString kSupport = QStringLiteral(LUMTRAK_SOURCE_DIR "/support");

// The returns income report's export: 36-row pages of 32 rows, frame A1:F36, a page
// break before each next page, row heights per page, the footer when a page begins.
void ExportRows(const QString& target, int rowCount) {
    auto book = Workbook::Open(kSupport + "/EarnReport.xltx");
    Worksheet& out = book->Worksheets(1);
    Worksheet& frame = book->Worksheets(2);
    const double widths[] = {26.63, 8.13, 7.5, 9.13, 19, 19};
    for (int c = 0; c < 6; ++c) out.Cells(1, c + 1).SetColumnWidth(widths[c]);
    frame.Range("A1").SetValue("本店今天的光盘归还情况");
    int p = 0, r = 1;
    for (int i = 1; i <= rowCount; ++i, ++r) {
        if ((i - 1) % 32 == 0) {
            out.HPageBreaksAdd(out.Cells((p + 1) * 36 + 1, 7));
            out.VPageBreaksAdd(out.Cells((p + 1) * 36 + 1, 7));
            frame.Range("A1", "F36").CopyTo(out.Range(CellName(p * 36 + 1, 1)));
            out.Range(CellName(p * 36 + 1, 1), CellName(p * 36 + 1, 6)).SetRowHeight(33);
            out.Range(CellName(p * 36 + 2, 1), CellName(p * 36 + 2, 6)).SetRowHeight(20);
            out.Range(CellName(p * 36 + 3, 1), CellName(p * 36 + 3, 6)).SetRowHeight(33);
            out.Range(CellName(p * 36 + 4, 1), CellName(p * 36 + 36, 6)).SetRowHeight(22);
            r = 1;
            ++p;
            out.Range(CellName(p * 36, 1)).SetValue(QString("第%1页").arg(p));
        }
        const int row = (p - 1) * 36 + r + 3;
        out.Cells(row, 1).SetValue(QString("影片名称%1").arg(i));
        out.Cells(row, 2).SetValue(i % 3 ? "会员" : "零租用户");
        out.Cells(row, 3).SetValue(QString("客户%1").arg(i % 500));
        out.Cells(row, 4).SetValue(QString("￥%1.00").arg(i % 97));
        out.Cells(row, 5).SetValue(QString("%1:%2").arg(i % 24).arg(i % 60));
        out.Cells(row, 6).SetValue(QString("2024-03-05 %1:%2:00").arg(i % 24).arg(i % 60));
    }
    book->SaveAs(target);
}

void BM_ExportTenThousandRows(benchmark::State& state) {
    QTemporaryDir dir;
    const QString target = QDir(dir.path()).filePath("EarnReport.xlsx");
    for (auto _ : state) ExportRows(target, 10000);
    state.counters["bytes"] = static_cast<double>(QFileInfo(target).size());
}
BENCHMARK(BM_ExportTenThousandRows)->Unit(benchmark::kMillisecond)->Iterations(5);

// The stock list through ExcelReport: 420 rows of 12 columns, 20 pages, 20 print jobs.
void BM_PrintTwentyPages(benchmark::State& state) {
    QTemporaryDir dir;
    SetAppPath(dir.path());
    QDir().mkpath(dir.path() + "/support");
    QFile::copy(kSupport + "/Store.xltx", dir.path() + "/support/Store.xltx");
    int pages = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString pdfDir = QDir(dir.path()).filePath(QString("pdf%1").arg(pages));
        SetPrintToPdfDir(pdfDir);
        state.ResumeTiming();
        ExcelReport report;
        report.OpenTemplate("Store");
        report.FillPageFrame(stock_sample::Frame(420));
        pages = report
                    .PrintReport(stock_sample::Titles(420), stock_sample::N, stock_sample::D,
                                 stock_sample::K, "M")
                    .pages;
    }
    state.counters["pages"] = pages;
    SetPrintToPdfDir(QString());
    SetAppPath(QString());
}
BENCHMARK(BM_PrintTwentyPages)->Unit(benchmark::kMillisecond)->Iterations(3);
}  // namespace

int main(int argc, char** argv) {
    return RunBenchmarks(argc, argv);
}
