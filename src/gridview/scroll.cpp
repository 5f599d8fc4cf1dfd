// Scrolling of the grid: the two scroll bar objects' ranges, moving the content when a position
// changes, scroll-bar messages, size changes, and the data side's screen requests
// (invalidations, scrolling after a row removal) in client coordinates.
#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "gridview/drawing.h"
#include "gridview/grid.h"

namespace zv {

// ---- scroll bar objects ----

void TCustomGridView::ApplyScrollBar(const TControlScrollBar& bar) {
  ScrollBarState state;
  state.Min = bar.Min();
  state.Max = bar.Max();
  state.Page = bar.Page();
  state.Position = bar.Position();
  state.Visible = bar.Visible();
  state.Enabled = bar.Enabled();
  if (!(ScrollBar(bar.Kind()) == state)) SetScrollBar(bar.Kind(), state);
}

void TCustomGridView::ScrollContent(const TControlScrollBar& bar, int oldPosition) {
  if (bar.Kind() == TScrollBarKind::sbVertical)
    ScrollVertically(oldPosition, bar.Position());
  else
    ScrollHorizontally(oldPosition, bar.Position());
}

void TCustomGridView::ScrollVertically(int oldTop, int newTop) {
  const TRect area = CellAreaRect();
  const TRect strip{0, area.Top, ClientWidth(), area.Bottom};
  if (VertScrollBar.Max() == 0) {
    InvalidateRect(strip);  // the range collapsed: show the rows from the new top
    return;
  }
  // The pitches of the rows between the old and the new top; past a screenful a repaint is
  // cheaper than a scroll.
  const int height = area.Height();
  int dy = 0;
  for (int row = std::min(oldTop, newTop); row < std::max(oldTop, newTop) && dy <= height; ++row)
    dy += std::max(1, RowPitch(row));
  if (dy > height) {
    InvalidateRect(strip);
    return;
  }
  ScrollArea(strip, 0, newTop > oldTop ? -dy : dy);
}

void TCustomGridView::ScrollHorizontally(int oldPos, int newPos) {
  const int dx = oldPos - newPos;
  const TRect strip{CellAreaRect().Left, 0, ClientWidth(), ClientHeight()};
  if (std::abs(dx) >= strip.Width())
    InvalidateRect(strip);
  else
    ScrollArea(strip, dx, 0);
}

void TCustomGridView::UpdateVerticalScrollRange() {
  const TGridView& grid = Grid();
  const int max =
      grid.Columns().Count() == 0 ? 0 : std::max(0, grid.RowCount() - VisibleRowCount());
  VertScrollBar.SetRange(0, max, 1, max > 0, !(HideScrollBar && max < 1));
  VertScrollBar.SetPosition(VertScrollBar.Position());
}

void TCustomGridView::UpdateHorizontalScrollRange() {
  const int clientWidth = ClientWidth();
  const int max = std::max(0, TotalColumnsWidth() + IndicatorWidthNow() - clientWidth);
  HorzScrollBar.SetLargeChange(static_cast<int>(std::nearbyint(clientWidth * 0.05)));
  HorzScrollBar.SetRange(0, max, 1, true, max > 0);
  if (HorzScrollBar.Position() > max) HorzScrollBar.SetPosition(max);
}

void TCustomGridView::ScrollToRow(int row) { VertScrollBar.SetPosition(row); }

void TCustomGridView::ScrollMessage(TScrollBarKind kind, TScrollCode code, int pos) {
  if (kind == TScrollBarKind::sbVertical) {
    CloseEditor();
    UpdateVerticalScrollRange();
    VertScrollBar.Scroll(code, pos);
    VertScrollBar.Update();
    if (OnVerticalScroll) OnVerticalScroll(this, VertScrollBar.Position());
  } else {
    const bool refreshFocus = !appearance_.Contains(aoAlphaBlendedSelection);
    if (refreshFocus) InvalidateSelection();
    HorzScrollBar.Scroll(code, pos);
    HorzScrollBar.Update();
    if (refreshFocus) InvalidateSelection();
    if (OnHorizontalScroll) OnHorizontalScroll(this, HorzScrollBar.Position());
  }
}

// ---- size changes ----

void TCustomGridView::Resize() {
  TCustomControl::Resize();
  if (ClientHeight() != lastClientHeight_) {
    lastClientHeight_ = ClientHeight();
    UpdateVerticalScrollRange();
  }
  const int width = ClientWidth();
  if (width == lastClientWidth_) return;
  const int oldWidth = lastClientWidth_;
  lastClientWidth_ = width;
  AutoSizeColumns(nullptr, false);
  if (HorzScrollPosition() <= 0 && oldWidth >= 0)
    InvalidateRect({std::min(oldWidth, width) - metrics_.ResizeGuard, 0, std::max(oldWidth, width),
                    ClientHeight()});
  else
    InvalidateAll();
  UpdateHorizontalScrollRange();
  CloseEditor();
}

// ---- the data side's screen requests ----

void TCustomGridView::InvalidateCell(int ACol, int ARow) {
  if (ACol < 0 || ACol >= Grid().Columns().Count() || ARow < TopRow()) return;
  const TRect area = CellAreaRect();
  TRect r = CellRect(ACol, ARow);
  if (r.Top >= area.Bottom) return;
  r.Right += Grid().GridLineWidth();
  r.Bottom += Grid().GridLineWidth();
  InvalidateRect(r);
}

void TCustomGridView::InvalidateRow(int ARow) {
  if (ARow < TopRow()) return;
  const int top = RowTop(ARow);
  if (top >= CellAreaRect().Bottom) return;
  InvalidateRect({0, top, ClientWidth(), top + RowPitch(ARow)});
}

void TCustomGridView::InvalidateRows(int first, int last) {
  const TRect area = CellAreaRect();
  if (last < TopRow()) return;
  const int top = first < TopRow() ? area.Top : RowTop(first);
  if (top >= area.Bottom) return;
  const int lastTop = RowTop(last);
  const int bottom =
      lastTop >= area.Bottom ? area.Bottom : std::min(area.Bottom, lastTop + RowPitch(last));
  InvalidateRect({0, top, ClientWidth(), bottom});
}

void TCustomGridView::InvalidateData() {
  const TRect area = CellAreaRect();
  InvalidateRect({0, area.Top, ClientWidth(), area.Bottom});
}

void TCustomGridView::InvalidateIndicator() {
  if (Grid().Options().Contains(goIndicator)) InvalidateRect(IndicatorRect());
}

void TCustomGridView::InvalidateAll() { Invalidate(); }

void TCustomGridView::InvalidateColumn(int ACol) {
  if (ACol < 0 || ACol >= Grid().Columns().Count()) return;
  const TCustomColumn& column = Grid().Columns()[ACol];
  const int left = column.ColumnLeft - HorzScrollPosition();
  InvalidateRect({left, 0, left + column.Width(), ClientHeight()});
}

void TCustomGridView::InvalidateFromColumn(int ACol) {
  if (ACol < 0 || ACol >= Grid().Columns().Count()) return;
  const int left = Grid().Columns()[ACol].ColumnLeft - HorzScrollPosition();
  InvalidateRect({left - 1, 0, ClientWidth(), ClientHeight()});
}

void TCustomGridView::InvalidateHeaderCell(int ACol) {
  if (ACol < 0 || ACol >= Grid().Columns().Count()) return;
  const TRect r = HeaderCellRect(Grid().Columns()[ACol]);
  InvalidateRect({r.Left - 1, 0, r.Right + 1, r.Bottom + 1});
}

void TCustomGridView::InvalidateInputCell(int ACol) {
  if (ACol < 0 || ACol >= Grid().Columns().Count()) return;
  const TRect input = InputRect();
  if (input.IsEmpty()) return;
  const TCustomColumn& column = Grid().Columns()[ACol];
  const int left = column.ColumnLeft - HorzScrollPosition();
  InvalidateRect({left, input.Top, left + column.Width(), input.Bottom});
}

void TCustomGridView::InvalidateSelection() {
  const TGridView& grid = Grid();
  if (grid.Options().Contains(goSelectFullRow))
    InvalidateRow(grid.SelectedRow());
  else
    InvalidateCell(grid.SelectedColumn(), grid.SelectedRow());
}

void TCustomGridView::ScrollUpAfterDelete(int ARow, int pixels) {
  const TRect area = CellAreaRect();
  if (ARow < TopRow()) {
    InvalidateData();  // every shown row moved up by one index
  } else {
    const int top = RowTop(ARow);
    if (top < area.Bottom) ScrollArea({0, top, ClientWidth(), area.Bottom}, 0, -pixels);
  }
}

}  // namespace zv
