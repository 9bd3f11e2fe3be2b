#include "printout/ExcelReport.h"

#include <QDir>
#include <QFileInfo>

#include "core/mdlMain.h"
#include "platform/app/AppPath.h"
#include "platform/app/Clock.h"
#include "platform/excel/CellRef.h"
#include "platform/excel/ExcelError.h"
#include "platform/excel/PrintJob.h"
#include "platform/excel/PrintOutcome.h"
#include "platform/excel/Range.h"
#include "platform/excel/Workbook.h"
#include "platform/excel/Worksheet.h"
#include "platform/ui/ErrorReport.h"
#include "platform/ui/MsgBox.h"

namespace {
// Tells the operator where the pages of a printout that found no printer are: one file,
// in the program's folder for them.
void TellPrintedToFile(const PrintOutcome& job) {
    if (!job.noPrinter || job.pages == 0) return;
    const QFileInfo file(job.path);
    MsgBox(QString("本机没有可用的打印机，打印的%1页已保存为PDF文件：\n%2\n所在文件夹：%3")
               .arg(job.pages)
               .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())),
           vbInformation, QStringLiteral("提示"));
}
}  // namespace

ExcelReport::ExcelReport(QString failure) : failure_(std::move(failure)) {}

ExcelReport::~ExcelReport() {
    Close();
}

QString ExcelReport::TemplatePath(const QString& name) {
    return QDir(AppPath()).filePath(QStringLiteral("support/") + name + QStringLiteral(".xltx"));
}

QString ExcelReport::PrintDate() {
    return PrintDate(Today());
}

QString ExcelReport::PrintDate(const QDate& day) {
    return QString("打印日期：%1年%2月%3日").arg(day.year()).arg(day.month()).arg(day.day());
}

QString ExcelReport::PageFooter(int page) {
    return QString("第%1页").arg(page);
}

bool ExcelReport::IsOpen() const {
    return book_ && book_->IsOpen() && !failed_;
}

void ExcelReport::Fail(const QString& message) {
    const bool first = !failed_;
    failed_ = true;
    if (book_) book_->Close();
    if (first) MsgBox(QString("%1：%2").arg(failure_, message), vbCritical, QStringLiteral("错误"));
    Close();
}

bool ExcelReport::Step(const std::function<void()>& step) {
    if (!IsOpen()) return false;
    try {
        step();
        return true;
    } catch (const ExcelError& e) {
        Fail(e.Message());
    } catch (const std::exception& e) {
        Fail(FailureText(e));
    }
    return false;
}

void ExcelReport::Close() {
    if (book_) book_->Close();
    // The pages printed so far go out as one job; without a printer the operator learns
    // where its file is, once.
    const std::unique_ptr<PrintJob> job = std::move(job_);
    if (!job) return;
    try {
        TellPrintedToFile(job->Finish());
    } catch (const ExcelError& e) {
        if (!std::exchange(failed_, true))
            MsgBox(QString("%1：%2").arg(failure_, e.Message()), vbCritical,
                   QStringLiteral("错误"));
    }
}

bool ExcelReport::OpenTemplate(const QString& name) {
    const QString path = TemplatePath(name);
    if (!QFileInfo::exists(path)) {
        MsgBox(QStringLiteral("丢失") + QDir::toNativeSeparators(path) + QStringLiteral("模板"),
               vbInformation, QStringLiteral("错误"));
        return false;
    }
    Close();
    book_.reset();
    failed_ = false;
    try {
        book_ = Workbook::Open(path);
    } catch (const ExcelError& e) {
        Fail(e.Message());
        return false;
    } catch (const std::exception& e) {
        Fail(QString("无法打开模板%1：%2").arg(QDir::toNativeSeparators(path), FailureText(e)));
        return false;
    }
    return Step([this] {
        output_ = &book_->Worksheets(1);
        frame_ = &book_->Worksheets(2);
    });
}

void ExcelReport::FillPageFrame(const PageFrameSpec& spec) {
    Step([this, &spec] {
        for (size_t c = 0; c < spec.columnWidths.size(); ++c)
            output_->Cells(1, static_cast<int>(c) + 1).SetColumnWidth(spec.columnWidths[c]);
        const int lastColumn = std::max<int>(1, static_cast<int>(spec.columnWidths.size()));
        int row = 1;
        for (double height : spec.rowHeights) {
            output_->Range(CellName(row, 1), CellName(row, lastColumn)).SetRowHeight(height);
            ++row;
        }
        if (spec.restRowHeight > 0 && row <= spec.N)
            output_->Range(CellName(row, 1), CellName(spec.N, lastColumn))
                .SetRowHeight(spec.restRowHeight);
        for (const auto& [ref, value] : spec.frameCells) frame_->Range(ref).SetValue(value);
    });
}

void ExcelReport::PrintPage(int N, int page, PrintReportResult& result) {
    Step([&] {
        output_->Range(CellName(N, 1)).SetValue(PageFooter(page));
        // Every page of the printout goes into the one job (a file, without a printer).
        if (!job_) job_ = std::make_unique<PrintJob>(book_->BaseName());
        job_->Add(*output_);
        result.pages += 1;
    });
}

PrintReportResult ExcelReport::PrintReport(const RowSource& rows, int N, int D, int K,
                                           const QString& lastFrameColumn,
                                           const std::function<bool()>& stop) {
    PrintReportResult result;
    const int lastFrame = ColumnNumber(lastFrameColumn);
    if (!IsOpen() || D < 1 || K < 0 || K + D >= N || lastFrame < 1) {
        if (IsOpen()) Fail(QString("页面参数不正确（%1行一页，%2行数据）").arg(N).arg(D));
        result.failed = true;
        Close();
        return result;
    }
    int i = 1, j = 1, p = 0;
    ReportRow row;
    while (true) {
        row.clear();
        bool more = false;
        Step([&] { more = rows(row); });  // a failing source (a database error) ends it too
        if (failed_ || !more) break;
        // The program stays usable while pages print; closing it ends the printout here.
        DoEvents();
        if (gExiting || (stop && stop())) {
            result.aborted = true;
            break;
        }
        if ((i - 1) % D == 0) {
            if (i != 1) PrintPage(N, p, result);
            Step([&] { frame_->Range("A1", CellName(N, lastFrame)).CopyTo(output_->Range("A1")); });
            ++p;
            j = 1;
        }
        Step([&] {
            for (size_t c = 0; c < row.size(); ++c) {
                ::Range cell = output_->Cells(j + K, static_cast<int>(c) + 1);
                cell.SetValue(row[c].value);
                if (row[c].bold) cell.SetBold(*row[c].bold);
            }
        });
        if (failed_) break;
        ++i;
        ++j;
    }
    // The last page; a printout without rows has none.
    if (!result.aborted && p > 0) PrintPage(N, p, result);
    result.failed = failed_;
    Close();
    return result;
}
