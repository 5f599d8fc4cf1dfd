// Painting of the grid: the whole paint in its order, one cell (DrawCell) with its events, the
// empty rows below the last row, grid lines, the selection look and the focus mark. Header and
// indicator cells and the column content painters are in paint_header.cpp.
#include <algorithm>

#include "gridview/drawing.h"
#include "gridview/grid.h"
#include "ui/text.h"

namespace zv {

bool TCustomGridView::FocusedForPaint() const {
  if (!paintAsked_.painting) return Focused();
  if (!paintAsked_.focused) paintAsked_.focused = Focused();
  return *paintAsked_.focused;
}

bool TCustomGridView::ThemesActiveForPaint() const {
  if (!paintAsked_.painting) return ThemesActive();
  if (!paintAsked_.themes) paintAsked_.themes = ThemesActive();
  return *paintAsked_.themes;
}

void TCustomGridView::Paint(Canvas& canvas) {
  paintAsked_ = {true, {}, {}};
  struct Painted {
    PaintAsked& asked;
    ~Painted() { asked = {}; }
  } painted{paintAsked_};
  TGridView& grid = Grid();
  const TGridOptions options = grid.Options();
  paintBox_ = canvas.ClipBox();
  const int clientWidth = ClientWidth();
  const int clientHeight = ClientHeight();
  const bool resizing = GridState.Contains(TGridStateFlag::ResizingColumn);

  // Header band with the corner box above the indicator.
  if (options.Contains(goHeader)) PaintHeader(canvas);

  // Rows, from TopRow down to the bottom of the cell area; positions past the last row are
  // painted as empty rows.
  const TRect area = CellAreaRect();
  TRect rowsClip = area;
  if (options.Contains(goIndicator)) rowsClip.Left = 0;
  canvas.SetClip(rowsClip);
  const int rowCount = grid.RowCount();
  const int scroll = HorzScrollPosition();
  const int lineWidth = grid.GridLineWidth();
  const bool oldStyle = headerStyle_ == hsOldStyle;
  const std::vector<TCustomColumn*>& order = grid.Columns().DisplayOrder();
  int y = area.Top;
  for (int row = TopRow(); y < area.Bottom; ++row) {
    const int pitch = std::max(1, RowHeightAt(row) + lineWidth);
    const TRect band{0, y, clientWidth, y + pitch};
    if (band.Intersects(paintBox_)) {
      for (TCustomColumn* column : order) {
        if (!column->Visible()) continue;
        const int left = column->ColumnLeft - scroll;
        if (left >= clientWidth) break;
        if (left + column->Width() <= 0) continue;
        if (row < rowCount) {
          DrawCell(canvas, column->ColumnIndex(), row);
        } else {
          const bool vertical = options.Contains(goGrid) && GridLinesStyle != lsHorizontalOnly;
          PaintEmptyCell(
              canvas, *column, row,
              {left, y, left + column->Width() - (vertical ? 1 : 0), y + grid.RowSize()});
        }
      }
      if (options.Contains(goIndicator)) {
        const bool exists = row < rowCount;
        const bool current = exists && row == grid.SelectedRow();
        const bool selected = exists && grid.Rows()[row].Marked;
        DrawIndicatorCell(canvas, {0, y, metrics_.IndicatorWidth, y + pitch}, oldStyle, current,
                          selected, metrics_);
      }
    }
    y += pitch;
  }
  if (options.Contains(goSelectFullRow)) DrawFocusMark(canvas);
  canvas.ResetClip();

  // The strip right of the last column.
  const int columnsRight = IndicatorWidthNow() + TotalColumnsWidth() - scroll;
  if (columnsRight < clientWidth)
    canvas.FillRect({columnsRight, 0, clientWidth, clientHeight}, Color());

  // An empty grid shows its caption under the header.
  if (rowCount == 0) {
    const int top = area.Top + metrics_.CaptionTop;
    DrawSingleLineText(canvas, {area.Left, top, clientWidth, top + canvas.TextHeight(grid.Font())},
                       RightToLeft, Utf8ToUtf16(Caption()), grid.Font(), taCenter);
  }

  if (resizing) PaintResizeGuides(canvas);
  UpdateHorizontalScrollRange();
  if (!resizing && OnPostDraw) OnPostDraw(this);
}

void TCustomGridView::DrawCell(Canvas& canvas, int ACol, int ARow) {
  TGridView& grid = Grid();
  TCustomColumn& column = grid.Columns()[ACol];
  if (!column.Visible()) return;
  const TRect r = CellRect(ACol, ARow);
  if (!r.Intersects(canvas.ClipBox())) return;

  TColor cellColor = CellBackgroundColor(ACol, ARow);
  TColor gridColor = GridLinesColor;
  TCellState state;
  if (IsCellSelected(ACol, ARow)) {
    state.Include(csSelected);
    if (appearance_.Contains(aoBoldTextSelection)) state.Include(csBoldTextSelection);
  }
  if (FocusedForPaint() && !appearance_.Contains(aoHideFocus)) state.Include(csFocused);
  if (OnCellColoring) OnCellColoring(this, ACol, ARow, cellColor, gridColor, state);
  if (appearance_.Contains(aoIndicateSortedColumn) && column.Sorted() &&
      !state.Contains(csSelected))
    cellColor = Shade(clBlack, cellColor, 10, Colors());

  const TGridOptions options = grid.Options();
  const int line = grid.GridLineWidth();
  const TRect area = CellAreaRect();
  canvas.SetClip({r.Left, r.Top, r.Right + line, std::min(r.Bottom + line, area.Bottom)});
  if (options.Contains(goGrid)) DrawGridLines(canvas, r, gridColor);

  bool defaultDrawing = true;
  if (OnDrawCellBackground) OnDrawCellBackground(this, ACol, ARow, r, state, defaultDrawing);
  if (defaultDrawing) canvas.FillRect(r, cellColor);

  const TDrawingOptions drawing = column.DrawingOptions();
  if (drawing == doNormal || drawing == doCustom)
    DrawCellContent(canvas, column, ACol, ARow, r, state, ThemesActiveForPaint());
  if (drawing != doNormal && OnCustomDrawCell) {
    customDrawCanvas_ = &canvas;
    struct Reset {
      Canvas*& canvas;
      ~Reset() { canvas = nullptr; }
    } reset{customDrawCanvas_};
    OnCustomDrawCell(this, ACol, ARow, r, state);
  }
  if (!options.Contains(goSelectFullRow) && ACol == grid.SelectedColumn() &&
      ARow == grid.SelectedRow())
    DrawFocusMark(canvas);
  canvas.ResetClip();
}

void TCustomGridView::PaintEmptyCell(Canvas& canvas, TCustomColumn& column, int position,
                                     const TRect& r) {
  if (!r.Intersects(paintBox_)) return;
  TColor color = Color();
  if (appearance_.Contains(aoIndicateSortedColumn) && column.Sorted())
    color = Shade(clBlack, color, 10, Colors());
  TColor gridColor = GridLinesColor;
  const int line = Grid().GridLineWidth();
  canvas.SetClip({r.Left, r.Top, r.Right + line, std::min(r.Bottom + line, CellAreaRect().Bottom)});
  if (OnCellColoring) OnCellColoring(this, column.ColumnIndex(), position, color, gridColor, {});
  if (Grid().Options().Contains(goGrid)) DrawGridLines(canvas, r, gridColor);
  canvas.FillRect(r, color);
  canvas.ResetClip();
}

void TCustomGridView::DrawGridLines(Canvas& canvas, const TRect& r, TColor color) {
  canvas.Line({r.Left, r.Bottom}, {r.Right + 1, r.Bottom}, color);
  if (GridLinesStyle != lsHorizontalOnly) canvas.Line({r.Right, r.Top}, {r.Right, r.Bottom}, color);
}

bool TCustomGridView::IsCellSelected(int ACol, int ARow) const {
  const TGridView& grid = Grid();
  if (grid.Columns()[ACol].Options().Contains(coDontHighlight)) return false;
  if (!FocusedForPaint() && appearance_.Contains(aoHideSelection)) return false;
  const bool current = ACol == grid.SelectedColumn() && ARow == grid.SelectedRow();
  if (!grid.Options().Contains(goSelectFullRow)) return current;
  if (ARow < 0 || ARow >= grid.RowCount()) return false;
  if (current && appearance_.Contains(aoIndicateSelectedCell)) return false;
  return grid.Rows()[ARow].Marked;
}

TColor TCustomGridView::CellBackgroundColor(int ACol, int ARow) const {
  TGridView& grid = const_cast<TGridView&>(Grid());
  if (!IsCellSelected(ACol, ARow)) return grid.CellAt(ACol, ARow).Color();
  if (!FocusedForPaint()) return clBtnFace;
  if (!appearance_.Contains(aoAlphaBlendedSelection)) return clHighlight;
  return Blend(Color(), clHighlight, 0.25, Colors());
}

TColor TCustomGridView::CellTextColor(int ACol, int ARow) const {
  if (IsCellSelected(ACol, ARow) && FocusedForPaint()) return HighlightedTextColor;
  return Grid().Columns()[ACol].Font().Color;
}

void TCustomGridView::DrawFocusMark(Canvas& canvas) {
  const TGridView& grid = Grid();
  if (!FocusedForPaint() || grid.RowCount() == 0 || appearance_.Contains(aoHideFocus)) return;
  const int col = grid.SelectedColumn(), row = grid.SelectedRow();
  if (col < 0 || col >= grid.Columns().Count() || row < 0 || row >= grid.RowCount()) return;
  if (row < TopRow()) return;
  const TRect area = CellAreaRect();
  TRect mark;
  if (grid.Options().Contains(goSelectFullRow)) {
    const int scroll = HorzScrollPosition();
    const int line = grid.GridLineWidth();
    const int top = RowTop(row);
    mark = {std::max(IndicatorWidthNow() - scroll, area.Left), top,
            IndicatorWidthNow() + TotalColumnsWidth() - scroll - line, top + RowHeightAt(row)};
  } else {
    mark = CellRect(col, row);
  }
  if (!mark.Intersects(area)) return;
  if (appearance_.Contains(aoAlphaBlendedSelection))
    canvas.FrameRect(mark, clHighlight);
  else
    canvas.DrawFocusRect(mark);
}

void TCustomGridView::PaintResizeGuides(Canvas& canvas) {
  const int height = ClientHeight();
  canvas.InvertRect({resizeLineLeft_, 0, resizeLineLeft_ + 1, height});
  canvas.InvertRect({resizeLineRight_, 0, resizeLineRight_ + 1, height});
}

}  // namespace zv
