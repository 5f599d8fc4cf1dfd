// Column-wide check toggles (see toggles.h).
#include "catalogue/toggles.h"

namespace zv {

void ToggleCheckColumn(TGridView& grid, int ACol, bool& AllDownloadChecked,
                       bool& AllDeleteChecked) {
  bool* flag = ACol == 1 ? &AllDownloadChecked : ACol == 2 ? &AllDeleteChecked : nullptr;
  if (!flag) return;
  const bool value = !*flag;
  const int rows = grid.RowCount();
  for (int row = 0; row < rows; ++row) grid.CellAt(ACol, row).SetAsBoolean(value);
  *flag = !*flag;
}

}  // namespace zv
