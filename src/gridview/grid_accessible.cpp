// The grid's accessibility model (grid_accessible.h), and the grid's side of its events: the
// points where the grid tells a screen reader that the current cell moved, a box changed or the
// rows changed.
#include "gridview/grid_accessible.h"

#include <algorithm>
#include <string>

#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {

// ---- ids ----

bool TGridAccessible::HasHeader() const { return grid_.Options().Contains(goHeader); }

TGridAccessible::Part TGridAccessible::Decode(AccessibleId id) const {
  const int rows = grid_.RowCount();
  const int cols = grid_.Columns().Count();
  if (id == kAccessibleSelf) return {Kind::Self};
  if (id == kHeaderRowId) return HasHeader() ? Part{Kind::HeaderRow} : Part{};
  if (id > kHeaderRowId && id < kCellBase) {
    const int row = id - 2;
    return row < rows ? Part{Kind::Row, row} : Part{};
  }
  if (id >= kCellBase) {
    const int row = (id - kCellBase) / kColumnStride - 1;
    const int col = (id - kCellBase) % kColumnStride;
    if (col >= cols) return {};
    if (row == -1) return HasHeader() ? Part{Kind::HeaderCell, -1, col} : Part{};
    return row < rows ? Part{Kind::Cell, row, col} : Part{};
  }
  return {};
}

AccessibleId TGridAccessible::PartId(int ACol, int ARow) const {
  if (ARow < -1 || ARow >= grid_.RowCount() || RowId(ARow) >= kCellBase) return kAccessibleNone;
  if (ARow == -1 && !HasHeader()) return kAccessibleNone;
  if (ACol < 0) return ARow == -1 ? kHeaderRowId : RowId(ARow);
  return CellId(ACol, ARow);
}

bool TGridAccessible::Exists(AccessibleId id) const { return Decode(id).kind != Kind::None; }

int TGridAccessible::DisplayIndex(int ACol) const {
  const auto& order = grid_.Columns().DisplayOrder();
  for (size_t i = 0; i < order.size(); ++i)
    if (order[i]->ColumnIndex() == ACol) return static_cast<int>(i);
  return -1;
}

int TGridAccessible::NeighbourColumn(int ACol, int step, bool visibleOnly) const {
  const auto& order = grid_.Columns().DisplayOrder();
  const int count = static_cast<int>(order.size());
  for (int i = DisplayIndex(ACol) + step; i >= 0 && i < count; i += step)
    if (!visibleOnly || order[static_cast<size_t>(i)]->Visible())
      return order[static_cast<size_t>(i)]->ColumnIndex();
  return -1;
}

// ---- the tree ----

AccessibleId TGridAccessible::Parent(AccessibleId id) const {
  const Part p = Decode(id);
  switch (p.kind) {
    case Kind::HeaderRow:
    case Kind::Row:
      return kAccessibleSelf;
    case Kind::HeaderCell:
      return kHeaderRowId;
    case Kind::Cell:
      return RowId(p.row);
    default:
      return kAccessibleNone;
  }
}

int TGridAccessible::ChildCount(AccessibleId id) const {
  const Part p = Decode(id);
  switch (p.kind) {
    case Kind::Self: {
      // Rows whose id would reach the cells' ids are left out (over a million rows).
      const int rows = std::min(grid_.RowCount(), kCellBase - 2);
      return rows + (HasHeader() ? 1 : 0);
    }
    case Kind::HeaderRow:
    case Kind::Row:
      return grid_.Columns().Count();
    default:
      return 0;
  }
}

AccessibleId TGridAccessible::Child(AccessibleId id, int index) const {
  if (index < 0 || index >= ChildCount(id)) return kAccessibleNone;
  const Part p = Decode(id);
  if (p.kind == Kind::Self) {
    if (HasHeader()) return index == 0 ? kHeaderRowId : RowId(index - 1);
    return RowId(index);
  }
  const int col = grid_.Columns().DisplayOrder()[static_cast<size_t>(index)]->ColumnIndex();
  return CellId(col, p.row);
}

int TGridAccessible::IndexInParent(AccessibleId id) const {
  const Part p = Decode(id);
  switch (p.kind) {
    case Kind::HeaderRow:
      return 0;
    case Kind::Row:
      return p.row + (HasHeader() ? 1 : 0);
    case Kind::HeaderCell:
    case Kind::Cell:
      return DisplayIndex(p.col);
    default:
      return -1;
  }
}

// ---- what a part says ----

bool TGridAccessible::IsBox(int ACol) const {
  return grid_.Columns()[ACol].DisplayClass() == TColumnDisplayClass::CheckBox;
}

std::u16string TGridAccessible::CellText(int ACol, int ARow) const {
  TCustomColumn& column = grid_.Columns()[ACol];
  TCell& cell = grid_.CellAt(ACol, ARow);
  switch (column.DisplayClass()) {
    case TColumnDisplayClass::CheckBox:
      return {};
    case TColumnDisplayClass::Increment: {
      const std::string digits = std::to_string(cell.AsInteger());
      return std::u16string(digits.begin(), digits.end());
    }
    default: {
      std::u16string scratch;
      return column.FormatText(cell.StringView(scratch));
    }
  }
}

AccessibleRole TGridAccessible::Role(AccessibleId id) const {
  const Part p = Decode(id);
  switch (p.kind) {
    case Kind::Self:
      return AccessibleRole::Table;
    case Kind::HeaderRow:
    case Kind::Row:
      return AccessibleRole::Row;
    case Kind::HeaderCell:
      return AccessibleRole::ColumnHeader;
    case Kind::Cell:
      if (IsBox(p.col)) return AccessibleRole::CheckButton;
      return grid_.Columns()[p.col].DisplayClass() == TColumnDisplayClass::Graphic
                 ? AccessibleRole::Graphic
                 : AccessibleRole::Cell;
    default:
      return AccessibleRole::Client;
  }
}

std::u16string TGridAccessible::Name(AccessibleId id) const {
  const Part p = Decode(id);
  auto columnName = [this](int col) {
    const TCustomColumn& column = grid_.Columns()[col];
    return column.AccessibleName.empty() ? column.Header().Caption() : column.AccessibleName;
  };
  switch (p.kind) {
    case Kind::Self:
      return grid_.AccessibleName;
    case Kind::HeaderCell:
      return columnName(p.col);
    case Kind::Cell: {
      if (IsBox(p.col)) return columnName(p.col);
      if (grid_.AccessibleCellName) {
        std::u16string name = grid_.AccessibleCellName(p.col, p.row);
        if (!name.empty()) return name;
      }
      return CellText(p.col, p.row);
    }
    case Kind::Row: {
      std::u16string name;
      auto add = [&name](const std::u16string& part) {
        if (part.empty()) return;
        if (!name.empty()) name += u", ";
        name += part;
      };
      if (grid_.AccessibleNameColumns.empty()) {
        for (const TCustomColumn* c : grid_.Columns().DisplayOrder())
          if (c->Visible() && c->DisplayClass() == TColumnDisplayClass::Textual)
            add(CellText(c->ColumnIndex(), p.row));
      } else {
        for (int col : grid_.AccessibleNameColumns)
          if (col >= 0 && col < grid_.Columns().Count()) add(CellText(col, p.row));
      }
      if (grid_.AccessibleRowNote) add(grid_.AccessibleRowNote(p.row));
      return name;
    }
    default:
      return {};
  }
}

std::u16string TGridAccessible::Description(AccessibleId id) const {
  // An empty grid paints its Caption where the rows would be; a screen reader reads it here.
  if (id == kAccessibleSelf && grid_.RowCount() == 0) return Utf8ToUtf16(grid_.Caption());
  return {};
}

bool TGridAccessible::RowShown(int ARow) const {
  if (ARow < grid_.TopRow()) return false;
  return RowY(ARow) < grid_.CellAreaRect().Bottom;
}

int TGridAccessible::RowY(int ARow) const {
  // The grid's own RowTop stops counting outside the cell area; a screen reader may ask for
  // any row, so this one walks as far as it has to.
  int y = grid_.CellAreaRect().Top;
  const int top = grid_.TopRow();
  for (int row = top; row < ARow; ++row) y += grid_.RowPitch(row);
  for (int row = top - 1; row >= ARow; --row) y -= grid_.RowPitch(row);
  return y;
}

AccessibleStates TGridAccessible::State(AccessibleId id) const {
  const Part p = Decode(id);
  const bool focused = grid_.Focused();
  switch (p.kind) {
    case Kind::Self:
      return asFocusable | (focused ? AccessibleStates{asFocused} : 0u);
    case Kind::Row: {
      AccessibleStates s = asSelectable | asFocusable;
      if (p.row == grid_.SelectedRow()) s |= asSelected;
      if (!RowShown(p.row)) s |= asOffscreen;
      return s;
    }
    case Kind::HeaderCell:
    case Kind::Cell: {
      const TCustomColumn& column = grid_.Columns()[p.col];
      AccessibleStates s = p.kind == Kind::Cell ? asSelectable | asFocusable : 0;
      if (!column.Visible()) return s | asInvisible;
      const TRect r = Location(id);
      const TRect area = grid_.CellAreaRect();
      if (r.Right <= area.Left || r.Left >= grid_.ClientWidth()) s |= asOffscreen;
      if (p.kind == Kind::HeaderCell) return s;
      if (!RowShown(p.row)) s |= asOffscreen;
      if (p.row == grid_.SelectedRow() && p.col == grid_.SelectedColumn()) {
        s |= asSelected;
        if (focused) s |= asFocused;
      }
      if (IsBox(p.col) && grid_.CellAt(p.col, p.row).AsBoolean()) s |= asChecked;
      return s;
    }
    default:
      return 0;
  }
}

TRect TGridAccessible::Location(AccessibleId id) const {
  const Part p = Decode(id);
  const int scroll = grid_.HorzScrollPosition();
  const int right = grid_.IndicatorWidthNow() + grid_.TotalColumnsWidth() - scroll;
  switch (p.kind) {
    case Kind::Self:
      return {0, 0, grid_.ClientWidth(), grid_.ClientHeight()};
    case Kind::HeaderRow:
      return {0, 0, right, grid_.HeaderSize};
    case Kind::HeaderCell:
      return grid_.HeaderCellRect(grid_.Columns()[p.col]);
    case Kind::Row: {
      // With the indicator cell, which marks the row and selects it when clicked.
      const int top = RowY(p.row);
      return {0, top, right, top + grid_.RowHeightAt(p.row)};
    }
    case Kind::Cell: {
      const TCustomColumn& column = grid_.Columns()[p.col];
      const int left = column.ColumnLeft - scroll;
      const int top = RowY(p.row);
      return {left, top, left + column.Width(), top + grid_.RowHeightAt(p.row)};
    }
    default:
      return {};
  }
}

std::u16string TGridAccessible::DefaultAction(AccessibleId id) const {
  const Part p = Decode(id);
  if (p.kind == Kind::HeaderCell && grid_.Columns()[p.col].Options().Contains(coCanClick))
    return UiText16(TextId::ActionClick);
  if (p.kind == Kind::Cell) {
    const TCustomColumn& column = grid_.Columns()[p.col];
    if (column.HasCheckBoxPlay() && column.Options().Contains(coEditing))
      return grid_.CellAt(p.col, p.row).AsBoolean() ? UiText16(TextId::ActionUncheck)
                                                    : UiText16(TextId::ActionCheck);
  }
  return {};
}

bool TGridAccessible::DoDefaultAction(AccessibleId id) {
  if (DefaultAction(id).empty()) return false;
  const Part p = Decode(id);
  TCustomColumn& column = grid_.Columns()[p.col];
  if (p.kind == Kind::HeaderCell) {
    // What a left click on the header does (and Ctrl+Space on its column).
    grid_.ClickHeader(p.col);
    return true;
  }
  // The box's own toggle, as a click inside it or the space bar: the edit events, the write
  // and its change events.
  if (TCheckBoxColumnPlay* play = grid_.PreparePlay(column, p.col, p.row)) play->KeyPress(u' ');
  return true;
}

// ---- navigation and hit testing ----

AccessibleId TGridAccessible::Navigate(AccessibleId from, AccessibleNav direction) const {
  const Part p = Decode(from);
  const int rows = grid_.RowCount();
  switch (direction) {
    case AccessibleNav::FirstChild:
      return Child(from, 0);
    case AccessibleNav::LastChild:
      return Child(from, ChildCount(from) - 1);
    default:
      break;
  }
  const bool forward = direction == AccessibleNav::Down || direction == AccessibleNav::Next ||
                       direction == AccessibleNav::Right;
  switch (p.kind) {
    case Kind::HeaderRow:
    case Kind::Row: {
      if (direction == AccessibleNav::Left || direction == AccessibleNav::Right)
        return kAccessibleNone;
      const int row = p.row + (forward ? 1 : -1);
      return row < rows ? PartId(-1, row) : kAccessibleNone;
    }
    case Kind::HeaderCell:
    case Kind::Cell: {
      if (direction == AccessibleNav::Up || direction == AccessibleNav::Down) {
        const int row = p.row + (forward ? 1 : -1);
        return row < rows ? PartId(p.col, row) : kAccessibleNone;
      }
      const bool spatial = direction == AccessibleNav::Left || direction == AccessibleNav::Right;
      const int col = NeighbourColumn(p.col, forward ? 1 : -1, spatial);
      return col < 0 ? kAccessibleNone : PartId(col, p.row);
    }
    default:
      return kAccessibleNone;
  }
}

AccessibleId TGridAccessible::HitTest(TPoint client) const {
  if (!TRect{0, 0, grid_.ClientWidth(), grid_.ClientHeight()}.Contains(client))
    return kAccessibleNone;
  const TCustomColumn* column = grid_.ColumnAt(client.X);
  const int col = column ? column->ColumnIndex() : -1;
  switch (grid_.HitTest(client)) {
    case TGridArea::Header:
      return PartId(col, -1);
    case TGridArea::Cells:
    case TGridArea::Indicator: {
      const int row = grid_.RowAt(client.Y);
      if (row < 0) return kAccessibleSelf;
      const bool indicator = grid_.HitTest(client) == TGridArea::Indicator;
      return PartId(indicator ? -1 : col, row);
    }
    default:
      return kAccessibleSelf;
  }
}

AccessibleId TGridAccessible::Focus() const {
  if (!grid_.Focused()) return kAccessibleNone;
  const int col = grid_.SelectedColumn(), row = grid_.SelectedRow();
  if (row < 0 || row >= grid_.RowCount() || col < 0 || col >= grid_.Columns().Count())
    return kAccessibleSelf;
  const AccessibleId id = PartId(col, row);
  return id == kAccessibleNone ? kAccessibleSelf : id;
}

std::vector<AccessibleId> TGridAccessible::Selection(AccessibleId id) const {
  const int col = grid_.SelectedColumn(), row = grid_.SelectedRow();
  if (row < 0 || row >= grid_.RowCount()) return {};
  const Part p = Decode(id);
  if (p.kind == Kind::Self) return {PartId(-1, row)};
  if (p.kind == Kind::Row && p.row == row && col >= 0 && col < grid_.Columns().Count())
    return {PartId(col, row)};
  return {};
}

// ---- the grid's events ----

void TGridView::AccessibleCurrentCellMoved(bool rowChanged) {
  if (!AccessibleEvents) return;
  const TGridAccessible model(*this);
  if (Focused()) AccessibleEvents(AccessibleEvent::Focus, model.Focus());
  if (rowChanged && selectedRow_ >= 0 && selectedRow_ < RowCount())
    AccessibleEvents(AccessibleEvent::Selection, TGridAccessible::RowId(selectedRow_));
}

void TGridView::AccessibleFocusEntered() {
  if (!AccessibleEvents) return;
  const AccessibleId focus = TGridAccessible(*this).Focus();
  if (focus != kAccessibleNone) AccessibleEvents(AccessibleEvent::Focus, focus);
}

void TGridView::AccessibleCellWritten(int ACol, int ARow) {
  if (!AccessibleEvents || ACol < 0 || ACol >= columns_.Count()) return;
  if (columns_[ACol].DisplayClass() == TColumnDisplayClass::CheckBox)
    AccessibleEvents(AccessibleEvent::StateChange, TGridAccessible::CellId(ACol, ARow));
}

void TGridView::AccessibleRowsChanged() {
  // Inside a batch (a listing appends row after row) one event follows at its end.
  if (updateCount_ > 0) {
    accessibleReorderPending_ = true;
    return;
  }
  accessibleReorderPending_ = false;
  if (AccessibleEvents) AccessibleEvents(AccessibleEvent::Reorder, kAccessibleSelf);
}

}  // namespace zv
