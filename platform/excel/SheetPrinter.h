#pragma once
#include <QString>

#include "platform/excel/PrintOutcome.h"

class QPrinter;
class SheetRenderer;
class Worksheet;

// Sends every print job and preview to PDF files in dir instead of a printer or a
// window (an empty text restores printing). For tests and checks of the printouts.
void SetPrintToPdfDir(const QString& dir);
QString PrintToPdfDir();

// Prints worksheets: to the default printer, or, when jobs go to files or the machine
// has no printer, to a PDF file per job named after the job ("Store-0001.pdf"). A job of
// several sheets, or of one sheet printed several times over, is a PrintJob.
class SheetPrinter {
  public:
    // One print job with every page of the sheet; throws ExcelError when it fails.
    static PrintOutcome PrintOut(const Worksheet& sheet, const QString& jobName);
    // The preview window on the sheet's pages; returns when it is closed. Printing from it
    // to a file the program needs (SaveTarget) writes nothing and throws ExcelError. Without
    // enableChanges the preview has no page setup and no orientation buttons: the pages
    // print as the sheet lays them out.
    static PrintOutcome PrintPreview(const Worksheet& sheet, const QString& jobName,
                                     bool enableChanges = true);

    // The folder that receives the pages when the machine has no printer.
    static QString NoPrinterFolder();
    // The first free "<job>-0001.pdf", "<job>-0002.pdf"... in dir.
    static QString NextPdfPath(const QString& dir, const QString& jobName);
    static bool HasPrinter();
    // The printer takes the sheet's paper and orientation and prints the whole paper (the
    // renderer places the sheet's own margins).
    static void SetUp(QPrinter& printer, const SheetRenderer& renderer, const QString& jobName);
};
