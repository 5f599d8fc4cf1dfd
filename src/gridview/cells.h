#pragma once
// The grid's typed cells. Every (column, row) position has its own cell object of the class
// that its column's CellKind selects; the cell store (cell_store.h) creates, owns and frees them.
// A cell is read and written as Boolean, date-time, float, integer or text; each class converts
// between its stored value and these views, and every write tells the store (CellChanged) with
// the position at which the cell was last fetched.
//
// Cells are kept small (100,000 rows of the photo grid must fit in a few hundred bytes a row):
// the position is 6 bytes, the hint lives in the store and is looked up only when the cell says
// it has one, and text is one pointer to a length-prefixed block.
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "gridview/grid_types.h"
#include "ui/graphics.h"

namespace zv {

class TCells;

// UTF-16 text in one heap block (length, then the code units); empty text holds no block.
class CompactText {
 public:
  CompactText() = default;
  explicit CompactText(std::u16string_view text) { Assign(text); }
  CompactText(const CompactText&) = delete;
  CompactText& operator=(const CompactText&) = delete;
  ~CompactText();
  void Assign(std::u16string_view text);
  std::u16string_view View() const {
    if (!block_) return {};
    std::uint32_t length;
    std::memcpy(&length, block_, sizeof length);
    return {reinterpret_cast<const char16_t*>(block_ + sizeof length), length};
  }
  bool Empty() const { return block_ == nullptr; }

 private:
  char* block_ = nullptr;
};

class TCell {
 public:
  TCell(const TCell&) = delete;
  TCell& operator=(const TCell&) = delete;
  virtual ~TCell() = default;

  // The store that owns the cell (not owned).
  TCells& Owner() const { return *owner_; }
  // The position at which the cell was last fetched.
  int Col() const { return col_; }
  int Row() const { return row_; }
  // True from construction until the store has set the cell up.
  bool Initialising() const { return (flags_ & kInitialising) != 0; }

  // ---- the five views (tables of conversions in cells.cpp) ----
  virtual bool AsBoolean() const = 0;
  virtual TDateTime AsDateTime() const = 0;
  virtual double AsFloat() const = 0;
  virtual int AsInteger() const = 0;
  virtual std::u16string AsString() const = 0;
  // Each write stores (a failed conversion throws EConvertError and stores nothing), then
  // reports CellChanged to the store. The base writes only report.
  virtual void SetAsBoolean(bool value);
  virtual void SetAsDateTime(TDateTime value);
  virtual void SetAsFloat(double value);
  virtual void SetAsInteger(int value);
  virtual void SetAsString(const std::u16string& value);

  // AsString without a copy where the cell holds text; otherwise formatted into `scratch`.
  virtual std::u16string_view StringView(std::u16string& scratch) const;

  TColor Color() const { return color_; }
  // Reports like a value write once the cell is set up.
  void SetColor(TColor value);
  TFontStyles FontStyle() const { return fontStyle_; }
  void SetFontStyle(TFontStyles value) { fontStyle_ = static_cast<std::uint8_t>(value); }
  // Shown in a hint window over the cell when not empty (UTF-8). Writes do not report.
  std::string Hint() const;
  void SetHint(const std::string& value);

 protected:
  explicit TCell(TCells& owner) : owner_(&owner) {}
  // The base write: CellChanged with the cell's position to the store.
  void Changed();

 private:
  friend class TCells;
  friend class CellSorter;
  static constexpr std::uint8_t kInitialising = 1;
  static constexpr std::uint8_t kHasHint = 2;

  TCells* owner_;
  TColor color_ = clWindow;
  std::int32_t row_ = 0;
  std::uint16_t col_ = 0;
  std::uint8_t fontStyle_ = 0;
  std::uint8_t flags_ = kInitialising;
};

class TBooleanCell : public TCell {
 public:
  explicit TBooleanCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override { return value_; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return 0; }
  int AsInteger() const override { return 0; }
  std::u16string AsString() const override;
  void SetAsBoolean(bool value) override;
  void SetAsDateTime(TDateTime value) override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetAsString(const std::u16string& value) override;

 private:
  bool value_ = false;
};

class TIntegerCell : public TCell {
 public:
  explicit TIntegerCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override { return false; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return value_; }
  int AsInteger() const override { return value_; }
  std::u16string AsString() const override;
  void SetAsBoolean(bool value) override;
  void SetAsDateTime(TDateTime value) override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetAsString(const std::u16string& value) override;

 private:
  std::int32_t value_ = 0;
};

class TFloatCell : public TCell {
 public:
  explicit TFloatCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override { return false; }
  TDateTime AsDateTime() const override { return value_; }
  double AsFloat() const override { return value_; }
  int AsInteger() const override;
  std::u16string AsString() const override;
  void SetAsBoolean(bool value) override;
  void SetAsDateTime(TDateTime value) override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetAsString(const std::u16string& value) override;

 protected:
  double value_ = 0;
};

class TDateTimeCell : public TFloatCell {
 public:
  explicit TDateTimeCell(TCells& owner) : TFloatCell(owner) {}
  std::u16string AsString() const override;
  // Today's date, time 00:00.
  void SetAsBoolean(bool value) override;
  // 0 for empty text and for text that is no date and time.
  void SetAsString(const std::u16string& value) override;
};

class TStringCell : public TCell {
 public:
  explicit TStringCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override;
  TDateTime AsDateTime() const override;
  double AsFloat() const override;
  int AsInteger() const override;
  std::u16string AsString() const override { return std::u16string(text_.View()); }
  void SetAsBoolean(bool value) override;
  void SetAsDateTime(TDateTime value) override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetAsString(const std::u16string& value) override;
  std::u16string_view StringView(std::u16string&) const override { return text_.View(); }
  // The stored text, without a virtual call (sorting).
  std::u16string_view Text() const { return text_.View(); }

 private:
  CompactText text_;
};

// Holds nothing: shows its row index + 1. Writes only report.
class TIncrementCell : public TCell {
 public:
  explicit TIncrementCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override { return false; }
  TDateTime AsDateTime() const override { return 0; }
  double AsFloat() const override { return Row() + 1.0; }
  int AsInteger() const override { return Row() + 1; }
  std::u16string AsString() const override;
};

// Holds nothing but two numbers: its text is read and written through the store's
// OnGetVirtualText and OnSetVirtualText callbacks.
class TVirtualCell : public TCell {
 public:
  explicit TVirtualCell(TCells& owner) : TCell(owner) {}
  bool AsBoolean() const override;
  TDateTime AsDateTime() const override;
  double AsFloat() const override;
  int AsInteger() const override;
  std::u16string AsString() const override;
  void SetAsBoolean(bool value) override;
  void SetAsDateTime(TDateTime value) override;
  void SetAsFloat(double value) override;
  void SetAsInteger(int value) override;
  void SetAsString(const std::u16string& value) override;
  std::int32_t Data1 = 0;
  std::int32_t Data2 = 0;

 private:
  void Store(const std::u16string& text);
};

}  // namespace zv
