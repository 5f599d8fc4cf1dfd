#pragma once
// The standard controls of the main window: a label, a single-line edit box and push buttons
// (with a picture: TBitBtn). Each is a native window of the platform; the object keeps the
// state and raises the events that the backend translates from the window's notifications.
#include <string>

#include "ui/control.h"

namespace zv {

class TLabel : public TWinControl {
 public:
  using TWinControl::TWinControl;
  const char* PeerKind() const override { return "TLabel"; }

  // The control that the label names (not owned). Its window is made just before that
  // control's, so that it comes right before it in the window order, where the system looks
  // for the name of an edit box to give screen readers.
  TWinControl* FocusControl = nullptr;
};

// A single-line edit box. Derived controls (the folder box) keep this peer kind family: the
// Win32 edit peer (src/ui/win32/edit_peer.h) offers hooks to add child windows, set the typing
// area's margins and see keys first.
class TEdit : public TWinControl {
 public:
  enum Prop { PropMaxLength = 100, PropReadOnly, PropSelection };

  TEdit(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TEdit"; }

  // Characters (UTF-16 units) the user can type at most; 0: no limit. SetText from the program
  // is not cut, as on the platform.
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int n);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool readOnly);
  bool AutoSelect = true;  // entering the box selects all of its text

  // Selection, in characters (UTF-16 units), mirrored from the window while there is one.
  int SelStart() const { return selStart_; }
  int SelLength() const { return selLength_; }
  void SetSelection(int start, int length);
  void SelectAll();
  // Replaces the selected text (the platform's EM_REPLACESEL), e.g. to delete it with "".
  void SetSelText(const std::string& text);

  TNotifyEvent OnChange;

  // From the backend: the user changed the text or the selection in the window.
  void TextEdited(const std::string& text);
  void SelectionEdited(int start, int length) { selStart_ = start, selLength_ = length; }

  void SetText(const std::string& text) override;
  void FocusIn() override;

 protected:
  virtual void Change();

 private:
  int maxLength_ = 0;
  bool readOnly_ = false;
  int selStart_ = 0, selLength_ = 0;
};

class TButton : public TWinControl {
 public:
  TButton(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TButton"; }

  TNotifyEvent OnClick;
  // A click (from the window, or a program or test pressing it): raises OnClick when enabled.
  virtual void Click();
};

// A push button with a small picture left of its caption.
class TBitBtn : public TButton {
 public:
  enum Prop { PropGlyph = 200 };
  using TButton::TButton;
  const char* PeerKind() const override { return "TBitBtn"; }

  // Name of the picture among the program's resources (a bitmap whose bottom-left pixel colour
  // is drawn transparent); empty: no picture.
  const std::string& GlyphResource() const { return glyph_; }
  void SetGlyphResource(const std::string& name);

  // The window picks the picture again for the new density (PixelsPerInch).
  void ChangeScale(int m, int d) override;

 private:
  std::string glyph_;
};

// A check box with its caption to the right. A click (of the mouse, or the space bar while it
// has the focus) flips Checked and raises OnClick; setting Checked from the program raises
// nothing. A screen reader hears a check box named by its caption.
class TCheckBox : public TWinControl {
 public:
  enum Prop { PropChecked = 210 };
  TCheckBox(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TCheckBox"; }

  bool Checked() const { return checked_; }
  void SetChecked(bool value);
  TNotifyEvent OnClick;
  // The user's click: flips Checked and raises OnClick (only while enabled).
  void Click();

 private:
  bool checked_ = false;
};

}  // namespace zv
