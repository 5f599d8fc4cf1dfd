// The column-major cell store (see cell_store.h); sorting is in sort.cpp.
#include "gridview/cell_store.h"

#include <algorithm>
#include <new>

#include "gridview/columns.h"
#include "ui/errors.h"

namespace zv {
namespace {

std::size_t SlotSizeOf(TCellKind kind) {
  switch (kind) {
    case ckIncrement:
      return sizeof(TIncrementCell);
    case ckBoolean:
      return sizeof(TBooleanCell);
    case ckDateTime:
      return sizeof(TDateTimeCell);
    case ckFloat:
      return sizeof(TFloatCell);
    case ckInteger:
      return sizeof(TIntegerCell);
    case ckVirtual:
      return sizeof(TVirtualCell);
    default:
      return sizeof(TStringCell);
  }
}

constexpr std::size_t kMaxBlockSlots = 4096;

}  // namespace

// ---- CellPool ----

CellPool::CellPool(std::size_t slotSize) : slot_((std::max(slotSize, sizeof(void*)) + 7) / 8 * 8) {}

void* CellPool::Allocate() {
  if (free_) {
    void* slot = free_;
    free_ = *static_cast<void**>(slot);
    return slot;
  }
  if (next_ == end_) {
    std::size_t bytes = slot_ * nextBlockSlots_;
    blocks_.push_back(std::make_unique<std::byte[]>(bytes));
    next_ = blocks_.back().get();
    end_ = next_ + bytes;
    nextBlockSlots_ = std::min(nextBlockSlots_ * 2, kMaxBlockSlots);
  }
  void* slot = next_;
  next_ += slot_;
  return slot;
}

void CellPool::Free(void* slot) {
  *static_cast<void**>(slot) = free_;
  free_ = slot;
}

void CellPool::Release() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  next_ = end_ = nullptr;
  free_ = nullptr;
  nextBlockSlots_ = 64;
}

// ---- TCells ----

TCells::ColumnList::ColumnList(TCellKind k) : kind(k), pool(SlotSizeOf(k)) {}

TCells::TCells(TColumns& columns) : columns_(columns) {}

TCells::~TCells() { ClearColumns(); }

TCell* TCells::NewCell(ColumnList& list, int ACol) {
  void* slot = list.pool.Allocate();
  TCell* cell;
  switch (list.kind) {
    case ckIncrement:
      cell = new (slot) TIncrementCell(*this);
      break;
    case ckBoolean:
      cell = new (slot) TBooleanCell(*this);
      break;
    case ckDateTime:
      cell = new (slot) TDateTimeCell(*this);
      break;
    case ckFloat:
      cell = new (slot) TFloatCell(*this);
      break;
    case ckInteger:
      cell = new (slot) TIntegerCell(*this);
      break;
    case ckVirtual:
      cell = new (slot) TVirtualCell(*this);
      break;
    default:
      cell = new (slot) TStringCell(*this);
      break;
  }
  // Set up without any notification, then the cell is live.
  cell->color_ = ACol < columns_.Count() ? columns_[ACol].Color() : clWindow;
  cell->fontStyle_ = 0;
  cell->col_ = static_cast<std::uint16_t>(ACol);
  cell->row_ = static_cast<std::int32_t>(list.cells.size());
  cell->flags_ &= static_cast<std::uint8_t>(~TCell::kInitialising);
  return cell;
}

void TCells::FreeCell(ColumnList& list, TCell* cell) {
  if (cell->flags_ & TCell::kHasHint) hints_.erase(cell);
  cell->~TCell();
  list.pool.Free(cell);
}

void TCells::InsertColumn(int index, TCellKind kind) {
  if (index < 0 || index > ColumnCount()) throw ListIndexError(index);
  if (ColumnCount() >= kMaxGridColumns) throw ListIndexError(ColumnCount());
  auto list = std::make_unique<ColumnList>(kind);
  ColumnList& ref = *list;
  lists_.insert(lists_.begin() + index, std::move(list));
  ref.cells.reserve(static_cast<std::size_t>(rowCount_));
  for (int r = 0; r < rowCount_; ++r) ref.cells.push_back(NewCell(ref, index));
  sortValid_ = false;
}

void TCells::DeleteColumn(int index) {
  if (index < 0 || index >= ColumnCount()) throw ListIndexError(index);
  ColumnList& list = *lists_[static_cast<std::size_t>(index)];
  for (TCell* cell : list.cells) {
    if (cell->flags_ & TCell::kHasHint) hints_.erase(cell);
    cell->~TCell();
  }
  lists_.erase(lists_.begin() + index);  // gives the pool's blocks back
  if (ColumnCount() == 0) rowCount_ = 0;
  sortValid_ = false;
}

void TCells::ClearColumns() {
  while (!lists_.empty()) DeleteColumn(ColumnCount() - 1);
  rowCount_ = 0;
  sortValid_ = false;
}

void TCells::AddRows(int count) {
  for (int i = 0; i < count; ++i) {
    for (int c = 0; c < ColumnCount(); ++c) {
      ColumnList& list = *lists_[static_cast<std::size_t>(c)];
      list.cells.push_back(NewCell(list, c));
    }
    ++rowCount_;
  }
  sortValid_ = false;
}

void TCells::DeleteRow(int index) {
  if (index < 0 || index >= rowCount_) throw ListIndexError(index);
  for (auto& list : lists_) {
    FreeCell(*list, list->cells[static_cast<std::size_t>(index)]);
    list->cells.erase(list->cells.begin() + index);
  }
  --rowCount_;
}

void TCells::Clear() {
  for (auto& list : lists_) {
    for (TCell* cell : list->cells) {
      if (cell->flags_ & TCell::kHasHint) hints_.erase(cell);
      cell->~TCell();
    }
    list->cells.clear();
    list->cells.shrink_to_fit();
    list->pool.Release();
  }
  rowCount_ = 0;
  sortValid_ = false;
}

TCell& TCells::GetCell(int ACol, int ARow) {
  if (ACol < 0 || ACol >= ColumnCount()) throw ListIndexError(ACol);
  if (ARow < 0 || ARow >= rowCount_) throw ListIndexError(ARow);
  TCell* cell = lists_[static_cast<std::size_t>(ACol)]->cells[static_cast<std::size_t>(ARow)];
  cell->col_ = static_cast<std::uint16_t>(ACol);
  cell->row_ = ARow;
  return *cell;
}

void TCells::ExchangeRows(int a, int b) {
  for (auto& list : lists_)
    std::swap(list->cells[static_cast<std::size_t>(a)], list->cells[static_cast<std::size_t>(b)]);
  ++stats_.Exchanges;
}

void TCells::CellChanged(int ACol, int ARow) {
  // The rows are no longer known to be in sorted order, even when the callback fails.
  struct ClearSortValid {
    bool& flag;
    ~ClearSortValid() { flag = false; }
  } clear{sortValid_};
  if (onChange_) onChange_(*this, ACol, ARow);
}

const std::string* TCells::FindHint(const TCell& cell) const {
  auto it = hints_.find(&cell);
  return it == hints_.end() ? nullptr : &it->second;
}

void TCells::SetHint(TCell& cell, const std::string& hint) {
  if (hint.empty()) {
    hints_.erase(&cell);
    cell.flags_ &= static_cast<std::uint8_t>(~TCell::kHasHint);
  } else {
    hints_[&cell] = hint;
    cell.flags_ |= TCell::kHasHint;
  }
}

}  // namespace zv
