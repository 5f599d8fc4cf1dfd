// The photo grid as a real window: a user's mouse and key messages sent to it, the cell values,
// selection and sort order read back, and captures of the client area whose pixels are checked
// where the look is fixed (grid lines, the blended selection, header frames, check marks).
// Each capture is saved into out/ for a person to look at.
#include <gtest/gtest.h>
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "gridview/grid.h"
#include "gridview/photo_columns.h"
#include "gridview/win32/system_look.h"
#include "ui/application.h"
#include "ui/forms.h"
#include "ui/win32/backend.h"

namespace zv {
namespace {

class QuietBoxes : public MessageBoxes {
 public:
  std::vector<std::string> Shown;
  void ShowMessage(const std::string& text) override { Shown.push_back(text); }
  void ShowError(const std::string& text) override { Shown.push_back(text); }
};

// A client-area capture, pixels 0x00RRGGBB, rows top-down.
struct Capture {
  int Width = 0, Height = 0;
  std::vector<std::uint32_t> Pixels;
  COLORREF At(int x, int y) const {
    const std::uint32_t p = Pixels[size_t(y) * size_t(Width) + size_t(x)];
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  // Pixels in r whose three channels are all below 100.
  int DarkPixels(RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) {
        const COLORREF c = At(x, y);
        if (GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100) ++n;
      }
    return n;
  }
  void Save(const std::string& name) const {
    const std::string path = std::string(ZV_OUT_DIR) + "/" + name;
    CreateDirectoryA(ZV_OUT_DIR, nullptr);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    info.biSize = sizeof(info);
    info.biWidth = Width;
    info.biHeight = -Height;
    info.biPlanes = 1;
    info.biBitCount = 32;
    const DWORD bytes = DWORD(Pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof(file) + sizeof(info);
    file.bfSize = file.bfOffBits + bytes;
    std::fwrite(&file, sizeof(file), 1, f);
    std::fwrite(&info, sizeof(info), 1, f);
    std::fwrite(Pixels.data(), 1, bytes, f);
    std::fclose(f);
  }
};

COLORREF Mix(COLORREF window, COLORREF highlight) {
  auto channel = [](int a, int b) { return int(std::nearbyint(0.25 * b + 0.75 * a)); };
  return RGB(channel(GetRValue(window), GetRValue(highlight)),
             channel(GetGValue(window), GetGValue(highlight)),
             channel(GetBValue(window), GetBValue(highlight)));
}

struct GridWindow {
  QuietBoxes boxes;
  TApplication app{boxes};
  Win32Backend backend{app, GetModuleHandleW(nullptr)};
  TForm form{nullptr, "Form1"};
  TGridView grid{&form, "GridView1"};

  explicit GridWindow(int rows) {
    form.SetBounds(0, 0, 777, 404);
    app.SetMainForm(form);
    grid.SetParent(&form);
    SetupPhotoGrid(grid);
    grid.SetBounds(16, 48, 731, 261);
    grid.SetAnchors(akLeft | akTop | akRight | akBottom);
    UseSystemLook(grid);
    grid.BeginUpdate();
    for (int r = 0; r < rows; ++r) {
      grid.AddRows(1);
      const int day = (r * 7) % 28 + 1;
      std::string name = (day < 10 ? "0" : "") + std::to_string(day) + "-03-24_" +
                         std::to_string(100000 + r) + ".jpg";
      grid.Cell(u"DownLoad", u"Last").SetAsBoolean(true);
      grid.Cell(u"File", u"Last").SetAsString(std::u16string(name.begin(), name.end()));
      grid.Cell(u"Size", u"Last").SetAsInteger(20000 + 37 * r);
    }
    grid.EndUpdate();
    backend.CreateHandle(form);
    form.Show();
    Pump();
  }
  ~GridWindow() { form.DestroyHandle(); }

  HWND Handle() const { return static_cast<HWND>(grid.Peer()->NativeHandle()); }
  void Pump() { backend.ProcessMessages(); }
  void Send(UINT msg, WPARAM wp, LPARAM lp) {
    SendMessageW(Handle(), msg, wp, lp);
    Pump();
  }
  void Click(TPoint p, bool right = false) {
    Send(right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, right ? MK_RBUTTON : MK_LBUTTON,
         MAKELPARAM(p.X, p.Y));
    Send(right ? WM_RBUTTONUP : WM_LBUTTONUP, 0, MAKELPARAM(p.X, p.Y));
  }
  void Key(WPARAM vk, wchar_t ch = 0) {
    Send(WM_KEYDOWN, vk, 1);
    if (ch) Send(WM_CHAR, ch, 1);
    Send(WM_KEYUP, vk, 0xC0000001);
  }
  TPoint CellPoint(int col, int row) {
    const TRect r = grid.CellRect(col, row);
    return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
  }
  TPoint HeaderPoint(int col) {
    const TRect r = grid.HeaderCellRect(grid.Columns()[col]);
    return {(r.Left + r.Right) / 2, 9};
  }
  std::vector<std::u16string> Names() {
    std::vector<std::u16string> out;
    for (int r = 0; r < grid.RowCount(); ++r) out.push_back(grid.CellText(kFileColumn, r));
    return out;
  }
  Capture Grab() {
    RECT rc;
    GetClientRect(Handle(), &rc);
    Capture c;
    c.Width = rc.right;
    c.Height = rc.bottom;
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = c.Width;
    bi.bmiHeader.biHeight = -c.Height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bmp);
    SendMessageW(Handle(), WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    GdiFlush();
    const auto* px = static_cast<const std::uint32_t*>(bits);
    c.Pixels.assign(px, px + size_t(c.Width) * size_t(c.Height));
    SelectObject(dc, old);
    DeleteObject(bmp);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return c;
  }
};

TEST(GridWindow, MouseAndKeysChangeCellsSelectionAndOrder) {
  GridWindow w(6);
  ASSERT_TRUE(w.grid.HandleAllocated());
  // 731 less the static edge, less the themed frame's inner border when visual styles are on;
  // then less the indicator and the fixed columns.
  const int client = Win32ThemesActive() ? 727 : 729;
  RECT rc;
  GetClientRect(w.Handle(), &rc);
  EXPECT_EQ(client, rc.right);
  EXPECT_EQ(client, w.grid.ClientWidth());
  EXPECT_EQ(client - 12 - 156, w.grid.Columns()[kFileColumn].Width());
  // Check boxes: DownLoad of row 2 off, Delete of row 3 on.
  w.Click(w.CellPoint(kDownLoadColumn, 2));
  w.Click(w.CellPoint(kDeleteColumn, 3));
  EXPECT_FALSE(w.grid.CellAt(kDownLoadColumn, 2).AsBoolean());
  EXPECT_TRUE(w.grid.CellAt(kDeleteColumn, 3).AsBoolean());
  EXPECT_EQ(3, w.grid.SelectedRow());
  EXPECT_EQ(GetFocus(), w.Handle());
  // A double click on a box leaves it as it was.
  const TPoint box = w.CellPoint(kDeleteColumn, 1);
  int doubles = 0;
  w.grid.OnDblClick = [&](TObject*) { ++doubles; };
  w.Click(box);
  w.Send(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(box.X, box.Y));
  w.Send(WM_LBUTTONUP, 0, MAKELPARAM(box.X, box.Y));
  EXPECT_FALSE(w.grid.CellAt(kDeleteColumn, 1).AsBoolean());
  EXPECT_EQ(1, doubles);
  // Keys: down one row, then the space bar ticks Delete there.
  w.Key(VK_DOWN);
  EXPECT_EQ(2, w.grid.SelectedRow());
  w.Key(VK_SPACE, L' ');
  EXPECT_TRUE(w.grid.CellAt(kDeleteColumn, 2).AsBoolean());
  // Sorting by the File header: ascending, then the exact reverse.
  std::vector<int> headerClicks;
  w.grid.OnHeaderClick = [&](TObject*, int col) { headerClicks.push_back(col); };
  w.Click(w.HeaderPoint(kFileColumn));
  std::vector<std::u16string> names = w.Names();
  EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
  w.Click(w.HeaderPoint(kFileColumn));
  EXPECT_EQ(std::vector<std::u16string>(names.rbegin(), names.rend()), w.Names());
  // The DownLoad header raises its click for either button and sorts nothing.
  w.Click(w.HeaderPoint(kDownLoadColumn));
  w.Click(w.HeaderPoint(kDownLoadColumn), true);
  EXPECT_EQ((std::vector<int>{3, 3, 1, 1}), headerClicks);
  EXPECT_EQ(std::vector<std::u16string>(names.rbegin(), names.rend()), w.Names());
  // Dragging the Size border to the left stops at 8 pixels.
  const TCustomColumn& size = w.grid.Columns()[kSizeColumn];
  const int border = size.ColumnLeft + size.Width();
  w.Send(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(border - 1, 5));
  w.Send(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(border - 200, 5));
  w.Send(WM_LBUTTONUP, 0, MAKELPARAM(border - 200, 5));
  EXPECT_EQ(8, size.Width());
  EXPECT_TRUE(w.boxes.Shown.empty());
}

TEST(GridWindow, CapturedPixelsShowTheFixedLook) {
  GridWindow w(4);
  w.Click(w.CellPoint(kFileColumn, 1));  // focus and selection on row 1
  ASSERT_EQ(GetFocus(), w.Handle());
  const Capture c = w.Grab();
  c.Save("gridview_selection.bmp");
  ASSERT_GT(c.Width, 700);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const int x = w.grid.Columns()[kFileColumn].ColumnLeft + 400;  // right of the name text
  // The grid line under row 0 and the window colour in it.
  EXPECT_EQ(face, c.At(x, 18 + 16));
  EXPECT_EQ(window, c.At(x, 18 + 8));
  // Row 1, selected with the focus: three quarters window, one quarter highlight, framed.
  EXPECT_EQ(Mix(window, highlight), c.At(x, 35 + 8));
  EXPECT_EQ(highlight, c.At(x, 35));
  // Header cell of File: light top and left edges, frame-coloured bottom and right edges.
  const int left = w.grid.Columns()[kFileColumn].ColumnLeft;
  const int right = left + w.grid.Columns()[kFileColumn].Width();
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), c.At(left + 5, 0));
  EXPECT_EQ(GetSysColor(COLOR_BTNHIGHLIGHT), c.At(left, 5));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), c.At(left + 5, 17));
  EXPECT_EQ(GetSysColor(COLOR_WINDOWFRAME), c.At(right - 1, 5));
  EXPECT_EQ(face, c.At(left + 300, 9));
  // Check marks: DownLoad boxes are ticked, Delete boxes are not.
  for (int row : {0, 2}) {
    const TPoint on = w.CellPoint(kDownLoadColumn, row), off = w.CellPoint(kDeleteColumn, row);
    EXPECT_GT(c.DarkPixels({on.X - 4, on.Y - 4, on.X + 5, on.Y + 5}), 6) << row;
    EXPECT_EQ(0, c.DarkPixels({off.X - 4, off.Y - 4, off.X + 5, off.Y + 5})) << row;
  }
}

TEST(GridWindow, LongListsScrollByPagesKeysAndWheel) {
  GridWindow w(300);
  const int visible = w.grid.VisibleRowCount();
  EXPECT_EQ(300 - visible, w.grid.VertScrollBar.Max());
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_ALL;
  ASSERT_TRUE(GetScrollInfo(w.Handle(), SB_VERT, &si));
  EXPECT_EQ(300 - visible, si.nMax);
  w.Send(WM_VSCROLL, SB_PAGEDOWN, 0);
  EXPECT_EQ(10, w.grid.TopRow());
  si.fMask = SIF_POS;
  GetScrollInfo(w.Handle(), SB_VERT, &si);
  EXPECT_EQ(10, si.nPos);
  w.Send(WM_MOUSEWHEEL, MAKEWPARAM(0, WORD(-WHEEL_DELTA)), 0);
  EXPECT_EQ(11, w.grid.TopRow());
  w.Click(w.CellPoint(kFileColumn, 12));
  EXPECT_EQ(12, w.grid.SelectedRow());
  w.Key(VK_END);
  EXPECT_EQ(299, w.grid.SelectedRow());
  EXPECT_EQ(300 - visible, w.grid.TopRow());
  w.Key(VK_PRIOR);
  EXPECT_EQ(300 - visible, w.grid.SelectedRow());
  const Capture c = w.Grab();
  c.Save("gridview_scrolled.bmp");
  // The last row sits at the bottom of the list, selected.
  const int x = w.grid.Columns()[kFileColumn].ColumnLeft + 400;
  const int lastTop = 18 + (visible - 1) * 17;
  EXPECT_EQ(GetSysColor(COLOR_WINDOW), c.At(x, lastTop + 8));
  const int selectedTop = 18;
  EXPECT_EQ(Mix(GetSysColor(COLOR_WINDOW), GetSysColor(COLOR_HIGHLIGHT)), c.At(x, selectedTop + 8));
}

}  // namespace
}  // namespace zv
