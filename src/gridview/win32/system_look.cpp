// The grid's platform look: system colours and the visual-style query through uxtheme.
// <windows.h> comes first: it renames DrawText, which the canvas declares too.
#include <windows.h>
#include <uxtheme.h>

#include "gridview/win32/system_look.h"
#include "ui/win32/gdi_canvas.h"

namespace zv {

bool Win32ThemesActive() {
  // The theme library is part of the system; a system without it has no visual styles.
  if (!GetModuleHandleW(L"uxtheme.dll") && !LoadLibraryW(L"uxtheme.dll")) return false;
  return IsAppThemed() && IsThemeActive();
}

void UseSystemLook(TCustomGridView& grid) {
  static const Win32Colors kSystemColors;  // stateless: asks the system on every call
  grid.SetColorResolver(&kSystemColors);
  grid.ThemeQuery = &Win32ThemesActive;
}

}  // namespace zv
