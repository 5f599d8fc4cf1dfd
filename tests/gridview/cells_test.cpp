// Cell values: the read and write conversion tables of every cell class, the conversion texts and
// their errors, rounding, and what a cell write reports.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "gridview/conversions.h"
#include "gridview/grid.h"
#include "store_check.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::CheckStore;

// A column whose text lives with its owner (no library column uses virtual cells).
class VirtualColumn : public TCustomColumn {
 public:
  explicit VirtualColumn(TColumns& columns) : TCustomColumn(columns) { SetCellKind(ckVirtual); }
};

enum Col { kBool, kInt, kFloat, kDate, kString, kIncrement };

class CellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.Columns().Add<TCheckBoxColumn>("B");
    grid.Columns().Add<TImageColumn>("I");
    grid.Columns().Add<TNumericColumn>("F");
    grid.Columns().Add<TDateColumn>("D");
    grid.Columns().Add<TTextualColumn>("S");
    grid.Columns().Add<TIncrementColumn>("N");
    grid.AddRows(5);
    grid.OnChange = [this](TObject*, int c, int r) { changes.push_back({c, r}); };
    CheckStore(grid);
  }
  std::string ErrorOf(const std::function<void()>& f) {
    try {
      f();
    } catch (const EConvertError& e) {
      return e.what();
    }
    return "(no error)";
  }
  TGridView grid;
  std::vector<std::pair<int, int>> changes;
};

TEST_F(CellsTest, NewCellsHoldTheirInitialValues) {
  EXPECT_FALSE(grid.CellAt(kBool, 0).AsBoolean());
  EXPECT_EQ(0, grid.CellAt(kInt, 0).AsInteger());
  EXPECT_EQ(0.0, grid.CellAt(kFloat, 0).AsFloat());
  EXPECT_EQ(0.0, grid.CellAt(kDate, 0).AsDateTime());
  EXPECT_EQ(u"", grid.CellAt(kString, 0).AsString());
  EXPECT_EQ(u"3", grid.CellAt(kIncrement, 2).AsString());
  EXPECT_EQ(clWindow, grid.CellAt(kString, 0).Color());
  EXPECT_EQ(0u, grid.CellAt(kString, 0).FontStyle());
  EXPECT_EQ("", grid.CellAt(kString, 0).Hint());
}

TEST_F(CellsTest, ReadsFollowTheTable) {
  const TDateTime when = EncodeDateTime(2024, 3, 5, 14, 7, 9);
  grid.CellAt(kBool, 0).SetAsBoolean(true);
  grid.CellAt(kInt, 0).SetAsInteger(42);
  grid.CellAt(kFloat, 0).SetAsFloat(2.5);
  grid.CellAt(kDate, 0).SetAsDateTime(when);
  grid.CellAt(kString, 0).SetAsString(u"12");
  grid.CellAt(kIncrement, 4).SetAsInteger(99);  // stores nothing
  struct Case {
    int col, row;
    bool b;
    double d, x;
    int n;
    std::u16string s;
  } cases[] = {
      {kBool, 0, true, 0, 0, 0, u"True"},
      {kInt, 0, false, 0, 42, 42, u"42"},
      {kFloat, 0, false, 2.5, 2.5, 2, u"2,5"},
      {kDate, 0, false, when, when, 45357, u"05.03.2024 14:07:09"},
      {kIncrement, 4, false, 0, 5, 5, u"5"},
  };
  for (const Case& c : cases) {
    TCell& cell = grid.CellAt(c.col, c.row);
    EXPECT_EQ(c.b, cell.AsBoolean()) << c.col;
    EXPECT_EQ(c.d, cell.AsDateTime()) << c.col;
    EXPECT_EQ(c.x, cell.AsFloat()) << c.col;
    EXPECT_EQ(c.n, cell.AsInteger()) << c.col;
    EXPECT_EQ(c.s, cell.AsString()) << c.col;
  }
  TCell& text = grid.CellAt(kString, 0);
  EXPECT_TRUE(text.AsBoolean());
  EXPECT_EQ(12.0, text.AsFloat());
  EXPECT_EQ(12, text.AsInteger());
  EXPECT_EQ("'12' is not a valid date and time", ErrorOf([&] { text.AsDateTime(); }));
}

TEST_F(CellsTest, WritesFollowTheTable) {
  const TDateTime when = EncodeDateTime(2001, 2, 3);
  struct Case {
    int col;
    std::function<void(TCell&)> write;
    std::u16string expected;  // AsString afterwards
  } cases[] = {
      {kBool, [](TCell& c) { c.SetAsDateTime(5); }, u"False"},
      {kBool, [](TCell& c) { c.SetAsFloat(0.1); }, u"True"},
      {kBool, [](TCell& c) { c.SetAsFloat(-3); }, u"False"},
      {kBool, [](TCell& c) { c.SetAsInteger(1); }, u"True"},
      {kBool, [](TCell& c) { c.SetAsInteger(0); }, u"False"},
      {kBool, [](TCell& c) { c.SetAsString(u"TRUE"); }, u"True"},
      {kBool, [](TCell& c) { c.SetAsString(u"yes"); }, u"False"},
      {kBool, [](TCell& c) { c.SetAsString(u"1"); }, u"False"},
      {kInt, [](TCell& c) { c.SetAsBoolean(true); }, u"0"},
      {kInt, [](TCell& c) { c.SetAsDateTime(7); }, u"0"},
      {kInt, [](TCell& c) { c.SetAsFloat(2.5); }, u"2"},
      {kInt, [](TCell& c) { c.SetAsFloat(3.5); }, u"4"},
      {kInt, [](TCell& c) { c.SetAsFloat(-2.5); }, u"-2"},
      {kInt, [](TCell& c) { c.SetAsString(u""); }, u"0"},
      {kInt, [](TCell& c) { c.SetAsString(u"-17"); }, u"-17"},
      {kFloat, [](TCell& c) { c.SetAsBoolean(true); }, u"0"},
      {kFloat, [&](TCell& c) { c.SetAsDateTime(1.75); }, u"1,75"},
      {kFloat, [](TCell& c) { c.SetAsInteger(-8); }, u"-8"},
      {kFloat, [](TCell& c) { c.SetAsString(u" 1,5E3 "); }, u"1500"},
      {kDate, [&](TCell& c) { c.SetAsDateTime(when); }, u"03.02.2001"},
      {kDate, [](TCell& c) { c.SetAsFloat(0.5); }, u"30.12.1899 12:00:00"},
      {kDate, [](TCell& c) { c.SetAsInteger(1); }, u"31.12.1899"},
      {kDate, [](TCell& c) { c.SetAsString(u"1.2.2003 4:05"); }, u"01.02.2003 04:05:00"},
      {kDate, [](TCell& c) { c.SetAsString(u"not a date"); }, u"30.12.1899"},
      {kDate, [](TCell& c) { c.SetAsString(u""); }, u"30.12.1899"},
      {kString, [](TCell& c) { c.SetAsBoolean(false); }, u"False"},
      {kString, [&](TCell& c) { c.SetAsDateTime(when + 0.5); }, u"03.02.2001 12:00:00"},
      {kString, [](TCell& c) { c.SetAsFloat(1.0 / 3); }, u"0,333333333333333"},
      {kString, [](TCell& c) { c.SetAsInteger(1234567); }, u"1234567"},
      {kString, [](TCell& c) { c.SetAsString(u"Фото"); }, u"Фото"},
      {kIncrement, [](TCell& c) { c.SetAsString(u"77"); }, u"2"},
  };
  int n = 0;
  for (const Case& c : cases) {
    TCell& cell = grid.CellAt(c.col, 1);
    cell.SetAsString(c.col == kDate || c.col == kIncrement ? u"" : u"0");
    changes.clear();
    c.write(cell);
    EXPECT_EQ(c.expected, grid.CellAt(c.col, 1).AsString()) << "case " << n;
    // Every write reports once, with the cell's position (the increment cell's too).
    EXPECT_EQ((std::vector<std::pair<int, int>>{{c.col, 1}}), changes) << "case " << n;
    ++n;
  }
  CheckStore(grid);
}

TEST_F(CellsTest, DateTimeCellWrittenAsBooleanHoldsToday) {
  TCell& cell = grid.CellAt(kDate, 0);
  cell.SetAsBoolean(false);
  EXPECT_EQ(Today(), cell.AsDateTime());
  EXPECT_EQ(0.0, std::fmod(cell.AsDateTime(), 1.0));
}

TEST_F(CellsTest, SizeWrittenAsIntegerKeepsItsDecimalText) {
  TCell& cell = grid.CellAt(kString, 3);
  cell.SetAsInteger(1048576);
  EXPECT_EQ(u"1048576", cell.AsString());
  EXPECT_EQ(1048576, cell.AsInteger());
}

TEST_F(CellsTest, StringCellParsesBooleans) {
  struct Case {
    std::u16string text;
    bool expected;
  } cases[] = {{u"1", true},    {u"0", false},   {u"-2", true},
               {u"0,0", false}, {u"tRuE", true}, {u"FALSE", false}};
  for (const Case& c : cases) {
    grid.CellAt(kString, 0).SetAsString(c.text);
    EXPECT_EQ(c.expected, grid.CellAt(kString, 0).AsBoolean())
        << std::string(c.text.begin(), c.text.end());
  }
}

TEST_F(CellsTest, FailedConversionsQuoteTheText) {
  struct Case {
    std::u16string text;
    std::function<void(TCell&)> read;
    std::string message;
  } cases[] = {
      {u"abc", [](TCell& c) { c.AsInteger(); }, "'abc' is not a valid integer value"},
      {u"", [](TCell& c) { c.AsInteger(); }, "'' is not a valid integer value"},
      {u"12,5", [](TCell& c) { c.AsInteger(); }, "'12,5' is not a valid integer value"},
      {u"2147483648", [](TCell& c) { c.AsInteger(); }, "'2147483648' is not a valid integer value"},
      {u"Размер", [](TCell& c) { c.AsInteger(); }, "'Размер' is not a valid integer value"},
      {u"日本", [](TCell& c) { c.AsInteger(); }, "'\?\?' is not a valid integer value"},
      {u"", [](TCell& c) { c.AsFloat(); }, "'' is not a valid floating point value"},
      {u"1.5", [](TCell& c) { c.AsFloat(); }, "'1.5' is not a valid floating point value"},
      {u"yes", [](TCell& c) { c.AsBoolean(); }, "'yes' is not a valid boolean value"},
      {u"31.02.2024", [](TCell& c) { c.AsDateTime(); },
       "'31.02.2024' is not a valid date and time"},
  };
  for (const Case& c : cases) {
    TCell& cell = grid.CellAt(kString, 0);
    cell.SetAsString(c.text);
    EXPECT_EQ(c.message, ErrorOf([&] { c.read(cell); }));
  }
  EXPECT_EQ(2147483647, (grid.CellAt(kString, 0).SetAsString(u"2147483647"),
                         grid.CellAt(kString, 0).AsInteger()));
  EXPECT_EQ(-2147483647 - 1, (grid.CellAt(kString, 0).SetAsString(u"-2147483648"),
                              grid.CellAt(kString, 0).AsInteger()));
}

TEST_F(CellsTest, FailedWriteKeepsTheValueAndReportsNothing) {
  for (int r = 0; r < grid.RowCount(); ++r) {
    grid.CellAt(kInt, r).SetAsInteger(5);
    grid.CellAt(kFloat, r).SetAsFloat(6);
  }
  grid.Cells().Sort(kInt, stNumeric, false);
  changes.clear();
  EXPECT_EQ("'x1' is not a valid integer value",
            ErrorOf([&] { grid.CellAt(kInt, 0).SetAsString(u"x1"); }));
  EXPECT_EQ("'' is not a valid floating point value",
            ErrorOf([&] { grid.CellAt(kFloat, 0).SetAsString(u""); }));
  EXPECT_EQ("'3000000000' is not a valid integer value",
            ErrorOf([&] { grid.CellAt(kInt, 0).SetAsFloat(3e9); }));
  EXPECT_EQ(5, grid.CellAt(kInt, 0).AsInteger());
  EXPECT_EQ(6.0, grid.CellAt(kFloat, 0).AsFloat());
  EXPECT_TRUE(changes.empty());
  EXPECT_TRUE(grid.Cells().SortValid());
}

TEST(CellConversions, FloatText) {
  struct Case {
    double value;
    std::u16string text;
  } cases[] = {{0, u"0"},
               {1.5, u"1,5"},
               {-2.25, u"-2,25"},
               {100, u"100"},
               {1e20, u"1E20"},
               {1.5e-7, u"1,5E-7"},
               {0.0001, u"0,0001"},
               {0.00001, u"0,00001"},
               {1e-6, u"1E-6"},
               {123456789012345, u"123456789012345"},
               {1e15, u"1E15"},
               {1.0 / 3, u"0,333333333333333"},
               {2.0 / 3 * 1e10, u"6666666666,66667"}};
  for (const Case& c : cases) EXPECT_EQ(c.text, FloatToText(c.value)) << c.value;
  // The text reads back as the number, to the 15 digits shown.
  for (const Case& c : cases)
    EXPECT_NEAR(c.value, TextToFloat(c.text), std::fabs(c.value) * 1e-14) << c.value;
}

TEST(CellConversions, DateTimeText) {
  struct Case {
    TDateTime value;
    std::u16string text;
  } cases[] = {{0, u"30.12.1899"},
               {-1.25, u"29.12.1899 06:00:00"},
               {EncodeDateTime(2024, 2, 29), u"29.02.2024"},
               {EncodeDateTime(2024, 2, 29, 23, 59, 59), u"29.02.2024 23:59:59"},
               {EncodeDateTime(1999, 12, 31) + 0.9999999999, u"01.01.2000"}};
  for (const Case& c : cases) EXPECT_EQ(c.text, DateTimeToText(c.value)) << c.value;
  struct Parse {
    std::u16string text;
    TDateTime value;
  } parses[] = {{u"5.3.24", EncodeDateTime(2024, 3, 5)},
                {u"05.03.1987", EncodeDateTime(1987, 3, 5)},
                {u" 05.03.2024  14:07 ", EncodeDateTime(2024, 3, 5, 14, 7)},
                {u"14:07:09", EncodeDateTime(1899, 12, 30, 14, 7, 9)}};
  for (const Parse& p : parses) EXPECT_DOUBLE_EQ(p.value, TextToDateTime(p.text));
  for (const char16_t* bad : {u"", u"32.01.2024", u"01.13.2024", u"24:00", u"1.2.2024 x"}) {
    TDateTime v;
    EXPECT_FALSE(TryTextToDateTime(bad, v))
        << std::string(bad, bad + std::char_traits<char16_t>::length(bad));
  }
}

TEST(CellConversions, RoundingGoesToTheEvenNeighbour) {
  struct Case {
    double value;
    int expected;
  } cases[] = {{0.5, 0}, {1.5, 2}, {2.5, 2}, {-0.5, 0}, {-1.5, -2}, {2.4999, 2}, {2.5001, 3}};
  for (const Case& c : cases) EXPECT_EQ(c.expected, RoundToInteger(c.value)) << c.value;
  EXPECT_THROW(RoundToInteger(std::nan("")), EConvertError);
}

TEST_F(CellsTest, ColorReportsOnceSetUpButStyleAndHintDoNot) {
  TCell& cell = grid.CellAt(kString, 2);
  cell.SetFontStyle(fsBold);
  cell.SetHint("подсказка");
  EXPECT_TRUE(changes.empty());
  cell.SetColor(clRed);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{kString, 2}}), changes);
  EXPECT_EQ(clRed, grid.CellAt(kString, 2).Color());
  EXPECT_EQ(unsigned(fsBold), grid.CellAt(kString, 2).FontStyle());
  EXPECT_EQ("подсказка", grid.CellAt(kString, 2).Hint());
  // A new column colour goes into new cells only.
  grid.Columns()[kString].SetColor(clBtnFace);
  grid.AddRows(1);
  EXPECT_EQ(clBtnFace, grid.CellAt(kString, 5).Color());
  EXPECT_EQ(clWindow, grid.CellAt(kString, 0).Color());
  // The hint goes with its row.
  grid.DeleteRow(2);
  EXPECT_EQ("", grid.CellAt(kString, 2).Hint());
  CheckStore(grid);
}

TEST(VirtualCells, TextComesFromAndGoesToTheOwner) {
  TGridView grid;
  grid.Columns().Add<VirtualColumn>("V");
  grid.AddRows(2);
  std::vector<std::u16string> texts(2, u"7");
  grid.Cells().OnGetVirtualText = [&](const TVirtualCell& cell) {
    return texts[size_t(cell.Row())];
  };
  grid.Cells().OnSetVirtualText = [&](TVirtualCell& cell, const std::u16string& text) {
    texts[size_t(cell.Row())] = text;
  };
  CheckStore(grid);
  EXPECT_EQ(7, grid.CellAt(0, 1).AsInteger());
  grid.CellAt(0, 1).SetAsFloat(2.5);
  EXPECT_EQ(u"2,5", texts[1]);
  grid.CellAt(0, 0).SetAsBoolean(true);
  EXPECT_EQ(u"True", texts[0]);
  EXPECT_TRUE(grid.CellAt(0, 0).AsBoolean());
}

}  // namespace
}  // namespace zv
