// Display density on Win32, with the newer calls looked up at run time.
#include "ui/win32/dpi.h"

namespace zv {

namespace {

// DPI_AWARENESS_CONTEXT values (handles, as Windows 10 defines them).
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));
constexpr int kProcessPerMonitorDpiAware = 2;  // PROCESS_DPI_AWARENESS
constexpr int kMdtEffectiveDpi = 0;            // MONITOR_DPI_TYPE

using SetContextFn = BOOL(WINAPI*)(HANDLE);
using SetAwarenessFn = HRESULT(WINAPI*)(int);
using SetAwareFn = BOOL(WINAPI*)();
using IsAwareFn = BOOL(WINAPI*)();
using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
using AdjustForDpiFn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using MetricsForDpiFn = int(WINAPI*)(int, UINT);

// One table of the optional calls, bound once (the system DLLs stay loaded for the process).
struct DpiCalls {
  SetContextFn SetProcessDpiAwarenessContext = nullptr;
  SetAwarenessFn SetProcessDpiAwareness = nullptr;
  SetAwareFn SetProcessDPIAware = nullptr;
  IsAwareFn IsProcessDPIAware = nullptr;
  GetDpiForWindowFn GetDpiForWindow = nullptr;
  GetDpiForMonitorFn GetDpiForMonitor = nullptr;
  AdjustForDpiFn AdjustWindowRectExForDpi = nullptr;
  MetricsForDpiFn GetSystemMetricsForDpi = nullptr;

  DpiCalls() {
    if (HMODULE user = GetModuleHandleW(L"user32.dll")) {
      Bind(user, "SetProcessDpiAwarenessContext", SetProcessDpiAwarenessContext);
      Bind(user, "SetProcessDPIAware", SetProcessDPIAware);
      Bind(user, "IsProcessDPIAware", IsProcessDPIAware);
      Bind(user, "GetDpiForWindow", GetDpiForWindow);
      Bind(user, "AdjustWindowRectExForDpi", AdjustWindowRectExForDpi);
      Bind(user, "GetSystemMetricsForDpi", GetSystemMetricsForDpi);
    }
    // shcore.dll exists from Windows 8.1 on; loaded from the system folder only.
    wchar_t path[MAX_PATH];
    const UINT n = GetSystemDirectoryW(path, MAX_PATH);
    if (n > 0 && n + 12 < MAX_PATH) {
      lstrcatW(path, L"\\shcore.dll");
      if (HMODULE shcore = LoadLibraryW(path)) {
        Bind(shcore, "SetProcessDpiAwareness", SetProcessDpiAwareness);
        Bind(shcore, "GetDpiForMonitor", GetDpiForMonitor);
      }
    }
  }

  template <class F>
  static void Bind(HMODULE module, const char* name, F& fn) {
    fn = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
  }
};

const DpiCalls& Calls() {
  static const DpiCalls calls;  // bound once, read only afterwards
  return calls;
}

}  // namespace

void EnableDpiAwareness() {
  // Each Windows is asked in its own terms only: a process that its manifest made aware already
  // refuses the call, and must not fall through to an older call that asks for less.
  const DpiCalls& c = Calls();
  if (c.SetProcessDpiAwarenessContext) {  // Windows 10
    if (!c.SetProcessDpiAwarenessContext(kPerMonitorAwareV2))
      c.SetProcessDpiAwarenessContext(kPerMonitorAware);
    return;
  }
  if (c.SetProcessDpiAwareness) {  // Windows 8.1
    c.SetProcessDpiAwareness(kProcessPerMonitorDpiAware);
    return;
  }
  if (c.SetProcessDPIAware && !(c.IsProcessDPIAware && c.IsProcessDPIAware()))
    c.SetProcessDPIAware();  // Vista and 7: system-aware
}

int SystemDpi() {
  HDC dc = GetDC(nullptr);
  const int dpi = dc ? GetDeviceCaps(dc, LOGPIXELSX) : 96;
  if (dc) ReleaseDC(nullptr, dc);
  return dpi > 0 ? dpi : 96;
}

int DpiAtPoint(POINT p) {
  const DpiCalls& c = Calls();
  if (c.GetDpiForMonitor) {
    UINT x = 0, y = 0;
    HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTOPRIMARY);
    if (monitor && SUCCEEDED(c.GetDpiForMonitor(monitor, kMdtEffectiveDpi, &x, &y)) && x > 0)
      return static_cast<int>(x);
  }
  return SystemDpi();
}

int DpiForWindow(HWND window) {
  const DpiCalls& c = Calls();
  if (c.GetDpiForWindow && window) {
    if (const UINT dpi = c.GetDpiForWindow(window)) return static_cast<int>(dpi);
  }
  return SystemDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  const DpiCalls& c = Calls();
  if (c.AdjustWindowRectExForDpi &&
      c.AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi)))
    return;
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, int dpi) {
  const DpiCalls& c = Calls();
  if (c.GetSystemMetricsForDpi) return c.GetSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  return MulDiv(GetSystemMetrics(index), dpi, SystemDpi());
}

}  // namespace zv
