#pragma once
#include "platform/db/Recordset.h"

class DataGrid;

// The rows of a DataGrid the operator (or code) selected, as bookmarks of its recordset
// (the grid's SelBookmarks), in row order. The operator selects rows with the record
// selectors at the left of the grid (Ctrl adds a row); clicking a cell only moves the
// current row.
class SelBookmarkList {
  public:
    explicit SelBookmarkList(DataGrid* grid) : grid_(grid) {}
    int Count() const;
    Bookmark Item(int index) const;  // 0-based; 0 when out of range
    Bookmark operator()(int index) const { return Item(index); }
    void Add(Bookmark bookmark);
    void Remove(int index);
    void Clear();

  private:
    DataGrid* grid_;
};
