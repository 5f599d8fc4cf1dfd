// Keys, wheel, focus and scroll bars of the photo grid: navigation and its scrolling, the space
// bar on check-box columns, Enter, scroll messages and the ranges as rows come and go.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace zv {
namespace {

using Log = std::vector<std::string>;

int CountOf(const Log& log, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

// The default fixture's cell area is 241 pixels high: 14 rows of 17 fit completely.
constexpr int kFit = 14;

TEST(GridKeys, NavigationMovesTheCurrentRowAndScrolls) {
  struct Step {
    TKey key;
    int row, top;
  };
  ViewFixture f;
  f.Fill(40);
  ASSERT_EQ(kFit, f.grid.VisibleRowCount());
  f.Click(f.CellPoint(kFileColumn, 0));
  const Step steps[] = {
      {TKey::Up, 0, 0},                // nothing above row 0
      {TKey::PageDown, kFit - 1, 0},   // to the last whole row shown
      {TKey::Down, kFit, 1},           // the next row is cut: scroll one
      {TKey::PageDown, 2 * kFit, 15},  // a page on, and the view with it
      {TKey::PageUp, 15, 15},          // to the top row shown, no scrolling
      {TKey::PageUp, 1, 1},            // a page back, the view to it
      {TKey::Up, 0, 0},                // at the top row: scroll up one
      {TKey::End, 39, 40 - kFit},
      {TKey::Down, 39, 40 - kFit},  // nothing below the last row
      {TKey::Home, 0, 0},
  };
  for (const Step& s : steps) {
    f.grid.KeyDown(s.key, 0);
    EXPECT_EQ(s.row, f.grid.SelectedRow()) << static_cast<int>(s.key);
    EXPECT_EQ(s.top, f.grid.TopRow()) << static_cast<int>(s.key);
    EXPECT_TRUE(f.grid.Rows()[s.row].Marked);
  }
}

TEST(GridKeys, PageDownWithFewRowsSelectsTheLastRowWithoutOnKeyDown) {
  ViewFixture f;
  f.Fill(5);
  f.TakeLog();
  f.grid.KeyDown(TKey::PageDown, 0);
  EXPECT_EQ(4, f.grid.SelectedRow());
  EXPECT_EQ(0, CountOf(f.TakeLog(), "KeyDown"));
  f.grid.KeyDown(TKey::Up, 0);
  EXPECT_EQ(1, CountOf(f.TakeLog(), "KeyDown"));
}

TEST(GridKeys, LeftAndRightMoveOverVisibleColumns) {
  ViewFixture f;
  f.Fill(3);
  f.grid.Columns()[kDeleteColumn].SetVisible(false);
  f.Click(f.CellPoint(kDownLoadColumn, 1));
  f.grid.KeyDown(TKey::Right, 0);
  EXPECT_EQ(kFileColumn, f.grid.SelectedColumn());  // Delete is hidden
  f.grid.KeyDown(TKey::Right, 0);
  f.grid.KeyDown(TKey::Right, 0);
  EXPECT_EQ(kSizeColumn, f.grid.SelectedColumn());  // none after the last
  f.grid.KeyDown(TKey::Left, 0);
  f.grid.KeyDown(TKey::Left, 0);
  f.grid.KeyDown(TKey::Left, 0);
  f.grid.KeyDown(TKey::Left, 0);
  EXPECT_EQ(kNumColumn, f.grid.SelectedColumn());
  EXPECT_EQ(1, f.grid.SelectedRow());
}

TEST(GridKeys, SpaceTogglesOnlyInACheckBoxColumn) {
  ViewFixture f;
  f.Fill(4);
  f.Click(f.CellPoint(kFileColumn, 2));
  char16_t space = u' ';
  f.grid.KeyPress(space);
  for (int r = 0; r < 4; ++r) EXPECT_FALSE(f.Checked(kDeleteColumn, r));
  f.Click({f.grid.CellRect(kDeleteColumn, 1).Left + 1, f.CellPoint(0, 1).Y});  // beside the box
  EXPECT_FALSE(f.Checked(kDeleteColumn, 1));
  f.TakeLog();
  space = u' ';
  f.grid.KeyPress(space);
  EXPECT_TRUE(f.Checked(kDeleteColumn, 1));
  EXPECT_EQ((Log{"BeforeEdit 2 1", "EditAccept 2 1 1", "Change 2 1", "AfterEdit 2 1"}),
            f.TakeLog());
  // Other characters do nothing to the box.
  char16_t letter = u'x';
  f.grid.KeyPress(letter);
  EXPECT_TRUE(f.Checked(kDeleteColumn, 1));
  // Moving down keeps the column: the space then toggles the next row.
  f.grid.KeyDown(TKey::Down, 0);
  space = u' ';
  f.grid.KeyPress(space);
  EXPECT_TRUE(f.Checked(kDeleteColumn, 2));
}

TEST(GridKeys, EnterIsSwallowedAndEmptyGridsOnlyReport) {
  ViewFixture f;
  char16_t enter = u'\r';
  EXPECT_TRUE(f.grid.KeyPress(enter));
  EXPECT_EQ(0, enter);
  f.TakeLog();
  for (TKey key : {TKey::Down, TKey::PageDown, TKey::End}) f.grid.KeyDown(key, 0);
  EXPECT_EQ((Log{"KeyDown", "KeyDown", "KeyDown"}), f.TakeLog());
  char16_t space = u' ';
  f.grid.KeyPress(space);  // no rows: nothing to toggle
  EXPECT_EQ(0, f.grid.RowCount());
}

TEST(GridKeys, TypingInASearchColumnFindsRowsUntilTheTimerClearsTheText) {
  ViewFixture f;
  f.Fill(40);  // names begin with the day: 01, 02, ... 28, 01, ...
  TCustomColumn& file = f.grid.Columns()[kFileColumn];
  file.SetOptions(file.Options() + TColumnOptions{coSearchColumn});
  f.Click(f.CellPoint(kFileColumn, 0));
  auto type = [&](std::u16string text) {
    for (char16_t ch : text) f.grid.KeyPress(ch);
  };
  type(u"1");
  EXPECT_EQ(u"1", f.grid.SearchText);
  EXPECT_EQ(9, f.grid.SelectedRow());  // "10-01-24_..." is the first after row 0
  type(u"0");
  EXPECT_EQ(37, f.grid.SelectedRow());  // the next "10" after row 9, brought into view
  EXPECT_EQ(40 - kFit, f.grid.TopRow());
  f.grid.SearchTimer().Tick();  // 500 ms pass
  EXPECT_TRUE(f.grid.SearchText.empty());
  EXPECT_FALSE(f.grid.SearchTimer().Enabled());
  type(u"15");  // "1" finds row 38 ("11"), "15" wraps round to row 14
  EXPECT_EQ(14, f.grid.SelectedRow());
  EXPECT_TRUE(f.grid.Rows()[14].Marked);
  EXPECT_FALSE(f.grid.Rows()[38].Marked);
  EXPECT_EQ(14, f.grid.TopRow());
  EXPECT_TRUE(f.grid.SearchTimer().Enabled());
}

TEST(GridScroll, VerticalRangeFollowsTheRows) {
  ViewFixture f;
  EXPECT_FALSE(f.peer->VBar.Visible);
  f.Fill(30);
  EXPECT_TRUE(f.peer->VBar.Visible);
  // The vertical bar takes 17 pixels of width, which File gives up.
  EXPECT_EQ(544 - 17, f.grid.Columns()[kFileColumn].Width());
  EXPECT_EQ(30 - kFit, f.grid.VertScrollBar.Max());
  f.grid.KeyDown(TKey::End, 0);
  EXPECT_EQ(30 - kFit, f.grid.TopRow());
  // Deleting rows until all fit brings the first row back to the top and hides the bar.
  while (f.grid.RowCount() > kFit) {
    f.grid.DeleteRow(f.grid.RowCount() - 1);
    EXPECT_LE(f.grid.TopRow(), f.grid.VertScrollBar.Max());
  }
  EXPECT_EQ(0, f.grid.TopRow());
  EXPECT_FALSE(f.peer->VBar.Visible);
  EXPECT_EQ(544, f.grid.Columns()[kFileColumn].Width());
}

TEST(GridScroll, ScrollMessagesMoveByTheirSteps) {
  struct Case {
    TScrollCode code;
    int pos;
    int top;
  };
  ViewFixture f;
  f.Fill(100);
  const int max = 100 - kFit;
  const Case cases[] = {
      {TScrollCode::scPageDown, 0, 10}, {TScrollCode::scLineDown, 0, 11},
      {TScrollCode::scPageUp, 0, 1},    {TScrollCode::scLineUp, 0, 0},
      {TScrollCode::scLineUp, 0, 0},    {TScrollCode::scTrack, 50, 50},
      {TScrollCode::scBottom, 0, max},  {TScrollCode::scPageDown, 0, max},
      {TScrollCode::scTop, 0, 0},       {TScrollCode::scPosition, 1000, max},
  };
  for (const Case& c : cases) {
    f.TakeLog();
    f.grid.ScrollMessage(TScrollBarKind::sbVertical, c.code, c.pos);
    EXPECT_EQ(c.top, f.grid.TopRow()) << static_cast<int>(c.code);
    EXPECT_EQ(c.top, f.peer->VBar.Position);
    EXPECT_EQ((Log{"VerticalScroll " + std::to_string(c.top)}), f.TakeLog());
  }
  EXPECT_EQ(0, f.grid.SelectedRow());  // scrolling moves no selection
}

TEST(GridScroll, HorizontalScrollingMovesHeaderAndCellsByPixels) {
  ViewFixture f(174, 261);  // File at 8: the columns are 164 wide, the client 172
  f.Fill(3);
  const int max = 12 + 164 - f.grid.ClientWidth();
  ASSERT_EQ(max, f.grid.HorzScrollBar.Max());
  f.peer->Scrolls.clear();
  f.grid.ScrollMessage(TScrollBarKind::sbHorizontal, TScrollCode::scLineDown, 0);
  EXPECT_EQ(std::min(5, max), f.grid.HorzScrollPosition());
  ASSERT_EQ(1u, f.peer->Scrolls.size());
  EXPECT_EQ(TRect({12, 0, f.grid.ClientWidth(), f.grid.ClientHeight()}), f.peer->Scrolls[0].area);
  EXPECT_EQ(-std::min(5, max), f.peer->Scrolls[0].dx);
  // Hit tests and painting follow the scrolled columns; the indicator stays.
  const int scroll = f.grid.HorzScrollPosition();
  EXPECT_EQ(&f.grid.Columns()[kDownLoadColumn], f.grid.ColumnAt(37 - scroll + 1));
  EXPECT_EQ(TRect({87 - scroll, 18, 87 - scroll + 7, 34}), f.grid.CellRect(kFileColumn, 0));
  EXPECT_EQ(TGridArea::Indicator, f.grid.HitTest({3, 30}));
  f.grid.ScrollMessage(TScrollBarKind::sbHorizontal, TScrollCode::scBottom, 0);
  EXPECT_EQ(max, f.grid.HorzScrollPosition());
}

TEST(GridScroll, WithoutColumnsThereIsNothingToScrollOrPress) {
  TGridView grid;
  grid.SetBounds(0, 0, 300, 100);
  RecordingCustomPeer& peer = RecordingCustomPeer::Attach(grid);
  grid.AddRows(50);
  EXPECT_EQ(0, grid.VertScrollBar.Max());
  EXPECT_FALSE(peer.VBar.Visible);
  int downs = 0;
  grid.OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
  grid.MouseDown(TMouseButton::mbLeft, 0, {50, 50});
  grid.MouseUp(TMouseButton::mbLeft, 0, {50, 50});
  EXPECT_EQ(0, downs);
  EXPECT_TRUE(peer.HasFocus);  // the press still takes the focus
}

TEST(GridScroll, ContentMovesByTheRowPitches) {
  ViewFixture f;
  f.Fill(100);
  f.peer->Scrolls.clear();
  f.grid.ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scLineDown, 0);
  ASSERT_EQ(1u, f.peer->Scrolls.size());
  const TRect strip{0, 18, f.grid.ClientWidth(), f.grid.ClientHeight()};
  EXPECT_EQ(strip, f.peer->Scrolls[0].area);
  EXPECT_EQ(-17, f.peer->Scrolls[0].dy);
  f.grid.ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scPageUp, 0);
  EXPECT_EQ(17, f.peer->Scrolls.back().dy);
  // A jump farther than a screenful repaints instead.
  f.peer->Invalidated.clear();
  f.grid.ScrollMessage(TScrollBarKind::sbVertical, TScrollCode::scBottom, 0);
  EXPECT_EQ(2u, f.peer->Scrolls.size());
  EXPECT_FALSE(f.peer->Invalidated.empty());
}

TEST(GridScroll, WheelScrollsRowsOrPagesAndKeepsTheRow) {
  ViewFixture f;
  f.Fill(60);
  int downs = 0;
  f.grid.OnMouseWheelDown = [&](TObject*, TShiftState, TPoint, bool&) { ++downs; };
  EXPECT_TRUE(f.grid.MouseWheel(-120, 0, {100, 100}));
  EXPECT_EQ(1, f.grid.TopRow());
  f.grid.MouseWheel(-240, ssCtrl, {100, 100});
  EXPECT_EQ(21, f.grid.TopRow());
  f.grid.MouseWheel(60, 0, {100, 100});  // half a notch: nothing yet
  EXPECT_EQ(21, f.grid.TopRow());
  f.grid.MouseWheel(60, 0, {100, 100});
  EXPECT_EQ(20, f.grid.TopRow());
  EXPECT_EQ(3, downs);
  EXPECT_EQ(0, f.grid.SelectedRow());
}

TEST(GridFocus, GainingAndLosingTheFocusRepaintsTheSelectedRows) {
  ViewFixture f;
  f.Fill(10);
  f.Click(f.CellPoint(kFileColumn, 3));  // takes the focus
  ASSERT_TRUE(f.grid.Focused());
  f.peer->Invalidated.clear();
  f.peer->HasFocus = false;
  f.grid.FocusOut();
  const TRect row3{0, 18 + 3 * 17, f.grid.ClientWidth(), 18 + 4 * 17};
  ASSERT_EQ(1u, f.peer->Invalidated.size());
  EXPECT_EQ(row3, *f.peer->Invalidated[0]);
  f.peer->Invalidated.clear();
  f.peer->SetFocus();
  ASSERT_EQ(2u, f.peer->Invalidated.size());
  EXPECT_EQ(row3, *f.peer->Invalidated[0]);
  EXPECT_EQ(f.grid.IndicatorRect(), *f.peer->Invalidated[1]);
}

}  // namespace
}  // namespace zv
