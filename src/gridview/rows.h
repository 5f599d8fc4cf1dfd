#pragma once
// The grid's row records: one TRow per row, in row order. They follow rows being added and
// removed but not sorting (a sort permutes the cells only).
#include <vector>

#include "ui/errors.h"

namespace zv {

struct TRow {
  int RowHeight = 16;   // the grid's RowSize when the row was created
  bool Marked = false;  // the multi-select mark
};

class TRows {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  // "List index out of bounds (%d)" when there is no such row.
  TRow& operator[](int index) {
    if (index < 0 || index >= Count()) throw ListIndexError(index);
    return items_[static_cast<size_t>(index)];
  }
  const TRow& operator[](int index) const { return const_cast<TRows&>(*this)[index]; }
  void Add(int count, int rowHeight) {
    items_.resize(items_.size() + count, TRow{rowHeight, false});
  }
  void Delete(int index) {
    (*this)[index];
    items_.erase(items_.begin() + index);
  }
  // Every row's height scaled by m / d (display scaling).
  template <class Scale>
  void ScaleHeights(Scale scale) {
    for (TRow& row : items_) row.RowHeight = scale(row.RowHeight);
  }
  void Clear() {
    items_.clear();
    items_.shrink_to_fit();
  }

 private:
  std::vector<TRow> items_;
};

}  // namespace zv
