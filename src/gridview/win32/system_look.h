#pragma once
// Gives a grid the platform's look: system colours for the colours it mixes itself (the
// blended selection) and the visual-style query that decides between themed and classic
// check boxes, header indents and sort arrows.
#include "gridview/grid_view_control.h"

namespace zv {

// Whether visual styles are in use: the theme library loads, the application is themed and a
// theme is active.
bool Win32ThemesActive();

// Sets the grid's colour resolver to the system colours and its ThemeQuery to
// Win32ThemesActive, and gives its window the themed list-view frame (a one-pixel inner border
// inside the static edge, the outer two pixels painted by the theme) while ThemedFrame() holds.
// Call before the grid gets its window.
void UseSystemLook(TCustomGridView& grid);

}  // namespace zv
