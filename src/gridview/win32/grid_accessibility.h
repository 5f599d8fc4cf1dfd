#pragma once
// Makes the grid's window speak to screen readers: it answers WM_GETOBJECT with the grid's
// accessible object (TGridAccessible through ui/win32/accessible_object.h), carries out default
// actions on its own thread, and raises the grid's events as the system's win events.
#include "gridview/grid.h"

namespace zv {

// Call before the grid gets its window (after UseSystemLook, whose window hook it keeps). Every
// window the grid gets from then on is served, until it is destroyed.
void UseGridAccessibility(TGridView& grid);

}  // namespace zv
