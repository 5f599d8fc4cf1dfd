// The main window on real windows under Wine: the state right after start, the rectangles at
// 96 dpi, tab order, resizing, the phone initialised once, closing, and errors from a real
// button going through the one dispatch place.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on
#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "main_window_fixture.h"

namespace zv {
namespace {

class MainWindow : public MainWindowTest {
 protected:
  // Design rectangles moved as the anchors say for the present client area (design 769 × 370).
  void ExpectLayout() {
    TForm1& f = *fx.Form1;
    const int dx = Client().Width() - 769, dy = Client().Height() - 370;
    struct Case {
      const TControl* c;
      TRect r;
    } cases[] = {
        {&f.Label1, Bounds(16, 16, 141, 13)},
        {&f.Edit1, Bounds(168, 14, 201, 21)},
        {&f.BitBtn3, Bounds(384, 13, 89, 22)},
        {&f.GridView1, Bounds(16, 48, 731 + dx, 261 + dy)},
        {&f.BitBtn2, Bounds(16, 317 + dy, 153, 25)},
        {&f.DirectoryEdit1, Bounds(176, 319 + dy, 281 + dx, 21)},
        {&f.BitBtn1, Bounds(650 + dx, 317 + dy, 97, 25)},
        {&f.StatusBar1, Bounds(0, 348 + dy, 769 + dx, 22)},
    };
    for (const auto& c : cases) EXPECT_EQ(RectInForm(*c.c), c.r) << c.c->Name;
  }
  // The controls that Tab visits from the first one, once round.
  std::vector<std::string> TabWalk() {
    HWND form = Hwnd(*fx.Form1);
    std::vector<std::string> order;
    HWND first = GetNextDlgTabItem(form, nullptr, FALSE);
    for (HWND h = first; h;) {
      Win32Peer* peer = Win32Peer::FromHandle(h);
      order.push_back(peer ? peer->Control().Name : "?");
      h = GetNextDlgTabItem(form, h, FALSE);
      if (h == first || order.size() > 10) break;
    }
    return order;
  }
  std::wstring PanelText(int i) {
    wchar_t buf[256] = {};
    SendMessageW(Hwnd(fx.Form1->StatusBar1), SB_GETTEXTW, i, reinterpret_cast<LPARAM>(buf));
    return buf;
  }
};

TEST_F(MainWindow, StartState) {
  TForm1& f = *fx.Form1;
  HWND form = Hwnd(f);
  RECT wr;
  GetWindowRect(form, &wr);
  EXPECT_EQ(wr.right - wr.left, 777);
  EXPECT_EQ(wr.bottom - wr.top, 404);
  EXPECT_EQ(wr.left, (GetSystemMetrics(SM_CXSCREEN) - 777) / 2);
  EXPECT_EQ(wr.top, (GetSystemMetrics(SM_CYSCREEN) - 404) / 2);
  EXPECT_TRUE(IsWindowVisible(form));
  wchar_t caption[64] = {};
  GetWindowTextW(form, caption, 64);
  EXPECT_STREQ(caption, L"Zarvelinthoscope");
  ExpectLayout();

  EXPECT_FALSE(IsWindowEnabled(Hwnd(f.BitBtn1)));
  EXPECT_FALSE(IsWindowEnabled(Hwnd(f.BitBtn2)));
  EXPECT_TRUE(IsWindowEnabled(Hwnd(f.BitBtn3)));
  EXPECT_TRUE(IsWindowEnabled(Hwnd(f.Edit1)));
  EXPECT_EQ(SendMessageW(Hwnd(f.Edit1), EM_GETLIMITTEXT, 0, 0), 200);
  EXPECT_FALSE(IsWindowVisible(Hwnd(*fx.Form3)));

  int parts[8] = {};
  ASSERT_EQ(SendMessageW(Hwnd(f.StatusBar1), SB_GETPARTS, 8, reinterpret_cast<LPARAM>(parts)), 4);
  EXPECT_EQ(parts[0], 196);
  EXPECT_EQ(parts[1], 332);
  EXPECT_EQ(parts[2], 444);
  EXPECT_EQ(parts[3], -1);
  EXPECT_EQ(PanelText(0), L"Соединение: Телефон отключен");
  EXPECT_EQ(PanelText(1), L"Найдено файлов: ---");
  EXPECT_EQ(PanelText(2), L"Фотографий: ---");
  EXPECT_EQ(PanelText(3).rfind(L"\t\t© команда Zarvelinthoscope", 0), 0u);

  // Tab order: the dialog manager walks the tab stops in window order, skipping disabled ones.
  // The thumbnails box comes last, after every control of the original window.
  const std::vector<std::string> all{"GridView1", "BitBtn1",        "BitBtn2",  "BitBtn3",
                                     "Edit1",     "DirectoryEdit1", "CheckBox1"};
  EXPECT_EQ(TabWalk(), (std::vector<std::string>{"GridView1", "BitBtn3", "Edit1",
                                                 "DirectoryEdit1", "CheckBox1"}));
  f.BitBtn1.SetEnabled(true);
  f.BitBtn2.SetEnabled(true);
  EXPECT_EQ(TabWalk(), all);
}

// The credit, right-aligned in the last panel, keeps about the margin from that panel's right
// border that the first panel's text keeps from its left one, rather than touching the border.
TEST_F(MainWindow, TheCreditKeepsAMarginFromTheLastPanelsRightBorder) {
  HWND bar = Hwnd(fx.Form1->StatusBar1);
  RedrawWindow(bar, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  Pump(std::chrono::milliseconds(20));
  RECT client;
  GetClientRect(bar, &client);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = client.right;
  info.bmiHeader.biHeight = -client.bottom;  // rows top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC barDc = GetDC(bar);
  HDC memory = CreateCompatibleDC(barDc);
  HBITMAP dib = CreateDIBSection(barDc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(dib, nullptr);
  HGDIOBJ old = SelectObject(memory, dib);
  BitBlt(memory, 0, 0, client.right, client.bottom, barDc, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* pixels = static_cast<const std::uint32_t*>(bits);
  // The columns of a panel that hold the text's ink (dark pixels; the borders are grey).
  const auto ink = [&](int part) {
    RECT r{};
    SendMessageW(bar, SB_GETRECT, part, reinterpret_cast<LPARAM>(&r));
    int first = -1, last = -1;
    for (int x = r.left; x < r.right; ++x)
      for (int y = r.top; y < r.bottom; ++y) {
        const std::uint32_t p = pixels[y * client.right + x];
        if (((p >> 16) & 0xFF) < 0x50 && ((p >> 8) & 0xFF) < 0x50 && (p & 0xFF) < 0x50) {
          if (first < 0) first = x;
          last = x;
          break;
        }
      }
    return std::tuple{r, first, last};
  };
  const auto [firstPanel, firstInk, firstLast] = ink(0);
  const auto [lastPanel, lastFirst, lastInk] = ink(3);
  SelectObject(memory, old);
  DeleteObject(dib);
  DeleteDC(memory);
  ReleaseDC(bar, barDc);
  ASSERT_GE(firstInk, 0) << "no text seen in the first panel";
  ASSERT_GE(lastInk, 0) << "no text seen in the last panel";
  const int leftMargin = firstInk - firstPanel.left;
  const int rightMargin = lastPanel.right - 1 - lastInk;
  EXPECT_GE(rightMargin, 3);
  EXPECT_GE(rightMargin, leftMargin - 1) << "left margin " << leftMargin;
}

TEST_F(MainWindow, ResizeKeepsAnchorsAndTheMinimumSize) {
  HWND form = Hwnd(*fx.Form1);
  SetWindowPos(form, nullptr, 0, 0, 1000, 600, SWP_NOMOVE | SWP_NOZORDER);
  Pump(std::chrono::milliseconds(50));
  EXPECT_EQ(fx.Form1->Width(), 1000);
  EXPECT_EQ(fx.Form1->Height(), 600);
  ExpectLayout();
  SetWindowPos(form, nullptr, 0, 0, 300, 100, SWP_NOMOVE | SWP_NOZORDER);
  Pump(std::chrono::milliseconds(50));
  RECT wr;
  GetWindowRect(form, &wr);
  EXPECT_EQ(wr.right - wr.left, 660);
  EXPECT_EQ(wr.bottom - wr.top, 220);
  ExpectLayout();
}

TEST_F(MainWindow, PhoneInitialisedOnceAndUntouchedAfterClose) {
  int inits = 0;
  for (const auto& line : phone.Log()) {
    if (line.rfind("P2K_Init", 0) == 0) {
      ++inits;
      EXPECT_EQ(line.rfind("P2K_Init 0", 0), 0u) << line;
    }
  }
  EXPECT_EQ(inits, 1);
  PostMessageW(Hwnd(*fx.Form1), WM_CLOSE, 0, 0);
  Pump(std::chrono::milliseconds(50));
  EXPECT_TRUE(fx.App.Terminated());
  EXPECT_FALSE(IsWindowVisible(Hwnd(*fx.Form1)));
  phone.ClearLog();
  Pump(std::chrono::milliseconds(1500));  // more than one timer interval
  fx.Form1.reset();
  fx.Form3.reset();
  EXPECT_TRUE(phone.Log().empty());
}

TEST_F(MainWindow, ErrorsFromARealButtonGoToTheGeneralHandler) {
  fx.Form1->BitBtn3.OnClick = [](TObject*) { throw EInOutError(InOutErrorText(112), 112); };
  SendMessageW(Hwnd(fx.Form1->BitBtn3), BM_CLICK, 0, 0);
  Pump(std::chrono::milliseconds(20));
  EXPECT_EQ(fx.Boxes.Errors, (std::vector<std::string>{"Disk full."}));
}

TEST_F(MainWindow, TypedTextReachesTheEditControl) {
  SetWindowTextW(Hwnd(fx.Form1->Edit1), L"Телефон1");
  EXPECT_EQ(fx.Form1->Edit1.Text(), "Телефон1");
  fx.Form1->Edit1.SetText("Phone2");
  wchar_t buf[32] = {};
  GetWindowTextW(Hwnd(fx.Form1->Edit1), buf, 32);
  EXPECT_STREQ(buf, L"Phone2");
}

}  // namespace
}  // namespace zv
