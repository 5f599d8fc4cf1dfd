#pragma once
// Controls: TControl keeps a visual object's state (bounds, anchors, text, font, enabled and
// visible flags) and TWinControl adds children, tab order, focus and portable key events. The
// state lives in the object; a native window, when the backend has given one (a peer), only
// mirrors it. Tests drive headless controls through the same methods that the backend calls.
//
// Adding a control: derive from TWinControl (or TCustomControl for custom painting), keep its
// state in members, call Changed(PropX) when a property the window shows changes, return a name
// from PeerKind(), and register a Win32 peer for that name (src/ui/win32/backend.h).
#include <memory>
#include <string>
#include <vector>

#include "ui/component.h"
#include "ui/graphics.h"
#include "ui/input.h"
#include "ui/peer.h"

namespace zv {

enum TAnchorKind : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;
constexpr TAnchors kDefaultAnchors = akLeft | akTop;

enum class TAlign { alNone, alTop, alBottom, alLeft, alRight, alClient };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

class TWinControl;

class TControl : public TComponent {
 public:
  TControl(TComponent* owner, std::string name);
  ~TControl() override;

  // --- Geometry (parent's client coordinates; a form's bounds are its outer bounds) ---
  int Left() const { return bounds_.Left; }
  int Top() const { return bounds_.Top; }
  int Width() const { return bounds_.Width(); }
  int Height() const { return bounds_.Height(); }
  TRect BoundsRect() const { return bounds_; }
  // Places the control. This placement becomes the base that anchors keep to when the parent is
  // resized later.
  virtual void SetBounds(int left, int top, int width, int height);
  void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }

  TAnchors Anchors() const { return anchors_; }
  void SetAnchors(TAnchors anchors);
  TAlign Align() const { return align_; }
  void SetAlign(TAlign align);

  // The client area: from the window while there is one, else computed (HeadlessClientRect).
  TRect ClientRect() const;
  int ClientWidth() const { return ClientRect().Width(); }
  int ClientHeight() const { return ClientRect().Height(); }

  // --- State that the window mirrors ---
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool visible);
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool enabled);
  // Caption or text (UTF-8).
  const std::string& Text() const { return text_; }
  virtual void SetText(const std::string& text);
  const std::string& Caption() const { return text_; }
  void SetCaption(const std::string& caption) { SetText(caption); }
  const TFont& Font() const { return font_; }
  void SetFont(const TFont& font);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  std::string Hint;

  TWinControl* Parent() const { return parent_; }
  void SetParent(TWinControl* parent);

  // --- The window ---
  bool HandleAllocated() const { return peer_ != nullptr; }
  ControlPeer* Peer() const { return peer_.get(); }
  // The kind of native window the backend makes for this control ("TEdit", "TGridView"...).
  virtual const char* PeerKind() const = 0;
  // Called by the backend once the window exists and mirrors the state; the control may push
  // more to it (HandleCreated runs after the peer is attached).
  void AttachPeer(std::unique_ptr<ControlPeer> peer);
  // Destroys the window (children first); the control keeps its state and becomes headless.
  virtual void DestroyHandle();
  void Invalidate();
  void InvalidateRect(const TRect& r);

  // Called when the client area's size changed (from SetBounds while headless; from the
  // platform while there is a window, e.g. when scroll bars appear).
  void ClientResizedByPlatform() { Resize(); }
  // The parent's client area changed to (width, height): anchors and alignment apply.
  void ParentResized(int width, int height);

  // --- Display scaling (ui/scaling.h) ---
  // The density the control's metrics are laid out for; 96 until it is scaled.
  int PixelsPerInch() const { return ppi_; }
  // Lays the control (and its children) out for a display of `pixelsPerInch`: its metrics are
  // scaled from the density they have now by one factor. Nothing happens at the same density.
  void ScaleForPPI(int pixelsPerInch);
  // Scales every metric by m / d: bounds, the anchors' base, the font. Controls with metrics of
  // their own (pictures, panel widths, row heights...) extend it and call the base.
  virtual void ChangeScale(int m, int d);

 protected:
  // Hooks for derived controls.
  virtual void HandleCreated() {}
  virtual void HandleDestroying() {}
  // The client area's size changed.
  virtual void Resize() {}
  virtual TRect HeadlessClientRect() const { return {0, 0, Width(), Height()}; }
  // Tells the window that a control-specific property changed.
  void Changed(int property) {
    if (peer_) peer_->PropertyChanged(property);
  }
  // Moves the control without changing its anchor base (anchoring and alignment use it).
  void MoveTo(const TRect& r);
  // The bounds that scaling by m / d gives (ChangeScale): the top-left corner and the size each
  // scaled (ScaleBounds). A form keeps its place and scales its client area instead.
  virtual TRect ScaledBounds(int m, int d) const;
  // Takes bounds that the platform already applied (a form moved or resized by the user).
  void StoreBounds(const TRect& r);
  // Takes a text that the window already shows (typed by the user).
  void StoreText(const std::string& text) { text_ = text; }
  void ResetAnchorBase();

 private:
  friend class TWinControl;
  void DetachFromParent() { parent_ = nullptr; }
  TRect bounds_;
  TAnchors anchors_ = kDefaultAnchors;
  TAlign align_ = TAlign::alNone;
  TRect anchorBase_;                       // bounds when last placed explicitly
  int baseParentW_ = 0, baseParentH_ = 0;  // the parent's client size at that time
  bool visible_ = true;
  bool enabled_ = true;
  std::string text_;
  TFont font_;
  TColor color_ = clBtnFace;
  int ppi_ = 96;
  TWinControl* parent_ = nullptr;
  std::unique_ptr<ControlPeer> peer_;
};

class TWinControl : public TControl {
 public:
  using TControl::TControl;
  ~TWinControl() override;

  // Children in the order they were parented (not owned).
  const std::vector<TControl*>& Controls() const { return controls_; }
  // Windowed children that take part in tabbing, by TabOrder (ties keep parenting order).
  std::vector<TWinControl*> TabList() const;

  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool tabStop) { tabStop_ = tabStop; }
  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order) { tabOrder_ = order; }

  void SetFocus();
  bool Focused() const;

  void DestroyHandle() override;

  // Portable keyboard events, asked before the native window handles the key. Return true when
  // handled: the native window then does not see the key.
  virtual bool KeyDown(TKey key, TShiftState shift);
  virtual bool KeyUp(TKey key, TShiftState shift);
  // A character typed; the control may change it (0 swallows it).
  virtual bool KeyPress(char16_t& ch);
  // Keyboard focus arrived or left.
  virtual void FocusIn() {}
  virtual void FocusOut() {}
  // The top of the parent chain (the form).
  TWinControl* Root();

  // Lays out the children after the client area changed (anchors, alignment). Held back while
  // the control is being scaled: the children are scaled by then, not anchored.
  void AlignControls();

  // Scales the control, then its children; lays them out against the client area at the end.
  void ChangeScale(int m, int d) override;

 protected:
  void Resize() override { AlignControls(); }

 private:
  friend class TControl;
  std::vector<TControl*> controls_;
  bool tabStop_ = false;
  int tabOrder_ = 0;
  bool scaling_ = false;
  TWinControl* activeControl_ = nullptr;  // headless focus, kept by the root
};

}  // namespace zv
