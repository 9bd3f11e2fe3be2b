#pragma once
#include <QString>

#include "platform/db/Value.h"

class DataGrid;

enum DataGridAlignment { dbgLeft = 0, dbgRight = 1, dbgCenter = 2, dbgGeneral = 3 };

// One column of a DataGrid by its 0-based index (the Columns(i) of the windows). Widths
// are in twips. Text() is the current row's field as the column shows it (through its
// NumberFormat); SetText() and SetValue() write the current row's field, as code writes
// a grid column (raising DbError when the field cannot take it; no grid event is raised).
class DataGridColumn {
  public:
    DataGridColumn(DataGrid* grid, int index) : grid_(grid), index_(index) {}
    int ColIndex() const { return index_; }

    QString Caption() const;
    void SetCaption(const QString& caption);
    QString DataField() const;
    void SetDataField(const QString& field);
    int Width() const;
    void SetWidth(int twips);
    void SetVisible(bool visible);
    bool Locked() const;
    void SetLocked(bool locked);
    QString NumberFormat() const;
    // An amount column shows a Null field as 0 in its NumberFormat, as every Null amount
    // counts; other columns show Null as empty.
    void SetNullAsZero(bool zero);
    int Alignment() const;

    QString Text() const;
    void SetText(const QString& text);
    Value GetValue() const;
    void SetValue(const Value& value);

  private:
    DataGrid* grid_;
    int index_;
};
