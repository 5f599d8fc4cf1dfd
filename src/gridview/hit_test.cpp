// The grid's geometry: the rectangles of its parts, row positions and heights, and hit testing
// of points (which part, which column, which row, which column border).
#include <algorithm>

#include "gridview/drawing.h"
#include "gridview/grid.h"

namespace zv {

namespace {

// Rows are walked one by one; a row that claims no height still takes a pixel so that every
// walk ends.
int AtLeastOne(int pitch) { return pitch < 1 ? 1 : pitch; }

}  // namespace

int TCustomGridView::RowHeightAt(int ARow) const {
  TGridView& grid = const_cast<TGridView&>(Grid());
  if (ARow >= 0 && ARow < grid.RowCount()) return grid.RowHeight(ARow);
  return grid.RowSize();
}

int TCustomGridView::RowPitch(int ARow) const { return RowHeightAt(ARow) + Grid().GridLineWidth(); }

TRect TCustomGridView::IndicatorRect() const {
  if (!Grid().Options().Contains(goIndicator)) return {};
  return {0, 0, metrics_.IndicatorWidth, ClientHeight()};
}

TRect TCustomGridView::HeaderRect() const {
  if (!Grid().Options().Contains(goHeader)) return {};
  const int left = IndicatorWidthNow();
  return {left, 0, left + TotalColumnsWidth() - HorzScrollPosition(), HeaderSize};
}

TRect TCustomGridView::InputRect() const {
  const TGridOptions options = Grid().Options();
  if (!options.Contains(goInput)) return {};
  const int left = IndicatorWidthNow();
  const int top = options.Contains(goHeader) ? HeaderSize : 0;
  return {left, top, left + TotalColumnsWidth() - HorzScrollPosition(),
          top + InputSize + 6 + Grid().GridLineWidth()};
}

TRect TCustomGridView::CellAreaRect() const {
  const TGridOptions options = Grid().Options();
  const int left = IndicatorWidthNow();
  int top = options.Contains(goHeader) ? HeaderSize : 0;
  if (options.Contains(goInput)) top += InputSize + 6 + Grid().GridLineWidth();
  int bottom = ClientHeight();
  if (options.Contains(goFooter)) bottom -= HeaderSize + 4 + Grid().GridLineWidth();
  const int right = std::min(left + TotalColumnsWidth() - HorzScrollPosition(), ClientWidth());
  return {left, top, right, bottom};
}

TRect TCustomGridView::FooterRect() const {
  if (!Grid().Options().Contains(goFooter)) return {};
  const int left = IndicatorWidthNow();
  return {left, ClientHeight() - (HeaderSize + 4 + Grid().GridLineWidth()),
          left + TotalColumnsWidth() - HorzScrollPosition(), ClientHeight()};
}

TGridArea TCustomGridView::HitTest(TPoint p) const {
  if (GridStyle != gsReport) return TGridArea::Slides;
  const TGridOptions options = Grid().Options();
  if (options.Contains(goHeader) && HeaderRect().Contains(p)) return TGridArea::Header;
  if (options.Contains(goInput) && InputRect().Contains(p)) return TGridArea::InputLine;
  if (CellAreaRect().Contains(p)) return TGridArea::Cells;
  if (options.Contains(goFooter) && FooterRect().Contains(p)) return TGridArea::Footer;
  if (options.Contains(goIndicator) && IndicatorRect().Contains(p)) return TGridArea::Indicator;
  return TGridArea::None;
}

TCustomColumn* TCustomGridView::ColumnAt(int x) const {
  const int scroll = HorzScrollPosition();
  for (TCustomColumn* c : Grid().Columns().DisplayOrder()) {
    if (!c->Visible()) continue;
    const int left = c->ColumnLeft - scroll;
    if (x >= left && x <= left + c->Width()) return c;
  }
  return nullptr;
}

int TCustomGridView::RowAt(int y) const {
  const TRect area = CellAreaRect();
  if (y < area.Top) return -1;
  const int count = Grid().RowCount();
  int top = area.Top;
  for (int row = TopRow(); row < count; ++row) {
    top += AtLeastOne(RowPitch(row));
    if (top > y) return row;
  }
  return -1;
}

TGridCell TCustomGridView::CellAtPoint(TPoint p) const {
  const TCustomColumn* column = ColumnAt(p.X);
  return {column ? column->ColumnIndex() : -1, RowAt(p.Y)};
}

TCustomColumn* TCustomGridView::ColumnBorderAt(TPoint p) const {
  if (!Grid().Options().Contains(goHeader)) return nullptr;
  const int scroll = HorzScrollPosition();
  for (TCustomColumn* c : Grid().Columns().DisplayOrder()) {
    const int edge = c->ColumnLeft + c->Width() - scroll;
    const int grab = metrics_.BorderGrab;
    if (p.X >= edge - grab && p.X <= edge + grab && p.Y < HeaderSize && c->Visible() &&
        !c->Options().Contains(coFixedSize))
      return c;
  }
  return nullptr;
}

int TCustomGridView::VisibleRowCount() const {
  const int height = CellAreaRect().Height();
  int used = 0;
  int count = 0;
  for (int row = TopRow();; ++row) {
    used += AtLeastOne(RowPitch(row));
    if (used > height) break;
    ++count;
  }
  return count;
}

int TCustomGridView::RowTop(int ARow) const {
  const TRect area = CellAreaRect();
  int y = area.Top;
  const int top = TopRow();
  if (ARow >= top) {
    for (int row = top; row < ARow; ++row) {
      y += AtLeastOne(RowPitch(row));
      if (y >= area.Bottom) return area.Bottom + 1;  // below the cell area: stop counting
    }
  } else {
    for (int row = top - 1; row >= ARow; --row) {
      y -= AtLeastOne(RowPitch(row));
      if (y < area.Top - ClientHeight()) return y;  // far above: stop counting
    }
  }
  return y;
}

TRect TCustomGridView::CellRect(int ACol, int ARow) const {
  const TCustomColumn& column = Grid().Columns()[ACol];
  const int left = column.ColumnLeft - HorzScrollPosition();
  const bool vertical = Grid().Options().Contains(goGrid) && GridLinesStyle != lsHorizontalOnly;
  const int right = left + column.Width() - (vertical ? 1 : 0);
  const int top = RowTop(ARow);
  return {left, top, right, top + RowHeightAt(ARow)};
}

TRect TCustomGridView::HeaderCellRect(const TCustomColumn& column) const {
  const int left = column.ColumnLeft - HorzScrollPosition();
  return {left, 0, left + column.Width(), HeaderSize};
}

}  // namespace zv
