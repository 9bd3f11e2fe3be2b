#include "platform/excel/SheetPrinter.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPrinterInfo>

#include "platform/app/AppPath.h"
#include "platform/app/SaveTarget.h"
#include "platform/excel/ExcelError.h"
#include "platform/excel/PrintJob.h"
#include "platform/excel/SheetRenderer.h"
#include "platform/excel/Worksheet.h"

namespace {
QString& PdfDir() {
    static QString dir;
    return dir;
}

// The preview's page setup and orientation buttons, known by their texts as Qt gives
// them (in the language it speaks).
void ForbidPageChanges(QPrintPreviewDialog& dialog) {
    const QStringList changes{QCoreApplication::translate("QPrintPreviewDialog", "Page setup"),
                              QCoreApplication::translate("QPrintPreviewDialog", "Portrait"),
                              QCoreApplication::translate("QPrintPreviewDialog", "Landscape")};
    for (QAction* action : dialog.findChildren<QAction*>()) {
        if (changes.contains(action->text())) {
            action->setVisible(false);
            action->setEnabled(false);
        }
    }
}
}  // namespace

void SetPrintToPdfDir(const QString& dir) {
    PdfDir() = dir;
}

QString PrintToPdfDir() {
    return PdfDir();
}

QString SheetPrinter::NoPrinterFolder() {
    return QDir(AppPath()).filePath("printouts");
}

bool SheetPrinter::HasPrinter() {
    return !QPrinterInfo::availablePrinters().isEmpty();
}

void SheetPrinter::SetUp(QPrinter& printer, const SheetRenderer& renderer, const QString& jobName) {
    const QPageLayout layout = renderer.PageLayout();
    printer.setDocName(jobName);
    printer.setFullPage(true);
    printer.setPageSize(layout.pageSize());
    printer.setPageOrientation(layout.orientation());
}

QString SheetPrinter::NextPdfPath(const QString& dir, const QString& jobName) {
    const QString base = jobName.isEmpty() ? QStringLiteral("print") : jobName;
    for (int n = 1;; ++n) {
        const QString path =
            QDir(dir).filePath(QString("%1-%2.pdf").arg(base).arg(n, 4, 10, QChar('0')));
        if (!QFileInfo::exists(path)) return path;
    }
}

PrintOutcome SheetPrinter::PrintOut(const Worksheet& sheet, const QString& jobName) {
    PrintJob job(jobName);
    job.Add(sheet);
    return job.Finish();
}

PrintOutcome SheetPrinter::PrintPreview(const Worksheet& sheet, const QString& jobName,
                                        bool enableChanges) {
    SheetRenderer renderer(sheet);
    if (!PrintToPdfDir().isEmpty()) {
        PrintJob job(jobName + "-preview");
        job.Add(sheet);
        return job.Finish();
    }
    QPrinter printer(QPrinter::HighResolution);
    if (!HasPrinter()) {
        // Printing from the preview then writes a PDF file, in the folder the operator is told of.
        printer.setOutputFormat(QPrinter::PdfFormat);
        QDir().mkpath(NoPrinterFolder());
        printer.setOutputFileName(NextPdfPath(NoPrinterFolder(), jobName));
    }
    SetUp(printer, renderer, jobName);
    QPrintPreviewDialog dialog(&printer);
    dialog.setWindowTitle(QStringLiteral("打印预览"));
    if (!enableChanges) ForbidPageChanges(dialog);
    // Printing from the preview may go to a file the operator names in the print dialog:
    // a file the program needs is refused there, with nothing written.
    QString refusal;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* target) {
        const QString file = target->outputFileName();
        const QString refused = file.isEmpty() ? QString() : SaveTarget::Refusal(file);
        if (refused.isEmpty()) {
            renderer.Print(*target);
        } else {
            refusal = refused;
        }
    });
    dialog.exec();
    if (!refusal.isEmpty()) throw ExcelError(refusal);
    return PrintOutcome{static_cast<int>(renderer.Pages().size()), false, {}};
}
