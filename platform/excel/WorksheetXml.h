#pragma once
#include <QByteArray>

class SharedStrings;
class Worksheet;

// Reading a worksheet part into a Worksheet, and writing it back. Everything the
// program does not model (views, page settings, drawings...) stays as it was read.
// Formulas are not kept: a cell keeps the value its formula last gave.
class WorksheetXml {
  public:
    static void Load(Worksheet& sheet, const QByteArray& xml, SharedStrings& strings);
    // The part as it stands now; references grows by the number of text cells.
    static QByteArray Save(Worksheet& sheet, qint64& references);
};
