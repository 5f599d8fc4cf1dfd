// Row operations: appending, removing and clearing rows, batches, what a cell write reports,
// CellText's range test, default values and the incremental search.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/recording_grid_view_sink.h"
#include "store_check.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::CheckStore;
using V = std::vector<std::string>;

class RowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetSink(&sink);
    grid.Columns().Add<TIncrementColumn>("Num");
    grid.Columns().Add<TCheckBoxColumn>("Box");
    grid.Columns().Add<TTextualColumn>("Text");
    grid.OnChange = [this](TObject*, int c, int r) {
      changes.push_back(std::to_string(c) + "," + std::to_string(r));
    };
    sink.Take();
  }
  // Appends rows whose text cells read "r0", "r1", ... and checks the store.
  void Fill(int n) {
    grid.BeginUpdate();
    for (int i = 0; i < n; ++i) {
      grid.AddRows(1);
      grid.Cell(u"Text", u"Last").SetAsString(u"r" + std::u16string(1, char16_t(u'0' + i)));
    }
    grid.EndUpdate();
    CheckStore(grid);
    sink.Take();
    changes.clear();
  }
  std::u16string Texts() {
    std::u16string out;
    for (int r = 0; r < grid.RowCount(); ++r) out += grid.CellAt(2, r).AsString() + u" ";
    return out;
  }
  TGridView grid;
  RecordingGridViewSink sink;
  V changes;
};

TEST_F(RowsTest, AddRowsOutsideABatchRepaintsTheNewRows) {
  grid.AddRows(2);
  CheckStore(grid);
  EXPECT_EQ((V{"InvalidateRows 0 1", "UpdateVerticalScrollRange"}), sink.Take());
  grid.AddRows(3);
  CheckStore(grid);
  // With goGrid the row that was last gets its bottom line repainted.
  EXPECT_EQ((V{"InvalidateRows 2 4", "InvalidateRow 1", "UpdateVerticalScrollRange"}), sink.Take());
  EXPECT_EQ(5, grid.RowCount());
  EXPECT_EQ(16, grid.Rows()[4].RowHeight);
  EXPECT_FALSE(grid.Rows()[4].Marked);
  EXPECT_TRUE(changes.empty());  // appended rows raise no OnChange
  grid.AddRows(0);
  grid.AddRows(-2);
  EXPECT_EQ(5, grid.RowCount());
  EXPECT_TRUE(sink.Take().empty());
}

TEST_F(RowsTest, WritesInABatchAreNeverReported) {
  grid.BeginUpdate();
  grid.BeginUpdate();
  grid.AddRows(1);
  grid.Cell(u"Box", u"Last").SetAsBoolean(true);
  grid.Cell(u"Text", u"Last").SetAsString(u"a");
  grid.EndUpdate();
  EXPECT_TRUE(sink.Take().empty());  // still inside the outer batch: no repaint, no range
  grid.EndUpdate();
  EXPECT_EQ((V{"InvalidateData", "UpdateVerticalScrollRange"}), sink.Take());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ(0, grid.UpdateCount());
  // An unpaired EndUpdate changes nothing, and later writes are reported again.
  grid.EndUpdate();
  EXPECT_EQ(0, grid.UpdateCount());
  grid.CellAt(1, 0).SetAsBoolean(false);
  EXPECT_EQ(V{"1,0"}, changes);
  EXPECT_EQ(V{"InvalidateCell 1 0"}, sink.Take());
}

TEST_F(RowsTest, DeleteRowMovesLaterRowsUpAndKeepsTheSelection) {
  Fill(5);
  grid.SetSelectedCell(1, 3);
  grid.Cells().Sort(2, stAlphabetic, true);
  grid.OnMeasuringRowHeight = [](TObject*, int index, int& h) { h += index; };
  grid.DeleteRow(1);
  CheckStore(grid);
  EXPECT_EQ(u"r4 r2 r1 r0 ", Texts());
  EXPECT_EQ(3, grid.SelectedRow());  // now on the row that moved up
  EXPECT_TRUE(grid.Cells().SortValid());
  EXPECT_TRUE(changes.empty());
  // Row 1 is 16 + 1 (measured) high, plus the grid line.
  EXPECT_EQ((V{"CloseEditor", "UpdateVerticalScrollRange", "ScrollUpAfterDelete 1 18",
               "InvalidateSelection", "UpdateVerticalScrollRange"}),
            sink.Take());
  EXPECT_EQ(u"4", grid.CellAt(0, 3).AsString());  // the running number follows the position
}

TEST_F(RowsTest, DeleteRowWithABadIndexChangesNothing) {
  Fill(2);
  for (int bad : {-1, 2, 100}) {
    try {
      grid.DeleteRow(bad);
      ADD_FAILURE() << bad;
    } catch (const EListError& e) {
      EXPECT_EQ("List index out of bounds (" + std::to_string(bad) + ")", std::string(e.what()));
    }
    CheckStore(grid);
    EXPECT_EQ(u"r0 r1 ", Texts());
  }
}

TEST_F(RowsTest, DeleteWithoutGridLines) {
  Fill(2);
  grid.SetOptions(grid.Options() - TGridOptions{goGrid});
  sink.Take();
  grid.DeleteRow(0);
  EXPECT_EQ("ScrollUpAfterDelete 0 16", sink.Take()[2]);
}

TEST_F(RowsTest, ClearRowsKeepsTheSelectionAndForgetsTheSort) {
  Fill(4);
  grid.SetSelectedCell(2, 3);
  grid.Rows()[3].Marked = true;
  grid.Cells().Sort(2, stAlphabetic, false);
  grid.ClearRows();
  CheckStore(grid);
  EXPECT_EQ(0, grid.RowCount());
  EXPECT_EQ(3, grid.SelectedRow());
  EXPECT_EQ(2, grid.SelectedColumn());
  EXPECT_FALSE(grid.Cells().SortValid());
  EXPECT_TRUE(changes.empty());
  EXPECT_EQ((V{"CloseEditor", "InvalidateData", "InvalidateIndicator",
               "UpdateHorizontalScrollRange", "UpdateVerticalScrollRange"}),
            sink.Take());
  // The store is usable again.
  Fill(2);
  EXPECT_EQ(u"r0 r1 ", Texts());
}

TEST_F(RowsTest, SortMemoryIsClearedByWritesAndAddRowsButNotByDelete) {
  Fill(3);
  struct Case {
    const char* what;
    std::function<void()> action;
    bool validAfter;
  } cases[] = {
      {"write", [&] { grid.CellAt(0, 1).SetAsInteger(1); }, false},
      {"colour", [&] { grid.CellAt(1, 1).SetColor(clRed); }, false},
      {"style and hint",
       [&] {
         grid.CellAt(1, 1).SetFontStyle(fsBold);
         grid.CellAt(1, 1).SetHint("h");
       },
       true},
      {"add rows", [&] { grid.AddRows(1); }, false},
      {"add no rows", [&] { grid.AddRows(0); }, false},
      {"add a negative count", [&] { grid.AddRows(-1); }, false},
      {"delete row", [&] { grid.DeleteRow(0); }, true},
      {"read", [&] { (void)grid.CellAt(2, 0).AsString(); }, true},
      {"clear rows", [&] { grid.ClearRows(); }, false},
  };
  for (const auto& c : cases) {
    grid.Cells().Sort(2, stAlphabetic, false);
    ASSERT_TRUE(grid.Cells().SortValid());
    c.action();
    CheckStore(grid);
    EXPECT_EQ(c.validAfter, grid.Cells().SortValid()) << c.what;
  }
}

TEST_F(RowsTest, CellTextChecksTheRange) {
  Fill(2);
  EXPECT_EQ(u"r1", grid.CellText(2, 1));
  grid.SetCellText(1, 0, u"true");
  EXPECT_TRUE(grid.CellAt(1, 0).AsBoolean());
  struct Case {
    int col, row;
  } cases[] = {{-1, 0}, {3, 0}, {0, -1}, {0, 2}, {5, 7}};
  for (const Case& c : cases) {
    const std::string expected =
        "Cell out of bounds (" + std::to_string(c.col) + ", " + std::to_string(c.row) + ")";
    try {
      grid.CellText(c.col, c.row);
      ADD_FAILURE() << expected;
    } catch (const EGridError& e) {
      EXPECT_EQ(expected, std::string(e.what()));
    }
    EXPECT_THROW(grid.SetCellText(c.col, c.row, u"x"), EGridError) << expected;
  }
  CheckStore(grid);
}

TEST_F(RowsTest, CellAtChecksColumnThenRow) {
  Fill(2);
  struct Case {
    int col, row;
    const char* message;
  } cases[] = {{3, 0, "List index out of bounds (3)"},
               {-1, 0, "List index out of bounds (-1)"},
               {0, 2, "List index out of bounds (2)"},
               {9, 9, "List index out of bounds (9)"}};
  for (const Case& c : cases) {
    try {
      grid.CellAt(c.col, c.row);
      ADD_FAILURE() << c.message;
    } catch (const EListError& e) {
      EXPECT_EQ(c.message, std::string(e.what()));
    }
  }
}

TEST_F(RowsTest, DefaultValuesAreWrittenIntoNewRows) {
  grid.Columns()[1].SetDefaultValue(u"TRUE");
  grid.Columns()[2].SetDefaultValue(u"new");
  grid.AddRows(1);
  EXPECT_FALSE(grid.CellAt(1, 0).AsBoolean());  // only with goUseDefaultValues
  grid.SetOptions(grid.Options() + TGridOptions{goUseDefaultValues});
  sink.Take();
  grid.AddRows(2);
  CheckStore(grid);
  EXPECT_TRUE(grid.CellAt(1, 2).AsBoolean());
  EXPECT_EQ(u"new", grid.CellAt(2, 1).AsString());
  // Ordinary writes: reported outside a batch, row by row, column by column.
  EXPECT_EQ((V{"1,1", "2,1", "1,2", "2,2"}), changes);
}

TEST_F(RowsTest, IncrementalSearchWrapsAroundFromTheSelectedRow) {
  grid.BeginUpdate();
  for (const char16_t* t : {u"apple", u"Banana", u"avocado", u"ab", u"Яблоко"}) {
    grid.AddRows(1);
    grid.Cell(u"Text", u"Last").SetAsString(t);
  }
  grid.EndUpdate();
  grid.SetSelectedCell(1, 0);
  sink.VisibleRows = 2;
  struct Case {
    std::u16string text;
    bool found;
    int selected;
  } cases[] = {
      {u"A", true, 2},    {u"a", true, 3},   {u"A", true, 0},  {u"BAN", true, 1},
      {u"abc", false, 1}, {u"яб", false, 1}, {u"Яб", true, 4}, {u"", true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.found, grid.IncrementalSearch(2, c.text));
    EXPECT_EQ(c.selected, grid.SelectedRow());
    EXPECT_EQ(1, grid.SelectedColumn());
  }
  // Rows outside the two shown rows were scrolled to.
  V calls = sink.Take();
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "ScrollToRow 2"));
  EXPECT_NE(calls.end(), std::find(calls.begin(), calls.end(), "ScrollToRow 4"));
}

}  // namespace
}  // namespace zv
