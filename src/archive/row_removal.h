#pragma once
// Removing the rows of the photos deleted on the phone at the end of a download run.
#include <vector>

#include "gridview/grid.h"

namespace zv {

// Removes every row whose flag in `remove` is set (remove has RowCount entries); the remaining
// rows keep their order. Gives the same rows as removing the highest marked row again and again,
// but in one pass: the kept rows' cells move up over the removed ones, and the rows left over
// at the bottom are then deleted from the bottom up, each DeleteRow taking the last row.
// Returns the number of rows removed.
int RemoveMarkedRows(TGridView& grid, const std::vector<bool>& remove);

}  // namespace zv
