// Label, edit box and buttons: their state and events.
#include "ui/stdctrls.h"

#include <algorithm>

#include "ui/text.h"

namespace zv {

TEdit::TEdit(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  SetTabStop(true);
  SetColor(clWindow);
}

void TEdit::SetMaxLength(int n) {
  maxLength_ = std::max(0, n);
  Changed(PropMaxLength);
}

void TEdit::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  Changed(PropReadOnly);
}

void TEdit::SetSelection(int start, int length) {
  const int size = static_cast<int>(Utf16Length(Text()));
  selStart_ = std::clamp(start, 0, size);
  selLength_ = std::clamp(length, 0, size - selStart_);
  Changed(PropSelection);
}

void TEdit::SelectAll() { SetSelection(0, static_cast<int>(Utf16Length(Text()))); }

void TEdit::SetSelText(const std::string& text) {
  std::u16string all = Utf8ToUtf16(Text());
  const std::u16string insert = Utf8ToUtf16(text);
  const size_t start = std::min<size_t>(selStart_, all.size());
  const size_t length = std::min<size_t>(selLength_, all.size() - start);
  all.replace(start, length, insert);
  SetText(Utf16ToUtf8(all));
  SetSelection(static_cast<int>(start + insert.size()), 0);
}

void TEdit::SetText(const std::string& text) {
  if (text == Text()) return;
  TWinControl::SetText(text);
  selStart_ = selLength_ = 0;
  Change();
}

void TEdit::TextEdited(const std::string& text) {
  if (text == Text()) return;
  StoreText(text);
  Change();
}

void TEdit::FocusIn() {
  if (AutoSelect && !Peer()) SelectAll();  // a native edit box selects all by itself
}

void TEdit::Change() {
  if (OnChange) OnChange(this);
}

TButton::TButton(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  SetTabStop(true);
}

void TButton::Click() {
  if (Enabled() && OnClick) OnClick(this);
}

void TBitBtn::ChangeScale(int m, int d) {
  TButton::ChangeScale(m, d);
  Changed(PropGlyph);
}

void TBitBtn::SetGlyphResource(const std::string& name) {
  glyph_ = name;
  Changed(PropGlyph);
}

TCheckBox::TCheckBox(TComponent* owner, std::string name) : TWinControl(owner, std::move(name)) {
  SetTabStop(true);
}

void TCheckBox::SetChecked(bool value) {
  if (checked_ == value) return;
  checked_ = value;
  Changed(PropChecked);
}

void TCheckBox::Click() {
  if (!Enabled()) return;
  SetChecked(!checked_);
  if (OnClick) OnClick(this);
}

}  // namespace zv

