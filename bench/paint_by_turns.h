#pragma once
// For the budgets that weigh a paint over many rows against one over few: the rows of their grids,
// and the two paints timed by turns, so that whatever else the machine does (another process, a
// slower core) slows both alike, where two series timed one after the other would each meet it
// differently. The figure is the median of the pairs' ratios.
#include <algorithm>
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"

namespace zv::bench {

// `rows` rows of checked photos for a photo grid (SetupPhotoGrid).
inline void FillPhotoRows(TGridView& grid, int rows) {
  grid.BeginUpdate();
  grid.AddRows(rows);
  for (int r = 0; r < rows; ++r) {
    grid.CellAt(kDownLoadColumn, r).SetAsBoolean(true);
    grid.CellAt(kFileColumn, r)
        .SetAsString(u"07-12-26_" + std::u16string(1, u'0' + r % 10) + u"123.jpg");
    grid.CellAt(kSizeColumn, r).SetAsInteger(100000 + r);
  }
  grid.EndUpdate();
}

struct PaintsByTurns {
  double first;   // median microseconds of a paint
  double second;  // median microseconds of a paint
  double ratio;   // median of second / first, pair by pair
};

// `first` and `second` paint once each and return their microseconds.
template <class First, class Second>
PaintsByTurns TimePaintsByTurns(int pairs, First first, Second second) {
  std::vector<double> a, b, ratios;
  for (int i = 0; i < pairs; ++i) {
    a.push_back(first());
    b.push_back(second());
    ratios.push_back(b.back() / a.back());
  }
  const auto median = [](std::vector<double>& v) {
    std::nth_element(v.begin(), v.begin() + v.size() / 2, v.end());
    return v[v.size() / 2];
  };
  return {median(a), median(b), median(ratios)};
}

}  // namespace zv::bench
