#include "platform/excel/PrintJob.h"

#include <QDir>
#include <QFileInfo>
#include <QPainter>
#include <QPrinter>

#include "platform/app/FailureKind.h"
#include "platform/excel/ExcelError.h"
#include "platform/excel/SheetPrinter.h"
#include "platform/excel/SheetRenderer.h"

PrintJob::PrintJob(QString name) : name_(std::move(name)) {}

PrintJob::~PrintJob() {
    try {
        Finish();
    } catch (...) {  // nothing more can be told from here
    }
}

// The printer of the job: the default one, or a PDF file where jobs go to files or the
// machine has none.
void PrintJob::Open() {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QString folder = PrintToPdfDir();
    if (folder.isEmpty() && !SheetPrinter::HasPrinter()) {
        folder = SheetPrinter::NoPrinterFolder();
        outcome_.noPrinter = true;
    }
    if (!folder.isEmpty()) {
        if (!QDir().mkpath(folder))
            throw ExcelError(QString("无法建立文件夹 %1").arg(QDir::toNativeSeparators(folder)));
        outcome_.toFile = true;
        outcome_.path = SheetPrinter::NextPdfPath(folder, name_);
        printer_->setOutputFormat(QPrinter::PdfFormat);
        printer_->setOutputFileName(outcome_.path);
    }
}

void PrintJob::Add(const Worksheet& sheet) {
    if (finished_) throw ExcelError(QStringLiteral("打印任务已经结束"));
    SheetRenderer renderer(sheet);
    if (renderer.Pages().empty()) return;
    const bool first = !painter_;
    if (first) {
        Open();
        SheetPrinter::SetUp(*printer_, renderer, name_);
        painter_ = std::make_unique<QPainter>();
        if (!painter_->begin(printer_.get())) {
            painter_.reset();
            throw ExcelError(
                outcome_.toFile
                    ? WriteFailure(QStringLiteral("文件"), outcome_.path, QFileDevice::NoError)
                    : QString("无法在打印机“%1”上打印，请检查打印机是否已连接并开启")
                          .arg(printer_->printerName()));
        }
    }
    for (size_t i = 0; i < renderer.Pages().size(); ++i) {
        if (!first || i > 0) {
            // A sheet of another paper or orientation starts on its own kind of page.
            if (i == 0) printer_->setPageLayout(renderer.PageLayout());
            if (!printer_->newPage()) throw ExcelError(QStringLiteral("打印机没有接受新的一页"));
        }
        renderer.PaintPage(*painter_, renderer.Pages()[i], printer_->resolution());
        ++outcome_.pages;
    }
}

PrintOutcome PrintJob::Finish() {
    if (finished_) return outcome_;
    finished_ = true;
    if (painter_ && !painter_->end() && outcome_.toFile)
        throw ExcelError(WriteFailure(QStringLiteral("文件"), outcome_.path, QFileDevice::NoError));
    painter_.reset();
    printer_.reset();
    if (outcome_.pages == 0) return PrintOutcome{};
    return outcome_;
}
