// The grid's mouse: presses, moves and releases in their order with their events, header clicks
// and the sort toggle, column resizing by the header border, double clicks, cell selection and
// the check-box play object that the mouse and the space bar share.
#include "gridview/drawing.h"
#include "gridview/grid.h"

namespace zv {

// ---- the check-box play object ----

TRect TCheckBoxColumnPlay::CheckBoxRect(bool themed) const {
  const TRect cell{-1, -1, CellRect.Width() + 1, CellRect.Height() + 1};
  const int size = CheckBoxSize(themed, Metrics);
  return AlignBox(size, size, Column ? Column->Alignment() : taCenter,
                  Column ? Column->VerticalAlignment() : vaMiddle, cell, Metrics.CheckBoxMargin);
}

void TCheckBoxColumnPlay::MouseUp(TPoint p, bool themed) {
  if (CheckBoxRect(themed).Contains(p)) Toggle();
}

void TCheckBoxColumnPlay::KeyPress(char16_t ch) {
  if (ch == u' ') Toggle();
}

void TCheckBoxColumnPlay::Toggle() {
  PlayValue = !PlayValue;
  PlayText = PlayValue ? u"True" : u"False";
  if (OnChange) OnChange();
}

TCheckBoxColumnPlay* TCustomGridView::PreparePlay(TCustomColumn& column, int ACol, int ARow) {
  bool accept = true;
  if (OnBeforeEdit) OnBeforeEdit(this, ACol, ARow, accept);
  if (!accept) return nullptr;
  if (!play_) play_ = std::make_unique<TCheckBoxColumnPlay>();
  TCheckBoxColumnPlay& play = *play_;
  play.ACol = ACol;
  play.ARow = ARow;
  play.Metrics = metrics_;
  play.PlayValue = column.CellKind() == ckBoolean && Grid().CellAt(ACol, ARow).AsBoolean();
  play.PlayText = play.PlayValue ? u"True" : u"False";
  play.Column = &column;
  play.CellRect = CellRect(ACol, ARow);
  play.OnChange = [this, &play] { PlayChanged(play); };
  return &play;
}

void TCustomGridView::PlayChanged(TCheckBoxColumnPlay& play) {
  bool accept = true;
  if (OnEditAccept) OnEditAccept(this, play.ACol, play.ARow, play.PlayText, accept);
  if (!accept) return;
  if (play.Column && play.Column->CellKind() == ckBoolean)
    Grid().CellAt(play.ACol, play.ARow).SetAsBoolean(play.PlayValue);
  if (OnAfterEdit) OnAfterEdit(this, play.ACol, play.ARow, play.PlayText);
}

// ---- selection ----

void TCustomGridView::SelectCell(int ACol, int ARow, TShiftState Shift) {
  TGridView& grid = Grid();
  (void)Shift;  // ranges and toggles of multi-selection are not offered
  const int oldCol = grid.SelectedColumn(), oldRow = grid.SelectedRow();
  grid.SetSelectedCell(ACol, ARow);
  const bool changed = oldCol != ACol || oldRow != ARow;
  if (changed && OnDeselectCell) OnDeselectCell(this, oldCol, oldRow);
  if (AutoScroll && (ARow < TopRow() || ARow >= TopRow() + VisibleRowCount()))
    VertScrollBar.SetPosition(ARow);
  const int count = grid.RowCount();
  if (count == 0) return;
  auto exists = [count](int row) { return row >= 0 && row < count; };
  if (grid.Options().Contains(goSelectFullRow)) {
    if (oldRow == ARow) {
      if (appearance_.Contains(aoIndicateSelectedCell) && oldCol != ACol) {
        InvalidateCell(oldCol, oldRow);
        InvalidateCell(ACol, ARow);
      }
      // The current row of a fresh or re-filled grid carries no mark yet: a click on it must
      // still show it selected.
      if (exists(ARow) && !grid.Rows()[ARow].Marked) {
        grid.Rows()[ARow].Marked = true;
        InvalidateRow(ARow);
      }
    } else {
      if (exists(oldRow) && !GridState.Contains(TGridStateFlag::MultiSelecting)) {
        grid.Rows()[oldRow].Marked = false;
        InvalidateRow(oldRow);
      }
      if (exists(ARow)) {
        grid.Rows()[ARow].Marked = true;
        InvalidateRow(ARow);
      }
    }
  } else {
    if (exists(oldRow) && oldCol >= 0 && oldCol < grid.Columns().Count())
      InvalidateCell(oldCol, oldRow);
    if (exists(ARow) && ACol >= 0 && ACol < grid.Columns().Count()) InvalidateCell(ACol, ARow);
    if (oldRow != ARow) {
      if (exists(oldRow)) InvalidateRow(oldRow);
      if (exists(ARow)) InvalidateRow(ARow);
    }
  }
  if (changed) grid.AccessibleCurrentCellMoved(oldRow != ARow);
  if (OnSelectCell) OnSelectCell(this, ACol, ARow);
}

// ---- presses ----

void TCustomGridView::StartColumnResize(TCustomColumn& column, TPoint) {
  const int scroll = HorzScrollPosition();
  ResizeColumn = &column;
  ResizeDelta = 0;
  resizeLineLeft_ = column.ColumnLeft - scroll - (column.ColumnIndex() == 0 ? 0 : 1);
  resizeLineRight_ = column.ColumnLeft + column.Width() - scroll - 1;
  GridState.Include(TGridStateFlag::ResizingColumn);
  InvalidateGuideLine(resizeLineLeft_);
  InvalidateGuideLine(resizeLineRight_);
}

void TCustomGridView::InvalidateGuideLine(int x) { InvalidateRect({x, 0, x + 1, ClientHeight()}); }

void TCustomGridView::MouseDown(TMouseButton button, TShiftState shift, TPoint p) {
  if (shift & ssDouble) return;  // the second press of a double click
  SetFocus();
  TGridView& grid = Grid();
  if (grid.Columns().Count() == 0) return;
  if (button != TMouseButton::mbMiddle) {
    if (button == TMouseButton::mbRight && GridState.Contains(TGridStateFlag::MultiSelecting))
      return;
    pressPoint_ = p;
    if (button == TMouseButton::mbLeft) clickPending_ = true;
    SetCapture();
    const TGridArea area = HitTest(p);
    // A release counts as a cell click only after a press in the cell area.
    if (area != TGridArea::Cells) PressCell = {};
    if (TCustomColumn* border = ColumnBorderAt(p)) {
      StartColumnResize(*border, p);
    } else {
      switch (area) {
        case TGridArea::Cells:
          CloseEditor();
          PressCell = CellAtPoint(p);
          if (grid.RowCount() > 0) {
            int col = PressCell.Col, row = PressCell.Row;
            if (row == -1 || row >= grid.RowCount()) row = grid.SelectedRow();
            if (col < 0 || col >= grid.Columns().Count()) col = grid.SelectedColumn();
            SelectCell(col, row, shift);
          }
          break;
        case TGridArea::Header:
          pressedColumn_ = ColumnAt(p.X);
          if (pressedColumn_ && pressedColumn_->Options().Contains(coCanClick)) {
            GridState.Include(TGridStateFlag::HeaderPressed);
            PressedHeaderColumn = pressedColumn_;
            InvalidateHeaderCell(pressedColumn_->ColumnIndex());
          } else {
            pressedColumn_ = nullptr;
          }
          break;
        case TGridArea::Indicator: {
          const int row = RowAt(p.Y);
          if (row != -1) SelectCell(grid.SelectedColumn(), row, shift);
          break;
        }
        default:
          break;
      }
    }
  }
  if (OnMouseDown) OnMouseDown(this, button, shift, p.X, p.Y);
}

void TCustomGridView::MouseDblClick(TMouseButton button, TShiftState, TPoint p) {
  // The double-click notification; the flagged second press itself does nothing.
  if (button != TMouseButton::mbLeft) return;
  if (HitTest(p) == TGridArea::Cells && OnDblClick) OnDblClick(this);
}

// ---- moves ----

void TCustomGridView::MouseMove(TShiftState shift, TPoint p) {
  if (OnMouseMove) OnMouseMove(this, shift, p.X, p.Y);
  TGridView& grid = Grid();
  if (grid.Columns().Count() == 0) return;
  if (GridState.Contains(TGridStateFlag::ResizingColumn) && ResizeColumn) {
    const TCustomColumn& column = *ResizeColumn;
    const int scroll = HorzScrollPosition();
    InvalidateGuideLine(resizeLineRight_);
    ResizeDelta = p.X + scroll - column.ColumnLeft - column.Width();
    if (column.Width() + ResizeDelta < 8) ResizeDelta = 8 - column.Width();
    resizeLineRight_ = column.ColumnLeft + column.Width() + ResizeDelta - scroll - 1;
    InvalidateGuideLine(resizeLineRight_);
    return;
  }
  switch (HitTest(p)) {
    case TGridArea::Header:
      SetCursor(ColumnBorderAt(p) ? TCursor::crHSplit : TCursor::crDefault);
      break;
    case TGridArea::Indicator:
      // The row-select pointer over the rows of the indicator strip.
      SetCursor(RowAt(p.Y) != -1 ? TCursor::crArrow : TCursor::crDefault);
      break;
    case TGridArea::Cells: {
      const TCustomColumn* column = ColumnAt(p.X);
      SetCursor(column ? column->Cursor() : TCursor::crDefault);
      break;
    }
    default:
      SetCursor(TCursor::crDefault);
      break;
  }
}

// ---- releases ----

namespace {

// Gives the mouse back when a release has been handled, also when a handler fails.
class CaptureRelease {
 public:
  CaptureRelease(TCustomControl& control, bool& releasing)
      : control_(control), releasing_(releasing) {}
  ~CaptureRelease() {
    releasing_ = true;
    control_.ReleaseCapture();
    releasing_ = false;
  }

 private:
  TCustomControl& control_;
  bool& releasing_;
};

}  // namespace

void TCustomGridView::CaptureLost() {
  if (releasingCapture_) return;
  // Another window took the mouse in the middle of a gesture (a message box, a task switch):
  // the release will not come, so the gesture ends here without effect.
  clickPending_ = false;
  if (GridState.Contains(TGridStateFlag::ResizingColumn)) {
    GridState.Exclude(TGridStateFlag::ResizingColumn);
    ResizeColumn = nullptr;
    ResizeDelta = 0;
    InvalidateGuideLine(resizeLineLeft_);
    InvalidateGuideLine(resizeLineRight_);
  }
  if (TCustomColumn* pressed = PressedHeaderColumn) {
    PressedHeaderColumn = nullptr;
    GridState.Exclude(TGridStateFlag::HeaderPressed);
    InvalidateHeaderCell(pressed->ColumnIndex());
  }
}

void TCustomGridView::MouseUp(TMouseButton button, TShiftState shift, TPoint p) {
  TGridView& grid = Grid();
  CaptureRelease release(*this, releasingCapture_);
  const bool click = button == TMouseButton::mbLeft && clickPending_;
  if (button == TMouseButton::mbLeft) clickPending_ = false;
  if (click && TRect{0, 0, ClientWidth(), ClientHeight()}.Contains(p) && OnClick) OnClick(this);
  if (OnMouseUp) OnMouseUp(this, button, shift, p.X, p.Y);
  GridState.Exclude(TGridStateFlag::HeaderPressed);

  if (GridState.Contains(TGridStateFlag::ResizingColumn)) {
    TCustomColumn* column = ResizeColumn;
    const int delta = ResizeDelta;
    ResizeColumn = nullptr;
    ResizeDelta = 0;
    GridState.Exclude(TGridStateFlag::ResizingColumn);
    InvalidateGuideLine(resizeLineLeft_);
    InvalidateGuideLine(resizeLineRight_);
    if (column) column->SetWidth(column->Width() + delta);
    return;
  }

  const TGridCell cell = CellAtPoint(p);
  const bool cellClick =
      cell.Col >= 0 && cell.Row >= 0 && cell.Row < grid.RowCount() && cell == PressCell;
  if (cellClick && OnCellClick) OnCellClick(this, cell.Col, cell.Row);
  pressedColumn_ = nullptr;
  pressPoint_ = {-1, -1};

  if (TCustomColumn* pressed = PressedHeaderColumn) {
    // Released look first, so that a repaint inside the event shows the header up.
    PressedHeaderColumn = nullptr;
    const int index = pressed->ColumnIndex();
    InvalidateHeaderCell(index);
    if (OnHeaderClick) OnHeaderClick(this, index);
  }
  if (button != TMouseButton::mbLeft) return;

  switch (HitTest(p)) {
    case TGridArea::Cells:
      if (cellClick) CellRelease(cell.Col, cell.Row, p);
      break;
    case TGridArea::Header:
      if (TCustomColumn* column = ColumnAt(p.X)) grid.ToggleColumnSort(*column);
      break;
    case TGridArea::Footer:
      if (TCustomColumn* column = ColumnAt(p.X); column && OnFooterClick)
        OnFooterClick(this, column->ColumnIndex());
      break;
    default:
      break;
  }
}

void TCustomGridView::CellRelease(int ACol, int ARow, TPoint p) {
  if (GridState.Contains(TGridStateFlag::MultiSelecting)) return;
  TGridView& grid = Grid();
  TCustomColumn& column = grid.Columns()[ACol];
  if (!column.HasCheckBoxPlay() || !column.Options().Contains(coEditing)) return;  // no editors
  if (ARow < 0 || ARow >= grid.RowCount()) return;
  TCheckBoxColumnPlay* play = PreparePlay(column, ACol, ARow);
  if (!play) return;
  play->MouseUp({p.X - play->CellRect.Left, p.Y - play->CellRect.Top}, ThemesActive());
}

}  // namespace zv
