// The photo grid laid out for 150 % (144 dots per inch): every size of its 96-dot design grows
// by the same factor, and hit testing, check-box clicks, auto-sizing, scrolling and painting
// all follow the scaled sizes, so that what the user clicks is what was drawn.
#include <gtest/gtest.h>

#include "gridview/drawing.h"
#include "view_fixture.h"

namespace zv {
namespace {

// The design sizes at 144 dots per inch, rounded halves up as the platform's MulDiv does.
constexpr int kHeader = 27, kRow = 24, kPitch = 25, kIndicator = 18, kNarrow = 38, kSize = 122;

// A grid scaled after it was filled (the window was created at 96, then moved to a 150 %
// monitor) and one scaled before its rows came: both must end the same.
struct ScaledGrid : ViewFixture {
  explicit ScaledGrid(bool fillFirst, int rows = 30) : ViewFixture() {
    if (fillFirst) Fill(rows);
    grid.ScaleForPPI(144);
    if (!fillFirst) Fill(rows);
    TakeLog();
  }
};

TEST(GridScaling, SizesAndMetricsGrowByOneFactor) {
  for (bool fillFirst : {true, false}) {
    ScaledGrid f(fillFirst);
    TGridView& g = f.grid;
    EXPECT_EQ(kHeader, g.HeaderSize) << fillFirst;
    EXPECT_EQ(kRow, g.RowSize()) << fillFirst;
    EXPECT_EQ(kRow, g.RowHeight(0)) << fillFirst;
    EXPECT_EQ(kRow, g.RowHeight(29)) << fillFirst;
    EXPECT_EQ(kIndicator, g.IndicatorWidthNow()) << fillFirst;
    EXPECT_EQ(TGridMetrics::At(144), g.Metrics()) << fillFirst;
    for (int col : {kNumColumn, kDownLoadColumn, kDeleteColumn})
      EXPECT_EQ(kNarrow, g.Columns()[col].Width()) << col;
    EXPECT_EQ(kSize, g.Columns()[kSizeColumn].Width());
    // File takes what is left of the available width (the vertical bar shows: 30 rows).
    EXPECT_TRUE(f.peer->VBar.Visible);
    EXPECT_EQ(g.AvailableWidth() - 3 * kNarrow - kSize, g.Columns()[kFileColumn].Width());
    EXPECT_EQ(g.AvailableWidth(), g.TotalColumnsWidth());
  }
}

TEST(GridScaling, HitTestsFollowTheScaledGeometry) {
  ScaledGrid f(true);
  TGridView& g = f.grid;
  struct Case {
    TPoint p;
    TGridArea area;
    int col, row;  // CellAtPoint
  } cases[] = {
      {{kIndicator - 1, kHeader + 5}, TGridArea::Indicator, -1, 0},
      {{kIndicator, kHeader - 1}, TGridArea::Header, kNumColumn, -1},
      {{kIndicator, kHeader}, TGridArea::Cells, kNumColumn, 0},
      {{kIndicator + kNarrow + 1, kHeader + kPitch - 1}, TGridArea::Cells, kDownLoadColumn, 0},
      {{kIndicator + 2 * kNarrow + 1, kHeader + kPitch}, TGridArea::Cells, kDeleteColumn, 1},
      {{kIndicator + 3 * kNarrow + 1, kHeader + 5 * kPitch + 3}, TGridArea::Cells, kFileColumn, 5},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.area, g.HitTest(c.p)) << c.p.X << "," << c.p.Y;
    const TGridCell cell = g.CellAtPoint(c.p);
    if (c.area == TGridArea::Cells || c.area == TGridArea::Indicator) {
      EXPECT_EQ(c.row, cell.Row) << c.p.X << "," << c.p.Y;
    }
    if (c.col >= 0) {
      EXPECT_EQ(c.col, cell.Col) << c.p.X << "," << c.p.Y;
    }
  }
  EXPECT_EQ(TRect({kIndicator + 2 * kNarrow, kHeader + kPitch, kIndicator + 3 * kNarrow - 1,
                   kHeader + kPitch + kRow}),
            g.CellRect(kDeleteColumn, 1));
  // The Size column's border can be grabbed three pixels to each side at 150 %.
  const int edge = kIndicator + 3 * kNarrow + g.Columns()[kFileColumn].Width() + kSize;
  EXPECT_EQ(&g.Columns()[kSizeColumn], g.ColumnBorderAt({edge - 3, 5}));
  EXPECT_EQ(&g.Columns()[kSizeColumn], g.ColumnBorderAt({edge + 3, 5}));
  EXPECT_EQ(nullptr, g.ColumnBorderAt({edge - 4, 5}));
}

TEST(GridScaling, AClickTogglesOnlyInsideTheScaledBoxAndTheHeaderStillClicks) {
  for (bool themed : {false, true}) {
    ViewFixture f;
    f.Fill(4);
    if (themed) {
      f.grid.ThemeQuery = [] { return true; };
      // The theme knows its own check box at this density.
      f.grid.ThemedCheckBoxSize = [](int ppi) { return ppi == 144 ? 20 : 0; };
    }
    f.grid.ScaleForPPI(144);
    const int box = themed ? 20 : 17;  // the theme's size, or the hand-drawn 11 scaled
    EXPECT_EQ(box, CheckBoxSize(themed, f.grid.Metrics()));
    const TRect cell = f.grid.CellRect(kDeleteColumn, 1);
    const TPoint centre = ViewFixture::Centre(cell);
    const TRect drawn = AlignBox(box, box, taCenter, vaMiddle, cell, 3);
    struct Case {
      TPoint p;
      bool toggles;
    } cases[] = {
        {centre, true},
        {{drawn.Left, drawn.Top}, true},
        {{drawn.Right - 1, drawn.Bottom - 1}, true},
        {{drawn.Left - 1, centre.Y}, false},
        {{centre.X, drawn.Bottom + 1}, false},
    };
    for (const Case& c : cases) {
      ASSERT_TRUE(cell.Contains(c.p));
      const bool before = f.Checked(kDeleteColumn, 1);
      f.Click(c.p);
      EXPECT_EQ(c.toggles, f.Checked(kDeleteColumn, 1) != before)
          << (themed ? "themed " : "") << c.p.X << "," << c.p.Y;
    }
    // Painted exactly where the click toggles.
    RecordingCanvas canvas = f.PaintAll();
    canvas.ThemeAvailable = themed;
    canvas.Clear();
    f.grid.Paint(canvas);
    bool found = false;
    for (const CanvasCall& call :
         canvas.Of(themed ? CanvasCall::kDrawThemePart : CanvasCall::kFrameRect))
      found = found || call.rect == drawn;
    EXPECT_TRUE(found) << (themed ? "themed" : "classic");

    f.TakeLog();
    f.Click(f.HeaderPoint(kDeleteColumn));
    EXPECT_EQ(std::vector<std::string>{"HeaderClick 2"}, [&] {
      std::vector<std::string> heads;
      for (const std::string& l : f.TakeLog())
        if (l.rfind("HeaderClick", 0) == 0) heads.push_back(l);
      return heads;
    }());
  }
}

TEST(GridScaling, ScrollingMovesByScaledPitches) {
  ScaledGrid f(true, 100);
  TGridView& g = f.grid;
  const int area = g.CellAreaRect().Height();
  EXPECT_EQ(area / kPitch, g.VisibleRowCount());
  EXPECT_EQ(100 - g.VisibleRowCount(), g.VertScrollBar.Max());
  f.peer->Scrolls.clear();
  g.ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scLineDown, 0);
  ASSERT_EQ(1u, f.peer->Scrolls.size());
  EXPECT_EQ(TRect({0, kHeader, g.ClientWidth(), g.ClientHeight()}), f.peer->Scrolls[0].area);
  EXPECT_EQ(-kPitch, f.peer->Scrolls[0].dy);
  EXPECT_EQ(1, g.TopRow());
  // Page Down selects a screenful further in scaled rows; the row stays on the screen.
  g.KeyDown(TKey::PageDown, 0);
  EXPECT_EQ(g.VisibleRowCount(), g.SelectedRow());
  const int top = g.RowTop(g.SelectedRow());
  EXPECT_GE(top, kHeader);
  EXPECT_LE(top + kRow, g.CellAreaRect().Bottom);
  EXPECT_EQ(g.SelectedRow(), g.RowAt(top + kRow / 2));
}

TEST(GridScaling, AHorizontalLineStepIsTheDesignsFivePixelsScaled) {
  ViewFixture f(150, 261);  // narrow: File at its least, the columns wider than the client
  f.Fill(3);
  f.grid.ScaleForPPI(144);
  ASSERT_GT(f.grid.HorzScrollBar.Max(), 8);
  f.grid.ScrollMessage(TScrollBarKind::sbHorizontal, TScrollCode::scLineDown, 0);
  EXPECT_EQ(8, f.grid.HorzScrollPosition());  // 7.5 rounded
}

TEST(GridScaling, PaintingUsesTheScaledPicturesAndMargins) {
  ScaledGrid f(true, 3);
  RecordingCanvas canvas = f.PaintAll();
  // Header pictures at 24 x 24 for 150 %.
  const auto bitmaps = canvas.Of(CanvasCall::kDrawBitmap);
  ASSERT_EQ(3u, bitmaps.size());
  for (const CanvasCall& b : bitmaps) {
    EXPECT_EQ(24, b.bitmap.Width);
    EXPECT_EQ(24, b.bitmap.Height);
    EXPECT_GE(b.points[0].Y, 0);
    EXPECT_LE(b.points[0].Y + 24, kHeader);
  }
  // The current row's triangle is 9 wide and 17 high in an 18-pixel indicator.
  bool triangle = false;
  for (const CanvasCall& p : canvas.Of(CanvasCall::kPolygon)) {
    if (p.points.size() != 3 || p.points[0].X >= kIndicator) continue;
    triangle = true;
    EXPECT_EQ(9 - 1, p.points[1].X - p.points[0].X);
    EXPECT_EQ(17 - 1, p.points[2].Y - p.points[0].Y);
  }
  EXPECT_TRUE(triangle);
  // Cell texts keep 3 pixels from the cell's edges.
  const TRect file = f.grid.CellRect(kFileColumn, 0);
  bool text = false;
  for (const CanvasCall& t : canvas.Of(CanvasCall::kDrawText))
    if (t.rect.Top == file.Top && t.rect.Left == file.Left + 3) {
      text = true;
      EXPECT_EQ(file.Right - 3, t.rect.Right);
      EXPECT_EQ(-17, t.font.Height);
    }
  EXPECT_TRUE(text);
}

}  // namespace
}  // namespace zv
