// The photo grid's columns as the form sets them, and the listing's way of filling the grid.
#include "gridview/photo_columns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridview/recording_grid_view_sink.h"
#include "store_check.h"

namespace zv {
namespace {

TEST(PhotoColumns, AreSetUpAsTheForm) {
  TGridView grid;
  SetupPhotoGrid(grid);
  EXPECT_EQ((TGridOptions{goDissableColumnMoving, goGrid, goHeader, goIndicator, goSelectFullRow}),
            grid.Options());
  EXPECT_EQ(16, grid.RowSize());
  const TColumnOptions check{coCanClick, coEditing, coCanInput, coEditorAutoSelect, coPublicUsing};
  struct Case {
    const char* name;
    TCellKind kind;
    std::u16string caption;
    TDisplayMode display;
    int width;
    TAlignment alignment;
    TColumnOptions options;
    bool sorted;
    TSortKind sortKind;
    TSortType sortType;
  } cases[] = {
      {"Num",
       ckIncrement,
       u"#",
       dmTextAndImage,
       25,
       taLeftJustify,
       {coEditorAutoSelect, coPublicUsing},
       false,
       skAscending,
       stAlphabetic},
      {"DownLoad", ckBoolean, u"", dmImageOnly, 25, taCenter, check, false, skAscending, stBoolean},
      {"Delete", ckBoolean, u"", dmImageOnly, 25, taCenter, check, false, skDescending, stBoolean},
      {"File",
       ckString,
       u"Файл",
       dmTextAndImage,
       559,
       taLeftJustify,
       {coAutoSize, coCanClick, coCanSort, coEditorAutoSelect, coPublicUsing},
       true,
       skDescending,
       stAlphabetic},
      {"Size",
       ckString,
       u"Размер",
       dmTextOnly,
       81,
       taLeftJustify,
       {coCanClick, coCanSort, coEditorAutoSelect, coPublicUsing},
       false,
       skAscending,
       stAlphabetic},
  };
  ASSERT_EQ(5, grid.Columns().Count());
  for (int i = 0; i < 5; ++i) {
    const Case& c = cases[i];
    TCustomColumn& col = grid.Columns()[i];
    EXPECT_EQ(c.name, col.Name);
    EXPECT_EQ(i, col.ColumnIndex());
    EXPECT_EQ(i, col.Position()) << c.name;
    EXPECT_EQ(&col, &grid.Columns().DisplayItem(i)) << c.name;
    EXPECT_EQ(c.kind, col.CellKind()) << c.name;
    EXPECT_EQ(c.caption, col.Header().Caption()) << c.name;
    EXPECT_EQ(c.display, col.Header().DisplayMode()) << c.name;
    EXPECT_EQ(c.alignment, col.Alignment()) << c.name;
    EXPECT_EQ(c.options, col.Options()) << c.name;
    EXPECT_EQ(c.sorted, col.Sorted()) << c.name;
    EXPECT_EQ(c.sortKind, col.SortKind()) << c.name;
    EXPECT_EQ(c.sortType, col.SortType()) << c.name;
    EXPECT_EQ(clWindow, col.Color()) << c.name;
    EXPECT_EQ(vaMiddle, col.VerticalAlignment()) << c.name;
    EXPECT_EQ(wkEllipsis, col.WrapKind()) << c.name;
    if (i != kFileColumn) {  // File is auto-sized
      EXPECT_EQ(c.width, col.Width()) << c.name;
    }
  }
  EXPECT_FALSE(grid.Loading());
}

TEST(PhotoColumns, ListingFillsRowsInOneBatch) {
  TGridView grid;
  SetupPhotoGrid(grid);
  RecordingGridViewSink sink;
  grid.SetSink(&sink);
  int changes = 0;
  grid.OnChange = [&](TObject*, int, int) { ++changes; };
  grid.ClearRows();
  grid.BeginUpdate();
  for (int i = 0; i < 3; ++i) {
    grid.AddRows(1);
    grid.Cell(u"DownLoad", u"Last").SetAsBoolean(true);
    grid.Cell(u"Delete", u"Last").SetAsBoolean(false);
    grid.Cell(u"File", u"Last")
        .SetAsString(u"0" + std::u16string(1, char16_t(u'1' + i)) + u"-02-24_1234.jpg");
    grid.Cell(u"Size", u"Last").SetAsInteger(1000 * (i + 1));
  }
  grid.EndUpdate();
  testing::CheckStore(grid);
  EXPECT_EQ(3, grid.RowCount());
  EXPECT_EQ(0, changes);
  int invalidations = 0;
  for (const std::string& call : sink.Calls)
    if (call.rfind("Invalidate", 0) == 0 && call != "InvalidateRow 0" && call != "InvalidateRow 1")
      ++invalidations;
  // ClearRows' two, then one for the whole batch (no per-row or per-cell repaint).
  EXPECT_EQ(3, invalidations);
  // What the download run and the preview read back.
  EXPECT_TRUE(grid.CellAt(kDownLoadColumn, 2).AsBoolean());
  EXPECT_FALSE(grid.CellAt(kDeleteColumn, 2).AsBoolean());
  EXPECT_EQ(u"03-02-24_1234.jpg", grid.CellAt(kFileColumn, 2).AsString());
  EXPECT_EQ(3000, grid.CellAt(kSizeColumn, 2).AsInteger());
  EXPECT_EQ(u"3", grid.CellAt(kNumColumn, 2).AsString());
}

}  // namespace
}  // namespace zv
