// TGridView's row operations: batches, appending, removing and clearing rows, fetching a cell.
#include <algorithm>

#include "gridview/grid.h"
#include "ui/errors.h"

namespace zv {

void TGridView::BeginUpdate() { ++updateCount_; }

void TGridView::EndUpdate() {
  // An unpaired EndUpdate must not leave the count below zero, which would silence every later
  // write.
  if (updateCount_ == 0) return;
  if (--updateCount_ > 0) return;
  Screen().InvalidateData();
  Screen().UpdateVerticalScrollRange();
  if (accessibleReorderPending_) AccessibleRowsChanged();
}

void TGridView::AddRows(int Count) {
  // An empty append adds nothing and repaints nothing, but like every append it makes the store
  // forget its sort: the next sort of the same column must sort, not reverse.
  if (Count <= 0) {
    cells_.AddRows(0);
    return;
  }
  const int first = RowCount();
  cells_.AddRows(Count);
  rows_.Add(Count, rowSize_);
  AccessibleRowsChanged();
  if (options_.Contains(goUseDefaultValues)) {
    for (int r = first; r < first + Count; ++r)
      for (int c = 0; c < columns_.Count(); ++c)
        if (!columns_[c].DefaultValue().empty()) SetCellText(c, r, columns_[c].DefaultValue());
  }
  // Inside a batch nothing is repainted and the range follows once, at its end (EndUpdate
  // repaints the whole data area, the last row's grid line with it).
  if (updateCount_ > 0) return;
  Screen().InvalidateRows(first, first + Count - 1);
  if (options_.Contains(goGrid) && first > 0) Screen().InvalidateRow(first - 1);
  Screen().UpdateVerticalScrollRange();
}

void TGridView::DeleteRow(int Index) {
  Screen().CloseEditor();
  Screen().UpdateVerticalScrollRange();
  if (Index < 0 || Index >= RowCount()) throw ListIndexError(Index);
  const int pixels = RowHeight(Index) + GridLineWidth();
  cells_.DeleteRow(Index);
  rows_.Delete(Index);
  Screen().ScrollUpAfterDelete(Index, pixels);
  Screen().InvalidateSelection();
  // The range asked for before the removal still counted the removed row.
  Screen().UpdateVerticalScrollRange();
  AccessibleRowsChanged();
}

void TGridView::ClearRows() {
  Screen().CloseEditor();
  for (int r = 0; r < rows_.Count(); ++r) rows_[r].Marked = false;
  cells_.Clear();
  rows_.Clear();
  Screen().InvalidateData();
  Screen().InvalidateIndicator();
  Screen().UpdateHorizontalScrollRange();
  Screen().UpdateVerticalScrollRange();
  AccessibleRowsChanged();
}

int TGridView::RowHeight(int Index) {
  int height = rows_[Index].RowHeight;
  if (OnMeasuringRowHeight) OnMeasuringRowHeight(this, Index, height);
  return height;
}

TCell& TGridView::CellAt(int ACol, int ARow) { return cells_.GetCell(ACol, ARow); }

}  // namespace zv
