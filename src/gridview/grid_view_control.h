#pragma once
// TCustomGridView: the view side of the report grid, the base of TGridView (grid.h). It is a
// custom-painted control: it lays the columns out, paints header, indicator strip and cells on
// the stateless Canvas, answers the portable mouse, key, wheel, focus, size and scroll-bar events
// of the component layer, drives its two scroll bar objects, and carries out the data side's
// screen requests (GridViewSink). The data (columns, rows, cells, selection indices, sorting)
// belongs to TGridView; this class reaches it through Grid().
//
// Index of the implementation files:
//   layout.cpp        column left edges, visible indices, auto-sizing, the layout hooks
//   hit_test.cpp      areas, HitTest, RowAt, ColumnAt, CellAtPoint, ColumnBorderAt, row geometry
//   paint.cpp         the whole paint, DrawCell, empty cells, grid lines, focus mark, selection
//   paint_header.cpp  header cells, the corner box, indicator cells, content painters
//   mouse.cpp         presses, moves, releases, double clicks, SelectCell, check-box play
//   scroll.cpp        scroll ranges, content scrolling, scroll messages, size changes, the sink
//   keyboard.cpp      navigation keys, characters, incremental search, wheel, focus
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gridview/drawing.h"
#include "gridview/grid_types.h"
#include "gridview/grid_view_sink.h"
#include "gridview/scroll_bar.h"
#include "ui/custom_control.h"
#include "ui/timer.h"

namespace zv {

class TGridView;
class TCustomColumn;

enum TGridStyle { gsReport, gsSlides };

enum TAppearanceOption {
  aoAlphaBlendedSelection,
  aoBoldTextSelection,
  aoHideFocus,
  aoHideSelection,
  aoHintMarks,
  aoIndicateSelectedCell,
  aoIndicateSortedColumn,
};
using TAppearanceOptions = TSet<TAppearanceOption>;

enum THeaderStyle { hsAuto, hsFlatBorders, hsOldStyle };
enum TGridLinesStyle { lsNormal, lsFramed, lsHorizontalOnly };
enum TBorderStyle { bsNone, bsSingle };
enum TSelectionMoveDirection { mdNone, mdUp, mdDown, mdLeft, mdRight };

// The parts of the client area, as HitTest names them.
enum class TGridArea { None, Cells, Footer, Header, Indicator, InputLine, Slides };

// The state passed to the cell events.
enum TCellStateFlag { csBoldTextSelection, csFocused, csSelected };
using TCellState = TSet<TCellStateFlag>;

// What the grid is doing with the mouse (bits as declared).
enum class TGridStateFlag {
  ResizingColumn = 0,
  HeaderPressed = 1,
  DraggingColumn = 2,
  Editing = 3,
  InputEditing = 6,
  MultiSelecting = 7,
};
using TGridState = TSet<TGridStateFlag>;

// A cell position (ACol in items order, ARow in the current row order).
struct TGridCell {
  int Col = -1;
  int Row = -1;
  friend bool operator==(const TGridCell&, const TGridCell&) = default;
};

// Events of the view side.
using TMouseEvent =
    std::function<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = std::function<void(TObject* Sender, TShiftState Shift, int X, int Y)>;
using TCellEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using THeaderClickEvent = std::function<void(TObject* Sender, int ACol)>;
using TBeforeEditEvent = std::function<void(TObject* Sender, int ACol, int ARow, bool& Accept)>;
using TEditAcceptEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                            const std::u16string& Value, bool& Accept)>;
using TEditEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const std::u16string& Value)>;
using TCellColoringEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& CellColor, TColor& GridColor,
                       TCellState CellState)>;
using TDrawCellBackgroundEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, const TRect& CellRect,
                       TCellState CellState, bool& DefaultDrawing)>;
using TCellFormatingEvent =
    std::function<void(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                       TFontStyles& FontStyle, TCellState CellState)>;
using TCustomDrawCellEvent = std::function<void(TObject* Sender, int ACol, int ARow,
                                                const TRect& CellRect, TCellState CellState)>;
using TScrollEvent = std::function<void(TObject* Sender, int Position)>;
using TKeyEvent = std::function<void(TObject* Sender, TKey& Key, TShiftState Shift)>;
using TKeyPressEvent = std::function<void(TObject* Sender, char16_t& Key)>;
using TMouseWheelUpDownEvent =
    std::function<void(TObject* Sender, TShiftState Shift, TPoint MousePos, bool& Handled)>;

// The check-box toggler of a check-box column: carries the toggle of one cell at a time.
class TCheckBoxColumnPlay {
 public:
  bool PlayValue = false;
  std::u16string PlayText;
  TCustomColumn* Column = nullptr;  // not owned
  TRect CellRect;                   // client coordinates
  TGridMetrics Metrics;             // the grid's, for the box's size and margin
  int ACol = -1, ARow = -1;
  std::function<void()> OnChange;  // the grid's write-back

  // The hit area of the box, relative to the cell rectangle's top-left corner.
  TRect CheckBoxRect(bool themed) const;
  // A mouse release at p (relative to the cell's top-left corner): toggles inside the box.
  void MouseUp(TPoint p, bool themed);
  // A typed character: a space toggles, anything else does nothing.
  void KeyPress(char16_t ch);

 private:
  void Toggle();
};

class TCustomGridView : public TCustomControl, public GridViewSink, protected ScrollBarOwner {
 public:
  TCustomGridView(TComponent* owner, std::string name);
  ~TCustomGridView() override;
  // The component layer's custom-control window serves the grid as it is.
  const char* PeerKind() const override { return "TCustomControl"; }

  // ---- appearance properties ----
  TGridStyle GridStyle = gsReport;
  TAppearanceOptions AppearanceOptions() const { return appearance_; }
  void SetAppearanceOptions(TAppearanceOptions value);
  THeaderStyle HeaderStyle() const { return headerStyle_; }
  void SetHeaderStyle(THeaderStyle value);
  bool EnableVisualStyles() const { return enableVisualStyles_; }
  void SetEnableVisualStyles(bool value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  int HeaderSize = 18;
  int InputSize = 16;
  int SlideSize = 80;
  TColor GridLinesColor = clBtnFace;
  TGridLinesStyle GridLinesStyle = lsNormal;
  TColor HighlightedTextColor = clHighlight;
  bool HideScrollBar = true;
  bool AutoScroll = false;
  bool WantReturns = false;
  TSelectionMoveDirection SelectionMoveDirection = mdDown;
  bool RightToLeft = false;  // the bidirectional mode
  // Resolves system colours where the grid mixes colours itself (Blend, Shade). Not owned; the
  // backend gives the system's, headless grids use the classic palette.
  void SetColorResolver(const ColorResolver* colors) { colors_ = colors; }
  const ColorResolver& Colors() const;
  // Asks the platform whether visual styles are in use (theme library loaded, application
  // themed, a theme active). Unset: never themed.
  std::function<bool()> ThemeQuery;
  // True when visual styles are active; an error inside the query is "Error in Themes".
  bool ThemesActive() const;
  // Whether the window carries the themed list-view frame: visual styles active and enabled,
  // BorderStyle bsSingle. The frame adds a one-pixel inner border inside the static edge.
  bool ThemedFrame() const;
  // Called with the native window handle once the grid has its window, so that platform code
  // can extend the window (the themed frame is painted there). Unset: nothing.
  std::function<void(void* nativeHandle)> PlatformWindowCreated;
  // Called when a property that decides the themed frame changed while there is a window.
  std::function<void()> PlatformFrameChanged;
  // The size of the theme's check box at a density, from the platform (0: not known). Unset:
  // the check box is the design's 13 pixels scaled.
  std::function<int(int pixelsPerInch)> ThemedCheckBoxSize;

  // ---- display scaling ----
  // The small sizes of painting and hit testing at the grid's density (TGridMetrics).
  const TGridMetrics& Metrics() const { return metrics_; }
  // HeaderSize, InputSize, SlideSize and the metrics scaled; then the base (bounds).
  void ChangeScale(int m, int d) override;

  // ---- view events ----
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;
  TCellEvent OnCellClick;
  THeaderClickEvent OnHeaderClick;
  THeaderClickEvent OnFooterClick;
  TCellEvent OnDeselectCell;
  TCellEvent OnSelectCell;
  TBeforeEditEvent OnBeforeEdit;
  TEditAcceptEvent OnEditAccept;
  TEditEvent OnAfterEdit;
  TCellColoringEvent OnCellColoring;
  TDrawCellBackgroundEvent OnDrawCellBackground;
  TCellFormatingEvent OnCellFormating;
  TCustomDrawCellEvent OnCustomDrawCell;
  TNotifyEvent OnPostDraw;
  TScrollEvent OnVerticalScroll;
  TScrollEvent OnHorizontalScroll;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;
  TMouseWheelUpDownEvent OnMouseWheelDown;
  TMouseWheelUpDownEvent OnMouseWheelUp;

  // ---- layout (layout.cpp) ----
  // Client width less the indicator strip (report style with goIndicator).
  int AvailableWidth() const;
  // Recomputes ColumnLeft and VisibleIndex of every column; Renumber also sets each Position
  // to its display index.
  void LayoutColumns(bool Renumber);
  // Shares the free width among the visible coAutoSize columns at or after a display position:
  // from 0 without a column, from the column with FromColumn, after it otherwise.
  void AutoSizeColumns(TCustomColumn* Column, bool FromColumn);
  int TotalColumnsWidth() const;
  int VisibleColumnsCount() const;
  // True while an auto-size pass is setting widths.
  bool AutoSizing() const { return autoSizing_; }

  // ---- geometry and hit testing (hit_test.cpp) ----
  int IndicatorWidthNow() const;  // 12 with goIndicator in report style, else 0
  TRect IndicatorRect() const;
  TRect HeaderRect() const;
  TRect InputRect() const;
  TRect CellAreaRect() const;
  TRect FooterRect() const;
  TGridArea HitTest(TPoint p) const;
  TCustomColumn* ColumnAt(int x) const;
  int RowAt(int y) const;
  TGridCell CellAtPoint(TPoint p) const;
  TCustomColumn* ColumnBorderAt(TPoint p) const;
  int VisibleRowCount() const override;
  int TopRow() const override { return VertScrollBar.Position(); }
  int HorzScrollPosition() const { return HorzScrollBar.Position(); }
  // The pixel height of row ARow, and of its pitch (with the grid line).
  int RowHeightAt(int ARow) const;
  int RowPitch(int ARow) const;
  // The top of row ARow in client coordinates; past the cell area bottom it stops counting and
  // returns a value beyond it (rows above TopRow: negative offsets).
  int RowTop(int ARow) const;

  // ---- painting (paint.cpp, paint_header.cpp) ----
  void Paint(Canvas& canvas) override;
  TRect CellRect(int ACol, int ARow) const;
  void DrawCell(Canvas& canvas, int ACol, int ARow);
  // The canvas the cell is drawn on while OnCustomDrawCell runs (null otherwise): what the
  // event's handler draws on.
  Canvas* CustomDrawCanvas() const { return customDrawCanvas_; }
  bool IsCellSelected(int ACol, int ARow) const;
  TColor CellBackgroundColor(int ACol, int ARow) const;
  TColor CellTextColor(int ACol, int ARow) const;
  void DrawFocusMark(Canvas& canvas);
  TRect HeaderCellRect(const TCustomColumn& column) const;

  // ---- interaction state ----
  TGridCell PressCell;
  TCustomColumn* PressedHeaderColumn = nullptr;  // not owned
  TCustomColumn* ResizeColumn = nullptr;         // not owned
  int ResizeDelta = 0;
  TGridState GridState;
  std::u16string SearchText;
  TPoint PressPoint() const { return pressPoint_; }
  TCustomColumn* PressedColumn() const { return pressedColumn_; }
  // The client x of the two guide lines of a column resize.
  int ResizeLineLeft() const { return resizeLineLeft_; }
  int ResizeLineRight() const { return resizeLineRight_; }

  // ---- selection and editing (mouse.cpp) ----
  void SelectCell(int ACol, int ARow, TShiftState Shift);
  // Prepares the check-box play object of a column for (ACol, ARow); false when OnBeforeEdit
  // refused. The returned object lives as long as the grid.
  TCheckBoxColumnPlay* PreparePlay(TCustomColumn& column, int ACol, int ARow);
  // What a left click on column ACol's header does, for the keyboard (Ctrl+Space) and for
  // anything else that acts for the mouse: OnHeaderClick(ACol) when the column has coCanClick,
  // then the sort toggle. Nothing for a column without a header to click (hidden, no header
  // band, no such column). (keyboard.cpp)
  void ClickHeader(int ACol);

  // ---- scrolling (scroll.cpp) ----
  TControlScrollBar HorzScrollBar{*this, TScrollBarKind::sbHorizontal};
  TControlScrollBar VertScrollBar{*this, TScrollBarKind::sbVertical};

  // ---- search timer (keyboard.cpp) ----
  TTimer& SearchTimer() { return searchTimer_; }

  // ---- GridViewSink: the data side's screen requests (scroll.cpp) ----
  void InvalidateCell(int ACol, int ARow) override;
  void InvalidateRow(int ARow) override;
  void InvalidateRows(int first, int last) override;
  void InvalidateData() override;
  void InvalidateIndicator() override;
  void InvalidateAll() override;
  void InvalidateColumn(int ACol) override;
  void InvalidateFromColumn(int ACol) override;
  void InvalidateHeaderCell(int ACol) override;
  void InvalidateInputCell(int ACol) override;
  void InvalidateSelection() override;
  void ScrollUpAfterDelete(int ARow, int pixels) override;
  void UpdateVerticalScrollRange() override;
  void UpdateHorizontalScrollRange() override;
  void ScrollToRow(int row) override;
  void CloseEditor() override {}

  // ---- input from the component layer ----
  void MouseDown(TMouseButton button, TShiftState shift, TPoint p) override;
  void MouseMove(TShiftState shift, TPoint p) override;
  void MouseUp(TMouseButton button, TShiftState shift, TPoint p) override;
  void MouseDblClick(TMouseButton button, TShiftState shift, TPoint p) override;
  bool MouseWheel(int delta, TShiftState shift, TPoint p) override;
  void CaptureLost() override;
  void ScrollMessage(TScrollBarKind kind, TScrollCode code, int pos) override;
  bool KeyDown(TKey key, TShiftState shift) override;
  bool KeyUp(TKey key, TShiftState shift) override;
  bool KeyPress(char16_t& ch) override;
  void FocusIn() override;
  void FocusOut() override;

 protected:
  void Resize() override;
  void HandleCreated() override;
  void HandleDestroying() override;
  // ScrollBarOwner
  void ApplyScrollBar(const TControlScrollBar& bar) override;
  void ScrollContent(const TControlScrollBar& bar, int oldPosition) override;

 private:
  TGridView& Grid();
  const TGridView& Grid() const;
  void LookChanged();
  // Set by Ctrl+Space: the space character that the same key press types is not a tick.
  bool swallowSpace_ = false;

  // paint.cpp / paint_header.cpp
  void PaintHeader(Canvas& canvas);
  void PaintHeaderCell(Canvas& canvas, TCustomColumn& column, const TRect& r, bool themed);
  void PaintEmptyCell(Canvas& canvas, TCustomColumn& column, int position, const TRect& r);
  void DrawGridLines(Canvas& canvas, const TRect& r, TColor color);
  void DrawCellContent(Canvas& canvas, TCustomColumn& column, int ACol, int ARow, const TRect& r,
                       TCellState state, bool themed);
  void PaintResizeGuides(Canvas& canvas);
  // mouse.cpp
  void CellRelease(int ACol, int ARow, TPoint p);
  void PlayChanged(TCheckBoxColumnPlay& play);
  void StartColumnResize(TCustomColumn& column, TPoint p);
  void InvalidateGuideLine(int x);
  // scroll.cpp
  void ScrollVertically(int oldTop, int newTop);
  void ScrollHorizontally(int oldPos, int newPos);
  // keyboard.cpp
  void SearchTimerFired();
  void RepaintSelectedRows();

  TAppearanceOptions appearance_;
  TGridMetrics metrics_;
  THeaderStyle headerStyle_ = hsOldStyle;
  bool enableVisualStyles_ = true;
  TBorderStyle borderStyle_ = bsSingle;
  const ColorResolver* colors_ = nullptr;
  TPoint pressPoint_{-1, -1};
  TCustomColumn* pressedColumn_ = nullptr;  // not owned
  int resizeLineLeft_ = 0, resizeLineRight_ = 0;
  int lastClientWidth_ = -1;
  int lastClientHeight_ = -1;
  int wheelRemainder_ = 0;
  bool autoSizing_ = false;
  bool clickPending_ = false;      // a left press on the grid awaits its release (OnClick)
  bool releasingCapture_ = false;  // the grid gives the mouse back itself
  TTimer searchTimer_;
  std::unique_ptr<TCheckBoxColumnPlay> play_;
  // The box of the area being painted, taken at the start of a paint.
  TRect paintBox_;
  // During a paint, the focus and the theme state as first asked in it: the system is asked once
  // a paint, not once a cell (under Wine each asking is a call to its server, and a paint of a
  // screenful of rows asked some 400 times).
  struct PaintAsked {
    bool painting = false;
    std::optional<bool> focused, themes;
  };
  mutable PaintAsked paintAsked_;
  bool FocusedForPaint() const;
  bool ThemesActiveForPaint() const;
  Canvas* customDrawCanvas_ = nullptr;
};

}  // namespace zv
