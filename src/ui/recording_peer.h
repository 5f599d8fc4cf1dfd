#pragma once
// A window peer without a window, for native tests of custom-painted controls: the control
// "has a handle", and every request it makes (invalidations, scrolling, scroll bars, capture,
// cursor, focus) is recorded here for the test to read back. The client area is the bounds less
// the border and the visible scroll bars (kScrollBarSize each).
#include <optional>
#include <string>
#include <vector>

#include "ui/custom_control.h"
#include "ui/peer.h"

namespace zv {

class RecordingCustomPeer : public CustomControlPeer {
 public:
  static constexpr int kScrollBarSize = 17;

  // Attaches a new recording peer to the control and returns it (owned by the control).
  static RecordingCustomPeer& Attach(TCustomControl& control);

  // What was asked. An Invalidate of everything is recorded as std::nullopt.
  std::vector<std::optional<TRect>> Invalidated;
  struct Scroll {
    TRect area;
    int dx, dy;
  };
  std::vector<Scroll> Scrolls;
  ScrollBarState HBar, VBar;
  int ScrollBarCalls = 0;
  int TrackPosition = 0;  // what ScrollTrackPosition answers
  bool Captured = false;
  TCursor Cursor = TCursor::crDefault;
  TPoint Pointer;  // what CursorPos answers
  bool HasFocus = false;
  mutable int FocusAsked = 0;  // Focused calls
  int Updates = 0;
  std::vector<int> Properties;  // PropertyChanged calls

  void SetBounds(const TRect& bounds) override;
  void SetVisible(bool) override {}
  void SetEnabled(bool) override {}
  void SetText(const std::string&) override {}
  void SetFont(const TFont&) override {}
  void PropertyChanged(int property) override { Properties.push_back(property); }
  void Invalidate(const TRect* rect) override;
  void Update() override { ++Updates; }
  void SetFocus() override;
  bool Focused() const override {
    ++FocusAsked;
    return HasFocus;
  }
  TRect ClientRect() const override;
  void* NativeHandle() const override { return nullptr; }
  void ScrollArea(const TRect& area, int dx, int dy) override { Scrolls.push_back({area, dx, dy}); }
  void SetScrollBar(TScrollBarKind kind, const ScrollBarState& state) override;
  int ScrollTrackPosition(TScrollBarKind) const override { return TrackPosition; }
  void SetCapture() override { Captured = true; }
  void ReleaseCapture() override { Captured = false; }
  bool HasCapture() const override { return Captured; }
  void SetCursor(TCursor cursor) override { Cursor = cursor; }
  TPoint CursorPos() const override { return Pointer; }
  std::unique_ptr<Canvas> MeasureCanvas() override;

 private:
  explicit RecordingCustomPeer(TCustomControl& control) : control_(control) {}
  TCustomControl& control_;
  TRect bounds_;
};

}  // namespace zv
