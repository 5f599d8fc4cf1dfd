// TControl and TWinControl: state, anchoring and the mirror to the window.
#include "ui/control.h"

#include <algorithm>

#include "ui/scaling.h"

namespace zv {

TControl::TControl(TComponent* owner, std::string name) : TComponent(owner, std::move(name)) {}

TControl::~TControl() {
  peer_.reset();
  if (parent_) std::erase(parent_->controls_, this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  MoveTo(Bounds(left, top, std::max(0, width), std::max(0, height)));
  ResetAnchorBase();
}

void TControl::MoveTo(const TRect& r) {
  if (r == bounds_) return;
  const bool resized = r.Width() != bounds_.Width() || r.Height() != bounds_.Height();
  bounds_ = r;
  if (peer_) {
    peer_->SetBounds(r);  // the platform reports the new client size itself
  } else if (resized) {
    Resize();
  }
}

void TControl::StoreBounds(const TRect& r) { bounds_ = r; }

void TControl::ResetAnchorBase() {
  anchorBase_ = bounds_;
  if (parent_) {
    const TRect client = parent_->ClientRect();
    baseParentW_ = client.Width();
    baseParentH_ = client.Height();
  }
}

void TControl::SetAnchors(TAnchors anchors) {
  anchors_ = anchors;
  ResetAnchorBase();
}

void TControl::SetAlign(TAlign align) {
  align_ = align;
  if (parent_) {
    const TRect client = parent_->ClientRect();
    ParentResized(client.Width(), client.Height());
  }
}

void TControl::ParentResized(int width, int height) {
  TRect r = anchorBase_;
  switch (align_) {
    case TAlign::alTop:
      r = {0, 0, width, Height()};
      break;
    case TAlign::alBottom:
      r = {0, height - Height(), width, height};
      break;
    case TAlign::alLeft:
      r = {0, 0, Width(), height};
      break;
    case TAlign::alRight:
      r = {width - Width(), 0, width, height};
      break;
    case TAlign::alClient:
      r = {0, 0, width, height};
      break;
    case TAlign::alNone: {
      // Each anchored edge keeps its distance to the same edge of the parent, measured from
      // the last explicit placement, so that shrinking and growing again restores it exactly.
      const int dx = width - baseParentW_, dy = height - baseParentH_;
      if (anchors_ & akRight) {
        if (!(anchors_ & akLeft)) r.Left += dx;
        r.Right += dx;
      } else if (!(anchors_ & akLeft)) {
        r.Left += dx / 2;
        r.Right += dx / 2;
      }
      if (anchors_ & akBottom) {
        if (!(anchors_ & akTop)) r.Top += dy;
        r.Bottom += dy;
      } else if (!(anchors_ & akTop)) {
        r.Top += dy / 2;
        r.Bottom += dy / 2;
      }
      r.Right = std::max(r.Right, r.Left);
      r.Bottom = std::max(r.Bottom, r.Top);
      break;
    }
  }
  MoveTo(r);
}

void TControl::ScaleForPPI(int pixelsPerInch) {
  if (pixelsPerInch <= 0 || pixelsPerInch == ppi_) return;
  ChangeScale(pixelsPerInch, ppi_);
}

void TControl::ChangeScale(int m, int d) {
  if (m == d) return;
  ppi_ = MulDiv(ppi_, m, d);
  anchorBase_ = ScaleBounds(anchorBase_, m, d);
  baseParentW_ = MulDiv(baseParentW_, m, d);
  baseParentH_ = MulDiv(baseParentH_, m, d);
  TFont font = font_;
  font.Height = MulDiv(font.Height, m, d);
  SetFont(font);
  MoveTo(ScaledBounds(m, d));
}

TRect TControl::ScaledBounds(int m, int d) const { return ScaleBounds(bounds_, m, d); }

TRect TControl::ClientRect() const { return peer_ ? peer_->ClientRect() : HeadlessClientRect(); }

void TControl::SetVisible(bool visible) {
  if (visible_ == visible) return;
  visible_ = visible;
  if (peer_) peer_->SetVisible(visible);
}

void TControl::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  if (peer_) peer_->SetEnabled(enabled);
}

void TControl::SetText(const std::string& text) {
  if (text_ == text) return;
  text_ = text;
  if (peer_) peer_->SetText(text);
}

void TControl::SetFont(const TFont& font) {
  font_ = font;
  if (peer_) peer_->SetFont(font);
}

void TControl::SetColor(TColor color) {
  color_ = color;
  Invalidate();
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent_) std::erase(parent_->controls_, this);
  parent_ = parent;
  if (parent_) parent_->controls_.push_back(this);
  ResetAnchorBase();
}

void TControl::AttachPeer(std::unique_ptr<ControlPeer> peer) {
  peer_ = std::move(peer);
  if (peer_) HandleCreated();
}

void TControl::DestroyHandle() {
  if (!peer_) return;
  HandleDestroying();
  peer_.reset();
}

void TControl::Invalidate() {
  if (peer_) peer_->Invalidate(nullptr);
}

void TControl::InvalidateRect(const TRect& r) {
  if (peer_) peer_->Invalidate(&r);
}

// --- TWinControl ---

TWinControl::~TWinControl() {
  TWinControl::DestroyHandle();
  for (TControl* c : controls_) c->DetachFromParent();
  if (TWinControl* root = Root(); root != this && root->activeControl_ == this) {
    root->activeControl_ = nullptr;
  }
}

TWinControl* TWinControl::Root() {
  TWinControl* w = this;
  while (w->Parent()) w = w->Parent();
  return w;
}

std::vector<TWinControl*> TWinControl::TabList() const {
  std::vector<TWinControl*> list;
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->tabStop_) list.push_back(w);
  }
  std::stable_sort(list.begin(), list.end(),
                   [](TWinControl* a, TWinControl* b) { return a->tabOrder_ < b->tabOrder_; });
  return list;
}

void TWinControl::SetFocus() {
  if (Peer()) {
    Peer()->SetFocus();  // the platform reports FocusIn/FocusOut
    return;
  }
  TWinControl* root = Root();
  if (root->activeControl_ == this) return;
  TWinControl* old = root->activeControl_;
  root->activeControl_ = this;
  if (old) old->FocusOut();
  FocusIn();
}

bool TWinControl::Focused() const {
  if (Peer()) return Peer()->Focused();
  return const_cast<TWinControl*>(this)->Root()->activeControl_ == this;
}

void TWinControl::DestroyHandle() {
  for (TControl* c : controls_) c->DestroyHandle();
  TControl::DestroyHandle();
}

bool TWinControl::KeyDown(TKey, TShiftState) { return false; }
bool TWinControl::KeyUp(TKey, TShiftState) { return false; }
bool TWinControl::KeyPress(char16_t&) { return false; }

void TWinControl::ChangeScale(int m, int d) {
  if (m == d) return;
  const bool wasScaling = scaling_;
  scaling_ = true;
  TControl::ChangeScale(m, d);
  for (TControl* c : controls_) c->ChangeScale(m, d);
  scaling_ = wasScaling;
  AlignControls();
}

void TWinControl::AlignControls() {
  if (scaling_) return;
  const TRect client = ClientRect();
  for (TControl* c : controls_) c->ParentResized(client.Width(), client.Height());
}

}  // namespace zv
