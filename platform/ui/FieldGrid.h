#pragma once
#include <QString>

class QGridLayout;
class QLabel;
class QWidget;
class Label;

// A label that shows a value in a detail panel, named as the code refers to it.
Label* ValueLabel(const QString& name);

// Lays out caption/control pairs in rows of a grid, a given number of pairs per row,
// as the windows' entry frames and detail panels show them.
class FieldGrid {
  public:
    FieldGrid(QGridLayout* grid, int pairsPerRow);
    // Adds "caption" and its control in the next place; span counts pairs. Returns the
    // caption label (named when captionName is given, for the labels the code changes),
    // whose buddy is the control it names.
    QLabel* Add(const QString& caption, QWidget* control, int span = 1,
                const QString& captionName = QString());
    // Starts a new row even if the current one is not full.
    void NewRow();
    // A control across the whole width of the grid, on a row of its own.
    void AddWide(QWidget* control);
    int Row() const { return row_; }

  private:
    QGridLayout* grid_;
    int pairsPerRow_;
    int row_ = 0;
    int pair_ = 0;
};
