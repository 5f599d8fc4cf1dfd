// Display scaling of the grid: the data side's sizes (row heights, fonts, column widths and
// header pictures) and the view side's (header, input and slide sizes, the small metrics of
// painting and hit testing), all by one factor, the way the form scales its controls.
#include <algorithm>

#include "gridview/grid.h"
#include "ui/scaling.h"

namespace zv {

void TCustomGridView::ChangeScale(int m, int d) {
  if (m == d) return;
  HeaderSize = MulDiv(HeaderSize, m, d);
  InputSize = MulDiv(InputSize, m, d);
  SlideSize = MulDiv(SlideSize, m, d);
  // A horizontal line step is pixels: as many as the design's at this scale.
  HorzScrollBar.SetSmallChange(MulDiv(HorzScrollBar.SmallChange(), m, d));
  const int ppi = MulDiv(PixelsPerInch(), m, d);
  metrics_ = ppi == kDesignPixelsPerInch
                 ? TGridMetrics::Design()
                 : TGridMetrics::At(ppi, ThemedCheckBoxSize ? ThemedCheckBoxSize(ppi) : 0);
  TCustomControl::ChangeScale(m, d);
}

void TGridView::ChangeScale(int m, int d) {
  if (m == d) return;
  auto scale = [m, d](int v) { return MulDiv(v, m, d); };
  rowSize_ = scale(rowSize_);
  rows_.ScaleHeights(scale);
  font_.Height = scale(font_.Height);
  const int ppi = scale(PixelsPerInch());
  for (int i = 0; i < columns_.Count(); ++i) {
    TCustomColumn& c = columns_[i];
    if (c.parentFont_)
      c.font_ = font_;
    else
      c.font_.Height = scale(c.font_.Height);
    // Stored as they are, without a layout pass per column: the grid lays out once below.
    c.width_ = std::max(8, scale(c.width_));
    c.defaultWidth_ = scale(c.defaultWidth_);
    c.header_.PickGlyph(ppi);
    c.footer_.PickGlyph(ppi);
  }
  TCustomGridView::ChangeScale(m, d);
  LayoutColumns(false);
  AutoSizeColumns(nullptr, false);
  UpdateVerticalScrollRange();
  UpdateHorizontalScrollRange();
  InvalidateAll();
}

}  // namespace zv
