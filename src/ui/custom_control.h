#pragma once
// TCustomControl: the base of custom-painted controls (the grid, the picture control). The
// control paints itself on a Canvas and answers portable input events; the backend gives it a
// window of the program's own class, double-buffers its painting, and translates mouse, key,
// wheel, focus, size and scroll-bar messages into the virtual methods below. What the control
// asks of its window (repaints, scrolling pixels, scroll bars, capture, cursor) goes through
// the methods in the "requests" section; while the control has no window they do nothing (a
// headless control), except that the scroll-bar state and cursor are still remembered.
#include <memory>

#include "ui/accessible_leaf.h"
#include "ui/canvas.h"
#include "ui/control.h"
#include "ui/input.h"
#include "ui/peer.h"

namespace zv {

enum class TBorderEdge {
  beNone,    // no border
  beStatic,  // WS_EX_STATICEDGE: one pixel
  beClient,  // WS_EX_CLIENTEDGE: two pixels, sunken
};

class TCustomControl : public TWinControl {
 public:
  TCustomControl(TComponent* owner, std::string name);
  const char* PeerKind() const override { return "TCustomControl"; }

  // --- Window options (read when the window is created) ---
  TBorderEdge BorderEdge = TBorderEdge::beNone;
  bool WantArrows = false;   // WM_GETDLGCODE answers DLGC_WANTARROWS
  bool WantAllKeys = false;  // WM_GETDLGCODE answers DLGC_WANTALLKEYS (Tab, Enter reach us)
  bool WantChars = false;    // WM_GETDLGCODE answers DLGC_WANTCHARS
  // Initial look of the two platform scroll bars: the window style includes WS_HSCROLL and
  // WS_VSCROLL so that SetScrollBar can show them later.
  bool HasScrollBars = true;

  // What a screen reader is told about the control when it is one whole thing without parts
  // (a picture); the default, arNone, leaves the description to the system.
  virtual AccessibleLeaf ScreenReaderLeaf() const { return {}; }

  // --- Painting: called with a canvas clipped to the area to repaint (Canvas::ClipBox) ---
  virtual void Paint(Canvas& canvas) { (void)canvas; }

  // --- Input events (client coordinates) ---
  virtual void MouseDown(TMouseButton button, TShiftState shift, TPoint p) {
    (void)button, (void)shift, (void)p;
  }
  virtual void MouseMove(TShiftState shift, TPoint p) { (void)shift, (void)p; }
  virtual void MouseUp(TMouseButton button, TShiftState shift, TPoint p) {
    (void)button, (void)shift, (void)p;
  }
  // The second press of a double click (comes instead of its MouseDown; shift has ssDouble).
  virtual void MouseDblClick(TMouseButton button, TShiftState shift, TPoint p) {
    (void)button, (void)shift, (void)p;
  }
  // Wheel turned by delta (120 per notch, positive away from the user). True: handled.
  virtual bool MouseWheel(int delta, TShiftState shift, TPoint p) {
    (void)delta, (void)shift, (void)p;
    return false;
  }
  // A scroll-bar message. For scTrack and scPosition, pos is the 32-bit thumb position.
  virtual void ScrollMessage(TScrollBarKind kind, TScrollCode code, int pos) {
    (void)kind, (void)code, (void)pos;
  }
  // The mouse capture was taken away (another window took it, or it was released).
  virtual void CaptureLost() {}
  // KeyDown / KeyUp / KeyPress / FocusIn / FocusOut / Resize come from TWinControl.

  // --- Requests to the window ---
  void InvalidateAll() { Invalidate(); }
  // InvalidateRect(const TRect&) comes from TControl.
  void UpdateNow();
  void ScrollArea(const TRect& area, int dx, int dy);
  void SetScrollBar(TScrollBarKind kind, const ScrollBarState& state);
  const ScrollBarState& ScrollBar(TScrollBarKind kind) const {
    return kind == TScrollBarKind::sbHorizontal ? hbar_ : vbar_;
  }
  int ScrollTrackPosition(TScrollBarKind kind) const;
  void SetCapture();
  void ReleaseCapture();
  bool HasCapture() const;
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);
  TPoint CursorPos() const;
  // A canvas for measuring text outside painting. Without a window it is a RecordingCanvas
  // with its fixed, predictable metrics.
  std::unique_ptr<Canvas> MeasureCanvas() const;

 protected:
  CustomControlPeer* CustomPeer() const;
  // Width of the border on each side (for the headless client area).
  int BorderWidth() const;
  TRect HeadlessClientRect() const override;

 private:
  ScrollBarState hbar_, vbar_;
  TCursor cursor_ = TCursor::crDefault;
};

}  // namespace zv
