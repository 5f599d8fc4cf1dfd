#pragma once
// Two paints timed by turns, for the budgets that weigh a paint over many rows against one over
// few: whatever else the machine does (another process, a slower core) then slows both alike,
// where two series timed one after the other would each meet it differently. The figure is the
// median of the pairs' ratios.
#include <algorithm>
#include <vector>

namespace zv::bench {

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
