#pragma once
// The column classes. Each sets its CellKind (which selects the class of its cells), its
// SortType and DefaultValue, and names its editor and painter. The photo grid uses
// TIncrementColumn, TCheckBoxColumn and TTextualColumn; the others are kept thin: their own
// properties are plain fields that only the view side reads.
#include <string>
#include <vector>

#include "gridview/columns.h"

namespace zv {

// Shows the running row number (row index + 1).
class TIncrementColumn : public TCustomColumn {
 public:
  explicit TIncrementColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Increment; }
  bool AcceptsChar(char16_t) const override { return false; }
};

class TGraphicColumn : public TCustomColumn {
 public:
  explicit TGraphicColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Graphic; }
  int BorderWidth = 1;
  int Margin = 4;
  bool Strecht = false;
};

// A check box per row; toggled through the check-box play object.
class TCheckBoxColumn : public TCustomColumn {
 public:
  explicit TCheckBoxColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::CheckBox; }
  bool HasCheckBoxPlay() const override { return true; }
  std::uint8_t EditFlags() const override { return 7; }
  bool AcceptsChar(char16_t) const override { return false; }
};

class TDateColumn : public TCustomColumn {
 public:
  // DefaultValue is today's date as text, taken now.
  explicit TDateColumn(TColumns& columns);
  TColumnEditorClass EditorClass() const override { return TColumnEditorClass::DatePicker; }
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Date; }
  std::u16string EmptyCaption;
  bool HideWhenEmpty = false;
};

class TNumericColumn : public TCustomColumn {
 public:
  explicit TNumericColumn(TColumns& columns);
  TColumnEditorClass EditorClass() const override { return TColumnEditorClass::Spin; }
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Numeric; }
  std::u16string FormatMask;
  double Increment = 1;
  double Max = 0;
  double Min = 0;
  std::u16string TextAfter;
  std::u16string TextBefore;
};

class TProgressColumn : public TCustomColumn {
 public:
  explicit TProgressColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Progress; }
  TColor BorderColor = clBtnShadow;
  bool HideWhenEmpty = false;
  int Margin = 2;
  double Max = 100;
  TColor ProgressColor = clHighlight;
  int ProgressHeight = 0;
  TProgressStyle ProgressStyle = psSolid;
  bool ShowText = false;
  bool Transparent = false;
};

class TImageColumn : public TCustomColumn {
 public:
  explicit TImageColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Image; }
  std::vector<Bitmap> Images;  // the picture list
  bool Transparent = false;
};

class TRateColumn : public TCustomColumn {
 public:
  explicit TRateColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Rate; }
  Bitmap EmptyGlyph;
  Bitmap Glyph;
  bool HideWhenEmpty = false;
  int Max = 5;
  bool Transparent = false;
};

class THtmlColumn : public TCustomColumn {
 public:
  explicit THtmlColumn(TColumns& columns);
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Html; }
};

// Text cells, shown as TextBefore + text + TextAfter. Its own properties change silently.
class TTextualColumn : public TCustomColumn {
 public:
  explicit TTextualColumn(TColumns& columns);
  TColumnEditorClass EditorClass() const override { return TColumnEditorClass::Textual; }
  TColumnDisplayClass DisplayClass() const override { return TColumnDisplayClass::Textual; }
  std::uint8_t EditFlags() const override { return 7; }
  std::u16string FormatText(std::u16string_view text) const override;
  bool AutoExecute = false;
  std::u16string TextAfter;
  std::u16string TextBefore;
};

class TComboBoxColumn : public TTextualColumn {
 public:
  explicit TComboBoxColumn(TColumns& columns) : TTextualColumn(columns) {}
  TColumnEditorClass EditorClass() const override { return TColumnEditorClass::ComboBox; }
  int DropDownCount = 8;
  std::vector<Bitmap> Images;
  std::vector<std::u16string> Items;
  bool ShowImages = false;
  TComboBoxStyle Style = cbsDropDown;
};

}  // namespace zv
