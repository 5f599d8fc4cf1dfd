// Columns: property setters with their change notifications, the at-most-one rules for Sorted
// and coSearchColumn, and the collection's two orders.
#include "gridview/columns.h"

#include <algorithm>

#include "gridview/conversions.h"
#include "gridview/grid.h"
#include "ui/errors.h"
#include "ui/scaling.h"
#include "ui/text.h"

namespace zv {

// ---- header and footer ----

void TColumnTitle::Changed() { column_.Changed(ccAppearance); }

void TColumnTitle::SetCaption(std::u16string value) {
  if (value == caption_) return;
  caption_ = std::move(value);
  Changed();
}

void TColumnTitle::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TColumnTitle::SetDisplayMode(TDisplayMode value) {
  if (value == displayMode_) return;
  displayMode_ = value;
  Changed();
}

void TColumnTitle::SetGlyph(Bitmap value) {
  glyph_ = std::move(value);
  versions_.clear();
  Changed();
}

void TColumnTitle::SetGlyphVersions(std::vector<Bitmap> versions) {
  versions_ = std::move(versions);
  glyph_ = versions_.empty() ? Bitmap{} : versions_.front();
  PickGlyph(column_.Grid().PixelsPerInch());
}

void TColumnTitle::PickGlyph(int pixelsPerInch) {
  if (versions_.empty()) return;
  const Bitmap& design = versions_.front();
  glyph_ =
      PickScaledBitmap(versions_, design.Width, design.Height, pixelsPerInch, RGB(255, 0, 255));
  Changed();
}

void TColumnFooter::SetFormulaKind(TFormulaKind value) {
  if (value == formulaKind_) return;
  formulaKind_ = value;
  Changed();
}

// ---- TCustomColumn ----

TCustomColumn::TCustomColumn(TColumns& columns) : columns_(columns), font_(columns.Grid().Font()) {}

TCustomColumn::~TCustomColumn() = default;

TGridView& TCustomColumn::Grid() const { return columns_.Grid(); }

void TCustomColumn::Changed(TColumnChangeKind kind) {
  if (index_ >= 0) Grid().ColumnChanged(*this, kind);
}

void TCustomColumn::SetAlignment(TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetColor(TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetDrawingOptions(TDrawingOptions value) {
  if (value == drawingOptions_) return;
  drawingOptions_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetFont(const TFont& value) {
  font_ = value;
  parentFont_ = false;
  Changed(ccAppearance);
}

void TCustomColumn::SetInputCaption(std::u16string value) {
  if (value == inputCaption_) return;
  inputCaption_ = std::move(value);
  Changed(ccAppearance);
}

void TCustomColumn::SetOptions(TColumnOptions value) {
  if (value == options_) return;
  TColumnOptions old = options_;
  if (value.Contains(coSearchColumn) && index_ >= 0) {
    for (int i = 0; i < columns_.Count(); ++i) {
      TCustomColumn& other = columns_[i];
      if (&other != this && other.options_.Contains(coSearchColumn))
        other.SetOptions(other.options_ - TColumnOptions{coSearchColumn});
    }
  }
  options_ = value;
  if (index_ >= 0) Grid().LayoutColumnOptionsStored(*this, old);
  Changed(ccAppearance);
}

void TCustomColumn::SetParentFont(bool value) {
  parentFont_ = value;
  if (value) font_ = Grid().Font();
}

void TCustomColumn::SetPosition(int value) {
  if (value == position_) return;
  if (index_ < 0) {
    position_ = value;
    return;
  }
  columns_.MoveInDisplayOrder(*this, value);
  Grid().LayoutColumnPositionStored(*this);
  Changed(ccPosition);
}

void TCustomColumn::SetSlideBounds(const TSlideBounds& value) {
  if (value == slideBounds_) return;
  slideBounds_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetSorted(bool value) {
  if (value == sorted_) return;
  if (value && index_ >= 0) {
    for (int i = 0; i < columns_.Count(); ++i) {
      TCustomColumn& other = columns_[i];
      if (&other != this && other.sorted_) other.SetSorted(false);
    }
  }
  sorted_ = value;
  Changed(value ? ccSortOn : ccSortOff);
}

void TCustomColumn::SetSortKind(TSortKind value) {
  sortKind_ = value;
  Changed(ccSortOrder);
}

void TCustomColumn::SetSortType(TSortType value) {
  sortType_ = value;
  Changed(ccSortOrder);
}

void TCustomColumn::SetVerticalAlignment(TVerticalAlignment value) {
  if (value == verticalAlignment_) return;
  verticalAlignment_ = value;
  Changed(ccAppearance);
}

void TCustomColumn::SetVisible(bool value) {
  if (value == visible_) return;
  visible_ = value;
  if (index_ >= 0) Grid().LayoutColumnVisibilityStored(*this);
  Changed(ccVisibility);
}

void TCustomColumn::SetWidth(int value) {
  value = std::max(value, 8);
  if (value == width_) return;
  width_ = value;
  if (index_ < 0) return;
  Grid().LayoutColumnWidthStored(*this);
  Changed(ccWidth);
  Grid().LayoutColumnWidthApplied(*this);
}

std::u16string TCustomColumn::FormatText(std::u16string_view text) const {
  return std::u16string(text);
}

bool TCustomColumn::AcceptsChar(char16_t ch) const { return ch > u' '; }

// ---- TColumns ----

TColumns::~TColumns() {
  // The cell store is gone by now; the columns only free themselves.
  display_.clear();
  items_.clear();
}

TCustomColumn& TColumns::operator[](int index) const {
  if (index < 0 || index >= Count()) throw ListIndexError(index);
  return *items_[static_cast<size_t>(index)];
}

TCustomColumn& TColumns::DisplayItem(int position) const {
  if (position < 0 || position >= Count()) throw ListIndexError(position);
  return *display_[static_cast<size_t>(position)];
}

TCustomColumn* TColumns::ColumnByName(std::string_view name) const {
  for (const auto& column : items_)
    if (column->Name == name) return column.get();
  return nullptr;
}

TCustomColumn* TColumns::ColumnByName(std::u16string_view name) const {
  // Plain ASCII names (the usual case) compare without a conversion.
  bool ascii = true;
  for (char16_t c : name) ascii = ascii && c < 0x80;
  if (!ascii) return ColumnByName(std::string_view(Utf16ToUtf8(name)));
  for (const auto& column : items_) {
    const std::string& n = column->Name;
    if (n.size() == name.size() &&
        std::equal(n.begin(), n.end(), name.begin(),
                   [](char a, char16_t b) { return static_cast<unsigned char>(a) == b; }))
      return column.get();
  }
  return nullptr;
}

void TColumns::Insert(std::unique_ptr<TCustomColumn> column) {
  if (Count() >= kMaxGridColumns) throw ListIndexError(Count());
  grid_.Cells().InsertColumn(Count(), column->CellKind());
  TCustomColumn& ref = *column;
  ref.index_ = Count();
  items_.push_back(std::move(column));
  auto place = std::find_if(display_.begin(), display_.end(),
                            [&](const TCustomColumn* c) { return c->position_ > ref.position_; });
  display_.insert(place, &ref);
  grid_.LayoutColumnAdded(ref);
}

void TColumns::Delete(int index) {
  TCustomColumn& column = (*this)[index];
  grid_.Cells().DeleteColumn(index);
  std::erase(display_, &column);
  items_.erase(items_.begin() + index);
  Reindex();
}

void TColumns::Clear() {
  grid_.Cells().ClearColumns();
  display_.clear();
  items_.clear();
}

void TColumns::MoveInDisplayOrder(TCustomColumn& column, int position) {
  std::erase(display_, &column);
  position = std::clamp(position, 0, static_cast<int>(display_.size()));
  display_.insert(display_.begin() + position, &column);
  for (size_t i = 0; i < display_.size(); ++i) display_[i]->position_ = static_cast<int>(i);
}

void TColumns::Reindex() {
  for (size_t i = 0; i < items_.size(); ++i) items_[i]->index_ = static_cast<int>(i);
}

}  // namespace zv
