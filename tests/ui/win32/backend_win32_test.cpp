// The Win32 backend on real windows: a custom-painted control gets its paint, mouse, key and
// scroll-bar events translated, its requests carried out, and an error in any of them lands in
// the general error handler.
// clang-format off
#include <windows.h>
// clang-format on
#include <gtest/gtest.h>

#include "ui/application.h"
#include "ui/custom_control.h"
#include "ui/errors.h"
#include "ui/forms.h"
#include "ui/win32/backend.h"

namespace zv {
namespace {

class Boxes : public MessageBoxes {
 public:
  std::vector<std::string> errors;
  void ShowMessage(const std::string&) override {}
  void ShowError(const std::string& t) override { errors.push_back(t); }
};

class Pad : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
  std::vector<std::string> events;
  bool failPaint = false;
  void Paint(Canvas& c) override {
    if (failPaint) throw Exception("Paint failed");
    c.FillRect(ClientRect(), RGB(10, 200, 30));
  }
  void MouseDown(TMouseButton b, TShiftState s, TPoint p) override {
    events.push_back("down " + std::to_string(int(b)) + " " + std::to_string(p.X) + "," +
                     std::to_string(p.Y) + ((s & ssCtrl) ? " ctrl" : ""));
  }
  void MouseDblClick(TMouseButton, TShiftState s, TPoint) override {
    events.push_back((s & ssDouble) ? "dbl" : "dbl?");
  }
  bool KeyDown(TKey k, TShiftState) override {
    events.push_back("key " + std::to_string(int(k)));
    return true;
  }
  void ScrollMessage(TScrollBarKind k, TScrollCode c, int) override {
    events.push_back("scroll " + std::to_string(int(k)) + " " + std::to_string(int(c)));
    if (c == TScrollCode::scLineDown) throw Exception("I/O error 7");
  }
};

class Backend : public ::testing::Test {
 protected:
  void SetUp() override {
    form.SetBounds(0, 0, 300, 200);
    pad.SetParent(&form);
    pad.SetBounds(10, 10, 120, 80);
    pad.WantArrows = true;
    pad.SetTabStop(true);
    backend.CreateHandle(form);
    form.Show();
    backend.ProcessMessages();
  }
  HWND Pad() { return static_cast<HWND>(pad.Peer()->NativeHandle()); }

  Boxes boxes;
  TApplication app{boxes};
  Win32Backend backend{app, GetModuleHandleW(nullptr)};
  TForm form{nullptr, "F"};
  ::zv::Pad pad{&form, "Pad"};
};

TEST_F(Backend, InputIsTranslatedIntoPortableEvents) {
  SendMessageW(Pad(), WM_LBUTTONDOWN, MK_LBUTTON | MK_CONTROL, MAKELPARAM(5, 7));
  SendMessageW(Pad(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(50, 60));
  SendMessageW(Pad(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(5, 7));
  SendMessageW(Pad(), WM_KEYDOWN, VK_NEXT, 0);
  EXPECT_EQ(pad.events, (std::vector<std::string>{"down 0 5,7 ctrl", "down 1 50,60", "dbl",
                                                  "key " + std::to_string(int(TKey::PageDown))}));
  EXPECT_TRUE(pad.Focused());  // a press takes the focus
  EXPECT_EQ(SendMessageW(Pad(), WM_GETDLGCODE, 0, 0), DLGC_WANTARROWS);
}

TEST_F(Backend, ScrollBarsAndErrorsThroughTheDispatchPlace) {
  pad.SetScrollBar(TScrollBarKind::sbVertical,
                   {.Min = 0, .Max = 20, .Page = 1, .Position = 4, .Visible = true});
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(Pad(), SB_VERT, &si));
  EXPECT_EQ(si.nMax, 20);
  EXPECT_EQ(si.nPos, 4);
  EXPECT_EQ(pad.ClientRect().Width(), 120 - GetSystemMetrics(SM_CXVSCROLL));
  SendMessageW(Pad(), WM_VSCROLL, SB_LINEDOWN, 0);
  EXPECT_EQ(pad.events.back(), "scroll 1 1");
  EXPECT_EQ(boxes.errors, (std::vector<std::string>{"I/O error 7."}));
}

TEST_F(Backend, PaintingReachesTheWindow) {
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  HBITMAP bmp = CreateCompatibleBitmap(screen, 120, 80);
  HGDIOBJ old = SelectObject(mem, bmp);
  SendMessageW(Pad(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(mem), PRF_CLIENT);
  EXPECT_EQ(GetPixel(mem, 20, 20), RGB(10, 200, 30));
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);

  pad.failPaint = true;  // an error while painting is shown once, and painting ends properly
  InvalidateRect(Pad(), nullptr, FALSE);
  UpdateWindow(Pad());
  backend.ProcessMessages();
  EXPECT_EQ(boxes.errors, (std::vector<std::string>{"Paint failed."}));
  pad.failPaint = false;
}

}  // namespace
}  // namespace zv
