// The grid in the hand: header clicks and sorting, check-box clicks with their events, double
// clicks, selection and column resizing, on the headless photo grid.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace zv {
namespace {

using Log = std::vector<std::string>;

bool Contains(const Log& log, const std::string& line) {
  return std::find(log.begin(), log.end(), line) != log.end();
}

int CountOf(const Log& log, const std::string& prefix) {
  return static_cast<int>(std::count_if(
      log.begin(), log.end(), [&](const std::string& s) { return s.rfind(prefix, 0) == 0; }));
}

TEST(GridMouse, HeaderClicksRaiseTheirEventAndSortOnlySortableColumns) {
  struct Case {
    const char* what;
    int pressCol, releaseCol;
    TMouseButton button;
    Log expected;  // header and sort events, in order
  } cases[] = {
      {"left on DownLoad",
       kDownLoadColumn,
       kDownLoadColumn,
       TMouseButton::mbLeft,
       {"HeaderClick 1"}},
      {"right on DownLoad",
       kDownLoadColumn,
       kDownLoadColumn,
       TMouseButton::mbRight,
       {"HeaderClick 1"}},
      {"left on Delete", kDeleteColumn, kDeleteColumn, TMouseButton::mbLeft, {"HeaderClick 2"}},
      {"left on Num", kNumColumn, kNumColumn, TMouseButton::mbLeft, {}},
      // The event follows the press, the sort the release.
      {"Delete to File",
       kDeleteColumn,
       kFileColumn,
       TMouseButton::mbLeft,
       {"HeaderClick 2", "SortColumn 3 1"}},
      {"right on File", kFileColumn, kFileColumn, TMouseButton::mbRight, {"HeaderClick 3"}},
      {"left on Size",
       kSizeColumn,
       kSizeColumn,
       TMouseButton::mbLeft,
       {"HeaderClick 4", "SortColumn 4 1"}},
  };
  for (const Case& c : cases) {
    ViewFixture f;
    f.Fill(5);
    f.TakeLog();
    f.Press(f.HeaderPoint(c.pressCol), c.button);
    f.Release(f.HeaderPoint(c.releaseCol), c.button);
    Log events;
    for (const std::string& line : f.TakeLog())
      if (line.rfind("HeaderClick", 0) == 0 || line.rfind("SortColumn", 0) == 0)
        events.push_back(line);
    EXPECT_EQ(c.expected, events) << c.what;
    EXPECT_EQ(nullptr, f.grid.PressedHeaderColumn) << c.what;
    EXPECT_EQ(nullptr, f.grid.PressedColumn()) << c.what;
    EXPECT_EQ((TPoint{-1, -1}), f.grid.PressPoint()) << c.what;
    for (int r = 0; r < 5; ++r) EXPECT_TRUE(f.Checked(kDownLoadColumn, r)) << c.what;
  }
}

TEST(GridMouse, FileHeaderTwiceGivesAscendingThenTheExactReverse) {
  ViewFixture f;
  f.Fill(6, {u"03-01-24_1.jpg", u"01-02-24_2.jpg", u"02-01-24_3.jpg", u"01-01-24_4.jpg",
             u"03-01-24_0.jpg", u"01-01-24_4.jpg"});
  f.TakeLog();
  f.Click(f.HeaderPoint(kFileColumn));
  const std::vector<std::u16string> ascending = f.FileColumn();
  EXPECT_TRUE(std::is_sorted(ascending.begin(), ascending.end())) << "ascending";
  f.Click(f.HeaderPoint(kFileColumn));
  std::vector<std::u16string> reversed(ascending.rbegin(), ascending.rend());
  EXPECT_EQ(reversed, f.FileColumn());
  Log sorts;
  for (const std::string& line : f.TakeLog())
    if (line.rfind("HeaderClick", 0) == 0 || line.rfind("SortColumn", 0) == 0)
      sorts.push_back(line);
  EXPECT_EQ((Log{"HeaderClick 3", "SortColumn 3 1", "HeaderClick 3", "SortColumn 3 0"}), sorts);
}

TEST(GridMouse, ClickOnACheckBoxTogglesItWithEveryEventInOrder) {
  ViewFixture f;
  f.Fill(5);
  f.TakeLog();
  f.Click(f.CellPoint(kDownLoadColumn, 2));
  EXPECT_FALSE(f.Checked(kDownLoadColumn, 2));
  EXPECT_EQ(
      (Log{"DeselectCell 0 0", "SelectCell 1 2", "MouseDown 0", "Click", "MouseUp 0",
           "CellClick 1 2", "BeforeEdit 1 2", "EditAccept 1 2 0", "Change 1 2", "AfterEdit 1 2"}),
      f.TakeLog());
  EXPECT_EQ(2, f.grid.SelectedRow());
  EXPECT_TRUE(f.grid.Rows()[2].Marked);
  // The Delete box of the same row: ticked.
  f.Click(f.CellPoint(kDeleteColumn, 2));
  EXPECT_TRUE(f.Checked(kDeleteColumn, 2));
}

TEST(GridMouse, ClicksThatMustNotToggle) {
  struct Case {
    const char* what;
    TPoint press, release;  // in cell (DownLoad, 1) unless said otherwise
    bool cellClick;
  };
  ViewFixture probe;
  probe.Fill(5);
  const TRect cell = probe.grid.CellRect(kDownLoadColumn, 1);  // (37, 35)-(61, 51)
  const TPoint corner{cell.Left + 1, cell.Top + 1};            // inside the cell, outside the box
  const Case cases[] = {
      {"outside the box", corner, corner, true},
      {"press on one box, release on another", probe.CellPoint(kDownLoadColumn, 1),
       probe.CellPoint(kDeleteColumn, 2), false},
      {"press on a box, release below the rows",
       probe.CellPoint(kDownLoadColumn, 1),
       {cell.Left + 5, 240},
       false},
  };
  for (const Case& c : cases) {
    ViewFixture f;
    f.Fill(5);
    f.TakeLog();
    f.Press(c.press);
    f.Release(c.release);
    const Log log = f.TakeLog();
    for (int r = 0; r < 5; ++r) {
      EXPECT_TRUE(f.Checked(kDownLoadColumn, r)) << c.what;
      EXPECT_FALSE(f.Checked(kDeleteColumn, r)) << c.what;
    }
    EXPECT_EQ(c.cellClick ? 1 : 0, CountOf(log, "CellClick")) << c.what;
    EXPECT_EQ(0, CountOf(log, "Change")) << c.what;
    EXPECT_EQ(1, f.grid.SelectedRow()) << c.what;  // the press selected the row
  }
}

TEST(GridMouse, RefusedEditsLeaveTheBox) {
  for (bool refuseBefore : {true, false}) {
    ViewFixture f;
    f.Fill(3);
    if (refuseBefore)
      f.grid.OnBeforeEdit = [](TObject*, int, int, bool& accept) { accept = false; };
    else
      f.grid.OnEditAccept = [](TObject*, int, int, const std::u16string&, bool& accept) {
        accept = false;
      };
    f.Click(f.CellPoint(kDownLoadColumn, 0));
    EXPECT_TRUE(f.Checked(kDownLoadColumn, 0)) << refuseBefore;
  }
}

TEST(GridMouse, DoubleClickOnABoxTogglesTwiceAndRaisesOneDoubleClick) {
  ViewFixture f;
  f.Fill(4);
  f.TakeLog();
  f.DoubleClick(f.CellPoint(kDeleteColumn, 3));
  const Log log = f.TakeLog();
  EXPECT_FALSE(f.Checked(kDeleteColumn, 3));
  EXPECT_EQ(2, CountOf(log, "Change 2 3"));
  EXPECT_EQ(2, CountOf(log, "CellClick 2 3"));
  EXPECT_EQ(1, CountOf(log, "DblClick"));
  EXPECT_EQ(1, CountOf(log, "MouseDown"));  // the flagged second press raises nothing
  EXPECT_EQ(2, CountOf(log, "MouseUp"));
  EXPECT_EQ(3, f.grid.SelectedRow());
}

TEST(GridMouse, DoubleClickOutsideTheCellAreaRaisesNothing) {
  ViewFixture f;
  f.Fill(4);
  const TPoint places[] = {
      f.HeaderPoint(kFileColumn),     // header
      {5, f.CellPoint(0, 1).Y},       // indicator strip
      {f.grid.ClientWidth() - 1, 5},  // corner right of the header (no columns there? header)
  };
  for (TPoint p : places) {
    f.TakeLog();
    f.DoubleClick(p);
    EXPECT_EQ(0, CountOf(f.TakeLog(), "DblClick")) << p.X << "," << p.Y;
  }
  // Below the last row is still the cell area.
  f.DoubleClick({200, 200});
  EXPECT_EQ(1, CountOf(f.TakeLog(), "DblClick"));
}

TEST(GridMouse, PressesSelectRowsFromCellsAndIndicator) {
  ViewFixture f;
  f.Fill(8);
  f.Click(f.CellPoint(kFileColumn, 4));
  EXPECT_EQ(kFileColumn, f.grid.SelectedColumn());
  EXPECT_EQ(4, f.grid.SelectedRow());
  // The indicator strip keeps the column.
  f.Click({6, f.CellPoint(0, 6).Y});
  EXPECT_EQ(kFileColumn, f.grid.SelectedColumn());
  EXPECT_EQ(6, f.grid.SelectedRow());
  EXPECT_FALSE(f.grid.Rows()[4].Marked);
  EXPECT_TRUE(f.grid.Rows()[6].Marked);
  // Below the last row: the current row stays, in the column under the pointer.
  f.Click({f.CellPoint(kSizeColumn, 0).X, 240});
  EXPECT_EQ(kSizeColumn, f.grid.SelectedColumn());
  EXPECT_EQ(6, f.grid.SelectedRow());
  // The first click on the current row of a fresh grid marks it too.
  ViewFixture fresh;
  fresh.Fill(3);
  fresh.Click(fresh.CellPoint(kFileColumn, 0));
  EXPECT_TRUE(fresh.grid.Rows()[0].Marked);
}

TEST(GridMouse, AStaleCurrentRowAfterDeletionsDoesNotBreakAClick) {
  ViewFixture f;
  f.Fill(10);
  f.Click(f.CellPoint(kFileColumn, 9));
  for (int i = 0; i < 5; ++i) f.grid.DeleteRow(0);
  // Below the last row the press falls back to the current row, which no longer exists.
  EXPECT_NO_THROW(f.Click({200, 230}));
  EXPECT_NO_THROW(f.Click(f.CellPoint(kFileColumn, 1)));
  EXPECT_EQ(1, f.grid.SelectedRow());
  // The same with the keys: Up moves from the last row that is left.
  f.Click(f.CellPoint(kFileColumn, 4));
  f.grid.DeleteRow(0);
  f.grid.DeleteRow(0);
  char16_t space = u' ';
  EXPECT_NO_THROW(f.grid.KeyPress(space));
  f.grid.KeyDown(TKey::Up, 0);
  EXPECT_EQ(1, f.grid.SelectedRow());
}

TEST(GridMouse, DraggingAHeaderBorderResizesDownToEight) {
  ViewFixture f;
  f.Fill(3);
  TCustomColumn& del = f.grid.Columns()[kDeleteColumn];
  const int border = del.ColumnLeft + del.Width();  // 87
  f.grid.MouseMove(0, {border + 1, 5});
  EXPECT_EQ(TCursor::crHSplit, f.peer->Cursor);
  f.TakeLog();
  f.Press({border + 1, 5});
  EXPECT_TRUE(f.grid.GridState.Contains(TGridStateFlag::ResizingColumn));
  EXPECT_EQ(del.ColumnLeft - 1, f.grid.ResizeLineLeft());
  EXPECT_EQ(border - 1, f.grid.ResizeLineRight());
  f.grid.MouseMove(0, {border + 30, 100});
  EXPECT_EQ(30, f.grid.ResizeDelta);  // follows the pointer: x − left − width
  f.grid.MouseMove(0, {20, 100});
  EXPECT_EQ(8 - 25, f.grid.ResizeDelta);  // never narrower than 8
  EXPECT_EQ(del.ColumnLeft + 8 - 1, f.grid.ResizeLineRight());
  // Nothing but the drag happens while resizing: the release applies the width.
  f.Release({20, 100});
  EXPECT_EQ(8, del.Width());
  EXPECT_EQ(544 + 17, f.grid.Columns()[kFileColumn].Width());
  EXPECT_FALSE(f.grid.GridState.Contains(TGridStateFlag::ResizingColumn));
  const Log log = f.TakeLog();
  EXPECT_TRUE(Contains(log, "ColumnResize 2"));
  EXPECT_EQ(0, CountOf(log, "HeaderClick"));
  EXPECT_EQ(0, CountOf(log, "CellClick"));
}

TEST(GridMouse, LosingTheMouseMidGestureEndsItWithoutEffect) {
  ViewFixture f;
  f.Fill(3);
  f.Press(f.HeaderPoint(kFileColumn));
  ASSERT_EQ(&f.grid.Columns()[kFileColumn], f.grid.PressedHeaderColumn);
  EXPECT_TRUE(f.peer->Captured);
  f.grid.CaptureLost();  // e.g. a message box took the mouse
  EXPECT_EQ(nullptr, f.grid.PressedHeaderColumn);
  TCustomColumn& size = f.grid.Columns()[kSizeColumn];
  f.Press({size.ColumnLeft + size.Width() - 1, 5});
  f.grid.MouseMove(0, {size.ColumnLeft + 20, 5});
  f.grid.CaptureLost();
  EXPECT_FALSE(f.grid.GridState.Contains(TGridStateFlag::ResizingColumn));
  EXPECT_EQ(81, size.Width());
  // A release of the grid's own still raises its header click (giving the mouse back is no
  // loss).
  f.TakeLog();
  f.Click(f.HeaderPoint(kDownLoadColumn));
  EXPECT_EQ(1, CountOf(f.TakeLog(), "HeaderClick 1"));
  EXPECT_FALSE(f.peer->Captured);
}

TEST(GridMouse, CursorsFollowTheAreas) {
  ViewFixture f;
  f.Fill(3);
  f.grid.Columns()[kFileColumn].SetCursor(TCursor::crHandPoint);
  struct Case {
    TPoint p;
    TCursor cursor;
  } cases[] = {
      {{50, 5}, TCursor::crDefault},      // header, no border
      {{87, 5}, TCursor::crHSplit},       // the Delete/File border
      {{6, 30}, TCursor::crArrow},        // indicator beside a row
      {{6, 200}, TCursor::crDefault},     // indicator below the rows
      {{200, 30}, TCursor::crHandPoint},  // a File cell
      {{20, 30}, TCursor::crDefault},     // a Num cell
  };
  for (const Case& c : cases) {
    f.grid.MouseMove(0, c.p);
    EXPECT_EQ(c.cursor, f.peer->Cursor) << c.p.X << "," << c.p.Y;
  }
}

}  // namespace
}  // namespace zv
