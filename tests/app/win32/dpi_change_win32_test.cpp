// The main window moved to a monitor of another scale: WM_DPICHANGED, as Windows 10 sends it,
// rescales every control in place (bounds, fonts, the grid's sizes, the pictures) and the window
// takes the rectangle the system suggests; moving back to 100 % gives the design again.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "folderedit/win32/combo_edit_peer.h"
#include "gridview/photo_columns.h"
#include "main_window_fixture.h"
#include "ui/scaling.h"
#include "ui/win32/dpi.h"

namespace zv {
namespace {

class DpiChange : public MainWindowTest {
 protected:
  HWND Form() { return Hwnd(*fx.Form1); }
  // The width of the window's icon of that kind (ICON_BIG or ICON_SMALL), 0 without one.
  int IconWidth(WPARAM kind) {
    HICON icon = reinterpret_cast<HICON>(SendMessageW(Form(), WM_GETICON, kind, 0));
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP bm{};
    GetObjectW(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bm), &bm);
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return bm.bmWidth;
  }
  // What Windows sends when the window's monitor changes to `dpi`.
  void MoveToMonitorOf(int dpi, const RECT& suggested) {
    SendMessageW(Form(), kWmDpiChanged, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    Pump(std::chrono::milliseconds(50));
  }
};

TEST_F(DpiChange, ControlsRescaleInPlaceAndTheWindowTakesTheSuggestedRectangle) {
  TForm1& f = *fx.Form1;
  RECT before;
  GetWindowRect(Form(), &before);
  const TRect clientBefore = Client();
  ASSERT_EQ(16, IconWidth(ICON_SMALL));
  ASSERT_EQ(32, IconWidth(ICON_BIG));
  struct Placed {
    const TControl* c;
    TRect r;
  };
  std::vector<Placed> placed;
  for (const TControl* c : std::initializer_list<const TControl*>{
           &f.Label1, &f.Edit1, &f.BitBtn3, &f.GridView1, &f.BitBtn2, &f.DirectoryEdit1, &f.BitBtn1,
           &f.StatusBar1})
    placed.push_back({c, RectInForm(*c)});

  // Both fit the test's screen of 1280 × 1024 (a larger window would be held to the screen).
  for (int dpi : {120, 144}) {
    SCOPED_TRACE(dpi);
    // The system suggests the window's rectangle grown by the factor, at the same place.
    const RECT suggested{before.left, before.top,
                         before.left + MulDiv(before.right - before.left, dpi, 96),
                         before.top + MulDiv(before.bottom - before.top, dpi, 96)};
    MoveToMonitorOf(dpi, suggested);
    RECT now;
    GetWindowRect(Form(), &now);
    EXPECT_EQ(suggested.left, now.left);
    EXPECT_EQ(suggested.right - suggested.left, now.right - now.left);
    EXPECT_EQ(suggested.bottom - suggested.top, now.bottom - now.top);
    EXPECT_EQ(dpi, f.PixelsPerInch());

    // Each control at its place scaled; the anchored ones keep their scaled distances to the
    // client area's right and bottom edges.
    const TRect client = Client();
    const int oldW = MulDiv(clientBefore.Right, dpi, 96);
    const int oldH = MulDiv(clientBefore.Bottom, dpi, 96);
    const int dx = client.Right - oldW, dy = client.Bottom - oldH;
    for (const Placed& p : placed) {
      TRect want = ScaleBounds(p.r, dpi, 96);
      const TAnchors a = p.c->Anchors();
      if (p.c == &f.StatusBar1) {
        want = {0, client.Bottom - want.Height(), client.Right, client.Bottom};
      } else {
        if (a & akRight) {
          want.Right += dx;
          if (!(a & akLeft)) want.Left += dx;
        }
        if (a & akBottom) {
          want.Bottom += dy;
          if (!(a & akTop)) want.Top += dy;
        }
      }
      const TRect got = RectInForm(*p.c);
      EXPECT_NEAR(want.Left, got.Left, 1) << p.c->Name;
      EXPECT_NEAR(want.Top, got.Top, 1) << p.c->Name;
      EXPECT_NEAR(want.Right, got.Right, 1) << p.c->Name;
      EXPECT_NEAR(want.Bottom, got.Bottom, 1) << p.c->Name;
    }
    // Fonts, the grid's sizes, the pictures and the folder button follow.
    LOGFONTW lf{};
    GetObjectW(reinterpret_cast<HFONT>(SendMessageW(Hwnd(f.Label1), WM_GETFONT, 0, 0)), sizeof(lf),
               &lf);
    EXPECT_EQ(MulDiv(-11, dpi, 96), lf.lfHeight);
    EXPECT_EQ(MulDiv(18, dpi, 96), f.GridView1.HeaderSize);
    EXPECT_EQ(MulDiv(16, dpi, 96), f.GridView1.RowSize());
    EXPECT_EQ(dpi, f.BitBtn1.PixelsPerInch());  // its window picks its picture for that
    EXPECT_EQ(MulDiv(16, dpi, 96), f.DirectoryEdit1.Glyph().Width);
    EXPECT_EQ(MulDiv(16, dpi, 96), f.GridView1.Columns()[kDeleteColumn].Header().Glyph().Width);
    HWND button =
        FindWindowExW(Hwnd(f.DirectoryEdit1), nullptr, Win32ComboEditPeer::kButtonClass, nullptr);
    RECT br{};
    GetClientRect(button, &br);
    EXPECT_EQ(MulDiv(20, dpi, 96), br.right);
    // The grid fills its new width: File takes what the scaled columns leave.
    TGridView& g = f.GridView1;
    EXPECT_EQ(g.AvailableWidth(), g.TotalColumnsWidth());
    MINMAXINFO mmi{};
    SendMessageW(Form(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&mmi));
    EXPECT_EQ(MulDiv(660, dpi, 96), mmi.ptMinTrackSize.x);
    // The title bar's and the task switcher's icons at the sizes of the new scale.
    EXPECT_EQ(MulDiv(16, dpi, 96), IconWidth(ICON_SMALL));
    EXPECT_EQ(MulDiv(32, dpi, 96), IconWidth(ICON_BIG));

    // Back on a monitor of 100 %: the design again, pixel for pixel.
    MoveToMonitorOf(96, before);
    EXPECT_EQ(96, f.PixelsPerInch());
    for (const Placed& p : placed) {
      EXPECT_EQ(p.r, RectInForm(*p.c)) << p.c->Name;
    }
    EXPECT_EQ(16, f.DirectoryEdit1.Glyph().Width);
    EXPECT_EQ(18, f.GridView1.HeaderSize);
    EXPECT_EQ(16, IconWidth(ICON_SMALL));
    EXPECT_EQ(32, IconWidth(ICON_BIG));
  }
}

}  // namespace
}  // namespace zv
