#pragma once
#include <QString>

#include "platform/ui/ColumnHeader.h"

// The columns of a ListView (its ColumnHeaders collection).
class ColumnHeaderList {
  public:
    explicit ColumnHeaderList(ListView* view) : view_(view) {}
    // Adds a column at the end; widthTwips < 0 keeps the default width (1440 twips).
    ColumnHeader Add(const QString& key, const QString& text, int widthTwips = -1);
    void Clear();
    int Count() const;
    ColumnHeader Item(int index) const;  // 1-based
    ColumnHeader Item(const QString& key) const;
    ColumnHeader operator()(int index) const { return Item(index); }
    ColumnHeader operator()(const QString& key) const { return Item(key); }

  private:
    ListView* view_;
};
