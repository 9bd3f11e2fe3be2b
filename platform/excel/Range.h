#pragma once
#include <QString>
#include <QVariant>

#include "platform/excel/CellRef.h"

class Worksheet;

// A rectangle of cells on a worksheet, as the program addresses it: what is written to
// a range goes to each of its cells; what is read comes from its top-left cell.
class Range {
  public:
    Range(Worksheet& sheet, const CellRect& rect) : sheet_(&sheet), rect_(rect) {}

    Worksheet& Sheet() const { return *sheet_; }
    int Row() const { return rect_.row1; }
    int Column() const { return rect_.col1; }
    QString Address() const { return RangeName(rect_); }

    // A text, a number, a date (QDate) or a date and time (QDateTime); an empty
    // QVariant clears the values. Formats stay; a date gets a date format unless the
    // cell already shows dates.
    void SetValue(const QVariant& value);
    void SetValue(const QString& text) { SetValue(QVariant(text)); }
    void SetValue(const char* text) { SetValue(QVariant(QString::fromUtf8(text))); }
    void SetValue(double number) { SetValue(QVariant(number)); }
    void ClearContents() { SetValue(QVariant()); }

    // The top-left cell's value: QString, double, bool, QDate or QDateTime (numbers in
    // a date format), or an empty QVariant.
    QVariant Value() const;
    // The top-left cell's value as its format shows it.
    QString Text() const;

    void SetBold(bool bold);
    bool Bold() const;

    // Width of the range's columns in characters of the standard font.
    void SetColumnWidth(double characters);
    double ColumnWidth() const;  // of the first column
    // Height of the range's rows in points.
    void SetRowHeight(double points);
    double RowHeight() const;  // of the first row

    // Copies the cells of this range (values, formats and the merges inside it) onto
    // the sheet of destination, from its top-left cell on; everything that stood in the
    // covered cells before is replaced. Column widths and row heights are not copied.
    void CopyTo(const Range& destination) const;

    // Merges the range into one cell; whether the top-left cell is part of a merge.
    void Merge();
    bool MergeCells() const;

  private:
    Worksheet* sheet_;
    CellRect rect_;
};
