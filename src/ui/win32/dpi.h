#pragma once
// The display's density for the Win32 backend. The program declares itself aware of each
// monitor's scale (manifest, and SetProcessDpiAwarenessContext where it exists, so that a
// process that starts the program's code without the manifest, such as a test, behaves the
// same). The calls that only newer Windows offers are looked up at run time, so that the program
// imports nothing Windows XP lacks; without them the system's density applies
// (GetDeviceCaps(LOGPIXELSX)), as XP gives every program.
#include <windows.h>

namespace zv {

// Asks for per-monitor (v2) awareness, else per-monitor, else system awareness. Call before the
// first window is made; a process that is aware already (by its manifest) keeps what it has.
void EnableDpiAwareness();

// The system's density (the screen's LOGPIXELSX).
int SystemDpi();
// The density of the monitor that holds the point (per monitor where Windows knows it).
int DpiAtPoint(POINT p);
// The density that a window is shown at: GetDpiForWindow where it exists, else the system's.
int DpiForWindow(HWND window);

// AdjustWindowRectEx for a density: AdjustWindowRectExForDpi where it exists, else the plain call
// (which measures the frame at the system's density).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// GetSystemMetrics for a density: GetSystemMetricsForDpi where it exists, else the plain call
// scaled from the system's density.
int SystemMetricForDpi(int index, int dpi);

// WM_DPICHANGED (Windows 8.1 and later; the headers of older SDKs lack it).
constexpr UINT kWmDpiChanged = 0x02E0;

}  // namespace zv
