#pragma once
#include <QString>

// Where a print job went: to a printer, or to a PDF file (path) when print jobs are sent
// to files or the machine has no printer.
struct PrintOutcome {
    int pages = 0;
    bool toFile = false;
    QString path;
    // The file stands in for a printer the machine lacks: it is in
    // SheetPrinter::NoPrinterFolder(), and whoever started the job says where it is.
    bool noPrinter = false;
};
