// One-pass removal of marked rows (see row_removal.h).
#include "archive/row_removal.h"

namespace zv {

int RemoveMarkedRows(TGridView& grid, const std::vector<bool>& remove) {
  const int rows = grid.RowCount();
  int kept = 0;
  for (int row = 0; row < rows; ++row) {
    if (static_cast<size_t>(row) < remove.size() && remove[static_cast<size_t>(row)]) continue;
    // Moving cells only: SortValid stays, as with removing rows one by one.
    if (kept != row) grid.Cells().ExchangeRows(kept, row);
    ++kept;
  }
  // Rows that moved up are not repainted by the deletions below them: repaint the data area.
  if (kept < rows && grid.Sink() && grid.UpdateCount() == 0) grid.Sink()->InvalidateData();
  for (int row = rows - 1; row >= kept; --row) grid.DeleteRow(row);
  return rows - kept;
}

}  // namespace zv
