// Sorting: every sort type against an independent ordering on random data with duplicates, in
// both directions; whole rows move together; the reverse path against the full quicksort; a
// failing comparison in the middle of a sort; and the header-click rules of the photo grid.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "gridview/conversions.h"
#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "gridview/recording_grid_view_sink.h"
#include "store_check.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::CheckStore;

enum Col { kTag, kText, kBool, kFloat, kDate, kIp };

// One row's values as written; the tag is the row's original index.
struct RowValues {
  int tag;
  std::u16string text;
  bool flag;
  double number;
  std::u16string numberText;  // the number as its cell shows it
  TDateTime date;
  std::u16string ip;
};

// Independent orderings, one per sort type.
bool AlphabeticLess(const std::u16string& a, const std::u16string& b) {
  return std::lexicographical_compare(
      a.begin(), a.end(), b.begin(), b.end(),
      [](char16_t x, char16_t y) { return static_cast<unsigned>(x) < static_cast<unsigned>(y); });
}

// Byte of the ANSI code page for the characters the data uses, ASCII letters in lower case; the
// e with acute accent has no place in it and becomes '?'.
std::vector<unsigned> FoldedBytes(const std::u16string& s) {
  std::vector<unsigned> out;
  for (char16_t c : s) {
    if (c >= u'А' && c <= u'я')
      out.push_back(0xC0u + (c - u'А'));
    else if (c >= u'A' && c <= u'Z')
      out.push_back(c - u'A' + u'a');
    else if (c == u'\u00e9')
      out.push_back('?');
    else
      out.push_back(c);
  }
  return out;
}

std::tuple<int, int, int, int> IpParts(const std::u16string& ip) {
  std::string s(ip.begin(), ip.end());
  int a, b, c, d;
  EXPECT_EQ(4, std::sscanf(s.c_str(), "%d.%d.%d.%d", &a, &b, &c, &d)) << s;
  return {a, b, c, d};
}

bool IndependentLess(TSortType type, const RowValues& x, const RowValues& y, Col col) {
  switch (type) {
    case stAlphabetic:
      return col == kFloat ? AlphabeticLess(x.numberText, y.numberText)
                           : AlphabeticLess(x.text, y.text);
    case stCaseInsensitive:
      return FoldedBytes(x.text) < FoldedBytes(y.text);
    case stBoolean:
      return x.flag < y.flag;
    case stNumeric:
      return x.number < y.number;
    case stDate:
      return x.date < y.date;
    case stIP:
      return IpParts(x.ip) < IpParts(y.ip);
  }
  return false;
}

class SortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TColumns& cs = grid.Columns();
    cs.Add<TImageColumn>("Tag");
    cs.Add<TTextualColumn>("Text");
    cs.Add<TCheckBoxColumn>("Bool");
    cs.Add<TNumericColumn>("Float");
    cs.Add<TDateColumn>("Date");
    cs.Add<TTextualColumn>("Ip");
  }
  void Fill(int n, unsigned seed) {
    std::mt19937 rng(seed);
    const std::u16string alphabet = u"aAbBzZ_0Яяж\u00e9";
    rows.clear();
    grid.ClearRows();
    grid.BeginUpdate();
    for (int i = 0; i < n; ++i) {
      RowValues v;
      v.tag = i;
      // Short texts from a small alphabet: many duplicates and prefixes.
      for (int k = static_cast<int>(rng() % 4); k > 0; --k)
        v.text += alphabet[rng() % alphabet.size()];
      v.flag = rng() % 2;
      v.number = static_cast<double>(static_cast<int>(rng() % 21) - 10) / 4;
      v.numberText = FloatToText(v.number);
      v.date = EncodeDateTime(2000 + static_cast<int>(rng() % 3), 1 + static_cast<int>(rng() % 12),
                              1, static_cast<int>(rng() % 3));
      std::string ip = std::to_string(rng() % 3 * 100) + "." + std::to_string(rng() % 3) + "." +
                       std::to_string(rng() % 256) + "." + std::to_string(rng() % 2 * 9);
      v.ip = std::u16string(ip.begin(), ip.end());
      grid.AddRows(1);
      grid.CellAt(kTag, i).SetAsInteger(v.tag);
      grid.CellAt(kText, i).SetAsString(v.text);
      grid.CellAt(kBool, i).SetAsBoolean(v.flag);
      grid.CellAt(kFloat, i).SetAsFloat(v.number);
      grid.CellAt(kDate, i).SetAsDateTime(v.date);
      grid.CellAt(kIp, i).SetAsString(v.ip);
      rows.push_back(v);
    }
    grid.EndUpdate();
  }
  // The rows in their current order, each checked to be whole (all its cells moved together).
  std::vector<RowValues> Current() {
    std::vector<RowValues> out;
    for (int r = 0; r < grid.RowCount(); ++r) {
      const RowValues& v = rows[static_cast<size_t>(grid.CellAt(kTag, r).AsInteger())];
      EXPECT_EQ(v.text, grid.CellAt(kText, r).AsString());
      EXPECT_EQ(v.flag, grid.CellAt(kBool, r).AsBoolean());
      EXPECT_EQ(v.number, grid.CellAt(kFloat, r).AsFloat());
      EXPECT_EQ(v.date, grid.CellAt(kDate, r).AsDateTime());
      EXPECT_EQ(v.ip, grid.CellAt(kIp, r).AsString());
      out.push_back(v);
    }
    return out;
  }
  TGridView grid;
  std::vector<RowValues> rows;
};

TEST_F(SortTest, EveryTypeOrdersLikeAnIndependentComparison) {
  struct Case {
    Col col;
    TSortType type;
  } cases[] = {{kText, stAlphabetic}, {kText, stCaseInsensitive},
               {kBool, stBoolean},    {kFloat, stNumeric},
               {kDate, stDate},       {kIp, stIP},
               {kFloat, stAlphabetic}};  // number cells compared by their texts
  unsigned seed = 1;
  for (int n : {0, 1, 2, 3, 17, 500}) {
    for (const Case& c : cases) {
      for (bool descending : {false, true}) {
        Fill(n, seed++);
        grid.Cells().Sort(c.col, c.type, descending);
        CheckStore(grid);
        std::vector<RowValues> now = Current();
        ASSERT_EQ(static_cast<size_t>(n), now.size());
        // Every row is there once.
        std::vector<int> tags;
        for (const RowValues& v : now) tags.push_back(v.tag);
        std::sort(tags.begin(), tags.end());
        for (int i = 0; i < n; ++i) ASSERT_EQ(i, tags[static_cast<size_t>(i)]);
        for (size_t i = 1; i < now.size(); ++i) {
          const RowValues& a = descending ? now[i] : now[i - 1];
          const RowValues& b = descending ? now[i - 1] : now[i];
          ASSERT_FALSE(IndependentLess(c.type, b, a, c.col))
              << "type " << c.type << (descending ? " desc" : " asc") << " n " << n << " at " << i;
        }
        EXPECT_TRUE(grid.Cells().SortValid());
        EXPECT_EQ(c.col, grid.Cells().SortedColumn());
        EXPECT_EQ(descending, grid.Cells().SortDescending());
      }
    }
  }
}

TEST_F(SortTest, DegenerateInputsSort) {
  // All equal, already sorted, and reversed: the random pivot keeps these from going quadratic.
  for (int kind = 0; kind < 3; ++kind) {
    grid.ClearRows();
    grid.AddRows(2000);
    for (int r = 0; r < 2000; ++r)
      grid.CellAt(kFloat, r).SetAsFloat(kind == 0 ? 1 : kind == 1 ? r : 2000 - r);
    grid.Cells().ResetStatistics();
    grid.Cells().Sort(kFloat, stNumeric, false);
    for (int r = 1; r < 2000; ++r)
      ASSERT_LE(grid.CellAt(kFloat, r - 1).AsFloat(), grid.CellAt(kFloat, r).AsFloat());
    EXPECT_LT(grid.Cells().Statistics().Comparisons, 200000u) << kind;
    CheckStore(grid);
  }
}

TEST_F(SortTest, NotANumberOrdersLast) {
  grid.AddRows(5);
  const double values[] = {3, std::nan(""), -1, std::nan(""), 2};
  for (int r = 0; r < 5; ++r) grid.CellAt(kFloat, r).SetAsFloat(values[r]);
  grid.Cells().Sort(kFloat, stNumeric, false);
  EXPECT_EQ(-1.0, grid.CellAt(kFloat, 0).AsFloat());
  EXPECT_EQ(3.0, grid.CellAt(kFloat, 2).AsFloat());
  EXPECT_TRUE(std::isnan(grid.CellAt(kFloat, 4).AsFloat()));
}

TEST_F(SortTest, SecondSortInTheOtherDirectionReversesWithoutComparing) {
  Fill(301, 7);
  TCells& cells = grid.Cells();
  cells.Sort(kText, stAlphabetic, false);
  std::vector<RowValues> ascending = Current();
  cells.ResetStatistics();
  cells.Sort(kText, stAlphabetic, true);
  EXPECT_EQ(0u, cells.Statistics().Comparisons);
  EXPECT_EQ(150u, cells.Statistics().Exchanges);
  std::vector<RowValues> reversed = Current();
  for (size_t i = 0; i < ascending.size(); ++i)
    EXPECT_EQ(ascending[i].tag, reversed[reversed.size() - 1 - i].tag);
  // Same direction again, another column, or a write in between: a full quicksort.
  struct Case {
    const char* what;
    std::function<void()> before;
    int col;
    bool descending;
  } cases[] = {
      {"same direction", [] {}, kText, true},
      {"other column", [] {}, kFloat, false},
      {"after a write", [&] { grid.CellAt(kBool, 3).SetAsBoolean(true); }, kFloat, true},
      {"after AddRows", [&] { grid.AddRows(1); }, kFloat, false},
      // Regression: an append of no rows used to keep the sort memory, and the next sort in the
      // other direction only reversed the rows.
      {"after AddRows(0)", [&] { grid.AddRows(0); }, kFloat, true},
      {"after AddRows(-3)", [&] { grid.AddRows(-3); }, kFloat, false},
  };
  for (const Case& c : cases) {
    c.before();
    cells.ResetStatistics();
    cells.Sort(c.col, c.col == kText ? stAlphabetic : stNumeric, c.descending);
    EXPECT_GT(cells.Statistics().Comparisons, 0u) << c.what;
  }
  // A deleted row keeps the remaining order: the reverse still applies.
  grid.DeleteRow(5);
  cells.ResetStatistics();
  cells.Sort(kFloat, stNumeric, true);
  EXPECT_EQ(0u, cells.Statistics().Comparisons);
  for (int r = 1; r < grid.RowCount(); ++r)
    ASSERT_GE(grid.CellAt(kFloat, r - 1).AsFloat(), grid.CellAt(kFloat, r).AsFloat());
}

TEST_F(SortTest, FailingComparisonLeavesTheDocumentedState) {
  Fill(50, 3);
  TCells& cells = grid.Cells();
  cells.Sort(kFloat, stNumeric, false);  // SortValid, SortedColumn = kFloat, ascending
  for (int r = 0; r < 50; ++r) {
    std::u16string text = r == 37 ? u"x7" : u"12";
    grid.CellAt(kText, r).SetAsString(text);
    rows[static_cast<size_t>(grid.CellAt(kTag, r).AsInteger())].text = text;
  }
  cells.Sort(kFloat, stNumeric, false);
  try {
    cells.Sort(kText, stNumeric, true);
    FAIL() << "letters sorted as numbers";
  } catch (const EConvertError& e) {
    EXPECT_EQ("'x7' is not a valid floating point value", std::string(e.what()));
  }
  EXPECT_TRUE(cells.SortValid());
  EXPECT_EQ(kFloat, cells.SortedColumn());
  EXPECT_TRUE(cells.SortDescending());  // the new direction is already recorded
  CheckStore(grid);
  Current();  // rows are whole, in some partly sorted order
}

TEST_F(SortTest, IpTextsMustHaveFourNumbers) {
  grid.AddRows(2);
  grid.CellAt(kIp, 0).SetAsString(u"10.0.0.1");
  for (const char16_t* bad : {u"1.2.3", u"1..2.3", u"1.2.3.4.5", u"1.2.3.256"}) {
    grid.CellAt(kIp, 1).SetAsString(bad);
    try {
      grid.Cells().Sort(kIp, stIP, false);
      ADD_FAILURE() << "sorted";
    } catch (const EConvertError& e) {
      std::u16string b(bad);
      EXPECT_EQ("'" + std::string(b.begin(), b.end()) + "' is not a valid IP address",
                std::string(e.what()));
    }
  }
  grid.CellAt(kIp, 1).SetAsString(u" 9.255.0.1");
  grid.Cells().Sort(kIp, stIP, false);
  EXPECT_EQ(u" 9.255.0.1", grid.CellAt(kIp, 0).AsString());
}

// The header-click rules on the photo grid.
class PhotoSortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetupPhotoGrid(grid);
    grid.SetSink(&sink);
    grid.OnSortColumn = [this](TObject*, int c, bool asc) {
      events.push_back(std::to_string(c) + (asc ? " asc" : " desc"));
    };
    const char16_t* names[] = {u"05-01-24_b.jpg", u"01-02-24_a.jpg", u"31-12-23_c.jpg",
                               u"05-01-24_a.jpg"};
    const int sizes[] = {1000, 200, 99, 1000};
    grid.BeginUpdate();
    for (int i = 0; i < 4; ++i) {
      grid.AddRows(1);
      grid.Cell(u"DownLoad", u"Last").SetAsBoolean(true);
      grid.Cell(u"Delete", u"Last").SetAsBoolean(false);
      grid.Cell(u"File", u"Last").SetAsString(names[i]);
      grid.Cell(u"Size", u"Last").SetAsInteger(sizes[i]);
    }
    grid.EndUpdate();
    grid.SetHandleAllocated(true);
  }
  std::u16string Column(int col) {
    std::u16string out;
    for (int r = 0; r < grid.RowCount(); ++r) out += grid.CellAt(col, r).AsString() + u" ";
    return out;
  }
  TGridView grid;
  RecordingGridViewSink sink;
  std::vector<std::string> events;
};

TEST_F(PhotoSortTest, FileHeaderAlternatesAndReversesInPlace) {
  TCustomColumn& file = grid.Columns()[kFileColumn];
  EXPECT_TRUE(file.Sorted());  // from the form, but the rows were never sorted
  grid.ToggleColumnSort(file);
  EXPECT_EQ(skAscending, file.SortKind());
  EXPECT_EQ(u"01-02-24_a.jpg 05-01-24_a.jpg 05-01-24_b.jpg 31-12-23_c.jpg ", Column(kFileColumn));
  EXPECT_EQ(u"1 2 3 4 ", Column(kNumColumn));  // running numbers stay in place
  grid.Cells().ResetStatistics();
  grid.ToggleColumnSort(file);
  EXPECT_EQ(0u, grid.Cells().Statistics().Comparisons);
  EXPECT_EQ(u"31-12-23_c.jpg 05-01-24_b.jpg 05-01-24_a.jpg 01-02-24_a.jpg ", Column(kFileColumn));
  // A check box toggled in between makes the next click a full sort.
  grid.CellAt(kDeleteColumn, 2).SetAsBoolean(true);
  grid.ToggleColumnSort(file);
  EXPECT_GT(grid.Cells().Statistics().Comparisons, 0u);
  EXPECT_EQ((std::vector<std::string>{"3 asc", "3 desc", "3 asc"}), events);
}

TEST_F(PhotoSortTest, SizeSortsItsTextsCharacterByCharacter) {
  grid.ToggleColumnSort(grid.Columns()[kSizeColumn]);
  EXPECT_FALSE(grid.Columns()[kFileColumn].Sorted());
  EXPECT_TRUE(grid.Columns()[kSizeColumn].Sorted());
  EXPECT_EQ(u"1000 1000 200 99 ", Column(kSizeColumn));
  EXPECT_EQ((std::vector<std::string>{"4 asc"}), events);
}

TEST_F(PhotoSortTest, ColumnsWithoutCoCanSortIgnoreTheClick) {
  for (int col : {kNumColumn, kDownLoadColumn, kDeleteColumn}) {
    TCustomColumn& c = grid.Columns()[col];
    grid.ToggleColumnSort(c);
    EXPECT_FALSE(c.Sorted()) << col;
  }
  EXPECT_EQ(skDescending, grid.Columns()[kDeleteColumn].SortKind());
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(u"05-01-24_b.jpg 01-02-24_a.jpg 31-12-23_c.jpg 05-01-24_a.jpg ", Column(kFileColumn));
}

TEST_F(PhotoSortTest, SortKindSetToItsOwnValueSortsAgainInFull) {
  TCustomColumn& file = grid.Columns()[kFileColumn];
  file.SetSortKind(skDescending);
  grid.Cells().ResetStatistics();
  file.SetSortKind(skDescending);
  EXPECT_GT(grid.Cells().Statistics().Comparisons, 0u);
  EXPECT_EQ((std::vector<std::string>{"3 desc", "3 desc"}), events);
}

TEST_F(PhotoSortTest, NoSortWithoutAWindow) {
  grid.SetHandleAllocated(false);
  grid.ToggleColumnSort(grid.Columns()[kSizeColumn]);
  EXPECT_TRUE(grid.Columns()[kSizeColumn].Sorted());  // the property changes
  EXPECT_TRUE(events.empty());
  EXPECT_EQ(u"1000 200 99 1000 ", Column(kSizeColumn));
}

TEST_F(PhotoSortTest, FailedSortRaisesNoEventAndShowsThePartialOrder) {
  TCustomColumn& size = grid.Columns()[kSizeColumn];
  size.SetSortType(stNumeric);  // not sorted yet: nothing happens
  grid.CellAt(kSizeColumn, 2).SetAsString(u"n/a");
  sink.Take();
  EXPECT_THROW(grid.ToggleColumnSort(size), EConvertError);
  EXPECT_TRUE(events.empty());
  EXPECT_EQ((std::vector<std::string>{"InvalidateHeaderCell 3", "CloseEditor", "InvalidateData"}),
            sink.Take());
  CheckStore(grid);
}

}  // namespace
}  // namespace zv
