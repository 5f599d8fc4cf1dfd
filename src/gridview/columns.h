#pragma once
// The grid's column descriptions: TCustomColumn with its published properties and the change
// notifications it sends its grid, the header/footer/slide-bounds parts it owns, and TColumns,
// the collection that keeps the columns in items order (the order they were added, which every
// ACol means) and in display order (by Position). The column classes are in column_classes.h.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "gridview/grid_types.h"
#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/input.h"

namespace zv {

class TColumns;
class TCustomColumn;
class TGridView;

// Caption, colour, display mode and picture of a column's header or footer. Every change is an
// appearance change of the column.
class TColumnTitle {
 public:
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(std::u16string value);
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TDisplayMode DisplayMode() const { return displayMode_; }
  void SetDisplayMode(TDisplayMode value);
  // The picture; magenta (RGB 255, 0, 255) pixels are transparent.
  const Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(Bitmap value);
  // The same picture drawn for several densities, the 96-dot one first: the grid shows the one
  // for its density (ui/scaling.h, PickScaledBitmap) and picks again when it is scaled.
  void SetGlyphVersions(std::vector<Bitmap> versions);
  // Picks the picture for a density from the versions (nothing without versions).
  void PickGlyph(int pixelsPerInch);

 protected:
  TColumnTitle(TCustomColumn& column, TColor color) : column_(column), color_(color) {}
  void Changed();

 private:
  TCustomColumn& column_;
  std::u16string caption_;
  TColor color_;
  TDisplayMode displayMode_ = dmTextOnly;
  Bitmap glyph_;
  std::vector<Bitmap> versions_;
};

class TColumnHeader : public TColumnTitle {
 public:
  explicit TColumnHeader(TCustomColumn& column) : TColumnTitle(column, clBtnFace) {}
};

class TColumnFooter : public TColumnTitle {
 public:
  explicit TColumnFooter(TCustomColumn& column) : TColumnTitle(column, clWindow) {}
  TFormulaKind FormulaKind() const { return formulaKind_; }
  void SetFormulaKind(TFormulaKind value);

 private:
  TFormulaKind formulaKind_ = fkNone;
};

struct TSlideBounds {
  int Height = 0, Left = 0, Top = 0, Width = 0;
  friend bool operator==(const TSlideBounds&, const TSlideBounds&) = default;
};

// Which in-place editor and which content painter a column class names (the view side creates
// them from these).
enum class TColumnEditorClass { None, Textual, ComboBox, Spin, DatePicker };
enum class TColumnDisplayClass {
  Increment,
  CheckBox,
  Textual,
  Numeric,
  Date,
  Html,
  Image,
  Progress,
  Rate,
  Graphic
};

class TCustomColumn : public TComponent {
 public:
  explicit TCustomColumn(TColumns& columns);
  ~TCustomColumn() override;

  TColumns& Columns() const { return columns_; }
  TGridView& Grid() const;
  // Index in items order: what every ACol of the grid means.
  int ColumnIndex() const { return index_; }
  TCellKind CellKind() const { return cellKind_; }

  // ---- published properties, in their declared order ----
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  // Copied into each new cell of the column.
  TColor Color() const { return color_; }
  void SetColor(TColor value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor value);
  // Written into new cells (as text) when the grid has goUseDefaultValues. Changes silently.
  const std::u16string& DefaultValue() const { return defaultValue_; }
  void SetDefaultValue(std::u16string value) { defaultValue_ = std::move(value); }
  int DefaultWidth() const { return defaultWidth_; }
  void SetDefaultWidth(int value) { defaultWidth_ = value; }
  TDrawingOptions DrawingOptions() const { return drawingOptions_; }
  void SetDrawingOptions(TDrawingOptions value);
  const TFont& Font() const { return font_; }
  // A font of the column's own: clears ParentFont.
  void SetFont(const TFont& value);
  TColumnFooter& Footer() { return footer_; }
  const TColumnFooter& Footer() const { return footer_; }
  // What a screen reader calls the column (its header and its check boxes); empty: the
  // header's caption. A header that shows only a picture needs one.
  std::u16string AccessibleName;
  TColumnHeader& Header() { return header_; }
  const TColumnHeader& Header() const { return header_; }
  const std::u16string& InputCaption() const { return inputCaption_; }
  void SetInputCaption(std::u16string value);
  TColumnOptions Options() const { return options_; }
  // Giving coSearchColumn to this column takes it from every other column.
  void SetOptions(TColumnOptions value);
  bool ParentFont() const { return parentFont_; }
  // True: the column takes a copy of the grid's font again. Changes silently.
  void SetParentFont(bool value);
  int Position() const { return position_; }
  // Moves the column in the display order to index `value` and renumbers every Position.
  void SetPosition(int value);
  const TSlideBounds& SlideBounds() const { return slideBounds_; }
  void SetSlideBounds(const TSlideBounds& value);
  bool Sorted() const { return sorted_; }
  // True first sets Sorted to False on every other column that has it.
  void SetSorted(bool value);
  TSortKind SortKind() const { return sortKind_; }
  void SetSortKind(TSortKind value);  // notifies even when unchanged
  TSortType SortType() const { return sortType_; }
  void SetSortType(TSortType value);  // notifies even when unchanged
  TVerticalAlignment VerticalAlignment() const { return verticalAlignment_; }
  void SetVerticalAlignment(TVerticalAlignment value);
  bool Visible() const { return visible_; }
  void SetVisible(bool value);
  int Width() const { return width_; }
  // Values below 8 are stored as 8. Goes through the grid: layout and auto-sizing follow.
  void SetWidth(int value);
  TWrapKind WrapKind() const { return wrapKind_; }
  void SetWrapKind(TWrapKind value) { wrapKind_ = value; }

  // ---- layout results, written by the grid's layout ----
  // Pixels from the client area's left edge to the column's left edge, unscrolled (includes the
  // indicator strip).
  int ColumnLeft = 0;
  // Number among the visible columns in display order; -1 while hidden.
  int VisibleIndex = -1;

  // ---- what the column class decides (editing and painting) ----
  virtual TColumnEditorClass EditorClass() const { return TColumnEditorClass::None; }
  virtual TColumnDisplayClass DisplayClass() const { return TColumnDisplayClass::Textual; }
  // Whether the column creates a check-box toggler (TCheckBoxColumnPlay).
  virtual bool HasCheckBoxPlay() const { return false; }
  // Edit capability flags: 0 in the base class, 7 for textual and check-box columns.
  virtual std::uint8_t EditFlags() const { return 0; }
  // coEditing in Options and the lowest edit flag set.
  bool CanEdit() const { return options_.Contains(coEditing) && (EditFlags() & 1) != 0; }
  // The text shown for a cell text (TTextualColumn adds TextBefore and TextAfter).
  virtual std::u16string FormatText(std::u16string_view text) const;
  // Whether a typed character starts an edit in this column.
  virtual bool AcceptsChar(char16_t ch) const;

  // The input line's text changed (input caption change).
  void InputTextChanged() { Changed(ccInputCaption); }

 protected:
  // Set by the column class in its constructor, before the column joins the store.
  void SetCellKind(TCellKind kind) { cellKind_ = kind; }
  // Sends the change to the grid.
  void Changed(TColumnChangeKind kind);

 private:
  friend class TColumns;
  friend class TColumnTitle;
  friend class TGridView;

  TColumns& columns_;
  int index_ = -1;
  TCellKind cellKind_ = ckString;
  TAlignment alignment_ = taLeftJustify;
  TColor color_ = clWindow;
  TCursor cursor_ = TCursor::crDefault;
  std::u16string defaultValue_;
  int defaultWidth_ = 80;
  TDrawingOptions drawingOptions_ = doNormal;
  TFont font_;
  TColumnFooter footer_{*this};
  TColumnHeader header_{*this};
  std::u16string inputCaption_;
  TColumnOptions options_{coCanClick, coCanSort, coCanInput, coEditorAutoSelect, coPublicUsing};
  bool parentFont_ = true;
  int position_ = -1;
  TSlideBounds slideBounds_;
  bool sorted_ = false;
  TSortKind sortKind_ = skAscending;
  TSortType sortType_ = stAlphabetic;
  TVerticalAlignment verticalAlignment_ = vaMiddle;
  bool visible_ = true;
  int width_ = 80;
  TWrapKind wrapKind_ = wkEllipsis;
};

// The grid's columns. Owns them; items order is the order of adding.
class TColumns {
 public:
  explicit TColumns(TGridView& grid) : grid_(grid) {}
  TColumns(const TColumns&) = delete;
  TColumns& operator=(const TColumns&) = delete;
  ~TColumns();

  TGridView& Grid() const { return grid_; }
  int Count() const { return static_cast<int>(items_.size()); }
  // Column by index in items order; "List index out of bounds (%d)" when there is none.
  TCustomColumn& operator[](int index) const;
  // Column by place in the display order.
  TCustomColumn& DisplayItem(int position) const;
  const std::vector<TCustomColumn*>& DisplayOrder() const { return display_; }
  // The first column in items order whose Name equals `name` byte for byte; nullptr if none.
  TCustomColumn* ColumnByName(std::string_view name) const;
  TCustomColumn* ColumnByName(std::u16string_view name) const;

  // Creates a column of class T at the end of the items order; it enters the display order
  // before the first column whose Position is greater than its own, and the cell store gets a
  // column list of RowCount new cells.
  template <class T>
  T& Add(std::string name = {}) {
    auto column = std::make_unique<T>(*this);
    T& ref = *column;
    ref.Name = std::move(name);
    Insert(std::move(column));
    return ref;
  }
  // Removes the column at `index` (items order) with its cells.
  void Delete(int index);
  // Removes every column with its cells.
  void Clear();

 private:
  friend class TCustomColumn;
  void Insert(std::unique_ptr<TCustomColumn> column);
  void MoveInDisplayOrder(TCustomColumn& column, int position);
  void Reindex();

  TGridView& grid_;
  std::vector<std::unique_ptr<TCustomColumn>> items_;
  std::vector<TCustomColumn*> display_;
};

}  // namespace zv

#include "gridview/column_classes.h"
