#pragma once
// Small vocabulary types of the grid: a bit set over an enumeration, the option and property
// enumerations of the grid and its columns, the cell kind codes and the date-time type.
#include <cstdint>
#include <initializer_list>

#include "ui/control.h"

namespace zv {

// A set of values of an enumeration whose values are 0..31, as a bit mask.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> items) {
    for (E e : items) bits_ |= Bit(e);
  }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr std::uint32_t Bits() const { return bits_; }
  static constexpr TSet FromBits(std::uint32_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  friend constexpr bool operator==(TSet, TSet) = default;

 private:
  static constexpr std::uint32_t Bit(E e) { return 1u << static_cast<unsigned>(e); }
  std::uint32_t bits_ = 0;
};

// Grid options, in their declared order.
enum TGridOption {
  goCanHideColumn,
  goDissableColumnMoving,
  goFooter,
  goGrid,
  goHeader,
  goIndicator,
  goInput,
  goMultiSelect,
  goSelectFullRow,
  goUseDefaultValues,
};
using TGridOptions = TSet<TGridOption>;

// Column options, in their declared order.
enum TColumnOption {
  coAutoSize,
  coCanClick,
  coCanSort,
  coEditing,
  coCanInput,
  coEditorAutoSelect,
  coFixedSize,
  coImageForIcon,
  coDontHighlight,
  coPublicUsing,
  coSearchColumn,
  coShowTextFitHint,
  coTextForCaption,
};
using TColumnOptions = TSet<TColumnOption>;

// TAlignment is the component layer's (ui/control.h); its values are used unqualified here.
using enum TAlignment;
enum TVerticalAlignment { vaTop, vaMiddle, vaBottom };
enum TWrapKind { wkNone, wkEllipsis, wkWordWrap };
enum TDrawingOptions { doNormal, doBackgroundOnly, doCustom, doCustomOnly };
enum TDisplayMode { dmImageOnly, dmTextAndImage, dmTextOnly };
enum TFormulaKind { fkNone, fkAverage, fkCount, fkMaximum, fkMinimum, fkSum };
enum TSortKind { skAscending, skDescending };
enum TSortType { stAlphabetic, stBoolean, stCaseInsensitive, stNumeric, stDate, stIP };
enum TProgressStyle { psSolid, psGradient, psCylinder };
enum TComboBoxStyle { cbsDropDown, cbsDropDownList };

// What changed on a column, as the column reports it to its grid.
enum TColumnChangeKind {
  ccInputCaption,  // the column's input-row text
  ccPosition,      // Position
  ccSortOn,        // Sorted set to True
  ccSortOrder,     // SortKind or SortType (also when the value stays the same)
  ccAppearance,    // Alignment, Color, Cursor, DrawingOptions, Font, Footer, Header, ...
  ccVisibility,    // Visible
  ccSortOff,       // Sorted set to False
  ccWidth,         // Width
};

// The code by which a column tells the cell store which cell class its cells have.
using TCellKind = std::uint8_t;
constexpr TCellKind ckIncrement = 0;  // TIncrementCell
constexpr TCellKind ckGraphic = 2;    // TStringCell
constexpr TCellKind ckBoolean = 3;    // TBooleanCell
constexpr TCellKind ckDateTime = 4;   // TDateTimeCell
constexpr TCellKind ckFloat = 5;      // TFloatCell
constexpr TCellKind ckInteger = 6;    // TIntegerCell
constexpr TCellKind ckString = 7;     // TStringCell
constexpr TCellKind ckVirtual = 9;    // TVirtualCell
// Every other code gives a TStringCell.

// A date and time: days since 1899-12-30, the time of day as the fraction.
using TDateTime = double;

// The most columns a grid can hold.
constexpr int kMaxGridColumns = 1025;

}  // namespace zv
