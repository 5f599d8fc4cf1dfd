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
// Win32ThemesActive.
void UseSystemLook(TCustomGridView& grid);

}  // namespace zv
