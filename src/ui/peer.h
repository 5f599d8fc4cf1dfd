#pragma once
// What a control asks of its native window. A control keeps all of its state itself and, while
// it has a peer (that is, a window handle), pushes changes to it through this interface. Without
// a peer a control is headless: its state changes and nothing else happens. The Win32 backend
// implements the peers; RecordingCustomPeer (recording_peer.h) records the requests for tests.
#include <memory>
#include <string>

#include "ui/canvas.h"
#include "ui/graphics.h"
#include "ui/input.h"

namespace zv {

class ControlPeer {
 public:
  virtual ~ControlPeer() = default;
  // Position and size in the parent's client area (outer bounds for a top-level window).
  virtual void SetBounds(const TRect& bounds) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual void SetEnabled(bool enabled) = 0;
  // Caption or text, UTF-8.
  virtual void SetText(const std::string& text) = 0;
  virtual void SetFont(const TFont& font) = 0;
  // A control-specific property changed (see each control's Prop* constants): the peer reads the
  // new value back from its control.
  virtual void PropertyChanged(int property) = 0;
  // Asks for a repaint of a part of the client area (nullptr: all of it).
  virtual void Invalidate(const TRect* rect) = 0;
  // Paints the invalid parts now rather than when the message queue is empty.
  virtual void Update() = 0;
  virtual void SetFocus() = 0;
  virtual bool Focused() const = 0;
  // The client area's size as the platform has it (scroll bars and borders taken off).
  virtual TRect ClientRect() const = 0;
  // The native window handle for backend code that extends a control (an HWND on Windows).
  virtual void* NativeHandle() const = 0;
};

// One platform scroll bar of a custom-painted control, set in one step.
struct ScrollBarState {
  int Min = 0;
  int Max = 0;
  int Page = 0;
  int Position = 0;
  bool Visible = false;
  bool Enabled = true;  // both arrows enabled, or both disabled
  friend bool operator==(const ScrollBarState&, const ScrollBarState&) = default;
};

// The extra requests of a custom-painted control (TCustomControl).
class CustomControlPeer : public ControlPeer {
 public:
  // Moves the pixels of `area` by (dx, dy) and invalidates the part that the move uncovered.
  virtual void ScrollArea(const TRect& area, int dx, int dy) = 0;
  virtual void SetScrollBar(TScrollBarKind kind, const ScrollBarState& state) = 0;
  // The position of the thumb while it is being dragged (32-bit), for scTrack/scPosition.
  virtual int ScrollTrackPosition(TScrollBarKind kind) const = 0;
  virtual void SetCapture() = 0;
  virtual void ReleaseCapture() = 0;
  virtual bool HasCapture() const = 0;
  // The shape the mouse pointer takes over the control from now on.
  virtual void SetCursor(TCursor cursor) = 0;
  // Where the mouse pointer is, in client coordinates.
  virtual TPoint CursorPos() const = 0;
  // A canvas for measuring text outside painting (TextWidth, TextHeight).
  virtual std::unique_ptr<Canvas> MeasureCanvas() = 0;
};

}  // namespace zv
