// Addressing a cell by keys: the keywords, column names, numbers and texts of numbers, and the
// errors of keys that resolve to nothing.
#include <gtest/gtest.h>

#include <string>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "store_check.h"
#include "ui/errors.h"

namespace zv {
namespace {

constexpr const char* kVariantError =
    "Could not convert variant of type (String) into type (Integer)";

class KeysTest : public ::testing::Test {
 protected:
  void SetUp() override { AddPhotoGridColumns(grid); }
  // The (column, row) that the keys reach, or the error text.
  std::string Resolve(const TCellKey& col, const TCellKey& row) {
    try {
      TCell& cell = grid.Cell(col, row);
      return std::to_string(cell.Col()) + "," + std::to_string(cell.Row());
    } catch (const Exception& e) {
      return e.what();
    }
  }
  TGridView grid;
};

TEST_F(KeysTest, LastWithNoRowsIsRowMinusOne) {
  EXPECT_EQ("List index out of bounds (-1)", Resolve(u"File", u"Last"));
  EXPECT_EQ("List index out of bounds (0)", Resolve(u"File", u"First"));
}

TEST_F(KeysTest, KeysResolveToIndices) {
  grid.AddRows(6);
  grid.SetSelectedCell(2, 4);
  struct Case {
    TCellKey col, row;
    std::string expected;
  } cases[] = {
      {u"DownLoad", u"Last", "1,5"},
      {u"Delete", u"LAST", "2,5"},
      {u"File", u"lAsT", "3,5"},
      {u"Size", u"first", "4,0"},
      {3, 2, "3,2"},
      {u"3", u"2", "3,2"},
      {u"File", u" 2", "3,2"},
      {u"File", u"2,4", "3,2"},  // a number with a fraction is rounded
      {u"Selected", u"Selected", "2,4"},
      {u"FIRST", 1, "0,1"},
      {u"Last", 1, "4,1"},
      {u"Num", u"Selected", "0,4"},
      {u"file", u"Last", kVariantError},
      {u"Size", u"end", kVariantError},
      {u"", 0, kVariantError},
      {u"File", 6, "List index out of bounds (6)"},
      {5, 0, "List index out of bounds (5)"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(c.expected, Resolve(c.col, c.row))
        << std::string(c.col.Text().begin(), c.col.Text().end()) << " / "
        << std::string(c.row.Text().begin(), c.row.Text().end());
  testing::CheckStore(grid);
}

TEST_F(KeysTest, SelectedColumnIsZeroInANewGrid) {
  grid.AddRows(1);
  EXPECT_EQ("0,0", Resolve(u"Selected", u"Last"));
}

TEST_F(KeysTest, AKeywordWinsOverAColumnName) {
  grid.Columns().Add<TTextualColumn>("First");
  grid.AddRows(1);
  EXPECT_EQ("0,0", Resolve(u"First", 0));
  EXPECT_EQ("5,0", Resolve(u"Last", 0));
  EXPECT_EQ("5,0", Resolve(5, 0));
}

TEST_F(KeysTest, BothKeysResolveBeforeTheIndexCheck) {
  // With no rows "Last" is -1, but the bad column key fails first.
  EXPECT_EQ(kVariantError, Resolve(u"nothing", u"Last"));
}

}  // namespace
}  // namespace zv
