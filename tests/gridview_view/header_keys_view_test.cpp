// Ctrl+Space, the keyboard's way to the header actions: for every column it must do exactly what a
// left click on that column's header does (the same events, the same order of rows), with rows
// and without, and the space character that the key press also types must not tick a box.
#include <gtest/gtest.h>

#include "view_fixture.h"

namespace zv {
namespace {

using Log = std::vector<std::string>;

Log HeaderEvents(ViewFixture& f) {
  Log events;
  for (const std::string& line : f.TakeLog())
    if (line.rfind("HeaderClick", 0) == 0 || line.rfind("SortColumn", 0) == 0)
      events.push_back(line);
  return events;
}

// The key press as the window delivers it: the key, then the character it types.
void CtrlSpace(ViewFixture& f, TShiftState shift = ssCtrl) {
  f.grid.KeyDown(TKey::Space, shift);
  char16_t ch = u' ';
  f.grid.KeyPress(ch);
}

std::vector<bool> Boxes(ViewFixture& f, int col) {
  std::vector<bool> out;
  for (int r = 0; r < f.grid.RowCount(); ++r) out.push_back(f.Checked(col, r));
  return out;
}

TEST(GridHeaderKeys, CtrlSpaceDoesWhatAHeaderClickDoesOnEveryColumn) {
  struct Case {
    int col;
    Log expected;  // twice in a row, as two clicks would
  } cases[] = {
      {kNumColumn, {}},
      {kDownLoadColumn, {"HeaderClick 1", "HeaderClick 1"}},
      {kDeleteColumn, {"HeaderClick 2", "HeaderClick 2"}},
      {kFileColumn, {"HeaderClick 3", "SortColumn 3 1", "HeaderClick 3", "SortColumn 3 0"}},
      {kSizeColumn, {"HeaderClick 4", "SortColumn 4 1", "HeaderClick 4", "SortColumn 4 0"}},
  };
  const std::vector<std::u16string> names{u"03-01-24_1.jpg", u"01-02-24_2.jpg", u"02-01-24_3.jpg",
                                          u"01-01-24_4.jpg"};
  for (const Case& c : cases) {
    for (int rows : {4, 0}) {
      const std::string what = "column " + std::to_string(c.col) + ", rows " + std::to_string(rows);
      ViewFixture mouse, keys;
      mouse.Fill(rows, names);
      keys.Fill(rows, names);
      keys.grid.SelectCell(c.col, 0, 0);
      ASSERT_EQ(c.col, keys.grid.SelectedColumn()) << what;
      mouse.TakeLog();
      keys.TakeLog();
      std::vector<Log> orders;
      for (int i = 0; i < 2; ++i) {
        mouse.Click(mouse.HeaderPoint(c.col));
        CtrlSpace(keys);
        EXPECT_EQ(mouse.FileColumn(), keys.FileColumn()) << what << ", press " << i;
        // The typed space ticked nothing, even in a box column.
        EXPECT_EQ(Boxes(mouse, kDeleteColumn), Boxes(keys, kDeleteColumn)) << what;
        EXPECT_EQ(Boxes(mouse, kDownLoadColumn), Boxes(keys, kDownLoadColumn)) << what;
      }
      const Log byMouse = HeaderEvents(mouse);
      EXPECT_EQ(c.expected, byMouse) << what;
      EXPECT_EQ(byMouse, HeaderEvents(keys)) << what;
    }
  }
}

TEST(GridHeaderKeys, OnlyCtrlSpaceClicksTheHeaderAndPlainSpaceStillTicks) {
  ViewFixture f;
  f.Fill(3);
  f.grid.SelectCell(kDeleteColumn, 1, 0);
  f.TakeLog();
  f.grid.KeyDown(TKey::Space, ssCtrl | ssAlt);  // another chord: no header click
  CtrlSpace(f, ssShift);
  EXPECT_EQ(Log{}, HeaderEvents(f));
  EXPECT_EQ((std::vector<bool>{false, true, false}), Boxes(f, kDeleteColumn))
      << "Shift+Space is the space bar: it ticks the current box";
  CtrlSpace(f, ssCtrl | ssShift);
  EXPECT_EQ(Log{"HeaderClick 2"}, HeaderEvents(f));
  // The next plain space after Ctrl+Space is a tick again.
  f.grid.KeyDown(TKey::Space, 0);
  char16_t space = u' ';
  f.grid.KeyPress(space);
  EXPECT_EQ((std::vector<bool>{false, false, false}), Boxes(f, kDeleteColumn));
}

TEST(GridHeaderKeys, AColumnWithoutAHeaderToClickRaisesNothing) {
  struct Case {
    const char* what;
    void (*change)(TGridView&);
  } cases[] = {
      {"hidden column", [](TGridView& g) { g.Columns()[kDownLoadColumn].SetVisible(false); }},
      {"no header band", [](TGridView& g) { g.SetOptions(g.Options() - TGridOptions{goHeader}); }},
  };
  for (const Case& c : cases) {
    ViewFixture f;
    f.Fill(2);
    f.grid.SelectCell(kDownLoadColumn, 0, 0);
    c.change(f.grid);
    f.TakeLog();
    f.grid.ClickHeader(kDownLoadColumn);
    f.grid.ClickHeader(-1);
    f.grid.ClickHeader(f.grid.Columns().Count());
    EXPECT_EQ(Log{}, HeaderEvents(f)) << c.what;
  }
}

}  // namespace
}  // namespace zv
