#pragma once
// TGridView, the report grid. This header is organised in sections:
//   - data side: columns, rows, cells, row operations, cell addressing, sorting, batches and the
//     events they raise (grid.cpp, grid_rows.cpp);
//   - layout hooks: the points where the data side hands over to column layout (layout_hooks.cpp
//     until the layout lands);
//   - view side: painting, mouse, keyboard and scrolling state, added by the view.
// Screen effects of the data side go through a GridViewSink (grid_view_sink.h).
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "gridview/cell_store.h"
#include "gridview/cells.h"
#include "gridview/columns.h"
#include "gridview/grid_types.h"
#include "gridview/grid_view_control.h"
#include "gridview/grid_view_sink.h"
#include "gridview/rows.h"
#include "ui/accessibility.h"
#include "ui/component.h"
#include "ui/errors.h"
#include "ui/graphics.h"

namespace zv {

// A key of Cell(): a number or a text, like the Variant a caller would pass.
class TCellKey {
 public:
  TCellKey(int number) : value_(number) {}  // NOLINT: implicit on purpose
  // A literal or a caller's text: referred to, not copied (a key lives for one call).
  TCellKey(const char16_t* text) : value_(std::u16string_view(text)) {}        // NOLINT
  TCellKey(std::u16string_view text) : value_(text) {}                         // NOLINT
  TCellKey(const std::u16string& text) : value_(std::u16string_view(text)) {}  // NOLINT
  TCellKey(std::u16string&& text) : value_(std::move(text)) {}                 // NOLINT
  TCellKey(const TCellKey&) = default;
  bool IsNumber() const { return std::holds_alternative<int>(value_); }
  // The key as text (a number in decimal).
  std::u16string Text() const;
  // The same, without a copy where the key holds text; a number is formatted into `scratch`.
  std::u16string_view TextView(std::u16string& scratch) const;
  // The key as an integer: a number as it is, a text when it holds a number (rounded, halves to
  // even); otherwise EVariantError "Could not convert variant of type (String) into type
  // (Integer)".
  int ToInteger() const;

 private:
  std::variant<int, std::u16string, std::u16string_view> value_;
};

using TChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TSortColumnEvent = std::function<void(TObject* Sender, int ACol, bool Ascending)>;
using TMeasuringRowHeightEvent = std::function<void(TObject* Sender, int Index, int& RowHeight)>;
using TColumnResizeEvent = std::function<void(TObject* Sender, int ACol)>;

// The error of CellText/SetCellText out of range: "Cell out of bounds (ACol, ARow)".
class EGridError : public Exception {
 public:
  using Exception::Exception;
};

// The view side (layout, painting, mouse, keyboard, scrolling) is the base class
// TCustomGridView (grid_view_control.h), which also serves as the default screen sink.
class TGridView : public TCustomGridView {
 public:
  explicit TGridView(TComponent* owner = nullptr, std::string name = {});
  ~TGridView() override;

  // ======================================================================================
  // Data side
  // ======================================================================================

  // ---- structures ----
  TColumns& Columns() { return columns_; }
  const TColumns& Columns() const { return columns_; }
  TRows& Rows() { return rows_; }
  const TRows& Rows() const { return rows_; }
  // The cell store, for the view side and tests.
  TCells& Cells() { return cells_; }
  const TCells& Cells() const { return cells_; }

  // ---- properties ----
  // Height given to each new row record (default 16).
  int RowSize() const { return rowSize_; }
  void SetRowSize(int value) { rowSize_ = value; }
  TGridOptions Options() const { return options_; }
  void SetOptions(TGridOptions value);
  // The grid's font; columns with ParentFont take a copy of it.
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& value);
  // The screen side (not owned); nullptr: nothing happens on screen.
  void SetSink(GridViewSink* sink) { sink_ = sink; }
  GridViewSink* Sink() const { return sink_; }
  // Whether the grid has a window. Column sort requests and the grid's reactions to column
  // changes are dropped while it has none. The backend (or a test) sets it.
  bool HandleAllocated() const { return handleAllocated_; }
  void SetHandleAllocated(bool value) { handleAllocated_ = value; }
  // True while the grid is being set up as a form is read (auto-sizing waits for its end).
  bool Loading() const { return loading_; }
  void SetLoading(bool value) { loading_ = value; }

  // ---- rows ----
  int RowCount() const { return cells_.RowCount(); }
  int SelectedRow() const { return selectedRow_; }
  int SelectedColumn() const { return selectedColumn_; }
  // Makes (ACol, ARow) the current cell. The view's selection (repaints, events) builds on it.
  void SetSelectedCell(int ACol, int ARow);
  int UpdateCount() const { return updateCount_; }
  // Opens a batch: cell writes neither repaint nor raise OnChange until the last EndUpdate,
  // which repaints the data area once.
  void BeginUpdate();
  void EndUpdate();
  // Appends `Count` rows at the end (new cells as at creation; with goUseDefaultValues the
  // columns' DefaultValue texts are written into them).
  void AddRows(int Count);
  // Removes row `Index`; later rows move up. SelectedRow stays as it is.
  void DeleteRow(int Index);
  // Removes every row. SelectedRow and SelectedColumn stay as they are.
  void ClearRows();
  // The height of row `Index` (its record's RowHeight through OnMeasuringRowHeight).
  int RowHeight(int Index);
  // 1 with goGrid, else 0: the line below every row.
  int GridLineWidth() const { return options_.Contains(goGrid) ? 1 : 0; }

  // ---- cells ----
  // The cell at (ACol, ARow); a bad column or row fails with "List index out of bounds (%d)".
  // The reference stays valid until its row is removed or all rows are cleared.
  TCell& CellAt(int ACol, int ARow);
  // Resolves the keys ("First", "Last", "Selected" in any letter case, a column name, a number)
  // to indices, the row key first, then CellAt.
  TCell& Cell(const TCellKey& ACol, const TCellKey& ARow);
  // AsString of a cell, with "Cell out of bounds (ACol, ARow)" for a bad position.
  std::u16string CellText(int ACol, int ARow);
  void SetCellText(int ACol, int ARow, const std::u16string& Value);

  // ---- sorting and searching ----
  // Sorts the rows by the column (when it has coCanSort) and repaints the data area.
  void SortColumn(TCustomColumn& Column, bool Ascending);
  // The header-click rule: without coCanSort nothing; a Sorted column flips its SortKind;
  // another column becomes Sorted.
  void ToggleColumnSort(TCustomColumn& Column);
  // Selects the next row (after SelectedRow, wrapping) whose cell text in ACol begins with
  // Text, compared in the ANSI code page with ASCII letters upper-cased.
  bool IncrementalSearch(int ACol, const std::u16string& Text);

  // ---- column changes ----
  // A column reports a change of one of its properties.
  void ColumnChanged(TCustomColumn& Column, TColumnChangeKind Kind);

  // ---- events of the data side ----
  TChangeEvent OnChange;
  TSortColumnEvent OnSortColumn;
  TMeasuringRowHeightEvent OnMeasuringRowHeight;
  TColumnResizeEvent OnColumnResize;

  // ---- accessibility: what a screen reader hears (the model is grid_accessible.h) ----
  // The table's name.
  std::u16string AccessibleName;
  // The columns (items order) whose texts, in this order, name a row; empty: every visible
  // textual column in display order.
  std::vector<int> AccessibleNameColumns;
  // A short note that the owner adds to a row's name (the state of the row's photo, say).
  // Unset or empty: nothing is added.
  std::function<std::u16string(int ARow)> AccessibleRowNote;
  // The name of a cell that shows no text of its own (a picture), given by the owner. Unset or
  // empty: the cell's text.
  std::function<std::u16string(int ACol, int ARow)> AccessibleCellName;
  // Receives the events a screen reader follows; unset: none are raised.
  AccessibleEventSink AccessibleEvents;
  // The grid's points of those events (grid_accessible.cpp): the current cell moved (focus to
  // it while the grid has the focus; selection of its row when the row changed), the grid
  // gained the focus, a cell was written (a box's state), rows were added, removed or sorted
  // (once at the end of a batch).
  void AccessibleCurrentCellMoved(bool rowChanged);
  void AccessibleFocusEntered();
  void AccessibleCellWritten(int ACol, int ARow);
  void AccessibleRowsChanged();

  // ======================================================================================
  // Layout hooks: called by the columns at the points where column layout and auto-sizing run.
  // ======================================================================================
  void LayoutColumnAdded(TCustomColumn& column);
  // Width stored; the width change notification follows, then LayoutColumnWidthApplied.
  void LayoutColumnWidthStored(TCustomColumn& column);
  void LayoutColumnWidthApplied(TCustomColumn& column);
  // Visible stored; the visibility change notification follows.
  void LayoutColumnVisibilityStored(TCustomColumn& column);
  // Options stored (oldOptions before); the appearance notification follows.
  void LayoutColumnOptionsStored(TCustomColumn& column, TColumnOptions oldOptions);
  // The column moved in the display order and Positions were renumbered; the position
  // notification follows.
  void LayoutColumnPositionStored(TCustomColumn& column);

  // ======================================================================================
  // View side: see TCustomGridView (grid_view_control.h). Here only what needs the columns'
  // private fields.
  // ======================================================================================
  // Sets each column's Position to its index in the display order (layout with renumbering).
  void RenumberColumnPositions();

  // Display scaling (grid_scaling.cpp): RowSize and every row's height, the grid's and the
  // columns' fonts, the columns' widths and header pictures, then the view's metrics and bounds;
  // the columns are laid out and auto-sized again at the end.
  void ChangeScale(int m, int d) override;

 private:
  // Data side.
  void CellChanged(int ACol, int ARow);
  GridViewSink& Screen() { return sink_ ? *sink_ : nullSink_; }

  class NullSink : public GridViewSink {
   public:
    void InvalidateCell(int, int) override {}
    void InvalidateRow(int) override {}
    void InvalidateRows(int, int) override {}
    void InvalidateData() override {}
    void InvalidateIndicator() override {}
    void InvalidateAll() override {}
    void InvalidateColumn(int) override {}
    void InvalidateFromColumn(int) override {}
    void InvalidateHeaderCell(int) override {}
    void InvalidateInputCell(int) override {}
    void InvalidateSelection() override {}
    void ScrollUpAfterDelete(int, int) override {}
    void UpdateVerticalScrollRange() override {}
    void UpdateHorizontalScrollRange() override {}
    int TopRow() const override { return 0; }
    int VisibleRowCount() const override { return 1 << 30; }
    void ScrollToRow(int) override {}
    void CloseEditor() override {}
  };

  TFont font_;
  TColumns columns_;
  TCells cells_;
  TRows rows_;
  NullSink nullSink_;
  GridViewSink* sink_ = this;  // the view side, until a test sets another sink
  int rowSize_ = 16;
  TGridOptions options_{goGrid, goHeader, goIndicator};
  int selectedRow_ = 0;
  int selectedColumn_ = 0;
  int updateCount_ = 0;
  bool handleAllocated_ = false;
  bool loading_ = false;
  bool accessibleReorderPending_ = false;
};

}  // namespace zv
