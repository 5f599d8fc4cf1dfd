#pragma once
// The grid's column-major cell store (TCells): one list of cell references per column, each list
// holding exactly RowCount cells, plus the memory of the last sort. The store owns every cell;
// a column's cells come from a pool of its own, so that a cell costs its size and nothing more
// and freeing all rows frees whole blocks.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "gridview/cells.h"
#include "gridview/grid_types.h"

namespace zv {

class TColumns;

// Fixed-size slots carved from blocks that grow up to a limit; freed slots are reused.
class CellPool {
 public:
  explicit CellPool(std::size_t slotSize);
  CellPool(const CellPool&) = delete;
  CellPool& operator=(const CellPool&) = delete;
  void* Allocate();
  void Free(void* slot);
  // Gives every block back; every cell carved from them must be destroyed already.
  void Release();
  std::size_t SlotSize() const { return slot_; }

 private:
  std::size_t slot_;
  std::vector<std::unique_ptr<std::byte[]>> blocks_;
  std::byte* next_ = nullptr;
  std::byte* end_ = nullptr;
  void* free_ = nullptr;
  std::size_t nextBlockSlots_ = 64;
};

class TCells {
 public:
  // Called for every cell write: (store, ACol, ARow).
  using ChangeCallback = std::function<void(TCells& sender, int ACol, int ARow)>;

  // `columns` gives each new cell its colour (not owned).
  explicit TCells(TColumns& columns);
  TCells(const TCells&) = delete;
  TCells& operator=(const TCells&) = delete;
  ~TCells();

  int ColumnCount() const { return static_cast<int>(lists_.size()); }
  int RowCount() const { return rowCount_; }
  // The rows are still in the order that the last sort produced.
  bool SortValid() const { return sortValid_; }
  // Column index and direction of the last sort.
  int SortedColumn() const { return sortedColumn_; }
  bool SortDescending() const { return sortDescending_; }
  void SetChangeCallback(ChangeCallback callback) { onChange_ = std::move(callback); }

  // ---- column structure (follows the column collection) ----
  // A new column list holding RowCount new cells of `kind`.
  void InsertColumn(int index, TCellKind kind);
  void DeleteColumn(int index);
  void ClearColumns();
  TCellKind ColumnKind(int ACol) const { return lists_[static_cast<size_t>(ACol)]->kind; }
  // Number of cells in column list ACol (RowCount, always; for consistency checks).
  int ListCount(int ACol) const {
    return static_cast<int>(lists_[static_cast<size_t>(ACol)]->cells.size());
  }

  // ---- rows ----
  // Appends `count` rows of new cells (values as at creation, colour from the column).
  void AddRows(int count);
  // Frees row `index` in every column ("List index out of bounds (%d)" when there is none).
  // The remaining rows keep their order, and so SortValid keeps its value.
  void DeleteRow(int index);
  // Frees every cell; RowCount 0.
  void Clear();

  // The cell at (ACol, ARow), its position fields updated. A bad column or row index fails with
  // "List index out of bounds (%d)" (the column is checked first).
  TCell& GetCell(int ACol, int ARow);
  // Exchanges rows a and b in every column list.
  void ExchangeRows(int a, int b);

  // Sorts the rows by column ACol (sort.cpp). The second sort of the same column in the other
  // direction with nothing written in between reverses the rows without comparing.
  void Sort(int ACol, TSortType sortType, bool descending);

  // The base cell write: calls the change callback, then clears SortValid.
  void CellChanged(int ACol, int ARow);

  // ---- virtual cells: the owner supplies and takes their text ----
  std::function<std::u16string(const TVirtualCell& cell)> OnGetVirtualText;
  std::function<void(TVirtualCell& cell, const std::u16string& text)> OnSetVirtualText;

  // ---- sort measurements (tests and benchmarks) ----
  struct SortStatistics {
    std::uint64_t Comparisons = 0;
    std::uint64_t Exchanges = 0;
  };
  const SortStatistics& Statistics() const { return stats_; }
  void ResetStatistics() { stats_ = {}; }
  // Seeds the pivot generator (any seed gives a uniform sequence).
  void SeedRandom(std::uint64_t seed) { rng_ = seed ? seed : 0x9E3779B97F4A7C15ull; }

 private:
  friend class TCell;
  struct ColumnList {
    explicit ColumnList(TCellKind k);
    TCellKind kind;
    CellPool pool;
    std::vector<TCell*> cells;
  };

  TCell* NewCell(ColumnList& list, int ACol);
  void FreeCell(ColumnList& list, TCell* cell);
  const std::string* FindHint(const TCell& cell) const;
  void SetHint(TCell& cell, const std::string& hint);

  // sort.cpp
  friend class CellSorter;
  std::uint32_t Random(std::uint32_t range);

  TColumns& columns_;
  std::vector<std::unique_ptr<ColumnList>> lists_;
  int rowCount_ = 0;
  bool sortValid_ = false;
  int sortedColumn_ = 0;
  bool sortDescending_ = false;
  ChangeCallback onChange_;
  std::unordered_map<const TCell*, std::string> hints_;
  SortStatistics stats_;
  std::uint64_t rng_ = 0x9E3779B97F4A7C15ull;
};

}  // namespace zv
