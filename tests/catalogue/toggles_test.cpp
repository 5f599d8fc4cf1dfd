// The column-wide check toggles on the DownLoad and Delete headers.
#include "catalogue/toggles.h"

#include <gtest/gtest.h>

#include "gridview/photo_columns.h"

namespace zv {
namespace {

class Toggles : public ::testing::Test {
 protected:
  Toggles() { SetupPhotoGrid(grid); }
  // Rows as a fresh listing leaves them: download checked, delete clear.
  void Listed(int rows) {
    grid.ClearRows();
    grid.AddRows(rows);
    for (int r = 0; r < rows; ++r) {
      grid.CellAt(kDownLoadColumn, r).SetAsBoolean(true);
      grid.CellAt(kDeleteColumn, r).SetAsBoolean(false);
      grid.CellAt(kFileColumn, r).SetAsString(u"05-12-07_" + std::u16string(1, u'0' + r));
    }
  }
  void Click(int col) { ToggleCheckColumn(grid, col, AllDownloadChecked, AllDeleteChecked); }
  // The boxes of a column from the top, as "1" and "0".
  std::string Boxes(int col) {
    std::string s;
    for (int r = 0; r < grid.RowCount(); ++r) s += grid.CellAt(col, r).AsBoolean() ? '1' : '0';
    return s;
  }

  TGridView grid;
  bool AllDownloadChecked = true;
  bool AllDeleteChecked = false;
};

TEST_F(Toggles, DownLoadHeaderClearsThenChecks) {
  Listed(3);
  Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "000");
  EXPECT_FALSE(AllDownloadChecked);
  Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "111");
  EXPECT_TRUE(AllDownloadChecked);
  EXPECT_EQ(Boxes(kDeleteColumn), "000");
}

TEST_F(Toggles, DeleteHeaderChecksFirst) {
  Listed(3);
  Click(kDeleteColumn);
  EXPECT_EQ(Boxes(kDeleteColumn), "111");
  EXPECT_TRUE(AllDeleteChecked);
  EXPECT_EQ(Boxes(kDownLoadColumn), "111");
}

TEST_F(Toggles, FlagAloneDecidesAfterHandChanges) {
  Listed(4);
  grid.CellAt(kDeleteColumn, 1).SetAsBoolean(true);
  grid.CellAt(kDeleteColumn, 3).SetAsBoolean(true);
  grid.CellAt(kDownLoadColumn, 0).SetAsBoolean(false);
  Click(kDeleteColumn);
  EXPECT_EQ(Boxes(kDeleteColumn), "1111");
  grid.CellAt(kDeleteColumn, 2).SetAsBoolean(false);
  Click(kDeleteColumn);
  EXPECT_EQ(Boxes(kDeleteColumn), "0000");
  Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "0000");
}

TEST_F(Toggles, OddClicksThenANewListing) {
  Listed(2);
  for (int i = 0; i < 3; ++i) Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "00");
  Listed(2);  // the listing checks every download box and leaves the flag
  Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "11");
  Click(kDownLoadColumn);
  EXPECT_EQ(Boxes(kDownLoadColumn), "00");
}

TEST_F(Toggles, OtherColumnsChangeNothing) {
  Listed(3);
  grid.CellAt(kDeleteColumn, 1).SetAsBoolean(true);
  for (int col : {kNumColumn, kFileColumn, kSizeColumn, -1, 7}) {
    Click(col);
    EXPECT_EQ(Boxes(kDownLoadColumn), "111") << col;
    EXPECT_EQ(Boxes(kDeleteColumn), "010") << col;
    EXPECT_TRUE(AllDownloadChecked) << col;
    EXPECT_FALSE(AllDeleteChecked) << col;
  }
}

TEST_F(Toggles, FlagsInvertWithNoRows) {
  Click(kDownLoadColumn);
  Click(kDeleteColumn);
  EXPECT_FALSE(AllDownloadChecked);
  EXPECT_TRUE(AllDeleteChecked);
  Listed(2);
  Click(kDownLoadColumn);  // checks: the flag was turned by the click on the empty grid
  EXPECT_EQ(Boxes(kDownLoadColumn), "11");
  Click(kDeleteColumn);
  EXPECT_EQ(Boxes(kDeleteColumn), "00");
}

}  // namespace
}  // namespace zv
