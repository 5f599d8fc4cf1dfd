// TCustomControl: requests to the window, remembered while headless.
#include "ui/custom_control.h"

#include <algorithm>

#include "ui/recording_canvas.h"

namespace zv {

TCustomControl::TCustomControl(TComponent* owner, std::string name)
    : TWinControl(owner, std::move(name)) {}

CustomControlPeer* TCustomControl::CustomPeer() const {
  return dynamic_cast<CustomControlPeer*>(Peer());
}

void TCustomControl::UpdateNow() {
  if (Peer()) Peer()->Update();
}

void TCustomControl::ScrollArea(const TRect& area, int dx, int dy) {
  if (auto* p = CustomPeer()) p->ScrollArea(area, dx, dy);
}

void TCustomControl::SetScrollBar(TScrollBarKind kind, const ScrollBarState& state) {
  ScrollBarState& mine = kind == TScrollBarKind::sbHorizontal ? hbar_ : vbar_;
  const bool visibilityChanged = mine.Visible != state.Visible;
  mine = state;
  if (auto* p = CustomPeer()) {
    p->SetScrollBar(kind, state);  // the platform reports a changed client area itself
  } else if (visibilityChanged) {
    Resize();
  }
}

int TCustomControl::ScrollTrackPosition(TScrollBarKind kind) const {
  if (auto* p = CustomPeer()) return p->ScrollTrackPosition(kind);
  return ScrollBar(kind).Position;
}

void TCustomControl::SetCapture() {
  if (auto* p = CustomPeer()) p->SetCapture();
}

void TCustomControl::ReleaseCapture() {
  if (auto* p = CustomPeer()) p->ReleaseCapture();
}

bool TCustomControl::HasCapture() const {
  auto* p = CustomPeer();
  return p && p->HasCapture();
}

void TCustomControl::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  if (auto* p = CustomPeer()) p->SetCursor(cursor);
}

TPoint TCustomControl::CursorPos() const {
  if (auto* p = CustomPeer()) return p->CursorPos();
  return {-1, -1};
}

std::unique_ptr<Canvas> TCustomControl::MeasureCanvas() const {
  if (auto* p = CustomPeer()) return p->MeasureCanvas();
  return std::make_unique<RecordingCanvas>(ClientRect());
}

int TCustomControl::BorderWidth() const {
  switch (BorderEdge) {
    case TBorderEdge::beNone:
      return 0;
    case TBorderEdge::beStatic:
      return 1;
    case TBorderEdge::beClient:
      return 2;
  }
  return 0;
}

TRect TCustomControl::HeadlessClientRect() const {
  constexpr int kBar = 17;  // a scroll bar's thickness at 96 dpi
  const int b = BorderWidth();
  return {0, 0, std::max(0, Width() - 2 * b - (vbar_.Visible ? kBar : 0)),
          std::max(0, Height() - 2 * b - (hbar_.Visible ? kBar : 0))};
}

}  // namespace zv
