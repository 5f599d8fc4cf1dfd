// TGridView's data side: properties, the reactions to column changes and cell writes, cell
// addressing by keys, sorting and the incremental search. Row operations are in grid_rows.cpp.
#include "gridview/grid.h"

#include <cmath>

#include "gridview/conversions.h"
#include "ui/errors.h"
#include "ui/lang/texts.h"
#include "ui/text.h"

namespace zv {
namespace {

bool IsKeyword(std::u16string_view text, std::u16string_view keyword) {
  if (text.size() != keyword.size()) return false;
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t a = text[i], b = keyword[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a - u'A' + u'a');
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b - u'A' + u'a');
    if (a != b) return false;
  }
  return true;
}

// The ANSI text with ASCII letters upper-cased, as the incremental search compares.
std::string SearchForm(std::u16string_view text) {
  std::string s = Utf16ToCp1251(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

}  // namespace

// ---- TCellKey ----

std::u16string_view TCellKey::TextView(std::u16string& scratch) const {
  if (const int* n = std::get_if<int>(&value_)) return scratch = IntegerToText(*n);
  if (const auto* view = std::get_if<std::u16string_view>(&value_)) return *view;
  return std::get<std::u16string>(value_);
}

std::u16string TCellKey::Text() const {
  std::u16string scratch;
  return std::u16string(TextView(scratch));
}

int TCellKey::ToInteger() const {
  if (const int* n = std::get_if<int>(&value_)) return *n;
  std::u16string scratch;
  const std::u16string_view text = TextView(scratch);
  try {
    return TextToInteger(text);
  } catch (const EConvertError&) {
  }
  try {
    double v = TextToFloat(text);
    if (std::fabs(v) < 2147483647.0) return RoundToInteger(v);
  } catch (const EConvertError&) {
  }
  throw EVariantError(UiText(TextId::VariantNotInteger));
}

// ---- TGridView ----

namespace {

EGridError CellOutOfBounds(int col, int row) {
  return EGridError(
      FormatText(TextId::CellOutOfBounds, {std::to_string(col), std::to_string(row)}));
}

}  // namespace

TGridView::TGridView(TComponent* owner, std::string name)
    : TCustomGridView(owner, std::move(name)), columns_(*this), cells_(columns_) {
  cells_.SetChangeCallback([this](TCells&, int ACol, int ARow) { CellChanged(ACol, ARow); });
}

TGridView::~TGridView() = default;

void TGridView::SetOptions(TGridOptions value) {
  if (value == options_) return;
  options_ = value;
  Screen().UpdateVerticalScrollRange();
  Screen().UpdateHorizontalScrollRange();
  Screen().InvalidateAll();
}

void TGridView::SetFont(const TFont& value) {
  font_ = value;
  for (int i = 0; i < columns_.Count(); ++i)
    if (columns_[i].ParentFont()) columns_[i].font_ = value;
  Screen().InvalidateAll();
}

void TGridView::SetSelectedCell(int ACol, int ARow) {
  selectedColumn_ = ACol;
  selectedRow_ = ARow;
}

void TGridView::CellChanged(int ACol, int ARow) {
  if (updateCount_ > 0) return;
  Screen().InvalidateCell(ACol, ARow);
  AccessibleCellWritten(ACol, ARow);
  if (OnChange) OnChange(this, ACol, ARow);
}

void TGridView::ColumnChanged(TCustomColumn& Column, TColumnChangeKind Kind) {
  if (!handleAllocated_) return;
  const int col = Column.ColumnIndex();
  switch (Kind) {
    case ccInputCaption:
      Screen().InvalidateInputCell(col);
      break;
    case ccPosition:
      Screen().InvalidateAll();
      break;
    case ccSortOrder:
      if (!Column.Sorted()) break;
      [[fallthrough]];
    case ccSortOn: {
      const bool ascending = Column.SortKind() == skAscending;
      SortColumn(Column, ascending);
      if (OnSortColumn) OnSortColumn(this, col, ascending);
      break;
    }
    case ccAppearance:
      Screen().InvalidateColumn(col);
      break;
    case ccVisibility:
      Screen().UpdateHorizontalScrollRange();
      Screen().InvalidateAll();
      break;
    case ccSortOff:
      Screen().InvalidateHeaderCell(col);
      break;
    case ccWidth:
      Screen().InvalidateFromColumn(col);
      if (OnColumnResize) OnColumnResize(this, col);
      break;
  }
}

TCell& TGridView::Cell(const TCellKey& ACol, const TCellKey& ARow) {
  int row;
  std::u16string rowScratch, colScratch;
  const std::u16string_view rowText = ARow.TextView(rowScratch);
  if (IsKeyword(rowText, u"First"))
    row = 0;
  else if (IsKeyword(rowText, u"Last"))
    row = RowCount() - 1;
  else if (IsKeyword(rowText, u"Selected"))
    row = selectedRow_;
  else
    row = ARow.ToInteger();

  int col;
  const std::u16string_view colText = ACol.TextView(colScratch);
  if (IsKeyword(colText, u"First")) {
    col = 0;
  } else if (IsKeyword(colText, u"Last")) {
    col = columns_.Count() - 1;
  } else if (IsKeyword(colText, u"Selected")) {
    col = selectedColumn_;
  } else if (TCustomColumn* column = columns_.ColumnByName(colText)) {
    col = column->ColumnIndex();
  } else {
    col = ACol.ToInteger();
  }
  return CellAt(col, row);
}

std::u16string TGridView::CellText(int ACol, int ARow) {
  if (ARow < 0 || ARow > RowCount() - 1 || ACol < 0 || ACol > columns_.Count() - 1)
    throw CellOutOfBounds(ACol, ARow);
  return CellAt(ACol, ARow).AsString();
}

void TGridView::SetCellText(int ACol, int ARow, const std::u16string& Value) {
  if (ARow < 0 || ARow > RowCount() - 1 || ACol < 0 || ACol > columns_.Count() - 1)
    throw CellOutOfBounds(ACol, ARow);
  CellAt(ACol, ARow).SetAsString(Value);
}

void TGridView::SortColumn(TCustomColumn& Column, bool Ascending) {
  if (!Column.Options().Contains(coCanSort)) return;
  Screen().CloseEditor();
  try {
    cells_.Sort(Column.ColumnIndex(), Column.SortType(), !Ascending);
  } catch (...) {
    // A failed comparison leaves the rows partly sorted: show them as they are.
    Screen().InvalidateData();
    AccessibleRowsChanged();
    throw;
  }
  Screen().InvalidateData();
  AccessibleRowsChanged();
}

void TGridView::ToggleColumnSort(TCustomColumn& Column) {
  if (!Column.Options().Contains(coCanSort)) return;
  if (Column.Sorted())
    Column.SetSortKind(Column.SortKind() == skAscending ? skDescending : skAscending);
  else
    Column.SetSorted(true);
}

bool TGridView::IncrementalSearch(int ACol, const std::u16string& Text) {
  const std::string wanted = SearchForm(Text);
  auto matches = [&](int row) {
    std::u16string text = CellText(ACol, row);
    if (text.size() > Text.size()) text.resize(Text.size());
    return SearchForm(text) == wanted;
  };
  int found = -1;
  for (int r = selectedRow_ + 1; r < RowCount() && found < 0; ++r)
    if (matches(r)) found = r;
  for (int r = 0; r <= selectedRow_ && r < RowCount() && found < 0; ++r)
    if (matches(r)) found = r;
  if (found < 0) return false;
  SelectCell(selectedColumn_, found, 0);  // the view's selection: marks, repaints, events
  GridViewSink& screen = Screen();
  if (found < screen.TopRow() || found >= screen.TopRow() + screen.VisibleRowCount())
    screen.ScrollToRow(found);
  return true;
}

}  // namespace zv
