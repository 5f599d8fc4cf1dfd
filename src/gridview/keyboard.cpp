// The grid's keyboard, wheel and focus: navigation keys moving the current row and scrolling,
// characters (Enter swallowed, the space bar toggling a check box, the incremental search with
// its timer), Ctrl+Space doing what a click on the current column's header does, the wheel
// scrolling by rows, and the repaints when the focus comes and goes.
#include <algorithm>
#include <utility>

#include "gridview/grid.h"

namespace zv {

bool TCustomGridView::KeyDown(TKey key, TShiftState shift) {
  TGridView& grid = Grid();
  swallowSpace_ = false;
  // Ctrl+Space: the header action of the current column (the column-wide toggle of a box column,
  // the sort of a sortable one), which the mouse reaches only on the header. Space alone acts on
  // the current cell; with Ctrl on the whole column, as in a spreadsheet. It works with rows or
  // without, as the click does.
  if (key == TKey::Space && (shift & ssCtrl) && !(shift & ssAlt)) {
    swallowSpace_ = true;
    ClickHeader(grid.SelectedColumn());
    if (OnKeyDown) OnKeyDown(this, key, shift);
    return true;
  }
  const int count = grid.RowCount();
  bool handled = false;
  if (count > 0) {
    const int col = grid.SelectedColumn();
    const int last = count - 1;
    // A current row that removed rows left behind the last row moves from the last row.
    const int row = std::clamp(grid.SelectedRow(), 0, last);
    handled = true;
    switch (key) {
      case TKey::Up:
        if (row > 0) {
          if (row < TopRow() + 1) VertScrollBar.SetPosition(TopRow() - 1);
          SelectCell(col, row - 1, shift);
        }
        break;
      case TKey::Down:
        if (row + 1 < count) {
          if (row > TopRow() + VisibleRowCount() - 1) VertScrollBar.SetPosition(TopRow() + 1);
          if (RowTop(row + 1) + RowHeightAt(row + 1) > CellAreaRect().Bottom)
            VertScrollBar.SetPosition(TopRow() + 1);
          SelectCell(col, row + 1, shift);
        }
        break;
      case TKey::PageUp:
        if (TopRow() < row) {
          SelectCell(col, TopRow(), shift);
        } else {
          const int r = std::max(0, row - VisibleRowCount());
          SelectCell(col, r, shift);
          VertScrollBar.SetPosition(r);
        }
        break;
      case TKey::PageDown: {
        const int visible = VisibleRowCount();
        if (count < visible) {
          SelectCell(col, last, shift);
          return true;  // this key raises no OnKeyDown
        }
        if (row < TopRow() + visible - 1) {
          SelectCell(col, TopRow() + visible - 1, shift);
        } else {
          SelectCell(col, std::min(row + visible, last), shift);
          VertScrollBar.SetPosition(TopRow() + visible);
        }
        break;
      }
      case TKey::Home:
        VertScrollBar.SetPosition(0);
        SelectCell(col, 0, shift);
        break;
      case TKey::End:
        VertScrollBar.SetPosition(VertScrollBar.Max());
        SelectCell(col, last, shift);
        break;
      case TKey::Left:
      case TKey::Right: {
        // The nearest visible column before or after the current one, in display order.
        const std::vector<TCustomColumn*>& order = grid.Columns().DisplayOrder();
        auto here = std::find_if(order.begin(), order.end(),
                                 [col](const TCustomColumn* c) { return c->ColumnIndex() == col; });
        const TCustomColumn* next = nullptr;
        if (here != order.end()) {
          if (key == TKey::Left) {
            for (auto it = here; it != order.begin();)
              if ((*--it)->Visible()) {
                next = *it;
                break;
              }
          } else {
            for (auto it = here + 1; it != order.end(); ++it)
              if ((*it)->Visible()) {
                next = *it;
                break;
              }
          }
        }
        if (next) SelectCell(next->ColumnIndex(), row, shift);
        break;
      }
      default:
        handled = false;
        break;
    }
  }
  if (OnKeyDown) OnKeyDown(this, key, shift);
  return handled;
}

bool TCustomGridView::KeyUp(TKey key, TShiftState shift) {
  if (OnKeyUp) OnKeyUp(this, key, shift);
  return false;
}

bool TCustomGridView::KeyPress(char16_t& ch) {
  if (std::exchange(swallowSpace_, false) && ch == u' ') return true;
  if (OnKeyPress) OnKeyPress(this, ch);
  if (ch == 0) return true;
  if (ch == 27) return false;  // Escape: nothing to cancel
  TGridView& grid = Grid();
  if (ch == u'\r') {
    if (!WantReturns) {
      ch = 0;
      return true;
    }
    const int row = grid.SelectedRow();
    switch (SelectionMoveDirection) {
      case mdUp:
        if (row > 0) SelectCell(grid.SelectedColumn(), row - 1, 0);
        break;
      case mdDown:
        if (row + 1 < grid.RowCount()) SelectCell(grid.SelectedColumn(), row + 1, 0);
        break;
      case mdLeft:
        KeyDown(TKey::Left, 0);
        break;
      case mdRight:
        KeyDown(TKey::Right, 0);
        break;
      case mdNone:
        break;
    }
    return true;
  }

  const int col = grid.SelectedColumn();
  const int row = grid.SelectedRow();
  if (col < 0 || col >= grid.Columns().Count()) return false;
  TCustomColumn& column = grid.Columns()[col];
  const bool rows = grid.RowCount() > 0;
  // A current row left behind by removed rows has no cell to toggle.
  const bool rowExists = row >= 0 && row < grid.RowCount();
  if (column.HasCheckBoxPlay() && column.Options().Contains(coEditing) && rows && rowExists) {
    if (TCheckBoxColumnPlay* play = PreparePlay(column, col, row)) play->KeyPress(ch);
  }
  // No in-place editors are offered: a character that would start an edit does nothing more.
  if (!column.Options().Contains(coEditing) && rows) {
    for (int i = 0; i < grid.Columns().Count(); ++i) {
      if (!grid.Columns()[i].Options().Contains(coSearchColumn)) continue;
      searchTimer_.SetEnabled(false);
      searchTimer_.SetEnabled(true);
      SearchText.push_back(ch);
      grid.IncrementalSearch(i, SearchText);
      break;
    }
  }
  return true;
}

void TCustomGridView::ClickHeader(int ACol) {
  TGridView& grid = Grid();
  auto clickable = [&] {
    return grid.Options().Contains(goHeader) && ACol >= 0 && ACol < grid.Columns().Count() &&
           grid.Columns()[ACol].Visible();
  };
  if (!clickable()) return;
  // The same two steps as a left press and release on the header cell, in the same order.
  if (grid.Columns()[ACol].Options().Contains(coCanClick) && OnHeaderClick)
    OnHeaderClick(this, ACol);
  if (clickable()) grid.ToggleColumnSort(grid.Columns()[ACol]);
}

void TCustomGridView::SearchTimerFired() {
  SearchText.clear();
  searchTimer_.SetEnabled(false);
}

bool TCustomGridView::MouseWheel(int delta, TShiftState shift, TPoint p) {
  wheelRemainder_ += delta;
  while (wheelRemainder_ >= 120 || wheelRemainder_ <= -120) {
    const bool down = wheelRemainder_ < 0;
    wheelRemainder_ += down ? 120 : -120;
    bool handled = false;
    if (down && OnMouseWheelDown) OnMouseWheelDown(this, shift, p, handled);
    if (!down && OnMouseWheelUp) OnMouseWheelUp(this, shift, p, handled);
    const bool page = (shift & ssCtrl) != 0;
    ScrollMessage(TScrollBarKind::sbVertical,
                  down ? (page ? TScrollCode::scPageDown : TScrollCode::scLineDown)
                       : (page ? TScrollCode::scPageUp : TScrollCode::scLineUp),
                  0);
  }
  return true;
}

void TCustomGridView::RepaintSelectedRows() {
  const TGridView& grid = Grid();
  if (!grid.Options().Contains(goSelectFullRow)) {
    InvalidateCell(grid.SelectedColumn(), grid.SelectedRow());
    return;
  }
  const int last = std::min(grid.RowCount() - 1, TopRow() + VisibleRowCount());
  for (int row = TopRow(); row <= last; ++row)
    if (grid.Rows()[row].Marked) InvalidateRow(row);
}

void TCustomGridView::FocusIn() {
  TCustomControl::FocusIn();
  RepaintSelectedRows();
  InvalidateIndicator();
  Grid().AccessibleFocusEntered();
}

void TCustomGridView::FocusOut() {
  TCustomControl::FocusOut();
  RepaintSelectedRows();
}

}  // namespace zv
