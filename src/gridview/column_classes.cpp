// Constructors of the column classes: each sets its cell kind, sort type and default value.
#include "gridview/column_classes.h"

#include "gridview/conversions.h"

namespace zv {

TIncrementColumn::TIncrementColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckIncrement);
}

TGraphicColumn::TGraphicColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckGraphic);
}

TCheckBoxColumn::TCheckBoxColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckBoolean);
  SetSortType(stBoolean);
}

TDateColumn::TDateColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckDateTime);
  SetSortType(stDate);
  SetDefaultValue(DateToText(Today()));
}

TNumericColumn::TNumericColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckFloat);
  SetSortType(stNumeric);
  SetDefaultValue(u"0");
}

TProgressColumn::TProgressColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckFloat);
  SetSortType(stNumeric);
  SetDefaultValue(u"0");
}

TImageColumn::TImageColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckInteger);
  SetSortType(stNumeric);
  SetDefaultValue(u"0");
}

TRateColumn::TRateColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckInteger);
  SetSortType(stNumeric);
  SetDefaultValue(u"0");
}

THtmlColumn::THtmlColumn(TColumns& columns) : TCustomColumn(columns) { SetCellKind(ckString); }

TTextualColumn::TTextualColumn(TColumns& columns) : TCustomColumn(columns) {
  SetCellKind(ckString);
  SetOptions(Options() + TColumnOptions{coShowTextFitHint});
}

std::u16string TTextualColumn::FormatText(std::u16string_view text) const {
  return TextBefore + std::u16string(text) + TextAfter;
}

}  // namespace zv
