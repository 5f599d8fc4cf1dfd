// Paints the photo grid (the form's setup, a window of 731 × 261) on a recording canvas with
// 100 rows and with 100,000 rows, scrolled to the middle, the two by turns, and compares the
// times: a paint may only visit the rows and columns that show, so the ratio must stay near 1
// (budget 1.5).
// Also counts the cells visited, through OnCellColoring.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "paint_by_turns.h"
#include "ui/recording_canvas.h"
#include "ui/recording_peer.h"

namespace {

using namespace zv;

// A photo grid of `rows` rows, scrolled to the middle, counting the cells a paint visits.
class PaintedGrid {
 public:
  explicit PaintedGrid(int rows) {
    SetupPhotoGrid(grid_);
    grid_.SetBounds(0, 0, 731, 261);
    RecordingCustomPeer::Attach(grid_);
    bench::FillPhotoRows(grid_, rows);
    grid_.VertScrollBar.SetPosition(rows / 2);
    canvas_ = std::make_unique<RecordingCanvas>(grid_.ClientRect());
    grid_.OnCellColoring = [this](TObject*, int, int, TColor&, TColor&, TCellState) {
      ++visited_;
    };
  }

  // One paint's microseconds; `visited` the cells it visited.
  double Paint(int& visited) {
    canvas_->Clear();
    visited_ = 0;
    const auto start = std::chrono::steady_clock::now();
    grid_.Paint(*canvas_);
    const auto end = std::chrono::steady_clock::now();
    visited = visited_;
    return std::chrono::duration<double, std::micro>(end - start).count();
  }

 private:
  TGridView grid_;
  std::unique_ptr<RecordingCanvas> canvas_;
  int visited_ = 0;
};

}  // namespace

int main() {
  PaintedGrid small(100), large(100000);
  int smallCells = 0, largeCells = 0;
  const bench::PaintsByTurns t = bench::TimePaintsByTurns(
      2001, [&] { return small.Paint(smallCells); }, [&] { return large.Paint(largeCells); });
  std::printf("paint 100 rows: %.1f us, %d cells; paint 100000 rows: %.1f us, %d cells "
              "(medians of 2001 paints each, by turns)\n",
              t.first, smallCells, t.second, largeCells);
  const bool ok = t.ratio <= 1.5 && largeCells == smallCells;
  std::printf("budget paint_100k_vs_100: %.2f ratio (limit 1.50 ratio) %s\n", t.ratio,
              ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
