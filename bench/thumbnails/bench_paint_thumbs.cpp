// Budget paint_thumbs_100k_vs_100: painting the thumbnails view (the form's grid with the picture
// column, a window of 731 × 600, the rows on the screen with their thumbnails) with 100,000 rows,
// scrolled to the middle, against 100 rows: a paint visits only what shows, so the ratio stays
// near 1 (limit 1.5). The canvas draws nothing, so the figure is the grid's and the view's own
// work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/grid_thumbnails.h"
#include "gridview/photo_columns.h"
#include "phone/phone_jobs.h"
#include "ui/canvas.h"
#include "ui/recording_peer.h"
#include "ui/text.h"

namespace {

using namespace zv;

// A canvas that draws nothing and answers like a small font.
class NullCanvas : public Canvas {
 public:
  explicit NullCanvas(TRect r) : r_(r) {}
  int bitmaps = 0;
  void FillRect(const TRect&, TColor) override {}
  void FrameRect(const TRect&, TColor) override {}
  void Line(TPoint, TPoint, TColor) override {}
  void Polyline(const std::vector<TPoint>&, TColor) override {}
  void Polygon(const std::vector<TPoint>&, TColor, TColor) override {}
  void InvertRect(const TRect&) override {}
  void DrawFocusRect(const TRect&) override {}
  void DrawText(const TRect&, std::u16string_view, const TFont&, unsigned) override {}
  int TextWidth(std::u16string_view text, const TFont&) override { return int(text.size()) * 6; }
  int TextHeight(const TFont&) override { return 13; }
  void DrawBitmap(int, int, const Bitmap&, TColor) override { ++bitmaps; }
  bool DrawThemePart(const char*, int, int, const TRect&) override { return false; }
  void SetClip(const TRect& r) override { clip_ = r; }
  void ResetClip() override { clip_ = r_; }
  TRect ClipBox() const override { return clip_; }

 private:
  TRect r_, clip_ = r_;
};

struct PaintRun {
  double microseconds;
  int bitmaps;
};

PaintRun Measure(int rows) {
  TGridView grid;
  SetupPhotoGrid(grid);
  grid.SetBounds(0, 0, 731, 600);
  RecordingCustomPeer::Attach(grid);
  WindowQueue queue;
  GridThumbnails::Host host{grid, {}, {}, {}, {}, {}, {}};
  host.post = [&](std::function<void()> task) { queue.Post(std::move(task)); };
  host.startBackground = [](PhoneJobs::Job, PhoneJobs::Done) { return false; };
  GridThumbnails view(host);
  view.SetOn(true);
  grid.OnCustomDrawCell = [&](TObject*, int ACol, int ARow, const TRect& r, TCellState) {
    if (ACol == view.Column() && grid.CustomDrawCanvas())
      view.DrawCell(*grid.CustomDrawCanvas(), ARow, r);
  };
  grid.OnPostDraw = [&](TObject*) { view.PaintEnded(); };
  grid.BeginUpdate();
  grid.AddRows(rows);
  for (int r = 0; r < rows; ++r) {
    grid.CellAt(kDownLoadColumn, r).SetAsBoolean(true);
    grid.CellAt(kFileColumn, r)
        .SetAsString(u"07-12-26_" + std::u16string(1, u'0' + r % 10) + u"123.jpg");
    grid.CellAt(kSizeColumn, r).SetAsInteger(100000 + r);
  }
  grid.EndUpdate();
  view.Listed();
  grid.VertScrollBar.SetPosition(rows / 2);
  // The thumbnails of the rows on the screen are in the cache, as after their decode.
  const Bitmap thumbnail{64, 48, std::vector<std::uint32_t>(64 * 48, 0x336699)};
  for (int r = rows / 2; r < rows / 2 + 20 && r < rows; ++r) {
    const std::string key = Utf16ToUtf8(grid.CellAt(kFileColumn, r).AsString()) + '|' +
                            std::to_string(grid.CellAt(kSizeColumn, r).AsInteger());
    view.Cache().Put(key, thumbnail);
  }
  NullCanvas canvas(grid.ClientRect());
  std::vector<double> times;
  int bitmaps = 0;
  for (int i = 0; i < 201; ++i) {
    canvas.bitmaps = 0;
    const auto start = std::chrono::steady_clock::now();
    grid.Paint(canvas);
    const auto end = std::chrono::steady_clock::now();
    times.push_back(std::chrono::duration<double, std::micro>(end - start).count());
    bitmaps = canvas.bitmaps;
  }
  std::nth_element(times.begin(), times.begin() + times.size() / 2, times.end());
  return {times[times.size() / 2], bitmaps};
}

}  // namespace

int main() {
  const PaintRun small = Measure(100);
  const PaintRun large = Measure(100000);
  const double ratio = large.microseconds / small.microseconds;
  std::printf("paint 100 rows: %.1f us, %d pictures; paint 100000 rows: %.1f us, %d pictures\n",
              small.microseconds, small.bitmaps, large.microseconds, large.bitmaps);
  const bool ok = ratio <= 1.5 && large.bitmaps == small.bitmaps && large.bitmaps > 0;
  std::printf("budget paint_thumbs_100k_vs_100: %.2f ratio (limit 1.50 ratio) %s\n", ratio,
              ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
