#pragma once
// Win32Peer: one native window mirroring one portable control. It creates the window (of the
// program's own class, or a system class that it subclasses), binds it to the peer, translates
// the messages it receives into the control's portable events, and carries out what the control
// asks (ControlPeer, CustomControlPeer). Every message runs through Route, which passes the
// handling through the application's one dispatch place, so that an error in any handler ends
// up in the general error handler and never unwinds through the system.
//
// A control-specific peer derives from Win32Peer (or Win32EditPeer, edit_peer.h) and overrides
// the hooks: FillCreateParams (class, styles), Created (push control-specific state),
// HandleMessage (its own messages; call the base for the common ones), HandleCommand /
// HandleNotify (notifications that the parent reflects to the child), PropertyChanged.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/control.h"
#include "ui/peer.h"

namespace zv {

class Win32Backend;

struct CreateParams {
  std::wstring ClassName;  // empty: the backend's own window class
  DWORD Style = 0;
  DWORD ExStyle = 0;
  std::wstring Caption;
  TRect Bounds;
};

class Win32Peer : public CustomControlPeer {
 public:
  Win32Peer(Win32Backend& backend, TControl& control);
  ~Win32Peer() override;
  Win32Peer(const Win32Peer&) = delete;
  Win32Peer& operator=(const Win32Peer&) = delete;

  HWND Handle() const { return hwnd_; }
  TControl& Control() const { return control_; }
  Win32Backend& Backend() const { return backend_; }
  // The peer of one of our windows, or nullptr.
  static Win32Peer* FromHandle(HWND hwnd);

  // Creates the window as a child of parent (nullptr: top-level) and binds it.
  void Create(HWND parent);

  // --- Hooks ---
  // Base: WS_CHILD, WS_VISIBLE, WS_DISABLED, WS_TABSTOP and bounds from the control.
  virtual void FillCreateParams(CreateParams& params);
  // After the window exists and is bound (font and text are set already).
  virtual void Created() {}
  // Returns true when handled (result set); false lets the window's default handling run.
  virtual bool HandleMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result);
  // A WM_COMMAND notification code or WM_NOTIFY that this window sent to its parent.
  virtual bool HandleCommand(UINT code, LRESULT& result) {
    (void)code, (void)result;
    return false;
  }
  virtual bool HandleNotify(NMHDR& header, LRESULT& result) {
    (void)header, (void)result;
    return false;
  }
  // WM_CTLCOLOR* that the parent received for this window.
  virtual bool HandleCtlColor(HDC dc, LRESULT& result) {
    (void)dc, (void)result;
    return false;
  }
  // The window's default handling (its class's procedure).
  LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);

  // --- ControlPeer ---
  void SetBounds(const TRect& bounds) override;
  void SetVisible(bool visible) override;
  void SetEnabled(bool enabled) override;
  void SetText(const std::string& text) override;
  void SetFont(const TFont& font) override;
  // The base tells screen readers when a control's own description of itself changed.
  void PropertyChanged(int property) override;
  void Invalidate(const TRect* rect) override;
  void Update() override;
  void SetFocus() override;
  bool Focused() const override;
  TRect ClientRect() const override;
  void* NativeHandle() const override { return hwnd_; }

  // --- CustomControlPeer ---
  void ScrollArea(const TRect& area, int dx, int dy) override;
  void SetScrollBar(TScrollBarKind kind, const ScrollBarState& state) override;
  int ScrollTrackPosition(TScrollBarKind kind) const override;
  void SetCapture() override;
  void ReleaseCapture() override;
  bool HasCapture() const override;
  void SetCursor(TCursor cursor) override;
  TPoint CursorPos() const override;
  std::unique_ptr<Canvas> MeasureCanvas() override;

  // The window procedures.
  static LRESULT CALLBACK OwnClassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data);

 protected:
  TWinControl* WinControl() const { return dynamic_cast<TWinControl*>(&control_); }
  TCursor Cursor() const { return cursor_; }

 private:
  LRESULT Route(UINT msg, WPARAM wp, LPARAM lp);
  void Bind(HWND hwnd);
  void Unbind();

  Win32Backend& backend_;
  TControl& control_;
  HWND hwnd_ = nullptr;
  bool subclassed_ = false;
  TCursor cursor_ = TCursor::crDefault;
};

// Portable keys and modifiers from the platform's.
TKey KeyFromVirtualKey(WPARAM vk);
TShiftState CurrentShiftState();
TShiftState ShiftFromMouseFlags(WPARAM flags);
// The system cursor for a portable cursor.
HCURSOR SystemCursor(TCursor cursor);

}  // namespace zv
