// The grid window's IAccessible in the test's own process (AccessibleObjectFromWindow hands out
// the object itself): the child ids a client uses (1 … n for an object's children, the model's
// ids of cells on the grid's own object), objects for rows and simple elements for cells, and
// the answers of navigation, hit tests, focus, selection, location and default actions in those
// terms; an object kept after its window is gone.
// clang-format off
#include <windows.h>
#include <oleacc.h>
// clang-format on
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/grid_accessible.h"
#include "gridview/photo_columns.h"
#include "gridview/win32/grid_accessibility.h"
#include "ui/application.h"
#include "ui/forms.h"
#include "ui/win32/backend.h"

namespace zv {
namespace {

using A = TGridAccessible;

class NoBoxes : public MessageBoxes {
 public:
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string&) override {}
};

VARIANT Id(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// Owns an IAccessible that a call handed out.
struct Obj {
  IAccessible* p = nullptr;
  Obj() = default;
  explicit Obj(IDispatch* d) {
    if (d) d->QueryInterface(__uuidof(IAccessible), reinterpret_cast<void**>(&p));
    if (d) d->Release();
  }
  ~Obj() {
    if (p) p->Release();
  }
  Obj(const Obj&) = delete;
  Obj& operator=(const Obj&) = delete;
  IAccessible* operator->() const { return p; }
  std::u16string Name(long id = CHILDID_SELF) const {
    BSTR b = nullptr;
    p->get_accName(Id(id), &b);
    std::u16string s(b ? reinterpret_cast<const char16_t*>(b) : u"");
    SysFreeString(b);
    return s;
  }
};

struct AccessibleGrid {
  NoBoxes boxes;
  TApplication app{boxes};
  Win32Backend backend{app, GetModuleHandleW(nullptr)};
  TForm form{nullptr, "Form1"};
  TGridView grid{&form, "GridView1"};
  Obj root;

  AccessibleGrid() {
    form.SetBounds(0, 0, 777, 404);
    app.SetMainForm(form);
    grid.SetParent(&form);
    SetupPhotoGrid(grid);
    grid.SetBounds(16, 48, 731, 261);
    UseGridAccessibility(grid);
    grid.BeginUpdate();
    for (int r = 0; r < 4; ++r) {
      grid.AddRows(1);
      const std::string name = "0" + std::to_string(4 - r) + "-03-24_000" + std::to_string(r);
      grid.Cell(u"File", u"Last").SetAsString(std::u16string(name.begin(), name.end()));
      grid.Cell(u"Size", u"Last").SetAsInteger(900 + 100 * r);
    }
    grid.EndUpdate();
    backend.CreateHandle(form);
    form.Show();
    backend.ProcessMessages();
    IAccessible* object = nullptr;
    AccessibleObjectFromWindow(Handle(), static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                               reinterpret_cast<void**>(&object));
    root.p = object;
  }
  ~AccessibleGrid() { form.DestroyHandle(); }
  HWND Handle() const { return static_cast<HWND>(grid.Peer()->NativeHandle()); }
  POINT Screen(int col, int row) const {
    const TRect r = grid.CellRect(col, row);
    POINT p{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    ClientToScreen(Handle(), &p);
    return p;
  }
};

TEST(GridAccessibleWindow, ChildIdsAreWhatClientsUse) {
  AccessibleGrid g;
  ASSERT_NE(nullptr, g.root.p);
  long count = 0;
  g.root->get_accChildCount(&count);
  EXPECT_EQ(5, count);
  // Rows are objects under 2 … 5; a row's cells are its simple elements 1 … 5.
  IDispatch* d = nullptr;
  EXPECT_EQ(S_OK, g.root->get_accChild(Id(3), &d));
  Obj row1(d);
  ASSERT_NE(nullptr, row1.p);
  EXPECT_EQ(u"03-03-24_0001, 1000", row1.Name());
  EXPECT_EQ(u"03-03-24_0001", row1.Name(4));
  EXPECT_EQ(S_FALSE, row1->get_accChild(Id(4), &d));
  // The grid's own object also takes a cell's id, as its events name it.
  EXPECT_EQ(u"03-03-24_0001", g.root.Name(A::CellId(kFileColumn, 1)));
  EXPECT_EQ(S_FALSE, g.root->get_accChild(Id(A::CellId(kFileColumn, 1)), &d));
  BSTR none = nullptr;
  EXPECT_EQ(E_INVALIDARG, g.root->get_accName(Id(A::CellId(kFileColumn, 4)), &none));
  EXPECT_EQ(E_INVALIDARG, row1->get_accName(Id(6), &none));
  d = nullptr;
  ASSERT_EQ(S_OK, row1->get_accParent(&d));
  Obj parent(d);
  EXPECT_EQ(u"Фотографии на телефоне", parent.Name());

  // Navigation answers in the asking object's terms: a sibling row as an object, a cell of
  // the row under its index, a cell of the grid under its id.
  VARIANT to;
  ASSERT_EQ(S_OK, row1->accNavigate(NAVDIR_NEXT, Id(CHILDID_SELF), &to));
  ASSERT_EQ(VT_DISPATCH, to.vt);
  EXPECT_EQ(u"02-03-24_0002, 1100", Obj(to.pdispVal).Name());
  ASSERT_EQ(S_OK, row1->accNavigate(NAVDIR_RIGHT, Id(1), &to));
  EXPECT_EQ(VT_I4, to.vt);
  EXPECT_EQ(2, to.lVal);
  ASSERT_EQ(S_OK, g.root->accNavigate(NAVDIR_DOWN, Id(A::CellId(kSizeColumn, 0)), &to));
  EXPECT_EQ(A::CellId(kSizeColumn, 1), to.lVal);
  EXPECT_EQ(S_FALSE, g.root->accNavigate(NAVDIR_DOWN, Id(A::CellId(kSizeColumn, 3)), &to));
  EXPECT_EQ(VT_EMPTY, to.vt);

  // Hit tests: the grid names the cell by its id, its row by its index, another row nothing.
  const POINT p = g.Screen(kDeleteColumn, 2);
  ASSERT_EQ(S_OK, g.root->accHitTest(p.x, p.y, &to));
  EXPECT_EQ(A::CellId(kDeleteColumn, 2), to.lVal);
  ASSERT_EQ(S_OK, g.root->get_accChild(Id(4), &d));
  Obj row2(d);
  ASSERT_EQ(S_OK, row2->accHitTest(p.x, p.y, &to));
  EXPECT_EQ(3, to.lVal);
  EXPECT_EQ(S_FALSE, row1->accHitTest(p.x, p.y, &to));

  // The location of that cell in screen coordinates.
  long x = 0, y = 0, w = 0, h = 0;
  ASSERT_EQ(S_OK, row2->accLocation(&x, &y, &w, &h, Id(3)));
  const TRect cell = g.grid.CellRect(kDeleteColumn, 2);
  POINT corner{cell.Left, cell.Top};
  ClientToScreen(g.Handle(), &corner);
  EXPECT_EQ(corner.x, x);
  EXPECT_EQ(corner.y, y);
  EXPECT_EQ(25, w);
  EXPECT_EQ(16, h);
}

TEST(GridAccessibleWindow, FocusSelectionAndDefaultActions) {
  AccessibleGrid g;
  SetFocus(g.Handle());
  g.grid.SelectCell(kFileColumn, 2, 0);
  VARIANT v;
  ASSERT_EQ(S_OK, g.root->get_accFocus(&v));
  EXPECT_EQ(A::CellId(kFileColumn, 2), v.lVal);
  ASSERT_EQ(S_OK, g.root->get_accSelection(&v));
  ASSERT_EQ(VT_DISPATCH, v.vt);
  Obj row(v.pdispVal);
  ASSERT_EQ(S_OK, row->get_accSelection(&v));
  EXPECT_EQ(4, v.lVal);  // File, the row's fourth child
  ASSERT_EQ(S_OK, row->get_accFocus(&v));
  EXPECT_EQ(4, v.lVal);

  // A text cell has no default action; the Size header's sorts, once the window's own loop
  // carries it out.
  EXPECT_EQ(DISP_E_MEMBERNOTFOUND, row->accDoDefaultAction(Id(4)));
  IDispatch* d = nullptr;
  ASSERT_EQ(S_OK, g.root->get_accChild(Id(1), &d));
  Obj header(d);
  EXPECT_EQ(u"Размер", header.Name(5));
  ASSERT_EQ(S_OK, header->accDoDefaultAction(Id(5)));
  EXPECT_EQ(u"900", g.grid.CellText(kSizeColumn, 0));  // not yet
  g.backend.ProcessMessages();
  EXPECT_EQ(u"1000", g.grid.CellText(kSizeColumn, 0));  // ascending, as text
  EXPECT_EQ(u"900", g.grid.CellText(kSizeColumn, 3));

  // Under a message box of the program (its window disabled) a click cannot reach the grid, and
  // no default action runs either.
  HWND top = GetAncestor(g.Handle(), GA_ROOT);
  EnableWindow(top, FALSE);
  EXPECT_EQ(E_FAIL, row->accDoDefaultAction(Id(3)));
  EnableWindow(top, TRUE);
  ASSERT_EQ(S_OK, row->accDoDefaultAction(Id(3)));  // row 2's delete box
  g.backend.ProcessMessages();
  EXPECT_TRUE(g.grid.CellAt(kDeleteColumn, 2).AsBoolean());
}

TEST(GridAccessibleWindow, AnObjectKeptPastItsWindowSaysItIsDisconnected) {
  AccessibleGrid g;
  IAccessible* kept = g.root.p;
  kept->AddRef();
  g.form.DestroyHandle();
  BSTR name = nullptr;
  EXPECT_EQ(RPC_E_DISCONNECTED, kept->get_accName(Id(CHILDID_SELF), &name));
  kept->Release();
}

}  // namespace
}  // namespace zv
