// Budget paint_thumbs_100k_vs_100: painting the thumbnails view (the form's grid with the picture
// column, a window of 731 × 600, the rows on the screen with their thumbnails) with 100,000 rows,
// scrolled to the middle, against 100 rows: a paint visits only what shows, so the ratio stays
// near 1 (limit 1.5). The two grids are painted by turns. The canvas draws nothing, so the
// figure is the grid's and the view's own work.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/grid_thumbnails.h"
#include "paint_by_turns.h"
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

// A grid of `rows` photos in the thumbnails view, scrolled to the middle, with the thumbnails
// of the rows on the screen in the cache, as after their decode.
class PaintedGrid {
 public:
  explicit PaintedGrid(int rows) {
    SetupPhotoGrid(grid_);
    grid_.SetBounds(0, 0, 731, 600);
    RecordingCustomPeer::Attach(grid_);
    host_.post = [this](std::function<void()> task) { queue_.Post(std::move(task)); };
    host_.startBackground = [](PhoneJobs::Job, PhoneJobs::Done) { return false; };
    view_ = std::make_unique<GridThumbnails>(host_);
    view_->SetOn(true);
    grid_.OnCustomDrawCell = [this](TObject*, int ACol, int ARow, const TRect& r, TCellState) {
      if (ACol == view_->Column() && grid_.CustomDrawCanvas())
        view_->DrawCell(*grid_.CustomDrawCanvas(), ARow, r);
    };
    grid_.OnPostDraw = [this](TObject*) { view_->PaintEnded(); };
    bench::FillPhotoRows(grid_, rows);
    view_->Listed();
    grid_.VertScrollBar.SetPosition(rows / 2);
    const Bitmap thumbnail{64, 48, std::vector<std::uint32_t>(64 * 48, 0x336699)};
    for (int r = rows / 2; r < rows / 2 + 20 && r < rows; ++r) {
      const std::string key = Utf16ToUtf8(grid_.CellAt(kFileColumn, r).AsString()) + '|' +
                              std::to_string(grid_.CellAt(kSizeColumn, r).AsInteger());
      view_->Cache().Put(key, thumbnail);
    }
  }

  // One paint's microseconds; `bitmaps` the pictures it drew.
  double Paint(int& bitmaps) {
    NullCanvas canvas(grid_.ClientRect());
    const auto start = std::chrono::steady_clock::now();
    grid_.Paint(canvas);
    const auto end = std::chrono::steady_clock::now();
    bitmaps = canvas.bitmaps;
    return std::chrono::duration<double, std::micro>(end - start).count();
  }

 private:
  TGridView grid_;
  WindowQueue queue_;
  GridThumbnails::Host host_{grid_, {}, {}, {}, {}, {}, {}};
  std::unique_ptr<GridThumbnails> view_;  // made once the grid is set up
};

}  // namespace

int main() {
  PaintedGrid small(100), large(100000);
  int smallBitmaps = 0, largeBitmaps = 0;
  const bench::PaintsByTurns t = bench::TimePaintsByTurns(
      2001, [&] { return small.Paint(smallBitmaps); }, [&] { return large.Paint(largeBitmaps); });
  std::printf("paint 100 rows: %.1f us, %d pictures; paint 100000 rows: %.1f us, %d pictures "
              "(medians of 2001 paints each, by turns)\n",
              t.first, smallBitmaps, t.second, largeBitmaps);
  const bool ok = t.ratio <= 1.5 && largeBitmaps == smallBitmaps && largeBitmaps > 0;
  std::printf("budget paint_thumbs_100k_vs_100: %.2f ratio (limit 1.50 ratio) %s\n", t.ratio,
              ok ? "ok" : "OVER");
  return ok ? 0 : 1;
}
