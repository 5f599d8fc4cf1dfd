#pragma once
// TCustomComboEdit: a single-line edit box with a small button at its right end, in a child
// window of the box. The button sits at x = width - ButtonWidth - 4, y = 0 of the box's client
// area (inside the three-dimensional border of 2 pixels), ButtonWidth wide and height - 4 high;
// the typing area stops 2 pixels before it, so text never runs under the button. A ButtonWidth
// of 1 or less hides the button. Pressing it, or ClickKey while the box has the focus, runs
// ButtonClick, which derived boxes extend (the folder box opens its dialog there).
#include <string>
#include <vector>

#include "ui/graphics.h"
#include "ui/input.h"
#include "ui/stdctrls.h"

namespace zv {

// What the button shows.
enum class TGlyphKind { gkCustom, gkDefault, gkDropDown, gkEllipsis };

// A key with its modifiers.
struct TShortCut {
  TKey Key = TKey::Other;
  TShiftState Shift = 0;
  friend bool operator==(const TShortCut&, const TShortCut&) = default;
};

class TCustomComboEdit : public TEdit {
 public:
  // Peer properties: the button's size, picture or visibility changed.
  enum Prop { PropButton = 300 };
  // The box's three-dimensional border on each side; the button's window lives inside it.
  static constexpr int kBorder = 2;
  // Gap between the end of the typing area and the button.
  static constexpr int kButtonGap = 2;

  TCustomComboEdit(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TCustomComboEdit"; }

  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int width);
  TGlyphKind GlyphKind() const { return glyphKind_; }
  void SetGlyphKind(TGlyphKind kind);
  // The picture that gkCustom shows.
  const Bitmap& Glyph() const { return glyph_; }
  void SetGlyph(const Bitmap& glyph);
  // The same picture drawn for several densities, the 96-dot one first: Glyph is the one for
  // the box's density, picked again when the box is scaled (ui/scaling.h).
  void SetGlyphVersions(std::vector<Bitmap> versions);

  // The button's width and picture scale with the box.
  void ChangeScale(int m, int d) override;
  // Colour of the picture that is drawn transparent.
  TColor GlyphTransparent = clBlack;
  int NumGlyphs = 1;  // pictures side by side in Glyph; one serves every button state

  TShortCut ClickKey{TKey::Down, ssAlt};
  // What a screen reader calls the button, which shows only a picture (its window's text too,
  // set when the window is made).
  std::string ButtonName;
  bool DirectInput = true;  // false: the text can only be changed through the button

  TNotifyEvent OnButtonClick;

  // --- Layout in the box's client coordinates (the window follows these) ---
  bool ButtonVisible() const { return buttonWidth_ > 1; }
  // The button's child window.
  TRect ButtonRect() const;
  // Pixels kept free at the right end of the typing area (0 without a button).
  int TypingAreaRightMargin() const;

  // Presses the button: a mouse click on it, ClickKey, or a program or test pressing it.
  // Nothing happens while the box is read-only.
  void DoClick();

  bool KeyDown(TKey key, TShiftState shift) override;
  bool KeyPress(char16_t& ch) override;

 protected:
  // The button's work: raises OnButtonClick. Derived boxes extend it.
  virtual void ButtonClick();
  // True when the box and every parent are visible and enabled.
  bool CanFocus() const;

 private:
  int buttonWidth_ = 21;
  TGlyphKind glyphKind_ = TGlyphKind::gkDefault;
  Bitmap glyph_;
  std::vector<Bitmap> versions_;
  void PickGlyph();
};

}  // namespace zv
