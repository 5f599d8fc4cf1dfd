// What the photo grid says to a screen reader (TGridAccessible) on a headless grid: names,
// states and rectangles of a listed grid and after a sort, a scroll, a column-wide toggle and a
// removed row; hit tests; navigation at the edges; default actions; the events in their order;
// a grid of 100 000 rows.
#include <gtest/gtest.h>

#include "gridview/grid_accessible.h"
#include "view_fixture.h"

namespace zv {
namespace {

using A = TGridAccessible;
constexpr AccessibleStates kPick = asSelectable | asFocusable;

struct AccessFixture : ViewFixture {
  TGridAccessible model{grid};
  std::vector<std::string> events;

  AccessFixture() {
    grid.AccessibleEvents = [this](AccessibleEvent e, AccessibleId id) {
      static const char* kNames[] = {"Focus", "Selection", "StateChange", "Reorder"};
      events.push_back(std::string(kNames[static_cast<int>(e)]) + " " + std::to_string(id));
    };
    Fill(4,
         {u"01-05-08_0100.jpg", u"05-12-07_0012.jpg", u"14-02-09_0200.jpg", u"28-06-09_0300.jpg"});
    events.clear();
  }
  std::vector<std::string> TakeEvents() {
    std::vector<std::string> out;
    out.swap(events);
    return out;
  }
  std::vector<std::u16string> RowNames() {
    std::vector<std::u16string> out;
    for (int r = 0; r < grid.RowCount(); ++r) out.push_back(model.Name(A::RowId(r)));
    return out;
  }
};

std::string Ev(const char* name, AccessibleId id) {
  return std::string(name) + " " + std::to_string(id);
}

TEST(GridAccessible, ListedGridSaysEveryPart) {
  AccessFixture f;
  f.grid.SetFocus();
  f.Click(f.CellPoint(kDeleteColumn, 1));  // row 1 current, its delete box ticked
  const int top = 18, pitch = 17;          // header band, row pitch
  struct Case {
    AccessibleId id;
    AccessibleRole role;
    std::u16string name;
    AccessibleStates state;
    TRect location;
  };
  const Case cases[] = {
      {kAccessibleSelf,
       AccessibleRole::Table,
       u"Фотографии на телефоне",
       asFocusable | asFocused,
       {0, 0, 712, 259}},
      {A::kHeaderRowId, AccessibleRole::Row, u"", 0, {0, 0, 712, 18}},
      {A::CellId(kDownLoadColumn, -1),
       AccessibleRole::ColumnHeader,
       u"Скачать",
       0,
       {37, 0, 62, 18}},
      {A::CellId(kDeleteColumn, -1), AccessibleRole::ColumnHeader, u"Удалить", 0, {62, 0, 87, 18}},
      {A::CellId(kFileColumn, -1), AccessibleRole::ColumnHeader, u"Файл", 0, {87, 0, 631, 18}},
      {A::RowId(0),
       AccessibleRole::Row,
       u"01-05-08_0100.jpg, 1000",
       kPick,
       {0, top, 712, top + 16}},
      {A::RowId(1),
       AccessibleRole::Row,
       u"05-12-07_0012.jpg, 1001",
       kPick | asSelected,
       {0, top + pitch, 712, top + pitch + 16}},
      {A::CellId(kNumColumn, 1),
       AccessibleRole::Cell,
       u"2",
       kPick,
       {12, top + pitch, 37, top + pitch + 16}},
      {A::CellId(kDownLoadColumn, 1),
       AccessibleRole::CheckButton,
       u"Скачать",
       kPick | asChecked,
       {37, top + pitch, 62, top + pitch + 16}},
      {A::CellId(kDeleteColumn, 1),
       AccessibleRole::CheckButton,
       u"Удалить",
       kPick | asChecked | asSelected | asFocused,
       {62, top + pitch, 87, top + pitch + 16}},
      {A::CellId(kDeleteColumn, 2),
       AccessibleRole::CheckButton,
       u"Удалить",
       kPick,
       {62, top + 2 * pitch, 87, top + 2 * pitch + 16}},
      {A::CellId(kFileColumn, 3),
       AccessibleRole::Cell,
       u"28-06-09_0300.jpg",
       kPick,
       {87, top + 3 * pitch, 631, top + 3 * pitch + 16}},
      {A::CellId(kSizeColumn, 3),
       AccessibleRole::Cell,
       u"1003",
       kPick,
       {631, top + 3 * pitch, 712, top + 3 * pitch + 16}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.id);
    EXPECT_EQ(c.role, f.model.Role(c.id));
    EXPECT_EQ(c.name, f.model.Name(c.id));
    EXPECT_EQ(c.state, f.model.State(c.id));
    EXPECT_EQ(c.location, f.model.Location(c.id));
  }
  // The tree: header row, then the rows; a row's cells in display order.
  EXPECT_EQ(5, f.model.ChildCount(kAccessibleSelf));
  EXPECT_EQ(A::kHeaderRowId, f.model.Child(kAccessibleSelf, 0));
  EXPECT_EQ(A::RowId(3), f.model.Child(kAccessibleSelf, 4));
  EXPECT_EQ(A::CellId(kSizeColumn, 2), f.model.Child(A::RowId(2), 4));
  EXPECT_EQ(A::RowId(2), f.model.Parent(A::CellId(kSizeColumn, 2)));
  EXPECT_EQ(3, f.model.IndexInParent(A::RowId(2)));
  EXPECT_FALSE(f.model.Exists(A::RowId(4)));
  EXPECT_EQ(A::CellId(kDeleteColumn, 1), f.model.Focus());
  EXPECT_EQ(std::vector<AccessibleId>{A::RowId(1)}, f.model.Selection(kAccessibleSelf));
  EXPECT_EQ(std::vector<AccessibleId>{A::CellId(kDeleteColumn, 1)}, f.model.Selection(A::RowId(1)));
  // Without the focus the current cell is still selected, no longer focused.
  f.grid.FocusOut();
  f.peer->HasFocus = false;
  EXPECT_EQ(kPick | asChecked | asSelected, f.model.State(A::CellId(kDeleteColumn, 1)));
  EXPECT_EQ(kAccessibleNone, f.model.Focus());
}

TEST(GridAccessible, NamesAndStatesFollowSortScrollToggleAndRemoval) {
  AccessFixture f;
  f.Fill(26);  // 30 rows: more than the 14 that fit
  f.TakeEvents();

  f.Click(f.HeaderPoint(kFileColumn));  // ascending by name
  EXPECT_EQ(u"01-01-24_1000.jpg, 1000", f.model.Name(A::RowId(0)));
  EXPECT_EQ(u"01-05-08_0100.jpg, 1000", f.model.Name(A::RowId(1)));
  EXPECT_EQ(Ev("Reorder", kAccessibleSelf), f.TakeEvents().back());

  f.grid.VertScrollBar.SetPosition(10);
  EXPECT_EQ(asOffscreen, f.model.State(A::RowId(9)) & asOffscreen);
  EXPECT_EQ(0u, f.model.State(A::RowId(10)) & asOffscreen);
  EXPECT_EQ(0u, f.model.State(A::RowId(24)) & asOffscreen);  // its top three pixel lines show
  EXPECT_EQ(asOffscreen, f.model.State(A::RowId(25)) & asOffscreen);
  EXPECT_EQ(asOffscreen, f.model.State(A::CellId(kFileColumn, 2)) & asOffscreen);
  EXPECT_EQ(18, f.model.Location(A::RowId(10)).Top);
  EXPECT_EQ(18 - 17 * 10, f.model.Location(A::RowId(0)).Top);
  EXPECT_EQ(18 + 17 * 19, f.model.Location(A::CellId(kSizeColumn, 29)).Top);

  f.grid.OnHeaderClick = [&f](TObject*, int col) {  // the form's column-wide toggle
    for (int r = 0; r < f.grid.RowCount(); ++r) f.grid.CellAt(col, r).SetAsBoolean(false);
  };
  f.Click(f.HeaderPoint(kDownLoadColumn));
  EXPECT_EQ(0u, f.model.State(A::CellId(kDownLoadColumn, 12)) & asChecked);
  const auto toggled = f.TakeEvents();
  ASSERT_EQ(30u, toggled.size());
  EXPECT_EQ(Ev("StateChange", A::CellId(kDownLoadColumn, 29)), toggled.back());

  const std::u16string third = f.model.Name(A::RowId(2));
  f.grid.DeleteRow(1);
  EXPECT_EQ(third, f.model.Name(A::RowId(1)));
  EXPECT_EQ(30, f.model.ChildCount(kAccessibleSelf));  // the header row and 29 rows
  EXPECT_EQ(std::vector<std::string>{Ev("Reorder", kAccessibleSelf)}, f.TakeEvents());

  f.grid.Columns()[kSizeColumn].SetVisible(false);
  EXPECT_EQ(asInvisible, f.model.State(A::CellId(kSizeColumn, 0)) & asInvisible);
}

TEST(GridAccessible, HitTestsFindTheDeepestPart) {
  AccessFixture f;
  struct Case {
    TPoint p;
    AccessibleId id;
  } const cases[] = {
      {{50, 9}, A::CellId(kDownLoadColumn, -1)},  // header cell
      {{5, 9}, kAccessibleSelf},                  // the corner above the indicator
      {{5, 18 + 17 + 3}, A::RowId(1)},            // indicator: the row
      {{300, 18 + 17 * 2 + 3}, A::CellId(kFileColumn, 2)},
      {{70, 18 + 17 * 3 + 15}, A::CellId(kDeleteColumn, 3)},  // its last pixel line
      {{300, 18 + 17 * 4 + 1}, kAccessibleSelf},              // below the rows
      {{712, 10}, kAccessibleNone},                           // outside the client area
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.p.X) + "," + std::to_string(c.p.Y));
    EXPECT_EQ(c.id, f.model.HitTest(c.p));
  }
}

TEST(GridAccessible, NavigationStopsAtTheEdges) {
  AccessFixture f;
  f.grid.Columns()[kSizeColumn].SetVisible(false);
  using N = AccessibleNav;
  struct Case {
    AccessibleId from;
    N dir;
    AccessibleId to;
  } const cases[] = {
      {kAccessibleSelf, N::FirstChild, A::kHeaderRowId},
      {kAccessibleSelf, N::LastChild, A::RowId(3)},
      {kAccessibleSelf, N::Next, kAccessibleNone},
      {A::kHeaderRowId, N::Up, kAccessibleNone},
      {A::kHeaderRowId, N::Down, A::RowId(0)},
      {A::RowId(0), N::Previous, A::kHeaderRowId},
      {A::RowId(3), N::Next, kAccessibleNone},
      {A::RowId(3), N::Down, kAccessibleNone},
      {A::RowId(2), N::Left, kAccessibleNone},
      {A::RowId(2), N::FirstChild, A::CellId(kNumColumn, 2)},
      {A::RowId(2), N::LastChild, A::CellId(kSizeColumn, 2)},
      {A::CellId(kNumColumn, 0), N::Up, A::CellId(kNumColumn, -1)},
      {A::CellId(kNumColumn, -1), N::Up, kAccessibleNone},
      {A::CellId(kNumColumn, 1), N::Left, kAccessibleNone},
      {A::CellId(kFileColumn, 1), N::Right, kAccessibleNone},           // Size is hidden
      {A::CellId(kFileColumn, 1), N::Next, A::CellId(kSizeColumn, 1)},  // but still a child
      {A::CellId(kSizeColumn, 3), N::Down, kAccessibleNone},
      {A::CellId(kDeleteColumn, 3), N::Up, A::CellId(kDeleteColumn, 2)},
      {A::CellId(kDeleteColumn, 3), N::FirstChild, kAccessibleNone},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " dir " + std::to_string(static_cast<int>(c.dir)));
    EXPECT_EQ(c.to, f.model.Navigate(c.from, c.dir));
  }
}

TEST(GridAccessible, DefaultActionsDoWhatAClickDoes) {
  AccessFixture f;
  f.TakeLog();
  const AccessibleId box = A::CellId(kDeleteColumn, 2);
  EXPECT_EQ(u"Отметить", f.model.DefaultAction(box));
  ASSERT_TRUE(f.model.DoDefaultAction(box));
  EXPECT_TRUE(f.Checked(kDeleteColumn, 2));
  EXPECT_EQ((std::vector<std::string>{"BeforeEdit 2 2", "EditAccept 2 2 1", "Change 2 2",
                                      "AfterEdit 2 2"}),
            f.TakeLog());
  EXPECT_EQ(std::vector<std::string>{Ev("StateChange", box)}, f.TakeEvents());
  EXPECT_EQ(u"Снять отметку", f.model.DefaultAction(box));

  // A refused edit changes nothing.
  f.grid.OnBeforeEdit = [](TObject*, int, int, bool& accept) { accept = false; };
  f.model.DoDefaultAction(box);
  EXPECT_TRUE(f.Checked(kDeleteColumn, 2));

  // Headers: the header event, then the sort rule; Num has no action.
  EXPECT_TRUE(f.model.DoDefaultAction(A::CellId(kSizeColumn, -1)));
  EXPECT_EQ((std::vector<std::string>{"HeaderClick 4", "SortColumn 4 1"}), f.TakeLog());
  EXPECT_EQ(std::vector<std::string>{Ev("Reorder", kAccessibleSelf)}, f.TakeEvents());
  EXPECT_EQ(u"", f.model.DefaultAction(A::CellId(kNumColumn, -1)));
  EXPECT_FALSE(f.model.DoDefaultAction(A::CellId(kNumColumn, -1)));
  EXPECT_FALSE(f.model.DoDefaultAction(A::CellId(kFileColumn, 0)));
  EXPECT_TRUE(f.TakeLog().empty());
}

TEST(GridAccessible, EventsFollowTheUser) {
  AccessFixture f;
  f.grid.SetFocus();  // the current cell (Num, row 0)
  f.grid.KeyDown(TKey::Down, 0);
  f.Click(f.CellPoint(kDeleteColumn, 1));  // same row: focus only, then the box
  char16_t space = u' ';
  f.grid.KeyPress(space);
  f.Click(f.CellPoint(kDeleteColumn, 1));  // a click on the current cell moves nothing
  EXPECT_EQ((std::vector<std::string>{
                Ev("Focus", A::CellId(kNumColumn, 0)), Ev("Focus", A::CellId(kNumColumn, 1)),
                Ev("Selection", A::RowId(1)), Ev("Focus", A::CellId(kDeleteColumn, 1)),
                Ev("StateChange", A::CellId(kDeleteColumn, 1)),
                Ev("StateChange", A::CellId(kDeleteColumn, 1)),
                Ev("StateChange", A::CellId(kDeleteColumn, 1))}),
            f.TakeEvents());
  // Without the focus a move selects but says no focus.
  f.grid.FocusOut();
  f.peer->HasFocus = false;
  f.grid.SelectCell(kFileColumn, 3, 0);
  EXPECT_EQ(std::vector<std::string>{Ev("Selection", A::RowId(3))}, f.TakeEvents());
  // A listing (a cleared grid filled in one batch) is one reorder each.
  f.grid.ClearRows();
  f.Fill(50);
  EXPECT_EQ((std::vector<std::string>{Ev("Reorder", 0), Ev("Reorder", 0)}), f.TakeEvents());
}

TEST(GridAccessible, EmptyGridDescribesItselfAndRowsTakeTheOwnersNote) {
  AccessFixture f;
  f.grid.SetCaption("Нет фотографий");
  EXPECT_EQ(u"", f.model.Description(kAccessibleSelf));
  f.grid.AccessibleRowNote = [](int row) { return row == 2 ? u"в архиве" : u""; };
  EXPECT_EQ(u"14-02-09_0200.jpg, 1002, в архиве", f.model.Name(A::RowId(2)));
  EXPECT_EQ(u"01-05-08_0100.jpg, 1000", f.model.Name(A::RowId(0)));
  f.grid.ClearRows();
  EXPECT_EQ(u"Нет фотографий", f.model.Description(kAccessibleSelf));
  EXPECT_EQ(1, f.model.ChildCount(kAccessibleSelf));
  f.grid.SetFocus();
  EXPECT_EQ(kAccessibleSelf, f.model.Focus());  // no current cell without rows
  EXPECT_TRUE(f.model.Selection(kAccessibleSelf).empty());
}

TEST(GridAccessible, HundredThousandRowsAnswerLikeFour) {
  ViewFixture f;
  f.Fill(100000);
  TGridAccessible model(f.grid);
  EXPECT_EQ(100001, model.ChildCount(kAccessibleSelf));
  const AccessibleId last = model.Child(kAccessibleSelf, 100000);
  EXPECT_EQ(A::RowId(99999), last);
  EXPECT_EQ(u"12-01-24_100999.jpg, 100999", model.Name(last));
  EXPECT_EQ(kAccessibleNone, model.Navigate(last, AccessibleNav::Down));
  EXPECT_EQ(A::CellId(kSizeColumn, 99999), model.Navigate(last, AccessibleNav::LastChild));
  EXPECT_EQ(18 + 17 * 99999, model.Location(A::CellId(kSizeColumn, 99999)).Top);
  EXPECT_EQ(asOffscreen, model.State(last) & asOffscreen);
}

}  // namespace
}  // namespace zv
