#pragma once
// What the report grid says to a screen reader (AccessibleTree): a table whose children are the
// header row (with goHeader) and one row per grid row; each row's children are its cells in
// display order, the header row's the column headers. Every answer is computed from the grid's
// state when it is asked, and a part's id is computed from its row and column, so a grid of
// any size costs nothing until a screen reader asks, and the answer for one row costs the same
// in a grid of four rows as in one of a hundred thousand.
//
// Ids: the header row is 1, row r is r + 2; the cell of column c (items order) in row r is
// kCellBase + (r + 1) × kColumnStride + c, the header cell of column c kCellBase + c.
#include "gridview/grid.h"
#include "ui/accessibility.h"

namespace zv {

class TGridAccessible : public AccessibleTree {
 public:
  static constexpr AccessibleId kHeaderRowId = 1;
  static constexpr AccessibleId kCellBase = 1 << 30;
  static constexpr AccessibleId kColumnStride = 1025;  // the most columns a grid holds

  // The grid is not owned and must outlive the model.
  explicit TGridAccessible(TGridView& grid) : grid_(grid) {}

  static AccessibleId RowId(int ARow) { return ARow + 2; }
  // ARow -1: the column's header cell.
  static AccessibleId CellId(int ACol, int ARow) {
    return kCellBase + (ARow + 1) * kColumnStride + ACol;
  }

  bool Exists(AccessibleId id) const override;
  AccessibleId Parent(AccessibleId id) const override;
  int ChildCount(AccessibleId id) const override;
  AccessibleId Child(AccessibleId id, int index) const override;
  int IndexInParent(AccessibleId id) const override;
  AccessibleRole Role(AccessibleId id) const override;
  std::u16string Name(AccessibleId id) const override;
  std::u16string Description(AccessibleId id) const override;
  AccessibleStates State(AccessibleId id) const override;
  TRect Location(AccessibleId id) const override;
  std::u16string DefaultAction(AccessibleId id) const override;
  bool DoDefaultAction(AccessibleId id) override;
  AccessibleId Navigate(AccessibleId from, AccessibleNav direction) const override;
  AccessibleId HitTest(TPoint client) const override;
  AccessibleId Focus() const override;
  std::vector<AccessibleId> Selection(AccessibleId id) const override;

  // The text a cell shows (a check box shows none).
  std::u16string CellText(int ACol, int ARow) const;

 private:
  enum class Kind { None, Self, HeaderRow, Row, HeaderCell, Cell };
  struct Part {
    Kind kind = Kind::None;
    int row = -1;  // -1 for the header row and its cells
    int col = -1;  // items order
  };
  Part Decode(AccessibleId id) const;
  bool HasHeader() const;
  bool IsBox(int ACol) const;
  bool RowShown(int ARow) const;
  int RowY(int ARow) const;
  int DisplayIndex(int ACol) const;
  // The next column in display order from ACol, by step (+1, −1); visibleOnly skips hidden ones.
  int NeighbourColumn(int ACol, int step, bool visibleOnly) const;
  AccessibleId PartId(int ACol, int ARow) const;  // ARow -1: the header row's part

  TGridView& grid_;
};

}  // namespace zv
