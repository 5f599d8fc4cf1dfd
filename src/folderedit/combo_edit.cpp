// TCustomComboEdit (see combo_edit.h).
#include "folderedit/combo_edit.h"

#include "ui/scaling.h"

namespace zv {

TCustomComboEdit::TCustomComboEdit(TComponent* owner, std::string name)
    : TEdit(owner, std::move(name)) {}

void TCustomComboEdit::SetButtonWidth(int width) {
  if (width == buttonWidth_) return;
  buttonWidth_ = width;
  Changed(PropButton);
}

void TCustomComboEdit::SetGlyphKind(TGlyphKind kind) {
  if (kind == glyphKind_) return;
  glyphKind_ = kind;
  Changed(PropButton);
}

void TCustomComboEdit::SetGlyph(const Bitmap& glyph) {
  glyph_ = glyph;
  versions_.clear();
  Changed(PropButton);
}

void TCustomComboEdit::SetGlyphVersions(std::vector<Bitmap> versions) {
  versions_ = std::move(versions);
  glyph_ = versions_.empty() ? Bitmap{} : versions_.front();
  PickGlyph();
  Changed(PropButton);
}

void TCustomComboEdit::PickGlyph() {
  if (versions_.empty()) return;
  const Bitmap& design = versions_.front();
  glyph_ =
      PickScaledBitmap(versions_, design.Width, design.Height, PixelsPerInch(), GlyphTransparent);
}

void TCustomComboEdit::ChangeScale(int m, int d) {
  if (m == d) return;
  buttonWidth_ = MulDiv(buttonWidth_, m, d);
  TEdit::ChangeScale(m, d);
  PickGlyph();
  Changed(PropButton);
}

TRect TCustomComboEdit::ButtonRect() const {
  if (!ButtonVisible()) return {};
  return Bounds(Width() - buttonWidth_ - 2 * kBorder, 0, buttonWidth_, Height() - 2 * kBorder);
}

int TCustomComboEdit::TypingAreaRightMargin() const {
  return ButtonVisible() ? buttonWidth_ + kButtonGap : 0;
}

void TCustomComboEdit::DoClick() {
  if (ReadOnly()) return;
  ButtonClick();
}

void TCustomComboEdit::ButtonClick() {
  if (OnButtonClick) OnButtonClick(this);
}

bool TCustomComboEdit::KeyDown(TKey key, TShiftState shift) {
  // Only the modifier keys count for the shortcut, not mouse buttons held at the same time.
  const TShiftState mods = shift & (ssShift | ssAlt | ssCtrl);
  if (key == ClickKey.Key && mods == ClickKey.Shift && buttonWidth_ > 0) {
    DoClick();
    return true;
  }
  return TEdit::KeyDown(key, shift);
}

bool TCustomComboEdit::KeyPress(char16_t& ch) {
  // Without direct input the text changes only through the button; editing keys are eaten.
  if (!DirectInput && ch >= u' ') {
    ch = 0;
    return true;
  }
  return TEdit::KeyPress(ch);
}

bool TCustomComboEdit::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent()) {
    if (!c->Visible() || !c->Enabled()) return false;
  }
  return true;
}

}  // namespace zv
