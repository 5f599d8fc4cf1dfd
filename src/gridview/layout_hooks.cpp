// The points where column layout and auto-sizing run. Empty until the grid's layout is built;
// the layout replaces these bodies.
#include "gridview/grid.h"

namespace zv {

void TGridView::LayoutColumnAdded(TCustomColumn&) {}
void TGridView::LayoutColumnWidthStored(TCustomColumn&) {}
void TGridView::LayoutColumnWidthApplied(TCustomColumn&) {}
void TGridView::LayoutColumnVisibilityStored(TCustomColumn&) {}
void TGridView::LayoutColumnOptionsStored(TCustomColumn&, TColumnOptions) {}
void TGridView::LayoutColumnPositionStored(TCustomColumn&) {}

}  // namespace zv
