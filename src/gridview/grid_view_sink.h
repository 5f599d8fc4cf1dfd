#pragma once
// What the grid's data side asks of the screen: repaint parts, scroll the data area, recompute
// scroll ranges, close an open editor, and the few facts about the visible rows that row
// selection needs. The view side of the grid implements it; RecordingGridViewSink
// (recording_grid_view_sink.h) records the requests for tests. A grid without a sink does
// nothing on screen.
namespace zv {

class GridViewSink {
 public:
  virtual ~GridViewSink() = default;

  // ---- repaints ----
  virtual void InvalidateCell(int ACol, int ARow) = 0;
  virtual void InvalidateRow(int ARow) = 0;
  // From the top of row `first` down to the bottom of row `last`, not below the data area.
  virtual void InvalidateRows(int first, int last) = 0;
  // The whole data (cell) area.
  virtual void InvalidateData() = 0;
  virtual void InvalidateIndicator() = 0;
  // The whole client area.
  virtual void InvalidateAll() = 0;
  // One column, all parts.
  virtual void InvalidateColumn(int ACol) = 0;
  // From the column's left edge rightwards (after a width change).
  virtual void InvalidateFromColumn(int ACol) = 0;
  virtual void InvalidateHeaderCell(int ACol) = 0;
  virtual void InvalidateInputCell(int ACol) = 0;
  // The selected cell (with goMultiSelect: the marked rows that are visible).
  virtual void InvalidateSelection() = 0;

  // ---- scrolling ----
  // Row ARow was removed and was `pixels` high with its grid line: scroll the data area below
  // its top up by `pixels` and repaint the strip uncovered at the bottom.
  virtual void ScrollUpAfterDelete(int ARow, int pixels) = 0;
  virtual void UpdateVerticalScrollRange() = 0;
  virtual void UpdateHorizontalScrollRange() = 0;
  // The first row shown, and how many rows fit completely from it.
  virtual int TopRow() const = 0;
  virtual int VisibleRowCount() const = 0;
  // Makes `row` the first row shown.
  virtual void ScrollToRow(int row) = 0;

  // ---- editing ----
  virtual void CloseEditor() = 0;
};

}  // namespace zv
