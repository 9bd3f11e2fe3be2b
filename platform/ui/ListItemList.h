#pragma once
#include <QString>

class ListItem;
class ListView;

// The rows of a ListView (its ListItems collection); indexes count from 1.
class ListItemList {
  public:
    explicit ListItemList(ListView* view) : view_(view) {}
    // Adds a row at `index` (1-based; 0 or past the end: at the end).
    ListItem* Add(int index = 0, const QString& key = QString(), const QString& text = QString());
    void Clear();
    int Count() const;
    void Remove(int index);
    ListItem* Item(int index) const;  // nullptr when out of range
    ListItem* Item(const QString& key) const;
    ListItem* operator()(int index) const { return Item(index); }
    ListItem* operator()(const QString& key) const { return Item(key); }

  private:
    ListView* view_;
};
