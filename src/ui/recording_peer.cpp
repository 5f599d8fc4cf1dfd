// RecordingCustomPeer: a window that only remembers what it was asked.
#include "ui/recording_peer.h"

#include <algorithm>

#include "ui/recording_canvas.h"

namespace zv {

RecordingCustomPeer& RecordingCustomPeer::Attach(TCustomControl& control) {
  auto* peer = new RecordingCustomPeer(control);
  peer->bounds_ = control.BoundsRect();
  peer->HBar = control.ScrollBar(TScrollBarKind::sbHorizontal);
  peer->VBar = control.ScrollBar(TScrollBarKind::sbVertical);
  control.AttachPeer(std::unique_ptr<ControlPeer>(peer));
  return *peer;
}

void RecordingCustomPeer::SetBounds(const TRect& bounds) {
  const bool resized = bounds.Width() != bounds_.Width() || bounds.Height() != bounds_.Height();
  bounds_ = bounds;
  if (resized) control_.ClientResizedByPlatform();
}

void RecordingCustomPeer::Invalidate(const TRect* rect) {
  if (rect)
    Invalidated.emplace_back(*rect);
  else
    Invalidated.emplace_back(std::nullopt);
}

void RecordingCustomPeer::SetFocus() {
  if (HasFocus) return;
  HasFocus = true;
  control_.FocusIn();
}

TRect RecordingCustomPeer::ClientRect() const {
  constexpr int kBar = kScrollBarSize;
  int b = 0;
  if (control_.BorderEdge == TBorderEdge::beStatic) b = 1;
  if (control_.BorderEdge == TBorderEdge::beClient) b = 2;
  return {0, 0, std::max(0, bounds_.Width() - 2 * b - (VBar.Visible ? kBar : 0)),
          std::max(0, bounds_.Height() - 2 * b - (HBar.Visible ? kBar : 0))};
}

void RecordingCustomPeer::SetScrollBar(TScrollBarKind kind, const ScrollBarState& state) {
  ++ScrollBarCalls;
  ScrollBarState& bar = kind == TScrollBarKind::sbHorizontal ? HBar : VBar;
  const bool visibilityChanged = bar.Visible != state.Visible;
  bar = state;
  if (visibilityChanged) control_.ClientResizedByPlatform();
}

std::unique_ptr<Canvas> RecordingCustomPeer::MeasureCanvas() {
  return std::make_unique<RecordingCanvas>(ClientRect());
}

}  // namespace zv
