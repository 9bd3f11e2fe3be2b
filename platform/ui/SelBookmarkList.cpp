#include "platform/ui/SelBookmarkList.h"

#include <algorithm>

#include "platform/ui/DataGrid.h"

namespace {
std::vector<int> SelectedRows(const DataGrid* grid) {
    std::vector<int> rows;
    for (const QModelIndex& index : grid->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}
}  // namespace

int SelBookmarkList::Count() const {
    return static_cast<int>(SelectedRows(grid_).size());
}

Bookmark SelBookmarkList::Item(int index) const {
    const std::vector<int> rows = SelectedRows(grid_);
    Recordset* rs = grid_->DataSource();
    if (!rs || index < 0 || index >= static_cast<int>(rows.size())) return 0;
    return rs->BookmarkAt(rows[static_cast<size_t>(index)] + 1);
}

void SelBookmarkList::Add(Bookmark bookmark) {
    Recordset* rs = grid_->DataSource();
    const int position = rs ? rs->PositionOf(bookmark) : 0;
    if (position <= 0) return;
    grid_->selectionModel()->select(grid_->model()->index(position - 1, 0),
                                    QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void SelBookmarkList::Remove(int index) {
    const std::vector<int> rows = SelectedRows(grid_);
    if (index < 0 || index >= static_cast<int>(rows.size())) return;
    grid_->selectionModel()->select(grid_->model()->index(rows[static_cast<size_t>(index)], 0),
                                    QItemSelectionModel::Deselect | QItemSelectionModel::Rows);
}

void SelBookmarkList::Clear() {
    grid_->selectionModel()->clearSelection();
}
