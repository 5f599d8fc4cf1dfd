// The cell classes' conversions between their stored value and the five views. Reads:
//
//   class          AsBoolean      AsDateTime   AsFloat      AsInteger      AsString
//   Boolean        value          0            0            0              "True"/"False"
//   Integer        False          0            value        value          decimal text
//   Float          False          value        value        rounded        float text
//   DateTime       False          value        value        rounded        date-time text
//   String         parsed         parsed       parsed       parsed         the text
//   Increment      False          0            row + 1      row + 1        text of row + 1
//   Virtual        as String, on the owner's text
//
// Writes (b, d, x, n, s):
//
//   class          b              d            x            n              s
//   Boolean        b              False        x > 0        n > 0          s ~ "true"
//   Integer        0              0            rounded x    n              0 if empty, else parsed
//   Float          0              d            x            n              parsed
//   DateTime       today 00:00    d            x            n              parsed, 0 if not
//   String         "True"/"False" d as text    x as text    n as text      s
//   Increment      nothing is stored
//   Virtual        the text String would store, handed to the owner
//
// Every write stores first (a failed parse throws and stores nothing), then reports.
#include "gridview/cells.h"

#include <cstdlib>
#include <cstring>
#include <new>

#include "gridview/cell_store.h"
#include "gridview/conversions.h"

namespace zv {

// ---- CompactText ----

CompactText::~CompactText() { std::free(block_); }

void CompactText::Assign(std::u16string_view text) {
  char* block = nullptr;
  if (!text.empty()) {
    std::uint32_t length = static_cast<std::uint32_t>(text.size());
    block = static_cast<char*>(std::malloc(sizeof length + text.size() * sizeof(char16_t)));
    if (!block) throw std::bad_alloc();
    std::memcpy(block, &length, sizeof length);
    std::memcpy(block + sizeof length, text.data(), text.size() * sizeof(char16_t));
  }
  std::free(block_);
  block_ = block;
}

// ---- TCell ----

void TCell::Changed() { owner_->CellChanged(col_, row_); }
void TCell::SetAsBoolean(bool) { Changed(); }
void TCell::SetAsDateTime(TDateTime) { Changed(); }
void TCell::SetAsFloat(double) { Changed(); }
void TCell::SetAsInteger(int) { Changed(); }
void TCell::SetAsString(const std::u16string&) { Changed(); }

std::u16string_view TCell::StringView(std::u16string& scratch) const {
  scratch = AsString();
  return scratch;
}

void TCell::SetColor(TColor value) {
  color_ = value;
  if (!Initialising()) Changed();
}

std::string TCell::Hint() const {
  if (!(flags_ & kHasHint)) return {};
  const std::string* hint = owner_->FindHint(*this);
  return hint ? *hint : std::string();
}

void TCell::SetHint(const std::string& value) { owner_->SetHint(*this, value); }

// ---- TBooleanCell ----

std::u16string TBooleanCell::AsString() const { return BooleanToText(value_); }
void TBooleanCell::SetAsBoolean(bool value) {
  value_ = value;
  Changed();
}
void TBooleanCell::SetAsDateTime(TDateTime) {
  value_ = false;
  Changed();
}
void TBooleanCell::SetAsFloat(double value) {
  value_ = value > 0;
  Changed();
}
void TBooleanCell::SetAsInteger(int value) {
  value_ = value > 0;
  Changed();
}
void TBooleanCell::SetAsString(const std::u16string& value) {
  static constexpr char16_t kTrue[] = u"true";
  bool isTrue = value.size() == 4;
  for (size_t i = 0; isTrue && i < 4; ++i) {
    char16_t c = value[i];
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    isTrue = c == kTrue[i];
  }
  value_ = isTrue;
  Changed();
}

// ---- TIntegerCell ----

std::u16string TIntegerCell::AsString() const { return IntegerToText(value_); }
void TIntegerCell::SetAsBoolean(bool) {
  value_ = 0;
  Changed();
}
void TIntegerCell::SetAsDateTime(TDateTime) {
  value_ = 0;
  Changed();
}
void TIntegerCell::SetAsFloat(double value) {
  value_ = RoundToInteger(value);
  Changed();
}
void TIntegerCell::SetAsInteger(int value) {
  value_ = value;
  Changed();
}
void TIntegerCell::SetAsString(const std::u16string& value) {
  value_ = value.empty() ? 0 : TextToInteger(value);
  Changed();
}

// ---- TFloatCell ----

int TFloatCell::AsInteger() const { return RoundToInteger(value_); }
std::u16string TFloatCell::AsString() const { return FloatToText(value_); }
void TFloatCell::SetAsBoolean(bool) {
  value_ = 0;
  Changed();
}
void TFloatCell::SetAsDateTime(TDateTime value) {
  value_ = value;
  Changed();
}
void TFloatCell::SetAsFloat(double value) {
  value_ = value;
  Changed();
}
void TFloatCell::SetAsInteger(int value) {
  value_ = value;
  Changed();
}
void TFloatCell::SetAsString(const std::u16string& value) {
  value_ = TextToFloat(value);
  Changed();
}

// ---- TDateTimeCell ----

std::u16string TDateTimeCell::AsString() const { return DateTimeToText(value_); }
void TDateTimeCell::SetAsBoolean(bool) {
  value_ = Today();
  Changed();
}
void TDateTimeCell::SetAsString(const std::u16string& value) {
  TDateTime parsed = 0;
  if (value.empty() || !TryTextToDateTime(value, parsed)) parsed = 0;
  value_ = parsed;
  Changed();
}

// ---- TStringCell ----

bool TStringCell::AsBoolean() const { return TextToBoolean(text_.View()); }
TDateTime TStringCell::AsDateTime() const { return TextToDateTime(text_.View()); }
double TStringCell::AsFloat() const { return TextToFloat(text_.View()); }
int TStringCell::AsInteger() const { return TextToInteger(text_.View()); }
void TStringCell::SetAsBoolean(bool value) {
  text_.Assign(BooleanToText(value));
  Changed();
}
void TStringCell::SetAsDateTime(TDateTime value) {
  text_.Assign(DateTimeToText(value));
  Changed();
}
void TStringCell::SetAsFloat(double value) {
  text_.Assign(FloatToText(value));
  Changed();
}
void TStringCell::SetAsInteger(int value) {
  text_.Assign(IntegerToText(value));
  Changed();
}
void TStringCell::SetAsString(const std::u16string& value) {
  text_.Assign(value);
  Changed();
}

// ---- TIncrementCell ----

std::u16string TIncrementCell::AsString() const { return IntegerToText(Row() + 1); }

// ---- TVirtualCell ----

std::u16string TVirtualCell::AsString() const {
  return Owner().OnGetVirtualText ? Owner().OnGetVirtualText(*this) : std::u16string();
}
bool TVirtualCell::AsBoolean() const { return TextToBoolean(AsString()); }
TDateTime TVirtualCell::AsDateTime() const { return TextToDateTime(AsString()); }
double TVirtualCell::AsFloat() const { return TextToFloat(AsString()); }
int TVirtualCell::AsInteger() const { return TextToInteger(AsString()); }
void TVirtualCell::Store(const std::u16string& text) {
  if (Owner().OnSetVirtualText) Owner().OnSetVirtualText(*this, text);
  Changed();
}
void TVirtualCell::SetAsBoolean(bool value) { Store(BooleanToText(value)); }
void TVirtualCell::SetAsDateTime(TDateTime value) { Store(DateTimeToText(value)); }
void TVirtualCell::SetAsFloat(double value) { Store(FloatToText(value)); }
void TVirtualCell::SetAsInteger(int value) { Store(IntegerToText(value)); }
void TVirtualCell::SetAsString(const std::u16string& value) { Store(value); }

}  // namespace zv
