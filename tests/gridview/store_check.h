#pragma once
// Consistency checks of a grid's data, run after every mutation in the grid tests: every column
// list holds RowCount cells of its column's class, every cell is its own object, a fetched cell
// knows its position, and the row records follow the rows.
#include <gtest/gtest.h>

#include <set>
#include <typeinfo>

#include "gridview/grid.h"

namespace zv::testing {

inline bool CellMatchesKind(const TCell& cell, TCellKind kind) {
  switch (kind) {
    case ckIncrement:
      return typeid(cell) == typeid(TIncrementCell);
    case ckBoolean:
      return typeid(cell) == typeid(TBooleanCell);
    case ckDateTime:
      return typeid(cell) == typeid(TDateTimeCell);
    case ckFloat:
      return typeid(cell) == typeid(TFloatCell);
    case ckInteger:
      return typeid(cell) == typeid(TIntegerCell);
    case ckVirtual:
      return typeid(cell) == typeid(TVirtualCell);
    default:
      return typeid(cell) == typeid(TStringCell);
  }
}

// Checks the store of `grid`; the failures name the first broken position.
inline void CheckStore(TGridView& grid) {
  TCells& cells = grid.Cells();
  ASSERT_EQ(grid.Columns().Count(), cells.ColumnCount());
  ASSERT_EQ(grid.RowCount(), grid.Rows().Count()) << "row records follow the rows";
  std::set<const TCell*> seen;
  for (int c = 0; c < cells.ColumnCount(); ++c) {
    ASSERT_EQ(cells.RowCount(), cells.ListCount(c)) << "column " << c;
    ASSERT_EQ(grid.Columns()[c].ColumnIndex(), c);
    for (int r = 0; r < cells.RowCount(); ++r) {
      TCell& cell = grid.CellAt(c, r);
      ASSERT_EQ(c, cell.Col()) << "cell " << c << "," << r;
      ASSERT_EQ(r, cell.Row()) << "cell " << c << "," << r;
      ASSERT_EQ(&cells, &cell.Owner());
      ASSERT_FALSE(cell.Initialising());
      ASSERT_TRUE(CellMatchesKind(cell, grid.Columns()[c].CellKind())) << "cell " << c << "," << r;
      ASSERT_TRUE(seen.insert(&cell).second) << "cell " << c << "," << r << " is shared";
    }
  }
}

}  // namespace zv::testing
