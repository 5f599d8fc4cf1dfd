#pragma once
// The column-wide check toggles: a click on the DownLoad or Delete header sets that box in every
// row, to the value its flag chooses, and inverts the flag.
#include "gridview/grid.h"

namespace zv {

// ACol 1 (DownLoad): every box cleared when AllDownloadChecked, else checked; then the flag
// inverts. ACol 2 (Delete) the same with AllDeleteChecked. Any other column: nothing. The flag
// inverts even when the grid has no rows.
void ToggleCheckColumn(TGridView& grid, int ACol, bool& AllDownloadChecked, bool& AllDeleteChecked);

}  // namespace zv
