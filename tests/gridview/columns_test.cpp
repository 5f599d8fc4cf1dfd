// Columns: new-column values, what each column class sets, the two orders of the collection, the
// at-most-one rules, the width floor, and the change notifications with the grid's reactions.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridview/conversions.h"
#include "gridview/grid.h"
#include "gridview/recording_grid_view_sink.h"
#include "store_check.h"
#include "ui/errors.h"

namespace zv {
namespace {

using testing::CheckStore;

TEST(Columns, NewColumnTakesThePublishedDefaults) {
  TGridView grid;
  TCustomColumn& c = grid.Columns().Add<THtmlColumn>("H");
  EXPECT_EQ(taLeftJustify, c.Alignment());
  EXPECT_EQ(TCursor::crDefault, c.Cursor());
  EXPECT_EQ(u"", c.DefaultValue());
  EXPECT_EQ(80, c.DefaultWidth());
  EXPECT_EQ(doNormal, c.DrawingOptions());
  EXPECT_EQ(grid.Font(), c.Font());
  EXPECT_EQ(clWindow, c.Footer().Color());
  EXPECT_EQ(dmTextOnly, c.Footer().DisplayMode());
  EXPECT_EQ(fkNone, c.Footer().FormulaKind());
  EXPECT_EQ(clBtnFace, c.Header().Color());
  EXPECT_EQ(dmTextOnly, c.Header().DisplayMode());
  EXPECT_EQ(u"", c.InputCaption());
  EXPECT_EQ((TColumnOptions{coCanClick, coCanSort, coCanInput, coEditorAutoSelect, coPublicUsing}),
            c.Options());
  EXPECT_TRUE(c.ParentFont());
  EXPECT_EQ(TSlideBounds{}, c.SlideBounds());
  EXPECT_FALSE(c.Sorted());
  EXPECT_EQ(skAscending, c.SortKind());
  EXPECT_EQ(vaMiddle, c.VerticalAlignment());
  EXPECT_TRUE(c.Visible());
  EXPECT_EQ(80, c.Width());
  EXPECT_EQ(wkEllipsis, c.WrapKind());
}

TEST(Columns, EachClassSetsItsCellKindSortTypeAndDefault) {
  TGridView grid;
  TColumns& cs = grid.Columns();
  struct Case {
    TCustomColumn& column;
    TCellKind kind;
    TSortType sortType;
    std::u16string defaultValue;
  } cases[] = {
      {cs.Add<TIncrementColumn>(), 0, stAlphabetic, u""},
      {cs.Add<TGraphicColumn>(), 2, stAlphabetic, u""},
      {cs.Add<TCheckBoxColumn>(), 3, stBoolean, u""},
      {cs.Add<TDateColumn>(), 4, stDate, DateToText(Today())},
      {cs.Add<TNumericColumn>(), 5, stNumeric, u"0"},
      {cs.Add<TProgressColumn>(), 5, stNumeric, u"0"},
      {cs.Add<TImageColumn>(), 6, stNumeric, u"0"},
      {cs.Add<TRateColumn>(), 6, stNumeric, u"0"},
      {cs.Add<THtmlColumn>(), 7, stAlphabetic, u""},
      {cs.Add<TTextualColumn>(), 7, stAlphabetic, u""},
      {cs.Add<TComboBoxColumn>(), 7, stAlphabetic, u""},
  };
  grid.AddRows(2);
  CheckStore(grid);  // each column's cells are of the class its kind selects
  for (const Case& c : cases) {
    EXPECT_EQ(c.kind, c.column.CellKind()) << c.column.ColumnIndex();
    EXPECT_EQ(c.sortType, c.column.SortType()) << c.column.ColumnIndex();
    EXPECT_EQ(c.defaultValue, c.column.DefaultValue()) << c.column.ColumnIndex();
    EXPECT_EQ(c.column.ColumnIndex() >= 9, c.column.Options().Contains(coShowTextFitHint));
  }
  auto& textual = static_cast<TTextualColumn&>(cases[9].column);
  textual.TextBefore = u"<";
  textual.TextAfter = u">";
  EXPECT_EQ(u"<x>", textual.FormatText(u"x"));
  EXPECT_EQ(u"x", cases[8].column.FormatText(u"x"));
}

TEST(Columns, EditingNeedsCoEditingAndAnEditableClass) {
  TGridView grid;
  auto& check = grid.Columns().Add<TCheckBoxColumn>();
  auto& num = grid.Columns().Add<TIncrementColumn>();
  EXPECT_FALSE(check.CanEdit());
  check.SetOptions(check.Options() + TColumnOptions{coEditing});
  num.SetOptions(num.Options() + TColumnOptions{coEditing});
  EXPECT_TRUE(check.CanEdit());
  EXPECT_FALSE(num.CanEdit());
  EXPECT_TRUE(check.HasCheckBoxPlay());
  EXPECT_FALSE(num.HasCheckBoxPlay());
}

TEST(Columns, WidthBelowEightIsStoredAsEight) {
  TGridView grid;
  TCustomColumn& c = grid.Columns().Add<TTextualColumn>();
  for (auto [set, stored] : {std::pair{3, 8}, {8, 8}, {-5, 8}, {9, 9}, {200, 200}}) {
    c.SetWidth(set);
    EXPECT_EQ(stored, c.Width()) << set;
  }
}

TEST(Columns, DisplayOrderFollowsPosition) {
  TGridView grid;
  TColumns& cs = grid.Columns();
  TCustomColumn& a = cs.Add<TTextualColumn>("a");
  TCustomColumn& b = cs.Add<TTextualColumn>("b");
  TCustomColumn& c = cs.Add<TTextualColumn>("c");
  // All at -1: the order of adding.
  EXPECT_EQ((std::vector<TCustomColumn*>{&a, &b, &c}), cs.DisplayOrder());
  c.SetPosition(0);
  EXPECT_EQ((std::vector<TCustomColumn*>{&c, &a, &b}), cs.DisplayOrder());
  EXPECT_EQ(0, c.Position());
  EXPECT_EQ(1, a.Position());
  EXPECT_EQ(2, b.Position());
  // A new column goes before the first column with a greater Position than its own (-1).
  TCustomColumn& d = cs.Add<TTextualColumn>("d");
  EXPECT_EQ(&d, &cs.DisplayItem(0));
  EXPECT_EQ(3, d.ColumnIndex());  // items order is unchanged
  EXPECT_EQ(&b, &cs[1]);
  EXPECT_THROW(cs[4], EListError);
}

TEST(Columns, ColumnByNameIsExact) {
  TGridView grid;
  grid.Columns().Add<TTextualColumn>("File");
  grid.Columns().Add<TTextualColumn>("File");
  grid.Columns().Add<TTextualColumn>("Имя");
  EXPECT_EQ(&grid.Columns()[0], grid.Columns().ColumnByName(u"File"));
  EXPECT_EQ(nullptr, grid.Columns().ColumnByName(u"file"));
  EXPECT_EQ(nullptr, grid.Columns().ColumnByName(u"File "));
  EXPECT_EQ(&grid.Columns()[2], grid.Columns().ColumnByName(u"Имя"));
}

TEST(Columns, AtMostOneSortedAndOneSearchColumn) {
  TGridView grid;
  TColumns& cs = grid.Columns();
  for (int i = 0; i < 3; ++i) cs.Add<TTextualColumn>();
  cs[0].SetSorted(true);
  cs[2].SetSorted(true);
  EXPECT_FALSE(cs[0].Sorted());
  EXPECT_TRUE(cs[2].Sorted());
  cs[1].SetOptions(cs[1].Options() + TColumnOptions{coSearchColumn});
  cs[0].SetOptions(cs[0].Options() + TColumnOptions{coSearchColumn});
  EXPECT_TRUE(cs[0].Options().Contains(coSearchColumn));
  EXPECT_FALSE(cs[1].Options().Contains(coSearchColumn));
  EXPECT_TRUE(cs[1].Options().Contains(coCanSort));  // the other options stay
}

TEST(Columns, AddingAColumnGivesItCellsForTheExistingRows) {
  TGridView grid;
  grid.Columns().Add<TTextualColumn>();
  grid.AddRows(3);
  grid.CellAt(0, 1).SetAsString(u"x");
  grid.Cells().Sort(0, stAlphabetic, false);
  grid.Columns().Add<TCheckBoxColumn>();
  CheckStore(grid);
  EXPECT_FALSE(grid.Cells().SortValid());
  EXPECT_FALSE(grid.CellAt(1, 2).AsBoolean());
  grid.Columns().Delete(0);
  CheckStore(grid);
  EXPECT_EQ(3, grid.RowCount());
  EXPECT_EQ(0, grid.Columns()[0].ColumnIndex());
}

// The reactions of a grid with a window to each kind of column change.
class ColumnChangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.SetSink(&sink);
    for (int i = 0; i < 3; ++i) grid.Columns().Add<TTextualColumn>();
    grid.AddRows(2);
    grid.OnSortColumn = [this](TObject*, int c, bool asc) {
      events.push_back("Sort " + std::to_string(c) + (asc ? " asc" : " desc"));
    };
    grid.OnColumnResize = [this](TObject*, int c) {
      events.push_back("Resize " + std::to_string(c));
    };
    grid.SetHandleAllocated(true);
    sink.Take();
  }
  TGridView grid;
  RecordingGridViewSink sink;
  std::vector<std::string> events;
};

TEST_F(ColumnChangeTest, EachKindHasItsReaction) {
  using V = std::vector<std::string>;
  TCustomColumn& c = grid.Columns()[1];
  struct Case {
    const char* what;
    std::function<void()> change;
    V calls;
    V raised;
  } cases[] = {
      {"alignment", [&] { c.SetAlignment(taCenter); }, {"InvalidateColumn 1"}, {}},
      {"header", [&] { c.Header().SetCaption(u"x"); }, {"InvalidateColumn 1"}, {}},
      {"footer", [&] { c.Footer().SetFormulaKind(fkSum); }, {"InvalidateColumn 1"}, {}},
      {"font",
       [&] {
         c.SetFont(TFont{u"Arial", -12});
       },
       {"InvalidateColumn 1"},
       {}},
      {"input text", [&] { c.InputTextChanged(); }, {"InvalidateInputCell 1"}, {}},
      {"position", [&] { c.SetPosition(0); }, {"InvalidateAll"}, {}},
      {"visible",
       [&] { c.SetVisible(false); },
       {"UpdateHorizontalScrollRange", "InvalidateAll"},
       {}},
      {"width", [&] { c.SetWidth(3); }, {"InvalidateFromColumn 1"}, {"Resize 1"}},
      {"sort order, not sorted", [&] { c.SetSortKind(skDescending); }, {}, {}},
      {"sort on", [&] { c.SetSorted(true); }, {"CloseEditor", "InvalidateData"}, {"Sort 1 desc"}},
      {"sort order, same value",
       [&] { c.SetSortKind(skDescending); },
       {"CloseEditor", "InvalidateData"},
       {"Sort 1 desc"}},
      {"sort type",
       [&] { c.SetSortType(stCaseInsensitive); },
       {"CloseEditor", "InvalidateData"},
       {"Sort 1 desc"}},
      {"sort moves on",
       [&] { grid.Columns()[2].SetSorted(true); },
       {"InvalidateHeaderCell 1", "CloseEditor", "InvalidateData"},
       {"Sort 2 asc"}},
      {"silent",
       [&] {
         c.SetDefaultValue(u"d");
         c.SetDefaultWidth(5);
         c.SetParentFont(true);
         c.SetWrapKind(wkNone);
       },
       {},
       {}},
  };
  for (const Case& k : cases) {
    events.clear();
    k.change();
    EXPECT_EQ(k.calls, sink.Take()) << k.what;
    EXPECT_EQ(k.raised, events) << k.what;
  }
  EXPECT_EQ(grid.Font(), c.Font());  // ParentFont took the grid's font back
}

TEST_F(ColumnChangeTest, NothingHappensWithoutAWindow) {
  grid.SetHandleAllocated(false);
  TCustomColumn& c = grid.Columns()[0];
  c.SetWidth(40);
  c.SetSorted(true);
  c.SetSortKind(skDescending);
  c.SetVisible(false);
  EXPECT_TRUE(sink.Take().empty());
  EXPECT_TRUE(events.empty());
  EXPECT_FALSE(grid.Cells().SortValid());
  // The properties themselves changed.
  EXPECT_EQ(40, c.Width());
  EXPECT_TRUE(c.Sorted());
}

TEST_F(ColumnChangeTest, SortEventIsRaisedEvenWhenTheColumnCannotSort) {
  TCustomColumn& c = grid.Columns()[0];
  c.SetOptions(c.Options() - TColumnOptions{coCanSort});
  sink.Take();
  c.SetSorted(true);
  EXPECT_EQ(std::vector<std::string>{"Sort 0 asc"}, events);
  EXPECT_TRUE(sink.Take().empty());  // SortColumn did nothing
  EXPECT_FALSE(grid.Cells().SortValid());
}

}  // namespace
}  // namespace zv
