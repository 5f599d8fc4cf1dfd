// Paints the photo grid (the form's setup, a window of 731 × 261) on a recording canvas with
// 100 rows and with 100,000 rows, scrolled to the middle, and compares the times: a paint may
// only visit the rows and columns that show, so the ratio must stay near 1 (budget 1.5).
// Also counts the cells visited, through OnCellColoring.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "ui/recording_canvas.h"
#include "ui/recording_peer.h"

namespace {

using namespace zv;

struct PaintRun {
  double microseconds;  // median of one paint
  int cellsVisited;     // per paint
};

PaintRun Measure(int rows) {
  TGridView grid;
  SetupPhotoGrid(grid);
  grid.SetBounds(0, 0, 731, 261);
  RecordingCustomPeer::Attach(grid);
  grid.BeginUpdate();
  grid.AddRows(rows);
  for (int r = 0; r < rows; ++r) {
    grid.CellAt(kDownLoadColumn, r).SetAsBoolean(true);
    grid.CellAt(kFileColumn, r)
        .SetAsString(u"07-12-26_" + std::u16string(1, u'0' + r % 10) + u"123.jpg");
    grid.CellAt(kSizeColumn, r).SetAsInteger(100000 + r);
  }
  grid.EndUpdate();
  grid.VertScrollBar.SetPosition(rows / 2);
  int visited = 0;
  grid.OnCellColoring = [&](TObject*, int, int, TColor&, TColor&, TCellState) { ++visited; };

  RecordingCanvas canvas(grid.ClientRect());
  std::vector<double> times;
  for (int i = 0; i < 201; ++i) {
    canvas.Clear();
    visited = 0;
    const auto start = std::chrono::steady_clock::now();
    grid.Paint(canvas);
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
  }
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return {times[times.size() / 2], visited};
}

}  // namespace

int main() {
  const PaintRun small = Measure(100);
  const PaintRun large = Measure(100000);
  const double ratio = large.microseconds / small.microseconds;
  std::printf("paint 100 rows: %.1f us, %d cells; paint 100000 rows: %.1f us, %d cells\n",
              small.microseconds, small.cellsVisited, large.microseconds, large.cellsVisited);
  const bool ok = ratio <= 1.5 && large.cellsVisited == small.cellsVisited;
  std::printf("budget paint_100k_vs_100: %.2f ratio (limit 1.50 ratio) %s\n", ratio,
              ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
