// The grid's platform look: system colours, the visual-style query through uxtheme, and the
// themed list-view frame, painted in the window's non-client area by a subclass procedure.
// <windows.h> comes first: it renames DrawText, which the canvas declares too.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <uxtheme.h>
#include <vssym32.h>
// clang-format on

#include "gridview/win32/system_look.h"

#include "ui/win32/gdi_canvas.h"

namespace zv {

namespace {

constexpr UINT_PTR kFrameSubclassId = 0x6772;  // one subclass per grid window

// Whether the frame applies now; a failing theme query counts as no theme here, because an
// error must not leave a window procedure.
bool FrameOn(const TCustomGridView& grid) {
  try {
    return grid.ThemedFrame();
  } catch (...) {
    return false;
  }
}

void PaintFrame(HWND hwnd) {
  RECT window;
  GetWindowRect(hwnd, &window);
  OffsetRect(&window, -window.left, -window.top);
  // The client area in window coordinates, and the ring of the inner border around it.
  RECT client;
  GetClientRect(hwnd, &client);
  MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
  RECT origin;
  GetWindowRect(hwnd, &origin);
  OffsetRect(&client, -origin.left, -origin.top);
  RECT ring = client;
  InflateRect(&ring, 1, 1);

  HDC dc = GetWindowDC(hwnd);
  if (!dc) return;
  HRGN area = CreateRectRgnIndirect(&window);
  RECT inner = window;
  InflateRect(&inner, -2, -2);
  HRGN hole = CreateRectRgnIndirect(&inner);
  CombineRgn(area, area, hole, RGN_DIFF);  // the outer two pixels
  HRGN ringRgn = CreateRectRgnIndirect(&ring);
  HRGN clientRgn = CreateRectRgnIndirect(&client);
  CombineRgn(ringRgn, ringRgn, clientRgn, RGN_DIFF);  // the inner border
  CombineRgn(area, area, ringRgn, RGN_OR);
  SelectClipRgn(dc, area);
  FillRect(dc, &window, GetSysColorBrush(COLOR_WINDOW));
  if (HTHEME theme = OpenThemeData(hwnd, L"listview")) {
    DrawThemeBackground(theme, dc, 1, 0, &window, nullptr);
    CloseThemeData(theme);
  }
  SelectClipRgn(dc, nullptr);
  DeleteObject(clientRgn);
  DeleteObject(ringRgn);
  DeleteObject(hole);
  DeleteObject(area);
  ReleaseDC(hwnd, dc);
}

LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data) {
  const auto& grid = *reinterpret_cast<const TCustomGridView*>(data);
  switch (msg) {
    case WM_NCCALCSIZE: {
      const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
      if (FrameOn(grid)) {
        RECT* r =
            wp ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(lp)->rgrc[0] : reinterpret_cast<RECT*>(lp);
        InflateRect(r, -1, -1);
      }
      return result;
    }
    case WM_NCPAINT: {
      const LRESULT result = DefSubclassProc(hwnd, msg, wp, lp);
      if (FrameOn(grid)) PaintFrame(hwnd);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, FrameProc, id);
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

void ApplyFrame(HWND hwnd) {
  SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

using OpenThemeDataForDpiFn = HTHEME(WINAPI*)(HWND, LPCWSTR, UINT);

// The theme's check box at a density: OpenThemeDataForDpi (Windows 10 1703 and later, looked up
// at run time) knows every density; the plain theme data knows the system's only, which is all
// that older Windows shows a program at. 0 when no theme answers.
int ThemedCheckBoxSizeAt(int dpi) {
  HMODULE uxtheme = GetModuleHandleW(L"uxtheme.dll");
  if (!uxtheme) return 0;
  auto openForDpi = reinterpret_cast<OpenThemeDataForDpiFn>(
      reinterpret_cast<void*>(GetProcAddress(uxtheme, "OpenThemeDataForDpi")));
  HTHEME theme = nullptr;
  if (openForDpi) {
    theme = openForDpi(nullptr, L"Button", static_cast<UINT>(dpi));
  } else {
    HDC screen = GetDC(nullptr);
    const int system = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    if (system == dpi) theme = OpenThemeData(nullptr, L"Button");
  }
  if (!theme) return 0;
  SIZE size{};
  const bool ok = SUCCEEDED(
      GetThemePartSize(theme, nullptr, BP_CHECKBOX, CBS_UNCHECKEDNORMAL, nullptr, TS_DRAW, &size));
  CloseThemeData(theme);
  return ok && size.cx > 0 ? static_cast<int>(size.cx) : 0;
}

}  // namespace

bool Win32ThemesActive() {
  // The theme library is part of the system; a system without it has no visual styles.
  if (!GetModuleHandleW(L"uxtheme.dll") && !LoadLibraryW(L"uxtheme.dll")) return false;
  return IsAppThemed() && IsThemeActive();
}

void UseSystemLook(TCustomGridView& grid) {
  static const Win32Colors kSystemColors;  // stateless: asks the system on every call
  grid.SetColorResolver(&kSystemColors);
  grid.ThemeQuery = &Win32ThemesActive;
  grid.ThemedCheckBoxSize = [](int dpi) {
    return Win32ThemesActive() ? ThemedCheckBoxSizeAt(dpi) : 0;
  };
  grid.PlatformWindowCreated = [&grid](void* handle) {
    HWND hwnd = static_cast<HWND>(handle);
    SetWindowSubclass(hwnd, FrameProc, kFrameSubclassId, reinterpret_cast<DWORD_PTR>(&grid));
    ApplyFrame(hwnd);
    grid.PlatformFrameChanged = [hwnd] { ApplyFrame(hwnd); };
  };
}

}  // namespace zv
