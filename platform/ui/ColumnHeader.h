#pragma once
#include <QString>

class ListView;

// One column of a ListView, by its 1-based index (the original platform's numbering;
// column 1 holds the items' text, column k+1 their sub-item k). Widths are in twips; a
// width of 0 hides the column.
class ColumnHeader {
  public:
    ColumnHeader(ListView* view, int index) : view_(view), index_(index) {}
    int Index() const { return index_; }
    QString Key() const;
    QString Text() const;
    void SetText(const QString& text);
    int Width() const;
    void SetWidth(int twips);

  private:
    ListView* view_;
    int index_;
};
