// Column layout and auto-sizing of the photo grid: the File column takes the free width, the
// width floor, proportional sharing, hiding and showing, and a column resized by hand.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace zv {
namespace {

TEST(GridLayout, FileTakesTheFreeWidthAndNarrowWindowsStopAtEight) {
  struct Case {
    int windowWidth;
    int available;
    int fileWidth;
    int sizeLeft;
  } cases[] = {
      // 714 − 2 (static edge) − 12 (indicator) = 700 → 700 − 25 − 25 − 25 − 81 = 544.
      {714, 700, 544, 12 + 25 + 25 + 25 + 544},
      // The form's own grid: 731 − 2 − 12 = 717.
      {731, 717, 561, 12 + 75 + 561},
      // Fixed columns need 156; 160 leaves 4, which is raised to 8.
      {174, 160, 8, 12 + 75 + 8},
      {100, 86, 8, 12 + 75 + 8},
  };
  for (const Case& c : cases) {
    ViewFixture f(c.windowWidth, 261);
    EXPECT_EQ(c.available, f.grid.AvailableWidth()) << c.windowWidth;
    EXPECT_EQ(c.fileWidth, f.grid.Columns()[kFileColumn].Width()) << c.windowWidth;
    EXPECT_EQ(c.sizeLeft, f.grid.Columns()[kSizeColumn].ColumnLeft) << c.windowWidth;
  }
}

TEST(GridLayout, ANarrowWindowShowsTheHorizontalBar) {
  ViewFixture f(174, 261);
  // Columns 25 × 3 + 8 + 81 = 164 plus the indicator exceed the 172-pixel client width.
  EXPECT_TRUE(f.peer->HBar.Visible);
  EXPECT_EQ(12 + 164 - f.grid.ClientWidth(), f.peer->HBar.Max);
  ViewFixture wide(714, 261);
  EXPECT_FALSE(wide.peer->HBar.Visible);
}

TEST(GridLayout, WindowResizeGivesFileTheNewWidth) {
  ViewFixture f(714, 261);
  f.grid.SetBounds(0, 0, 914, 261);
  EXPECT_EQ(744, f.grid.Columns()[kFileColumn].Width());
  EXPECT_EQ(12 + 75 + 744, f.grid.Columns()[kSizeColumn].ColumnLeft);
  f.grid.SetBounds(0, 0, 614, 261);
  EXPECT_EQ(444, f.grid.Columns()[kFileColumn].Width());
}

TEST(GridLayout, TwoAutoSizeColumnsKeepTheirProportions) {
  TGridView grid;
  grid.SetOptions({goGrid, goHeader});  // no indicator: the whole client width is free
  grid.SetLoading(true);
  auto& a = grid.Columns().Add<TTextualColumn>("A");
  auto& b = grid.Columns().Add<TTextualColumn>("B");
  a.SetWidth(100);
  b.SetWidth(300);
  a.SetOptions(a.Options() + TColumnOptions{coAutoSize});
  b.SetOptions(b.Options() + TColumnOptions{coAutoSize});
  grid.SetLoading(false);
  grid.SetBounds(0, 0, 802, 100);  // client 800
  RecordingCustomPeer::Attach(grid);
  EXPECT_EQ(200, a.Width());
  EXPECT_EQ(600, b.Width());
  EXPECT_EQ(0, a.ColumnLeft);
  EXPECT_EQ(200, b.ColumnLeft);
  // A width set on A: only B, after it, absorbs the difference.
  a.SetWidth(400);
  EXPECT_EQ(400, b.Width());
  // Halves round to the even neighbour: 1 : 1 of 801 gives 400.5 each → 400 and 400.
  grid.SetBounds(0, 0, 803, 100);
  EXPECT_EQ(400, a.Width());
  EXPECT_EQ(400, b.Width());
}

TEST(GridLayout, HidingAColumnGivesItsWidthToFileAndShowingTakesItBack) {
  ViewFixture f(714, 261);
  TCustomColumn& del = f.grid.Columns()[kDeleteColumn];
  del.SetVisible(false);
  EXPECT_EQ(544 + 25, f.grid.Columns()[kFileColumn].Width());
  EXPECT_EQ(-1, del.VisibleIndex);
  EXPECT_EQ(3, f.grid.Columns()[kSizeColumn].VisibleIndex);
  EXPECT_EQ(12 + 50, f.grid.Columns()[kFileColumn].ColumnLeft);
  del.SetVisible(true);
  EXPECT_EQ(544, f.grid.Columns()[kFileColumn].Width());
  EXPECT_EQ(2, del.VisibleIndex);
  EXPECT_EQ(12 + 50, del.ColumnLeft);
}

TEST(GridLayout, AWidthSetByHandChangesOnlyColumnsAfterIt) {
  ViewFixture f(714, 261);
  // Size lies after File: File keeps its width, nothing after Size absorbs the difference.
  f.grid.Columns()[kSizeColumn].SetWidth(120);
  EXPECT_EQ(544, f.grid.Columns()[kFileColumn].Width());
  EXPECT_EQ(120, f.grid.Columns()[kSizeColumn].Width());
  EXPECT_EQ(12 + 75 + 544, f.grid.Columns()[kSizeColumn].ColumnLeft);
  // Num lies before File: File absorbs the difference.
  f.grid.Columns()[kNumColumn].SetWidth(45);
  EXPECT_EQ(544 - 20 - 39, f.grid.Columns()[kFileColumn].Width());
  // The next window resize gives File all of the free width again.
  f.grid.SetBounds(0, 0, 715, 261);
  EXPECT_EQ(700 + 1 - 45 - 50 - 120, f.grid.Columns()[kFileColumn].Width());
}

}  // namespace
}  // namespace zv
