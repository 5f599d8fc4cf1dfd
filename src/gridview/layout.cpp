// Column layout: left edges and visible indices in display order, and auto-sizing, which shares
// the width that the other columns leave free among the coAutoSize columns in proportion to
// their widths. Also the layout hooks through which the columns report their changes.
#include <cmath>
#include <vector>

#include "gridview/drawing.h"
#include "gridview/grid.h"

namespace zv {

namespace {

// While set, width changes come from auto-sizing itself and start no new pass.
class AutoSizeGuard {
 public:
  explicit AutoSizeGuard(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  ~AutoSizeGuard() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

int TCustomGridView::IndicatorWidthNow() const {
  return Grid().Options().Contains(goIndicator) ? metrics_.IndicatorWidth : 0;
}

int TCustomGridView::AvailableWidth() const {
  int width = ClientWidth();
  if (GridStyle == gsReport) width -= IndicatorWidthNow();
  return width;
}

int TCustomGridView::TotalColumnsWidth() const {
  int total = 0;
  for (const TCustomColumn* c : Grid().Columns().DisplayOrder())
    if (c->Visible()) total += c->Width();
  return total;
}

int TCustomGridView::VisibleColumnsCount() const {
  int count = 0;
  for (const TCustomColumn* c : Grid().Columns().DisplayOrder())
    if (c->Visible()) ++count;
  return count;
}

void TCustomGridView::LayoutColumns(bool Renumber) {
  if (Renumber) Grid().RenumberColumnPositions();
  int x = IndicatorWidthNow();
  int visibleIndex = 0;
  for (TCustomColumn* c : Grid().Columns().DisplayOrder()) {
    if (c->Visible()) {
      c->ColumnLeft = x;
      c->VisibleIndex = visibleIndex++;
      x += c->Width();
    } else {
      c->VisibleIndex = -1;
    }
  }
}

void TCustomGridView::AutoSizeColumns(TCustomColumn* Column, bool FromColumn) {
  TGridView& grid = Grid();
  if (grid.Loading()) return;
  const std::vector<TCustomColumn*> order = grid.Columns().DisplayOrder();
  const int indent = IndicatorWidthNow();

  // The column's place in the display order (its Position once positions are numbered).
  size_t start = 0;
  int used = 0;
  if (Column) {
    size_t place = 0;
    while (place < order.size() && order[place] != Column) ++place;
    if (FromColumn) {
      start = place;
      used = Column->ColumnLeft - indent;
    } else {
      start = place + 1;
      used = Column->ColumnLeft + (Column->Visible() ? Column->Width() : 0) - indent;
    }
  }
  long double free = AvailableWidth() - used;

  long double fixed = 0, weights = 0;
  for (size_t i = start; i < order.size(); ++i) {
    const TCustomColumn* c = order[i];
    if (!c->Visible()) continue;
    if (c->Options().Contains(coAutoSize))
      weights += c->Width();
    else
      fixed += c->Width();
  }
  if (weights <= 0) return;
  free -= fixed;

  // The weights are the widths before this pass: take every new width first, then apply them.
  std::vector<std::pair<TCustomColumn*, int>> widths;
  for (size_t i = start; i < order.size(); ++i) {
    TCustomColumn* c = order[i];
    if (!c->Visible() || !c->Options().Contains(coAutoSize)) continue;
    const long double share = c->Width() / weights * free;
    widths.emplace_back(c, static_cast<int>(std::nearbyintl(share)));  // halves to even
  }
  AutoSizeGuard guard(autoSizing_);
  for (auto& [column, width] : widths) column->SetWidth(width);
}

// ---- layout hooks of the columns ----

void TGridView::RenumberColumnPositions() {
  int position = 0;
  for (TCustomColumn* c : columns_.DisplayOrder()) c->position_ = position++;
}

void TGridView::LayoutColumnAdded(TCustomColumn&) {
  LayoutColumns(false);
  AutoSizeColumns(nullptr, false);
}

void TGridView::LayoutColumnWidthStored(TCustomColumn&) { LayoutColumns(false); }

void TGridView::LayoutColumnWidthApplied(TCustomColumn& column) {
  // A width set by hand: the auto-size columns after it absorb the difference.
  if (!AutoSizing()) AutoSizeColumns(&column, false);
}

void TGridView::LayoutColumnVisibilityStored(TCustomColumn&) {
  LayoutColumns(false);
  AutoSizeColumns(nullptr, false);
}

void TGridView::LayoutColumnOptionsStored(TCustomColumn& column, TColumnOptions oldOptions) {
  if (!oldOptions.Contains(coAutoSize) || !column.Options().Contains(coAutoSize))
    AutoSizeColumns(&column, true);
}

void TGridView::LayoutColumnPositionStored(TCustomColumn&) { LayoutColumns(true); }

}  // namespace zv
