// Removing the rows of deleted photos in one pass gives the rows that the scan-until-none
// removal (highest marked row first, one scan per row) gives, and repaints what moved.
#include "archive/row_removal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "gridview/photo_columns.h"
#include "gridview/recording_grid_view_sink.h"

namespace zv {
namespace {

void Fill(TGridView& grid, const std::vector<bool>& marks) {
  grid.ClearRows();
  grid.AddRows(static_cast<int>(marks.size()));
  for (int r = 0; r < grid.RowCount(); ++r) {
    grid.CellAt(kDownLoadColumn, r).SetAsBoolean(r % 3 == 0);
    grid.CellAt(kDeleteColumn, r).SetAsBoolean(marks[r]);
    grid.CellAt(kFileColumn, r).SetAsString(u"05-12-07_" + std::u16string(1, u'A' + r));
    grid.CellAt(kSizeColumn, r).SetAsInteger(r);
  }
}

// Every cell of every row as text, from the top.
std::vector<std::u16string> Rows(TGridView& grid) {
  std::vector<std::u16string> rows;
  for (int r = 0; r < grid.RowCount(); ++r) {
    std::u16string row;
    for (int c = 1; c < grid.Columns().Count(); ++c) row += grid.CellAt(c, r).AsString() + u"|";
    rows.push_back(row);
  }
  return rows;
}

// The removal as the run was first described: scan, delete the highest marked row, repeat.
void ScanUntilNone(TGridView& grid) {
  for (;;) {
    int highest = -1;
    for (int r = 0; r < grid.RowCount(); ++r) {
      if (grid.CellAt(kDeleteColumn, r).AsBoolean()) highest = r;
    }
    if (highest < 0) return;
    grid.DeleteRow(highest);
  }
}

TEST(RemoveMarkedRows, SameRowsAsScanUntilNone) {
  std::mt19937 random(7);
  std::vector<std::vector<bool>> patterns = {
      {},
      {true},
      {false},
      {true, false, false, true, false, false},  // rows 1 and 4 of six
      {false, false, true, true},
      {true, true, true},
      {false, false, false}};
  for (int i = 0; i < 40; ++i) {
    std::vector<bool> marks(random() % 30);
    for (size_t k = 0; k < marks.size(); ++k) marks[k] = random() % 3 == 0;
    patterns.push_back(marks);
  }
  for (const auto& marks : patterns) {
    TGridView expected, actual;
    SetupPhotoGrid(expected);
    SetupPhotoGrid(actual);
    Fill(expected, marks);
    Fill(actual, marks);
    ScanUntilNone(expected);
    const int removed = RemoveMarkedRows(actual, marks);
    EXPECT_EQ(Rows(actual), Rows(expected));
    EXPECT_EQ(removed, static_cast<int>(std::count(marks.begin(), marks.end(), true)));
    EXPECT_EQ(actual.Rows().Count(), actual.RowCount());
  }
}

TEST(RemoveMarkedRows, RepaintsTheRowsThatMovedUp) {
  TGridView grid;
  SetupPhotoGrid(grid);
  RecordingGridViewSink sink;
  grid.SetSink(&sink);
  Fill(grid, {true, false, false, true, false, false});
  sink.Take();
  RemoveMarkedRows(grid, {true, false, false, true, false, false});
  const std::vector<std::string> calls = sink.Take();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "InvalidateData"), calls.end());
  Fill(grid, {false, false});
  sink.Take();
  RemoveMarkedRows(grid, {false, false});  // nothing removed, nothing repainted
  EXPECT_TRUE(sink.Take().empty());
}

}  // namespace
}  // namespace zv
