#pragma once
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/excel/Cell.h"

// The cells of one row by column number, in column order. A row holds a few cells, written
// mostly left to right (an export lays hundreds of thousands of them), so they sit side by
// side in one block rather than a node each; the interface is that of the ordered map it
// stands for. Inserting a cell moves the row's later cells: a reference to a cell holds
// until the next insertion into its row.
class CellRow {
  public:
    using value_type = std::pair<int, Cell>;
    using iterator = std::vector<value_type>::iterator;
    using const_iterator = std::vector<value_type>::const_iterator;

    iterator begin() { return cells_.begin(); }
    iterator end() { return cells_.end(); }
    const_iterator begin() const { return cells_.begin(); }
    const_iterator end() const { return cells_.end(); }
    bool empty() const { return cells_.empty(); }
    std::size_t size() const { return cells_.size(); }
    void reserve(std::size_t cells) { cells_.reserve(cells); }

    iterator lower_bound(int column) {
        return std::lower_bound(cells_.begin(), cells_.end(), column, Before);
    }
    const_iterator lower_bound(int column) const {
        return std::lower_bound(cells_.begin(), cells_.end(), column, Before);
    }
    iterator upper_bound(int column) {
        return std::upper_bound(cells_.begin(), cells_.end(), column, After);
    }
    const_iterator upper_bound(int column) const {
        return std::upper_bound(cells_.begin(), cells_.end(), column, After);
    }
    const_iterator find(int column) const {
        const auto it = lower_bound(column);
        return it != cells_.end() && it->first == column ? it : cells_.end();
    }

    // The cell of that column, an empty one made when there is none.
    Cell& operator[](int column) {
        if (cells_.empty() || cells_.back().first < column)
            return cells_.emplace_back(column, Cell{}).second;
        const auto it = lower_bound(column);
        if (it != cells_.end() && it->first == column) return it->second;
        return cells_.emplace(it, column, Cell{})->second;
    }
    // Adds the cell unless the column has one already (as a map's emplace does); a cell
    // past the last is appended without a search.
    iterator emplace_hint(const_iterator /*hint*/, int column, const Cell& cell) {
        if (cells_.empty() || cells_.back().first < column) {
            cells_.emplace_back(column, cell);
            return cells_.end() - 1;
        }
        const auto it = lower_bound(column);
        if (it != cells_.end() && it->first == column) return it;
        return cells_.emplace(it, column, cell);
    }
    iterator erase(const_iterator first, const_iterator last) { return cells_.erase(first, last); }

  private:
    static bool Before(const value_type& cell, int column) { return cell.first < column; }
    static bool After(int column, const value_type& cell) { return column < cell.first; }

    std::vector<value_type> cells_;
};
